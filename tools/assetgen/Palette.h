// The fixed colour tables of the 4- and 8-bit icon and cursor images, and nearest-colour lookup.
#pragma once

#include <vector>

#include "tools/assetgen/Canvas.h"

namespace assetgen {

// The sixteen standard colours of a 4-bit Windows image, black first.
const std::vector<Rgb>& Palette16();
// 256 colours: the sixteen standard ones, a 6x6x6 colour cube and 24 greys.
const std::vector<Rgb>& Palette256();
// Index of the colour nearest to c (weighted squared distance; the first wins a tie).
int NearestIndex(const std::vector<Rgb>& palette, Rgb c);

}  // namespace assetgen
