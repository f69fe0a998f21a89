// What the drawing objects hold on Windows: GDI's own objects and contexts, shared between a
// wrapper and the contexts it is selected into.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/dc/Dc.h"
#include "platform/gdi/GdiApi.h"

namespace dc_detail {

// Base of every object's state: the GDI object, deleted with the state unless it is a stock
// object. The wrapper that made it is its owner until the wrapper goes away; a context that
// still has the state selected keeps drawing with it.
struct GdiState {
    explicit GdiState(gdi::Handle object = nullptr, bool isStock = false) : handle(object), stock(isStock) {}
    virtual ~GdiState();
    GdiState(const GdiState&) = delete;
    GdiState& operator=(const GdiState&) = delete;

    gdi::Handle handle;
    CGdiObject* owner = nullptr;
    bool stock;
};

struct FontState : GdiState {
    using GdiState::GdiState;
    std::string face;  // the face GDI chose, once asked for
};

// A DIB section; the empty bitmap has no handle and no pixels.
struct Surface : GdiState {
    using GdiState::GdiState;
    int width = 0;
    int height = 0;
    std::uint32_t* bits = nullptr;
};

// A GDI context: a memory context this program made and deletes, or one the system owns (a
// window's paint context), which is only borrowed. Either way the objects it had at first are
// selected back before it is let go, so no object of the program stays selected in it.
struct NativeDc {
    NativeDc(gdi::Handle context, bool isOwned);
    ~NativeDc();
    NativeDc(const NativeDc&) = delete;
    NativeDc& operator=(const NativeDc&) = delete;

    gdi::Handle hdc;
    bool owned;
    gdi::Handle firstPen, firstBrush, firstFont, firstBitmap;
};

}  // namespace dc_detail

// The stock objects of a fresh context, made once per process.
class CStockObjects {
public:
    static CGdiObject* Get(int index);
    // The empty bitmap a fresh context has selected: nothing can be drawn into it.
    static CBitmap* EmptyBitmap();
    static std::shared_ptr<dc_detail::GdiState> SharedStateOf(CGdiObject& object);

private:
    struct Set;
    static Set& Instance();
};
