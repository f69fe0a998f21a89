// File reading and decoding for the asset tests, independent of the generator's encoders.
#include "tests/assets/AssetFiles.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace assettest {

std::filesystem::path ResDir()
{
    return ORBICLE_RES_DIR;
}

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Le16(const Bytes& b, std::size_t at)
{
    return at + 2 <= b.size() ? b[at] | (b[at + 1] << 8) : 0xFFFFFFFFU;
}

std::uint32_t Le32(const Bytes& b, std::size_t at)
{
    return at + 4 <= b.size() ? Le16(b, at) | (Le16(b, at + 2) << 16) : 0xFFFFFFFFU;
}

void ExpectFields(const Bytes& file, std::initializer_list<Field> fields)
{
    for (const Field& f : fields) {
        const std::uint32_t value = f.at >= file.size() ? 0xFFFFFFFFU
                                    : f.bytes == 1      ? file[f.at]
                                    : f.bytes == 2      ? Le16(file, f.at)
                                                        : Le32(file, f.at);
        EXPECT_EQ(value, f.value) << f.what;
    }
}

Pixels DecodePng(const Bytes& file)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> raw(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, raw.data(), 0, nullptr))
        return {};
    Pixels out{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    for (std::size_t i = 0; i + 3 < raw.size(); i += 4)
        out.px.push_back({raw[i], raw[i + 1], raw[i + 2], raw[i + 3]});
    return out;
}

int PngColourType(const Bytes& file)
{
    return file.size() > 25 ? file[25] : -1;
}
int PngBitDepth(const Bytes& file)
{
    return file.size() > 24 ? file[24] : -1;
}

bool DecodeDib(const Bytes& file, std::size_t offset, DibImage& out, std::string& reason)
{
    if (offset + 40 > file.size()) {
        reason = "header beyond the end of the file";
        return false;
    }
    out.headerSize = Le32(file, offset);
    out.width = static_cast<std::int32_t>(Le32(file, offset + 4));
    out.heightField = static_cast<std::int32_t>(Le32(file, offset + 8));
    out.planes = Le16(file, offset + 12);
    out.bitCount = Le16(file, offset + 14);
    out.compression = Le32(file, offset + 16);
    const int w = out.width, h = out.heightField / 2;
    if (w <= 0 || h <= 0 || w > 256 || h > 256 || (out.bitCount != 4 && out.bitCount != 8 && out.bitCount != 24)) {
        reason = "unexpected size or depth";
        return false;
    }
    const std::uint32_t clrUsed = Le32(file, offset + 32);
    out.paletteEntries = out.bitCount <= 8 ? (clrUsed ? clrUsed : (1u << out.bitCount)) : 0;
    const std::size_t table = offset + out.headerSize;
    const std::size_t colourRow = (static_cast<std::size_t>(w) * out.bitCount + 31) / 32 * 4;
    const std::size_t maskRow = (static_cast<std::size_t>(w) + 31) / 32 * 4;
    const std::size_t rows = table + out.paletteEntries * 4;
    const std::size_t mask = rows + colourRow * h;
    out.byteSize = mask + maskRow * h - offset;
    if (offset + out.byteSize > file.size()) {
        reason = "pixel data beyond the end of the file";
        return false;
    }
    out.pixels = {w, h, std::vector<Rgba>(static_cast<std::size_t>(w) * h)};
    for (int y = 0; y < h; ++y) {
        const std::size_t row = rows + colourRow * (h - 1 - y);  // stored bottom-up
        const std::size_t maskAt = mask + maskRow * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            Rgba p;
            if (out.bitCount == 24) {
                p = {file[row + 3 * x + 2], file[row + 3 * x + 1], file[row + 3 * x], 255};
            } else {
                const std::size_t index =
                    out.bitCount == 8 ? file[row + x] : (x % 2 ? file[row + x / 2] & 0x0F : file[row + x / 2] >> 4);
                const std::size_t e = table + 4 * index;
                p = {file[e + 2], file[e + 1], file[e], 255};
            }
            if (file[maskAt + x / 8] & (0x80 >> (x % 8)))
                p.a = 0;
            out.pixels.px[static_cast<std::size_t>(y) * w + x] = p;
        }
    }
    return true;
}

int Luma(const Rgba& p)
{
    return (p.r * 77 + p.g * 150 + p.b * 29 + 128) >> 8;
}

}  // namespace assettest
