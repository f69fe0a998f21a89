// A circle's life: it grows to the unit, shrinks, and escapes with a penalty.
#include "tests/engine/GameFixture.h"

TEST_F(GameTest, MouseOnlyCirclesLiveHalfAsLongAsLabelledOnes)
{
    Make(1164);  // an 800-pixel field: unit 40
    ASSERT_EQ(View().m_nWidth, 800);
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
    AddCircle(400, 300, 3.0, 1);
    const auto [mouseFrames, mousePeak] = life();
    EXPECT_EQ(mouseFrames, 71);
    EXPECT_NEAR(mousePeak, 41.89, 0.01);

    AddCircle(400, 300, 3.0, 1, "Q");
    const auto [labelFrames, labelPeak] = life();
    EXPECT_EQ(labelFrames, 136);
    EXPECT_GE(labelPeak, 40.0 + 40.0 / 72);
    EXPECT_LT(labelPeak, 40.0 + 2 * 40.0 / 72);
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

TEST_F(GameTest, PaintsAgeCirclesEvenWhilePaused)
{
    StartGame();
    Tick();
    const double radius = View().m_listCircles.front().m_dRadius;
    View().OnPauseGame();
    View().OnPaint();  // an uncovered window repaints while paused
    EXPECT_GT(View().m_listCircles.front().m_dRadius, radius);
}
