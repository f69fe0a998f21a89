// Encoders for the image files the game and the desktop load: BMP, CUR, ICO and PNG.
#pragma once

#include <vector>

#include "tools/assetgen/Bytes.h"
#include "tools/assetgen/Canvas.h"

namespace assetgen {

// An uncompressed 24-bit bottom-up BMP file. Alpha is ignored.
Bytes EncodeBmp24(const Canvas& image, int pixelsPerMetre);

// One image of an icon or cursor: pixels with alpha below 128 are transparent (AND mask set).
struct IconImage {
    const Canvas* image = nullptr;
    int bitsPerPixel = 24;  // 4, 8 or 24
};

// A Windows cursor file (.cur) holding one image with the given hot spot.
Bytes EncodeCursor(const IconImage& image, int hotX, int hotY);
// A Windows icon file (.ico) holding the images in the given order.
Bytes EncodeIcon(const std::vector<IconImage>& images);
// An 8-bit RGBA PNG file. The data is stored without compression, so the bytes depend on
// nothing but the pixels.
Bytes EncodePng(const Canvas& image);

}  // namespace assetgen
