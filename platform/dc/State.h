// What the drawing objects hold, shared between a wrapper and the contexts it is selected into.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/dc/Dc.h"

namespace dc_detail {

class SizedFont;

// Base of every object's state. The wrapper that made it is its owner until the wrapper goes
// away; a context that still has the state selected keeps drawing with it.
struct GdiState {
    virtual ~GdiState() = default;
    CGdiObject* owner = nullptr;
    bool stock = false;
};

struct PenState : GdiState {
    int style = PS_SOLID;
    int width = 1;  // 1 for the one-pixel widths 0 and 1
    std::uint32_t pixel = 0;
};

struct BrushState : GdiState {
    bool hollow = false;
    std::uint32_t pixel = 0;
};

struct FontState : GdiState {
    std::shared_ptr<const SizedFont> font;  // null when no face could be loaded
};

struct DeferredWork;
struct RowCache;

// A number never given before: a surface takes a new one whenever its pixels may change.
std::uint64_t NextStamp();

struct Surface : GdiState {
    Surface();
    ~Surface() override;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint64_t stamp;
    // Drawing recorded to be done later, and the surfaces whose recorded drawing reads these
    // pixels (Deferred.h): the pixels are current only after Settle, and may change only after
    // PrepareWrite. The row cache keeps rows of a stretch into this surface from one frame to
    // the next.
    std::unique_ptr<DeferredWork> deferred;
    std::vector<std::weak_ptr<Surface>> readers;
    std::unique_ptr<RowCache> rowCache;
};

}  // namespace dc_detail

// The stock objects of a fresh context, made once per process.
class CStockObjects {
public:
    static CGdiObject* Get(int index);
    // The empty bitmap a fresh context has selected: nothing can be drawn into it.
    static CBitmap* EmptyBitmap();
    static dc_detail::GdiState* StateOf(CGdiObject& object);
    static std::shared_ptr<dc_detail::GdiState> SharedStateOf(CGdiObject& object);

private:
    struct Set;
    static Set& Instance();
};
