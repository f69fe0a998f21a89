// PNG output through libpng's simplified writing interface.
#include "platform/dc/Png.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "platform/dc/Dc.h"

std::string WritePng(const CBitmap& bitmap, int width, int height, const std::string& path)
{
    if (std::string problem = PngSizeProblem(bitmap, width, height, path); !problem.empty())
        return problem;
    const std::string what = "cannot write snapshot " + path + ": ";

    const auto pixels = bitmap.GetPixels();
    std::vector<png_byte> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* src = pixels.data() + static_cast<std::size_t>(y) * bitmap.GetWidth();
        png_byte* dst = rgb.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = static_cast<png_byte>(src[x] >> 16);
            dst[3 * x + 1] = static_cast<png_byte>(src[x] >> 8);
            dst[3 * x + 2] = static_cast<png_byte>(src[x]);
        }
    }

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        std::string reason = image.message[0] ? image.message : "unknown libpng error";
        png_image_free(&image);
        return what + reason;
    }
    return {};
}
