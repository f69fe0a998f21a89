// Decoding the built-in background picture.
#include "platform/Resources.h"

#include <cstdint>
#include <utility>

#include "platform/dc/Dc.h"
#include "res/Resource.h"

namespace {
std::uint32_t Le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

constexpr COLORREF PlaceholderColor = Rgb(40, 56, 36);  // a dark field green
}  // namespace

bool DecodeBmp(std::span<const unsigned char> file, CBitmap& bitmap)
{
    constexpr std::size_t FileHeader = 14, InfoHeader = 40;
    if (file.size() < FileHeader + InfoHeader || file[0] != 'B' || file[1] != 'M')
        return false;
    const unsigned char* info = file.data() + FileHeader;
    const std::uint32_t offset = Le32(file.data() + 10);
    const auto width = static_cast<std::int32_t>(Le32(info + 4));
    const auto height = static_cast<std::int32_t>(Le32(info + 8));
    const std::uint16_t bits = Le16(info + 14);
    const std::uint32_t compression = Le32(info + 16);
    if (Le32(info) < InfoHeader || width <= 0 || height == 0 || height == INT32_MIN || (bits != 24 && bits != 32) ||
        compression != 0)
        return false;
    const long long rows = height < 0 ? -static_cast<long long>(height) : height;
    if (static_cast<long long>(width) * rows > CBitmap::MaxPixels)
        return false;
    const std::size_t stride = (static_cast<std::size_t>(width) * (bits / 8) + 3) & ~std::size_t{3};
    if (offset > file.size() || (file.size() - offset) / stride < static_cast<std::size_t>(rows))
        return false;

    CBitmap decoded;
    if (!decoded.CreateBitmap(width, static_cast<int>(rows)))
        return false;
    auto pixels = decoded.GetPixels();
    for (long long y = 0; y < rows; ++y) {
        // Positive heights store the bottom row first.
        const long long row = height > 0 ? rows - 1 - y : y;
        const unsigned char* src = file.data() + offset + static_cast<std::size_t>(row) * stride;
        std::uint32_t* dst = pixels.data() + y * width;
        for (int x = 0; x < width; ++x, src += bits / 8)
            dst[x] = (static_cast<std::uint32_t>(src[2]) << 16) | (src[1] << 8) | src[0];
    }
    bitmap = std::move(decoded);
    return true;
}

CBitmap PictureOrFallback(std::span<const unsigned char> file)
{
    CBitmap bitmap;
    if (!DecodeBmp(file, bitmap)) {
        bitmap.CreateBitmap(BackgroundWidth, BackgroundHeight);
        for (std::uint32_t& pixel : bitmap.GetPixels())
            pixel = PixelFromColor(PlaceholderColor);
    }
    return bitmap;
}

CBitmap* LoadBitmapResource(UINT nID)
{
    if (nID != IDB_BACKGROUND)
        return nullptr;
    static CBitmap picture = PictureOrFallback(BackgroundPictureFile());
    return &picture;
}
