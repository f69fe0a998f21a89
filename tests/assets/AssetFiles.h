// Helpers for the asset tests: reading files, little-endian fields and PNG pixels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace assettest {

using Bytes = std::vector<std::uint8_t>;

// The committed res/ folder.
std::filesystem::path ResDir();
// The whole file; an empty vector when it cannot be read.
Bytes ReadFile(const std::filesystem::path& path);

std::uint32_t Le16(const Bytes& b, std::size_t at);
std::uint32_t Le32(const Bytes& b, std::size_t at);

// A header field: its offset, its size in bytes (1, or 2 or 4 little-endian) and its value.
struct Field {
    std::size_t at;
    int bytes;
    std::uint32_t value;
    const char* what;
};
// Expects every field to hold its value.
void ExpectFields(const Bytes& file, std::initializer_list<Field> fields);

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};

// Decoded pixels of an image, top row first.
struct Pixels {
    int width = 0, height = 0;
    std::vector<Rgba> px;
    const Rgba& At(int x, int y) const { return px[static_cast<std::size_t>(y) * width + x]; }
};

// A PNG file decoded to 8-bit RGBA by libpng; width 0 when it is not a valid PNG.
Pixels DecodePng(const Bytes& file);
// The colour type and bit depth in a PNG file's header.
int PngColourType(const Bytes& file);
int PngBitDepth(const Bytes& file);

// One image of a .ico or .cur file, decoded from its BITMAPINFOHEADER, colour table,
// colour rows and AND mask. Alpha is 0 where the mask is set, else 255.
struct DibImage {
    std::uint32_t headerSize = 0;
    std::int32_t width = 0, heightField = 0;
    std::uint32_t planes = 0, bitCount = 0, compression = 0;
    std::size_t paletteEntries = 0;
    std::size_t byteSize = 0;  // header, table, colour rows and mask together
    Pixels pixels;
};
// Decodes the image at `offset`; returns false (with a reason) when it does not fit the file.
bool DecodeDib(const Bytes& file, std::size_t offset, DibImage& out, std::string& reason);

// Perceived brightness 0..255.
int Luma(const Rgba& p);

}  // namespace assettest
