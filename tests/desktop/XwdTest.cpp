// The screenshot reader of the end-to-end test, on dumps made here byte by byte.
#include <gtest/gtest.h>

#include "tests/desktop/Xwd.h"

namespace {
// A dump as xwd writes it: header, window name, colour table, then rows.
std::vector<std::uint8_t> Dump(int width, int height, int bitsPerPixel, bool msbFirst, int padding,
                               const std::vector<std::uint32_t>& pixels)
{
    const std::string name = "root";
    const std::uint32_t headerSize = 100 + static_cast<std::uint32_t>(name.size()) + 1;
    const std::uint32_t bytesPerPixel = static_cast<std::uint32_t>(bitsPerPixel / 8);
    const std::uint32_t bytesPerLine = static_cast<std::uint32_t>(width) * bytesPerPixel + static_cast<std::uint32_t>(padding);
    const std::uint32_t ncolors = 2;
    const std::uint32_t fields[25] = {headerSize, 7, 2, 24, static_cast<std::uint32_t>(width),
                                      static_cast<std::uint32_t>(height), 0, msbFirst ? 1u : 0u, 32, 0, 32,
                                      static_cast<std::uint32_t>(bitsPerPixel), bytesPerLine, 4, 0xFF0000,
                                      0x00FF00, 0x0000FF, 8, 256, ncolors, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> out;
    for (const std::uint32_t f : fields)
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<std::uint8_t>(f >> shift));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    out.insert(out.end(), ncolors * 12, 0xAB);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
            for (std::uint32_t i = 0; i < bytesPerPixel; ++i) {
                const std::uint32_t shift = msbFirst ? 8 * (bytesPerPixel - 1 - i) : 8 * i;
                out.push_back(static_cast<std::uint8_t>(p >> shift));
            }
        }
        out.insert(out.end(), static_cast<std::size_t>(padding), 0);
    }
    return out;
}
}  // namespace

TEST(Xwd, PixelsInEveryByteOrderAndSize)
{
    const std::vector<std::uint32_t> pixels = {0x808080, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF};
    for (const int bits : {24, 32}) {
        for (const bool msb : {false, true}) {
            std::string error;
            const auto image = XwdImage::Parse(Dump(3, 2, bits, msb, 4, pixels), error);
            ASSERT_TRUE(image) << error;
            EXPECT_EQ(image->Width(), 3);
            EXPECT_EQ(image->Height(), 2);
            EXPECT_EQ(image->At(0, 0), (Rgb8{128, 128, 128}));
            EXPECT_EQ(image->At(1, 0), (Rgb8{255, 0, 0}));
            EXPECT_EQ(image->At(2, 0), (Rgb8{0, 255, 0}));
            EXPECT_EQ(image->At(0, 1), (Rgb8{0, 0, 255}));
            EXPECT_EQ(image->At(1, 1), (Rgb8{0x12, 0x34, 0x56}));
            EXPECT_EQ(image->At(2, 1), (Rgb8{255, 255, 255}));
            EXPECT_EQ(image->At(3, 1), (Rgb8{})) << "outside";
        }
    }
}

TEST(Xwd, BadDumpsAreRefusedWithAReason)
{
    std::string error;
    EXPECT_FALSE(XwdImage::Parse({1, 2, 3}, error));
    EXPECT_FALSE(error.empty());

    std::vector<std::uint8_t> cut = Dump(4, 4, 32, false, 0, std::vector<std::uint32_t>(16));
    cut.resize(cut.size() - 1);
    EXPECT_FALSE(XwdImage::Parse(cut, error));
    EXPECT_NE(error.find("sizes"), std::string::npos);

    std::vector<std::uint8_t> paletted = Dump(2, 2, 32, false, 0, std::vector<std::uint32_t>(4));
    paletted[47] = 8;  // bits per pixel
    EXPECT_FALSE(XwdImage::Parse(paletted, error));
    EXPECT_NE(error.find("8 bits"), std::string::npos);
}
