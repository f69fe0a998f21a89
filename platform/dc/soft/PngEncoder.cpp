// PNG files through libpng's simplified writing interface.
#include "platform/dc/PngEncoder.h"

#include <png.h>

#include <cstring>

std::string dc_detail::EncodePng(std::span<const unsigned char> bgr, int width, int height, const std::string& path)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_BGR;
    if (png_image_write_to_file(&image, path.c_str(), 0, bgr.data(), 0, nullptr) == 0) {
        std::string reason = image.message[0] ? image.message : "unknown libpng error";
        png_image_free(&image);
        return reason;
    }
    return {};
}
