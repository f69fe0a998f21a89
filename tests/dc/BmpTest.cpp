// The BMP decoder against files made here byte by byte and against the program's own picture
// read independently: orientation, row padding, channel order, and refusals of bad files.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/Resources.h"
#include "platform/dc/Dc.h"

namespace {
using Bytes = std::vector<unsigned char>;

void Put(Bytes& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A BMP of the pixels (0xRRGGBB, top row first), written the way the format says: rows bottom
// up unless topDown, each padded to four bytes, blue before green before red.
Bytes MakeBmp(int width, int height, const std::vector<std::uint32_t>& pixels, int bits, bool topDown)
{
    const int stride = (width * bits / 8 + 3) / 4 * 4;
    Bytes file{'B', 'M'};
    Put(file, 54 + stride * height, 4);
    Put(file, 0, 4);
    Put(file, 54, 4);
    Put(file, 40, 4);
    Put(file, static_cast<std::uint32_t>(width), 4);
    Put(file, static_cast<std::uint32_t>(topDown ? -height : height), 4);
    Put(file, 1, 2);
    Put(file, static_cast<std::uint32_t>(bits), 2);
    for (int i = 0; i < 6; ++i)
        Put(file, 0, 4);  // no compression, sizes, resolution and colours left at zero
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
            file.insert(file.end(), {static_cast<unsigned char>(p), static_cast<unsigned char>(p >> 8),
                                     static_cast<unsigned char>(p >> 16)});
            if (bits == 32)
                file.push_back(0xFF);
        }
        file.insert(file.end(), static_cast<std::size_t>(stride - width * bits / 8), 0xEE);
    }
    return file;
}

std::vector<std::uint32_t> Decoded(const Bytes& file)
{
    CBitmap bitmap;
    if (!DecodeBmp(file, bitmap))
        return {};
    const auto pixels = std::as_const(bitmap).GetPixels();
    return {pixels.begin(), pixels.end()};
}
}  // namespace

TEST(Bmp, EveryLayoutDecodesToTheSamePixelsTopRowFirst)
{
    // 3 x 2 and 1 x 3: 24-bit rows of 9 and 3 bytes need padding; 32-bit ones do not.
    const std::vector<std::uint32_t> wide = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203};
    const std::vector<std::uint32_t> tall = {0xFF0000, 0x00FF00, 0x0000FF};
    for (const int bits : {24, 32}) {
        for (const bool topDown : {false, true}) {
            EXPECT_EQ(Decoded(MakeBmp(3, 2, wide, bits, topDown)), wide) << bits << (topDown ? " top-down" : "");
            EXPECT_EQ(Decoded(MakeBmp(1, 3, tall, bits, topDown)), tall) << bits << (topDown ? " top-down" : "");
        }
    }
}

TEST(Bmp, BadFilesAreRefusedAndTheBitmapKeptAsItWas)
{
    const Bytes good = MakeBmp(3, 2, std::vector<std::uint32_t>(6, 0x123456), 24, false);
    auto with = [&](std::size_t at, std::uint32_t value, int size) {
        Bytes bad = good;
        for (int i = 0; i < size; ++i)
            bad[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
        return bad;
    };
    const Bytes cases[] = {
        Bytes(good.begin(), good.end() - 1),     // truncated pixels
        Bytes(good.begin(), good.begin() + 30),  // truncated header
        with(0, 'X', 1),                         // wrong magic
        with(18, 0, 4),                          // no width
        with(18, 0x80000000u, 4),                // negative width
        with(22, 0, 4),                          // no height
        with(18, 100000, 4),                     // absurd size: 100,000 x 100,000
        with(22, 100000, 4),
        with(28, 8, 2),            // a colour table format
        with(30, 1, 4),            // compressed
        with(10, 0xFFFFFFF0u, 4),  // pixels beyond the end
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        CBitmap bitmap;
        bitmap.CreateBitmap(1, 1);
        EXPECT_FALSE(DecodeBmp(cases[i], bitmap)) << "case " << i;
        EXPECT_EQ(bitmap.GetWidth(), 1) << "case " << i;
    }
    // A picture that cannot be read is a plain dark green one of the picture's size.
    const CBitmap fallback = PictureOrFallback(cases[0]);
    EXPECT_EQ(fallback.GetWidth(), BackgroundWidth);
    EXPECT_EQ(fallback.GetHeight(), BackgroundHeight);
    for (const std::uint32_t pixel : fallback.GetPixels())
        ASSERT_EQ(pixel, 0x283824u);
}

TEST(Bmp, TheBuiltInPictureIsTheFileReadIndependently)
{
    std::ifstream in(ORBICLE_SOURCE_DIR "/res/background.bmp", std::ios::binary);
    const Bytes file(std::istreambuf_iterator<char>(in), {});
    ASSERT_GT(file.size(), 54u);
    // 24 bits, bottom up: pixel (x, y) at offset + (height - 1 - y) * stride + 3 x, as B, G, R.
    const int stride = (BackgroundWidth * 3 + 3) / 4 * 4;
    const std::size_t offset = file[10] | file[11] << 8;
    const CBitmap* picture = LoadBitmapResource(176);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->GetWidth(), BackgroundWidth);
    ASSERT_EQ(picture->GetHeight(), BackgroundHeight);
    const auto pixels = picture->GetPixels();
    for (int y = 0; y < BackgroundHeight; y += 37) {
        for (int x = 0; x < BackgroundWidth; x += 13) {
            const unsigned char* p =
                &file[offset + static_cast<std::size_t>((BackgroundHeight - 1 - y) * stride + 3 * x)];
            ASSERT_EQ(pixels[static_cast<std::size_t>(y * BackgroundWidth + x)],
                      static_cast<std::uint32_t>(p[2] << 16 | p[1] << 8 | p[0]))
                << x << "," << y;
        }
    }
}
