// What the GDI back end's drawing objects and contexts hold: GDI's own objects and contexts.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/dc/State.h"
#include "platform/dc/gdi/GdiApi.h"

namespace dc_detail {

// Every object's state: the GDI object, deleted with the state unless it is a stock object. The
// empty bitmap has none.
struct NativeObject : GdiState {
    explicit NativeObject(gdi::Handle object) : handle(object) {}
    ~NativeObject() override;

    gdi::Handle handle;
};

// A DIB section.
struct Surface : NativeObject {
    using NativeObject::NativeObject;
    int width = 0;
    int height = 0;
    std::uint32_t* bits = nullptr;
};

// The GDI object of a state.
inline gdi::Handle HandleOf(const GdiState& state)
{
    return static_cast<const NativeObject&>(state).handle;
}

// A context's GDI context: a memory context this program made and deletes, or one the system
// owns (a window's paint context), which is only borrowed. Either way the objects it had at
// first are selected back before it is let go, so no object of the program stays selected in it.
struct Context {
    Context(gdi::Handle context, bool isOwned);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    // Makes dc draw on hdc from now on, with the stock objects and the default attributes; the
    // context it had before is let go first (and deleted, if it was its own).
    static void Bind(CDC& dc, gdi::Handle hdc, bool isOwned);

    gdi::Handle hdc;
    bool owned;
    gdi::Handle firstPen, firstBrush, firstFont, firstBitmap;
};

}  // namespace dc_detail
