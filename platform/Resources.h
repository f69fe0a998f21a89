// Resources built into the program: the background picture, read as LoadBitmap would.
#pragma once

#include <cstddef>
#include <span>

#include "platform/Win.h"

class CBitmap;

// The background picture's size: a field of this size shows it pixel for pixel.
constexpr int BackgroundWidth = 550;
constexpr int BackgroundHeight = 412;

// Decodes a Windows bitmap file (uncompressed, 24 or 32 bits per pixel, bottom-up or
// top-down) into bitmap. Returns false, leaving bitmap as it was, for anything else.
bool DecodeBmp(std::span<const unsigned char> file, CBitmap& bitmap);

// The picture in the file, or, when it cannot be decoded, a plain dark green one of the
// background picture's size.
CBitmap PictureOrFallback(std::span<const unsigned char> file);

// The background picture's .bmp file as the program carries it (bitmap resource IDB_BACKGROUND);
// empty when it carries none.
std::span<const unsigned char> BackgroundPictureFile();

// The bitmap resource nID, decoded once per run and shared (select it only as a source);
// null for an unknown id.
CBitmap* LoadBitmapResource(UINT nID);
