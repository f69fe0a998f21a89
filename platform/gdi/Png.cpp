// PNG output with zlib (Windows has no libpng here): the signature, one IHDR, one IDAT of
// unfiltered rows, and IEND.
#include "platform/dc/Png.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/dc/Dc.h"

namespace {
void PutBe32(std::vector<unsigned char>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

// A chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::vector<unsigned char>& out, const char (&type)[5], const std::vector<unsigned char>& data)
{
    PutBe32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBe32(out, static_cast<std::uint32_t>(crc32(0, out.data() + typeAt, static_cast<uInt>(4 + data.size()))));
}
}  // namespace

std::string WritePng(const CBitmap& bitmap, int width, int height, const std::string& path)
{
    if (std::string problem = PngSizeProblem(bitmap, width, height, path); !problem.empty())
        return problem;
    const std::string what = "cannot write snapshot " + path + ": ";

    // Each row: filter type 0 (none), then red, green, blue of every pixel.
    const auto pixels = bitmap.GetPixels();
    const std::size_t rowBytes = 1 + static_cast<std::size_t>(width) * 3;
    std::vector<unsigned char> rows(rowBytes * height);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* src = pixels.data() + static_cast<std::size_t>(y) * bitmap.GetWidth();
        unsigned char* dst = rows.data() + y * rowBytes + 1;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = static_cast<unsigned char>(src[x] >> 16);
            dst[3 * x + 1] = static_cast<unsigned char>(src[x] >> 8);
            dst[3 * x + 2] = static_cast<unsigned char>(src[x]);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<unsigned char> packed(packedSize);
    if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), Z_BEST_SPEED) != Z_OK)
        return what + "zlib could not compress the pixels";
    packed.resize(packedSize);

    std::vector<unsigned char> header;
    PutBe32(header, static_cast<std::uint32_t>(width));
    PutBe32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits a channel, RGB, deflate, no filter set, no interlace
    std::vector<unsigned char> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    out.close();
    if (!out)
        return what + "the file cannot be written";
    return {};
}
