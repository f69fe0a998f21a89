// PNG snapshots written with zlib: the file reads back, chunk by chunk, as the same pixels;
// bad requests explain.
#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/dc/Dc.h"
#include "platform/dc/Png.h"
#include "tests/TempDir.h"

namespace {
std::uint32_t Be32(const unsigned char* p)
{
    return std::uint32_t{p[0]} << 24 | p[1] << 16 | p[2] << 8 | p[3];
}
}  // namespace

TEST(PngFileTest, WritesTheTopLeftPixelsAsCheckedChunksOfEightBitRgb)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(4, 3));
    CDC dc;
    dc.SelectObject(&bitmap);
    dc.SetPixel(0, 0, Rgb(255, 0, 0));
    dc.SetPixel(2, 0, Rgb(0, 0, 255));
    dc.SetPixel(1, 1, Rgb(12, 34, 56));
    dc.SetPixel(3, 2, Rgb(255, 255, 255));  // outside the 3 x 2 snapshot
    const TempDir dir;
    const auto path = dir.Path() / "snapshot.png";
    ASSERT_EQ(WritePng(bitmap, 3, 2, path.string()), "");

    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> png{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::vector<unsigned char>(png.begin(), png.begin() + 8),
              (std::vector<unsigned char>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    std::vector<std::string> types;
    std::vector<unsigned char> header, packed;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = Be32(&png[at]);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        const unsigned char* data = &png[at + 8];
        EXPECT_EQ(Be32(data + length), crc32(0, &png[at + 4], 4 + length)) << type;
        types.push_back(type);
        (type == "IHDR" ? header : packed).insert((type == "IHDR" ? header : packed).end(), data, data + length);
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(header, (std::vector<unsigned char>{0, 0, 0, 3, 0, 0, 0, 2, 8, 2, 0, 0, 0}));
    std::vector<unsigned char> rows(2 * (1 + 3 * 3));
    uLongf size = rows.size();
    ASSERT_EQ(uncompress(rows.data(), &size, packed.data(), packed.size()), Z_OK);
    EXPECT_EQ(rows, (std::vector<unsigned char>{0, 255, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 12, 34, 56, 0, 0, 0}));
}

TEST(PngFileTest, RefusesEmptyOrOversizedRequestsAndUnwritablePaths)
{
    const TempDir dir;
    const std::string file = (dir.Path() / "x.png").string();
    CBitmap bitmap;
    bitmap.CreateBitmap(4, 3);
    EXPECT_NE(WritePng(bitmap, 5, 3, file).find("exceeds"), std::string::npos);
    EXPECT_NE(WritePng(bitmap, 0, 3, file).find("empty"), std::string::npos);
    const std::string message = WritePng(bitmap, 4, 3, (dir.Path() / "no-such-folder" / "x.png").string());
    EXPECT_NE(message.find("no-such-folder"), std::string::npos) << message;
}
