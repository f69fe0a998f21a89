// The PNG snapshot writer: the file is 8-bit RGB of the asked size and reads back through the
// system's decoder as the same pixels; bad requests explain.
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/dc/Png.h"
#include "tests/TempDir.h"
#include "tests/dc/Canvas.h"
#include "tests/dc/PngReader.h"

TEST(PngTest, WritesTheTopLeftPixelsAsEightBitRgb)
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
    const auto file = dir.Path() / "snapshot.png";
    ASSERT_EQ(WritePng(bitmap, 3, 2, file.string()), "");

    // The signature, then the header chunk: 3 x 2, 8 bits a channel, RGB, no interlacing.
    std::ifstream in(file, std::ios::binary);
    const std::vector<unsigned char> png{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(std::vector<unsigned char>(png.begin(), png.begin() + 8),
              (std::vector<unsigned char>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    EXPECT_EQ(std::vector<unsigned char>(png.begin() + 8, png.begin() + 29),
              (std::vector<unsigned char>{0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 3, 0, 0, 0, 2, 8, 2, 0, 0, 0}));

    const auto image = ReadPng(file.string());
    ASSERT_TRUE(image.has_value());
    EXPECT_TRUE(image->eightBitRgb);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->rgb, (std::vector<std::uint8_t>{255, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 12, 34, 56, 0, 0, 0}));
}

TEST(PngTest, RefusesEmptyOrOversizedRequestsAndUnwritablePathsButWritesAnySizeBetween)
{
    const TempDir dir;
    const std::string file = (dir.Path() / "x.png").string();
    CBitmap bitmap;
    bitmap.CreateBitmap(4, 3);
    EXPECT_NE(WritePng(bitmap, 5, 3, file).find("exceeds"), std::string::npos);
    EXPECT_NE(WritePng(bitmap, 0, 3, file).find("empty"), std::string::npos);
    EXPECT_NE(WritePng(bitmap, 4, 0, file).find("empty"), std::string::npos);
    // A single pixel and the whole bitmap are the smallest and the largest snapshots.
    EXPECT_EQ(WritePng(bitmap, 1, 1, file), "");
    EXPECT_EQ(WritePng(bitmap, 4, 3, file), "");
    const std::string unwritable = (dir.Path() / "no-such-folder" / "x.png").string();
    const std::string message = WritePng(bitmap, 4, 3, unwritable);
    EXPECT_NE(message.find(unwritable), std::string::npos) << message;
    CBitmap none;
    EXPECT_NE(WritePng(none, 1, 1, file), "");
}
