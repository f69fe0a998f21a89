// Bitmap resource 176 of res/Picture.rc: the program draws the pixels of res/background.bmp.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "platform/Resources.h"
#include "platform/dc/Dc.h"
#include "res/Resource.h"

TEST(PictureTest, BitmapResourceGivesThePixelsOfTheFile)
{
    std::ifstream in("res/background.bmp", std::ios::binary);
    const std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    CBitmap fromFile, fromResource;
    ASSERT_TRUE(DecodeBmp(file, fromFile)) << "run from the repository root";
    ASSERT_TRUE(DecodeBmp(BackgroundPictureFile(), fromResource));
    EXPECT_EQ(fromResource.GetWidth(), BackgroundWidth);
    EXPECT_EQ(fromResource.GetHeight(), BackgroundHeight);
    const auto a = std::as_const(fromFile).GetPixels(), b = std::as_const(fromResource).GetPixels();
    EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end()));
    EXPECT_EQ(LoadBitmapResource(IDB_BACKGROUND)->GetWidth(), fromResource.GetWidth());
    EXPECT_EQ(LoadBitmapResource(IDB_BACKGROUND)->GetHeight(), fromResource.GetHeight());
}
