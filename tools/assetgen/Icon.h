// The program's icon: a target of the game, drawn at each size it is shown and as SVG.
#pragma once

#include <string>

#include "tools/assetgen/Canvas.h"

namespace assetgen {

// How the icon is painted for an image format.
enum class IconStyle {
    Lit,    // smooth edges and light from the top left: true-colour images and PNG files
    Flat,   // smooth edges, flat colours: 256-colour images, so shading does not band
    Crisp,  // one of six standard colours per pixel, hard edges: 16-colour images
};

// The icon at size x size pixels (16 and up), with alpha: opaque inside, soft at the rim
// unless crisp.
Canvas MakeIcon(int size, IconStyle style = IconStyle::Lit);

// The lit icon as an SVG document of nominal size x size pixels, drawn from the geometry of
// the large images.
std::string MakeIconSvg(int size);

}  // namespace assetgen
