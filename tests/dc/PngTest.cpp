// The PNG snapshot writer: what it writes reads back as the same pixels; bad requests explain.
#include <png.h>

#include <cstring>
#include <vector>

#include "platform/dc/Png.h"
#include "tests/TempDir.h"
#include "tests/dc/Canvas.h"

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

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, file.string().c_str()));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    const std::vector<png_byte> expected{255, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 12, 34, 56, 0, 0, 0};
    EXPECT_EQ(rgb, expected);
}

TEST(PngTest, RefusesEmptyOrOversizedRequestsAndUnwritablePaths)
{
    const TempDir dir;
    const std::string file = (dir.Path() / "x.png").string();
    CBitmap bitmap;
    bitmap.CreateBitmap(4, 3);
    EXPECT_NE(WritePng(bitmap, 5, 3, file).find("exceeds"), std::string::npos);
    EXPECT_NE(WritePng(bitmap, 0, 3, file).find("empty"), std::string::npos);
    const std::string message = WritePng(bitmap, 4, 3, "/nonexistent-dir/x.png");
    EXPECT_NE(message.find("/nonexistent-dir/x.png"), std::string::npos) << message;
    CBitmap none;
    EXPECT_NE(WritePng(none, 1, 1, file), "");
}
