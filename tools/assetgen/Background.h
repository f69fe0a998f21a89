// The background picture of the play field: a battlefield seen from above at an angle,
// with the interface panel of a strategy game along its bottom edge.
#pragma once

#include "tools/assetgen/Canvas.h"

namespace assetgen {

constexpr int BackgroundWidth = 550;
constexpr int BackgroundHeight = 412;

Canvas MakeBackground();

}  // namespace assetgen
