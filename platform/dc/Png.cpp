// PNG snapshots: the checks of the size and the pixels in the encoder's order, for both back
// ends' encoders.
#include "platform/dc/Png.h"

#include <cstdint>
#include <vector>

#include "platform/dc/Dc.h"
#include "platform/dc/PngEncoder.h"

std::string WritePng(const CBitmap& bitmap, int width, int height, const std::string& path)
{
    const std::string what = "cannot write snapshot " + path + ": ";
    const std::string size = "the size " + std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0)
        return what + size + " is empty";
    if (width > bitmap.GetWidth() || height > bitmap.GetHeight())
        return what + size + " exceeds the bitmap's " + std::to_string(bitmap.GetWidth()) + " x " +
               std::to_string(bitmap.GetHeight());

    const auto pixels = bitmap.GetPixels();
    std::vector<unsigned char> bgr(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* src = pixels.data() + static_cast<std::size_t>(y) * bitmap.GetWidth();
        unsigned char* dst = bgr.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = static_cast<unsigned char>(src[x]);
            dst[3 * x + 1] = static_cast<unsigned char>(src[x] >> 8);
            dst[3 * x + 2] = static_cast<unsigned char>(src[x] >> 16);
        }
    }
    if (std::string reason = dc_detail::EncodePng(bgr, width, height, path); !reason.empty())
        return what + reason;
    return {};
}
