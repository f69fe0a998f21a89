// What the software back end's drawing objects and contexts hold: pens, brushes and fonts as
// their drawing values, bitmaps as pixel buffers, regions as rectangles, and a context's clip.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/dc/State.h"

namespace dc_detail {

class SizedFont;

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

struct RegionState : GdiState {
    CRect rect;
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

// A context's clip: a single rectangle, or none (the whole bitmap).
struct Context {
    bool hasClip = false;
    CRect clip;
};

}  // namespace dc_detail
