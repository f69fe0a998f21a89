// Writes the top-left part of a bitmap as an 8-bit RGB PNG file (the headless snapshot).
#pragma once

#include <string>

class CBitmap;

// Writes width x height pixels from the bitmap's top-left corner to the file. Returns an empty
// string on success, otherwise a message that names the file and the reason.
std::string WritePng(const CBitmap& bitmap, int width, int height, const std::string& path);
