// The xwd reader: the fixed big-endian header, the colour table to skip, the pixels.
#include "tests/desktop/Xwd.h"

#include <bit>
#include <fstream>
#include <iterator>

namespace {
constexpr std::size_t HeaderFields = 25;
constexpr std::size_t ColorEntrySize = 12;

std::uint32_t BigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

int Channel(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const std::uint32_t value = (pixel & mask) >> std::countr_zero(mask);
    const std::uint32_t max = mask >> std::countr_zero(mask);
    return static_cast<int>(value * 255 / max);
}
}  // namespace

std::optional<XwdImage> XwdImage::Parse(const std::vector<std::uint8_t>& bytes, std::string& error)
{
    if (bytes.size() < HeaderFields * 4) {
        error = "too short for an xwd header";
        return std::nullopt;
    }
    auto field = [&bytes](std::size_t i) { return BigEndian32(bytes, i * 4); };
    const std::uint32_t headerSize = field(0), version = field(1), format = field(2);
    const std::uint32_t width = field(4), height = field(5), byteOrder = field(7);
    const std::uint32_t bitsPerPixel = field(11), bytesPerLine = field(12), ncolors = field(19);
    if (version != 7 || format != 2) {
        error = "not a version 7 ZPixmap xwd file";
        return std::nullopt;
    }
    if (bitsPerPixel != 24 && bitsPerPixel != 32) {
        error = "unsupported " + std::to_string(bitsPerPixel) + " bits per pixel";
        return std::nullopt;
    }
    const std::uint64_t pixelsAt = std::uint64_t{headerSize} + std::uint64_t{ncolors} * ColorEntrySize;
    if (width == 0 || height == 0 || width > 1u << 15 || height > 1u << 15 ||
        bytesPerLine < width * (bitsPerPixel / 8) ||
        pixelsAt + std::uint64_t{bytesPerLine} * height > bytes.size()) {
        error = "inconsistent sizes in the xwd header";
        return std::nullopt;
    }
    XwdImage image;
    image.m_width = static_cast<int>(width);
    image.m_height = static_cast<int>(height);
    image.m_bytesPerLine = bytesPerLine;
    image.m_bytesPerPixel = bitsPerPixel / 8;
    image.m_msbFirst = byteOrder == 1;
    image.m_masks[0] = field(14);
    image.m_masks[1] = field(15);
    image.m_masks[2] = field(16);
    image.m_data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pixelsAt),
                        bytes.begin() + static_cast<std::ptrdiff_t>(pixelsAt + std::uint64_t{bytesPerLine} * height));
    return image;
}

std::optional<XwdImage> XwdImage::Load(const std::string& path, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return Parse(bytes, error);
}

Rgb8 XwdImage::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return {};
    const std::size_t at = static_cast<std::size_t>(y) * m_bytesPerLine + static_cast<std::size_t>(x) * m_bytesPerPixel;
    std::uint32_t pixel = 0;
    for (std::uint32_t i = 0; i < m_bytesPerPixel; ++i) {
        const std::uint32_t byte = m_data[at + i];
        pixel |= m_msbFirst ? byte << (8 * (m_bytesPerPixel - 1 - i)) : byte << (8 * i);
    }
    return Rgb8{Channel(pixel, m_masks[0]), Channel(pixel, m_masks[1]), Channel(pixel, m_masks[2])};
}
