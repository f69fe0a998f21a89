// Drawing that a surface records and does later, all of it in one pass over the rows it
// touches: a picture stretched over the field and the one-pixel lines drawn across it (the
// darkening grid) then cost one write of each row instead of a pass over the buffer per call.
// Whatever else reads or changes the pixels first does the recorded work, so nothing can tell.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/dc/soft/Raster.h"

namespace dc_detail {

struct Surface;

// A stretch with its clip applied: where each pixel of the destination area comes from.
struct StretchMap {
    CRect area;             // inside the target surface and the clip
    std::vector<int> cols;  // the source column of each column of the area, -1 for none
    std::vector<int> rows;  // the source row of each row of the area, -1 for none
};

// Records a stretch from source (another surface) into target, to be done by the next Settle
// of target; whatever target had recorded before is done first.
void DeferStretch(const std::shared_ptr<Surface>& target, const std::shared_ptr<Surface>& source, StretchMap map);
// Records a line drawn with R2_COPYPEN.
void DeferLine(Surface& target, const AxisLine& line);
// Copies the whole of source into target, a surface of the same size, by handing the pixels
// over: target takes them, and source copies them back, recorded, so that the copy is done only
// when source is used before it is drawn over whole. A frame shown on the screen is not copied.
void LendWhole(const std::shared_ptr<Surface>& target, const std::shared_ptr<Surface>& source);
// Stretches at once from source pixels with the given row length (they may be a copy of the
// target's own).
void StretchNow(Surface& target, const std::uint32_t* source, int sourceWidth, const StretchMap& map);

// Does the surface's recorded work: before anything reads its pixels.
void Settle(Surface& surface);
// Before the pixels change: the surface's recorded work, and that of the surfaces that read it.
void PrepareWrite(Surface& surface);

}  // namespace dc_detail
