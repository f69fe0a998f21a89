// The background picture built into the program as an array of its file's bytes.
#include "platform/Resources.h"

extern const unsigned char orbicle_background_bmp[];
extern const std::size_t orbicle_background_bmp_size;

std::span<const unsigned char> BackgroundPictureFile()
{
    return {orbicle_background_bmp, orbicle_background_bmp_size};
}
