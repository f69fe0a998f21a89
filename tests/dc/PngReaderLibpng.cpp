// Reads a PNG file with libpng's simplified reading interface, converting it to 8-bit RGB.
#include <png.h>

#include <cstring>

#include "tests/dc/PngReader.h"

std::optional<PngImage> ReadPng(const std::string& path)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return std::nullopt;
    PngImage result;
    result.width = static_cast<int>(image.width);
    result.height = static_cast<int>(image.height);
    result.eightBitRgb = image.format == PNG_FORMAT_RGB;
    image.format = PNG_FORMAT_RGB;
    result.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return result;
}
