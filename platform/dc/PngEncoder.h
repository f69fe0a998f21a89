// The PNG encoder of each back end's system: libpng on Linux, the Windows Imaging Component on
// Windows. Plain types only, so that the Windows one never meets Dc.h (see gdi/GdiApi.h).
#pragma once

#include <span>
#include <string>

namespace dc_detail {

// Writes width x height pixels, 3 bytes each in the order blue, green, red, top row first, to
// the file as an 8-bit RGB PNG. Returns an empty string on success, otherwise the reason.
std::string EncodePng(std::span<const unsigned char> bgr, int width, int height, const std::string& path);

}  // namespace dc_detail
