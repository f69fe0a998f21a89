// The software context reads the game's text bytes as Windows-1252, as Windows does: every byte
// against the C library's own converter, the five bytes it leaves undefined as their control
// characters.
#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>

#include "platform/dc/soft/Text.h"

namespace {
// The byte through iconv, or none when the code page does not define it.
std::optional<char32_t> Converted(iconv_t cd, unsigned char byte)
{
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[4] = {};
    char* from = in;
    char* to = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1, outLeft = sizeof out;
    if (iconv(cd, &from, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | static_cast<unsigned>(out[3]) << 24);
}
}  // namespace

TEST(Cp1252Test, EveryByteStandsForTheCharacterOfWindows1252)
{
    const iconv_t cd = iconv_open("UTF-32LE", "CP1252");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "the C library has no CP1252";
    int undefined = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const std::optional<char32_t> wanted = Converted(cd, static_cast<unsigned char>(byte));
        undefined += wanted ? 0 : 1;
        EXPECT_EQ(dc_detail::FromCp1252(static_cast<unsigned char>(byte)), wanted.value_or(static_cast<char32_t>(byte)))
            << std::hex << byte;
    }
    iconv_close(cd);
    EXPECT_EQ(undefined, 5);  // 81, 8D, 8F, 90 and 9D
    EXPECT_EQ(dc_detail::FromCp1252(0x80), U'\u20AC');
}
