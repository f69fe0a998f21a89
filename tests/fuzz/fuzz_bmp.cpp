// Fuzz target: the BMP decoder. A file it accepts gives a bitmap of the header's size with
// plain 0x00RRGGBB pixels; anything else leaves the bitmap untouched.
#include <cstdint>
#include <cstdlib>

#include "platform/Resources.h"
#include "platform/dc/Dc.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CBitmap bitmap;
    bitmap.CreateBitmap(3, 2);
    if (!DecodeBmp({data, size}, bitmap)) {
        FuzzCheck(bitmap.GetWidth() == 3 && bitmap.GetHeight() == 2, "a refused file changes nothing");
        return 0;
    }
    auto le32 = [&](std::size_t at) {
        return static_cast<std::int32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 |
                                         static_cast<std::uint32_t>(data[at + 3]) << 24);
    };
    FuzzCheck(bitmap.GetWidth() == le32(18) && bitmap.GetHeight() == std::abs(static_cast<long long>(le32(22))),
              "the bitmap has the header's size");
    for (const std::uint32_t pixel : bitmap.GetPixels())
        FuzzCheck(pixel <= 0xFFFFFF, "pixels are 0x00RRGGBB");
    return 0;
}
