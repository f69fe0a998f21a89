// Which source pixels each destination pixel of StretchBlt takes, one axis at a time, by the
// Windows rules: an enlarging axis takes the pixel under the destination pixel's centre (a
// centre on the border of two takes the first); a shrinking one gives every source pixel to
// one destination pixel, source i to destination (i * dstLen + (dstLen - 1) / 2) / srcLen, and
// a destination pixel is the AND of what it gets, as GDI's default stretch mode (BLACKONWHITE)
// combines them. A negative length mirrors and covers start + length + 1 .. start.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Win.h"

namespace dc_detail {

// An extent as the caller gave it, normalized: the first pixel and a positive length.
struct Extent {
    long long start = 0;
    long long length = 0;
};
Extent NormalizeExtent(long long start, long long length);

// Source pixels first .. last (absolute); none when first > last.
struct SourceRun {
    int first = 0;
    int last = -1;
    bool Empty() const { return first > last; }
    bool Single() const { return first == last; }
};

// For the destination pixels from .. to - 1 of dst, the source pixels of src (within 0 ..
// limit - 1) each takes; mirror when the caller's two lengths differ in sign.
std::vector<SourceRun> SourceRuns(Extent dst, Extent src, bool mirror, long long from, long long to, int limit);

// Whether every run is a single pixel or none: the stretch is then a plain copy of pixels.
bool SinglePixels(const std::vector<SourceRun>& runs);

// Each destination pixel of area (in a surface of the given row length) as the AND of its block
// of source pixels.
void StretchCombine(std::uint32_t* target, int targetWidth, const CRect& area, const std::uint32_t* source,
                    int sourceWidth, const std::vector<SourceRun>& cols, const std::vector<SourceRun>& rows);

}  // namespace dc_detail
