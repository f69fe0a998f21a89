// A circle's life: it grows to the unit, shrinks, and escapes with a penalty.
#include "res/Resource.h"
#include "tests/game/GameFixture.h"

TEST_F(GameTest, MouseOnlyCirclesLiveHalfAsLongAsLabelledOnes)
{
    // A 720-pixel field: unit 36, so a mouse-only circle grows by exactly 1 a frame and a
    // labelled one by 0.5, and both meet the unit exactly on their way up.
    Make(1048);
    ASSERT_EQ(View().m_nWidth, 720);
    StartGame();
    View().m_listCircles.clear();
    // Frames (paints) until the only circle escapes, and its largest radius on the way.
    auto life = [this] {
        double peak = 0.0;
        for (int frame = 1; frame < 1000; ++frame) {
            peak = std::max(peak, View().m_listCircles.front().m_dRadius);
            Paint();
            if (View().m_listCircles.empty())
                return std::pair{frame, peak};
        }
        return std::pair{-1, peak};
    };
    // From 3 up to the unit, one step beyond it, then down to a tenth of the unit and away.
    AddCircle(360, 270, 3.0, 1);
    EXPECT_EQ(life(), std::pair(69, 37.0));
    AddCircle(360, 270, 3.0, 1, "Q");
    EXPECT_EQ(life(), std::pair(134, 36.5));
}

TEST_F(GameTest, EscapesCostTenPointsEachAndPlayTheirSound)
{
    StartGame();
    View().m_listCircles.clear();
    // Two shrunk circles escape in the same frame; a third one still shrinks.
    const double small = View().m_dUnit * 0.1;
    AddCircle(100, 100, small, 1).m_bGrowing = 0;
    AddCircle(200, 100, 20.0, 0).m_bGrowing = 0;
    AddCircle(300, 100, small, 0).m_bGrowing = 0;
    View().m_nScore = 25;
    Paint();
    ASSERT_EQ(View().m_listCircles.size(), 1u);
    EXPECT_EQ(View().m_listCircles.front().m_nX, 200);
    EXPECT_DOUBLE_EQ(View().m_listCircles.front().m_dRadius, 20.0 - View().m_dUnit / 36);
    EXPECT_EQ(View().m_nScore, 5);
    EXPECT_EQ(EventsMatching("sound"),
              (std::vector<std::string>{"sound res/goaway.wav async", "sound res/goaway.wav async"}));

    // Never below zero, and silent with sounds off.
    View().m_bSounds = 0;
    View().m_listCircles.front().m_dRadius = small;
    Paint();
    EXPECT_TRUE(View().m_listCircles.empty());
    EXPECT_EQ(View().m_nScore, 0);
    EXPECT_TRUE(Events().empty());
}

TEST_F(GameTest, AHeldGamesCirclesStandStillWhateverRepaintsTheField)
{
    StartGame();
    View().m_listCircles.clear();
    AddCircle(100, 100, View().m_dUnit * 0.1, 1).m_bGrowing = 0;  // would escape at the next frame
    AddCircle(300, 200, 10.0, 0);
    View().m_nScore = 690;
    auto circles = [this] {
        std::vector<double> radii;
        for (const CCircle& c : View().m_listCircles)
            radii.push_back(c.m_dRadius);
        return radii;
    };
    const std::vector<double> before = circles();
    Events();

    // Paused: the Options menu opened eight times (its Darkening item asks for a repaint),
    // Show Statistics toggled, the window uncovered.
    View().OnPauseGame();
    for (int i = 0; i < 8; ++i) {
        for (UINT id : {ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_NOINTERSECT, ID_OPTIONS_CUSTOMKEYS, ID_OPTIONS_DARKENING,
                        ID_OPTIONS_SOUNDS})
            Update(View(), id);
        Tick();
    }
    RunCommand(View(), ID_OPTIONS_SHOWSTATISTICS);
    Tick();
    Paint();
    // Held by the frame instead: the same.
    View().OnPauseGame();
    View().OnActivateChange(0);
    Paint();
    EXPECT_EQ(circles(), before);
    EXPECT_EQ(View().m_nScore, 690);
    EXPECT_TRUE(EventsMatching("sound").empty());

    // Running again, the next paint ages them: one escapes.
    View().OnActivateChange(1);
    Paint();
    EXPECT_EQ(View().m_listCircles.size(), 1u);
    EXPECT_EQ(View().m_nScore, 680);
}
