// PNG files read back through the system's own decoder (libpng on Linux, the Windows Imaging
// Component on Windows), for the tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    bool eightBitRgb = false;       // whether the file itself holds 8-bit RGB without alpha
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, red first, top row first
    std::uint32_t At(int x, int y) const
    {
        const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        return std::uint32_t{p[0]} << 16 | p[1] << 8 | p[2];
    }
};

// The PNG file's pixels; nullopt when the file is missing or not a PNG file the decoder reads.
std::optional<PngImage> ReadPng(const std::string& path);
