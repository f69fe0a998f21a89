// Cursors by race: the race's picture with its hot spot at the top-left, else the arrow.
#include <gtest/gtest.h>

#include "app/desktop/RaceCursor.h"
#include "tests/TempDir.h"

TEST(RaceCursor, EachRaceHasItsPictureWithTheHotSpotAtTheTopLeft)
{
    const DiskFiles files({ORBICLE_SOURCE_DIR});
    for (const char* race : {"hu", "ne", "or", "ud", "df"}) {
        const wxImage image = RaceCursorImage(race, files);
        ASSERT_TRUE(image.IsOk()) << race;
        EXPECT_EQ(image.GetSize(), wxSize(32, 32)) << race;
        EXPECT_TRUE(image.HasAlpha() || image.HasMask()) << race << ": the cursor has a shape";
        EXPECT_EQ(image.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_X), 0) << race;
        EXPECT_EQ(image.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_Y), 0) << race;
        EXPECT_TRUE(RaceCursor(race, files).IsOk()) << race;
    }
}

TEST(RaceCursor, NoRaceAnUnknownCodeOrABadPictureGiveTheArrow)
{
    EXPECT_EQ(RaceCursorFile(""), nullptr);
    EXPECT_EQ(RaceCursorFile("zz"), nullptr);
    EXPECT_EQ(RaceCursorFile("HU"), nullptr) << "codes are case-sensitive";

    TempDir dir;
    dir.Write("res/cursors/hu.png", "not a picture");
    const DiskFiles files({dir.Path()});
    for (const char* race : {"", "zz", "hu", "or"}) {
        EXPECT_FALSE(RaceCursorImage(race, files).IsOk()) << "race '" << race << "'";
        EXPECT_TRUE(RaceCursor(race, files).IsOk()) << "the arrow, race '" << race << "'";
    }
}
