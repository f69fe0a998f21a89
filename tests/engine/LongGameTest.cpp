// Hours of scripted play with random clicks, keys, pauses, focus changes and option
// commands: every invariant of the game window holds after every step.
#include <functional>
#include <random>

#include "res/Resource.h"
#include "tests/engine/GameFixture.h"

namespace {
bool InRange(double value, double low, double high)
{
    return value >= low && value <= high;
}

void CheckInvariants(const CGameView& v, bool timerSet)
{
    ASSERT_PRED3(InRange, v.m_nKeys, 0, 1024);
    ASSERT_PRED3(InRange, v.m_nSlot, 0, 127);
    ASSERT_PRED3(InRange, v.m_nApmSamples, 0, 1023);
    ASSERT_PRED3(InRange, v.m_nAccuracy, 0, 100);
    ASSERT_PRED3(InRange, v.m_nApm, 0, v.m_nApmMax);
    ASSERT_LE(v.m_nApmMax, 1'000'000);
    ASSERT_GE(v.m_nScore, 0);
    ASSERT_EQ(v.m_bRunning != 0, timerSet);
    ASSERT_FALSE(v.m_bRunning && v.m_bShowResult);
    ASSERT_TRUE(v.m_bRunning || v.m_listCircles.empty());
    ASSERT_LE(v.m_strLastKey.size(), 1u);
    int closed = 0;
    for (int i = 0; i < CGameView::SlotCount; ++i)
        closed += i != v.m_nSlot ? v.m_aSlots[i].nUseful : 0;
    ASSERT_EQ(v.m_nUsefulWindow, closed);
    ASSERT_LE(v.m_nUsefulWindow, v.m_nUsefulTotal);
    const double unit = v.m_dUnit;
    for (const CCircle& c : v.m_listCircles) {
        ASSERT_PRED3(InRange, c.m_dRadius, 1e-9, unit + 2 * unit / 36.0);
        ASSERT_PRED3(InRange, c.m_nX, unit - 1.0, v.m_nWidth - unit + 1.0);
        ASSERT_PRED3(InRange, c.m_nY, unit - 1.0, v.m_nHeight - unit + 1.0);
        ASSERT_LE(c.m_strLabel.size(), 1u);
        ASSERT_TRUE(c.m_bLeftButton || c.m_strLabel.empty());
    }
}
}  // namespace

TEST_F(GameTest, HoursOfRandomPlayKeepEveryInvariant)
{
    Make(1280);
    // Paints still age the circles every tick; a one-pixel window clips their drawing away,
    // which keeps three hours of play quick.
    m_platform.window.SetClientSize(1, 1);
    m_folder.Write("res/keys_df.txt", "QWERTYASDFGpqr1234567890");
    View().m_strRace = "df";
    View().m_bCustomKeys = 1;
    std::mt19937 random(20261206);
    auto chance = [&](int percent) { return static_cast<int>(random() % 1000) < percent * 10; };
    const int ticks = 3 * 60 * 60 * 20;  // three hours of 50 ms ticks
    int games = 0, hits = 0;
    std::size_t mostCircles = 0;
    const UINT options[] = {ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_NOINTERSECT, ID_OPTIONS_DARKENING, ID_OPTIONS_SOUNDS,
                            ID_OPTIONS_CUSTOMKEYS};
    CGameView& v = View();
    BOOL frameActive = 1;
    // Whatever else a player does, each with its chance in percent per tick.
    const std::pair<int, std::function<void()>> others[] = {
        {1,
         [&] {
             v.OnLButtonDown(0,
                             CPoint{static_cast<int>(random() % 2000) - 500, static_cast<int>(random() % 1500) - 500});
         }},
        {2, [&] { v.OnKeyDown(random() % 256, 1, 0); }},
        {1, [&] { RunCommand(v, ID_FILE_PAUSEGAME); }},
        {1,
         [&] {
             v.OnActivateChange(!frameActive);
             frameActive = !frameActive;
         }},
        {1, [&] { RunCommand(v, options[random() % 5]); }},
        {1, [&] { RunCommand(v, ID_FILE_NEWSTOPGAME); }},
        {1, [&] { v.OnPaint(); }},                                // uncovered window
        {1, [&] { m_platform.clock.Advance(random() % 5000); }},  // a slow machine
    };

    for (int t = 0; t < ticks; ++t) {
        if (!v.m_bRunning && chance(5)) {
            games += RunCommand(v, ID_FILE_NEWSTOPGAME) == CommandResult::Done;
            if (v.m_bPaused && chance(50))
                RunCommand(v, ID_FILE_PAUSEGAME);
        }
        if (v.m_bRunning && !v.m_listCircles.empty() && chance(20)) {
            // Aim at a circle, mostly with the right key (its label is its code) and button.
            const CCircle& c = v.m_listCircles.front();
            if (!c.m_strLabel.empty() && chance(90))
                v.OnKeyDown(static_cast<unsigned char>(c.m_strLabel[0]), 1, 0);
            const bool left = chance(90) ? c.m_bLeftButton != 0 : c.m_bLeftButton == 0;
            const CPoint at{c.m_nX + static_cast<int>(random() % 7) - 3, c.m_nY + static_cast<int>(random() % 7) - 3};
            const int before = v.m_nScore;
            left ? v.OnLButtonDown(0, at) : v.OnRButtonDblClk(0, at);
            hits += v.m_nScore > before;
        }
        for (const auto& [percent, action] : others) {
            if (chance(percent))
                action();
        }
        Tick();
        CheckInvariants(v, m_platform.window.TimerSet());
        mostCircles = std::max(mostCircles, v.m_listCircles.size());
        if (HasFatalFailure())
            FAIL() << "at tick " << t;
        if (t % 5000 == 0)
            Events();
    }
    EXPECT_GT(games, 50);
    EXPECT_GT(hits, 1000);
    EXPECT_GE(mostCircles, 3u);  // the rate opened the cap
}
