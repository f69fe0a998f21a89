// The five race cursors: 32 x 32 pictures pointing to the top left, hot spot (0, 0).
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/Canvas.h"

namespace assetgen {

struct Cursor {
    std::string race;  // "hu", "ne", "or", "ud" or "df"
    Canvas image;      // alpha 0 or 255; an 8-bit cursor holds only colours of its table
    int bitsPerPixel;  // 24, or 8 for the arrow
};

std::vector<Cursor> MakeCursors();

}  // namespace assetgen
