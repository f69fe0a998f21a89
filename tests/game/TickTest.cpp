// The tick: the random generator, spawning and placement, the cap, the end rule, statistics
// slots, rates, accuracy and history.
#include <cmath>
#include <tuple>

#include "tests/game/GameFixture.h"

TEST(CrtRandTest, ReplaysTheRuntimeSequence)
{
    // The runtime's sequence before any srand, and after srand(1), is the same.
    CrtRand random;
    for (int pass = 0; pass < 2; ++pass, random.srand(1))
        for (int value : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
            EXPECT_EQ(random.rand(), value) << "pass " << pass;
}

// Each spawn draws a roll of 0 to 999 first: below 100 a left circle that takes a label, below
// 450 a right one, else a plain left one. The generator is set to states whose next value gives
// each boundary's roll (values of 2000 and more, so the roll is the value's remainder).
TEST_F(GameTest, TheRollChoosesTheKindOfEachCircleAndOnlyLabelledOnesDrawALabel)
{
    auto seedFor = [](int roll) {
        for (unsigned seed = 0;; ++seed) {
            CrtRand random;
            random.srand(seed);
            if (const int value = random.rand(); value >= 2000 && value % 1000 == roll)
                return seed;
        }
    };
    struct Case {
        int roll;
        std::string keys;
        BOOL customKeys;
        BOOL left;
        std::string label;
    };
    for (const Case& c :
         {Case{0, "A", 1, 1, "A"}, Case{99, "A", 1, 1, "A"}, Case{99, "", 1, 1, ""}, Case{99, "A", 0, 1, ""},
          Case{100, "A", 1, 0, ""}, Case{449, "A", 1, 0, ""}, Case{450, "A", 1, 1, ""}, Case{999, "A", 1, 1, ""}}) {
        StartGame(c.keys);
        View().m_bCustomKeys = c.customKeys;
        m_platform.random.srand(seedFor(c.roll));
        View().OnTimer(1);
        ASSERT_EQ(View().m_listCircles.size(), 1u);
        const CCircle& circle = View().m_listCircles.back();
        EXPECT_EQ(std::tuple(circle.m_bLeftButton, circle.m_strLabel, circle.m_dRadius, circle.m_bGrowing),
                  std::tuple(c.left, c.label, 3.0, 1))
            << c.roll << " " << c.keys << c.customKeys;
        // A roll, an angle and a distance; a fourth value for the label.
        CrtRand expected;
        expected.srand(seedFor(c.roll));
        for (int i = 0; i < (c.label.empty() ? 3 : 4); ++i)
            expected.rand();
        EXPECT_EQ(m_platform.random.State(), expected.State());
        View().StopGame(0);
    }
}

// Centres keep a full-size circle inside the field and keep out of its middle: on the 704 x 528
// field (unit 35.2) every centre lies inside the ellipse of 316.8 x 228.8 around the middle and
// outside the one of 12 x 9, and 3000 spawns come near both. A generator seeded with 1 puts
// the first circles at the same places on every system.
TEST_F(GameTest, CirclesAreSpreadOverTheFieldLeavingRoomAtTheEdges)
{
    StartGame();
    View().m_bNoIntersect = 0;
    m_platform.random.srand(1);
    std::vector<std::pair<int, int>> first;
    double outermost = 0.0, innermost = 2.0;
    for (int i = 0; i < 3000; ++i) {
        View().m_listCircles.clear();
        View().m_bHistoryStarted = 0;  // keeps the end rule away
        View().OnTimer(1);
        const CCircle& c = View().m_listCircles.back();
        if (first.size() < 3)
            first.emplace_back(c.m_nX, c.m_nY);
        const double dx = std::abs(c.m_nX - 352), dy = std::abs(c.m_nY - 264);
        const double outer = std::hypot(dx / 316.8, dy / 228.8);
        const double inner = std::hypot((dx + 1) / 12, (dy + 1) / 9);  // a pixel for the truncation
        EXPECT_LE(outer, 1.0) << c.m_nX << "," << c.m_nY;
        EXPECT_GE(inner, 1.0) << c.m_nX << "," << c.m_nY;
        outermost = std::max(outermost, outer);
        innermost = std::min(innermost, inner);
    }
    EXPECT_GT(outermost, 0.99);
    EXPECT_LT(innermost, 1.2);
    EXPECT_EQ(first, (std::vector<std::pair<int, int>>{{373, 313}, {211, 315}, {445, 441}}));
}

TEST_F(GameTest, CrowdedFieldTakesTheThirtyFirstPlacement)
{
    StartGame();
    // Circles everywhere: every placement conflicts.
    for (int x = 0; x <= 704; x += 30)
        for (int y = 0; y <= 528; y += 30)
            AddCircle(x, y, 3.0, 1);
    const std::size_t before = View().m_listCircles.size();
    CrtRand expected = m_platform.random;
    for (int i = 0; i < 1 + 31 * 2; ++i)
        expected.rand();
    View().m_nApm = 30 * static_cast<int>(before);  // let the cap allow one more
    View().OnTimer(1);
    EXPECT_EQ(View().m_listCircles.size(), before + 1);
    EXPECT_EQ(m_platform.random.State(), expected.State());

    // Without the option one placement is final.
    View().m_bNoIntersect = 0;
    expected = m_platform.random;
    for (int i = 0; i < 3; ++i)
        expected.rand();
    View().m_nApm += 30;
    View().OnTimer(1);
    EXPECT_EQ(m_platform.random.State(), expected.State());
}

TEST_F(GameTest, NonIntersectingPlacementKeepsCentresApartAndCirclesInside)
{
    Make(1920);
    StartGame();
    View().m_nApm = 30 * 5;  // up to six circles
    Tick(6 * 6);
    const auto& circles = View().m_listCircles;
    const double unit = View().m_dUnit;
    ASSERT_GE(circles.size(), 2u);
    for (auto a = circles.begin(); a != circles.end(); ++a) {
        for (auto b = std::next(a); b != circles.end(); ++b)
            EXPECT_GT(std::hypot(a->m_nX - b->m_nX, a->m_nY - b->m_nY), 2.1 * unit);
        // A full-size circle stays inside the field.
        EXPECT_TRUE(a->m_nX - unit >= 0 && a->m_nX + unit <= View().m_nWidth) << a->m_nX;
        EXPECT_TRUE(a->m_nY - unit >= 0 && a->m_nY + unit <= View().m_nHeight) << a->m_nY;
    }
}

TEST_F(GameTest, CapIsOneCirclePlusOnePerThirtyActionsAMinute)
{
    StartGame();
    // The clock stands still, so closing slots leaves the rate as set here.
    for (const auto& [apm, cap] : {std::pair{0, 1u}, {29, 1u}, {30, 2u}, {59, 2u}, {60, 3u}}) {
        View().m_nApm = apm;
        for (int i = 0; i < 3; ++i)
            View().OnTimer(1);
        EXPECT_EQ(View().m_listCircles.size(), cap) << apm;
    }
}

TEST_F(GameTest, GameWithNoHitsEndsOnThe537thRunningTickOfAFreshProgram)
{
    StartGame();
    int ticks = 0;
    while (View().m_bRunning && ticks < 2000) {
        Tick();
        ++ticks;
    }
    // 96 ticks to the first sample, then 21 rises of the end counter, 21 ticks each.
    EXPECT_EQ(ticks, 537);
    EXPECT_EQ(View().m_nEndCounter, 21);
    EXPECT_EQ(View().m_bShowResult, 1);  // stopped with its results, as Stop Game does

    // The counters run on into the next game: its first slot closes sooner.
    const int slotTicks = View().Program().s_nSlotTicks;
    EXPECT_EQ(slotTicks, 537 % 6);
    View().NewGame();
    Tick(6 - slotTicks);
    EXPECT_EQ(View().m_nSlot, 1);
}

TEST_F(GameTest, BestRateAboveTwentyLengthensTheGame)
{
    StartGame();
    Tick(96);
    ASSERT_EQ(View().m_bHistoryStarted, 1);
    // The counter rises every 21st tick; the game ends when it passes the best, 60.
    int ticks = 0;
    while (View().m_bRunning && ticks < 5000) {
        View().m_nApmMax = std::max(View().m_nApmMax, 60);
        Tick();
        ++ticks;
    }
    EXPECT_EQ(View().m_nEndCounter, 61);
    EXPECT_EQ(ticks, 61 * 21);
}

TEST_F(GameTest, HeldTicksChangeNothingAndTheFirstRunningTickSleeps)
{
    StartGame();
    Tick(3);
    View().OnPauseGame();
    Events();
    const int slotTicks = View().Program().s_nSlotTicks;
    const auto circles = View().m_listCircles.size();
    Tick(40);
    EXPECT_TRUE(Events().empty());  // no repaint, no spawn, no sleep
    EXPECT_EQ(View().Program().s_nSlotTicks, slotTicks);
    EXPECT_EQ(View().m_listCircles.size(), circles);

    View().OnPauseGame();
    const auto before = m_platform.clock.Milliseconds();
    Tick();
    EXPECT_EQ(Events(), (std::vector<std::string>{"invalidate 0 0 704 528", "sleep 750"}));
    EXPECT_EQ(m_platform.clock.Milliseconds() - before, 50 + 750);
    Tick();
    EXPECT_TRUE(EventsMatching("sleep").empty());
}

// Runs ticks until the next slot closes.
static void CloseOneSlot(CGameView& view)
{
    const int slot = view.m_nSlot;
    for (int i = 0; i < 6 && view.m_nSlot == slot; ++i)
        view.OnTimer(1);
    ASSERT_NE(view.m_nSlot, slot);
}

TEST_F(GameTest, SlotsRatesAccuracyAndHistory)
{
    StartGame();
    const time64 start = View().m_tStart;
    // The useful actions in total and in the window, the rate, average, best and accuracy.
    auto stats = [this] {
        const CGameView& v = View();
        return std::tuple(v.m_nUsefulTotal, v.m_nUsefulWindow, v.m_nApm, v.m_nApmAverage, v.m_nApmMax, v.m_nAccuracy);
    };

    // Within the first second the time in play is below half a second: the rates keep
    // whatever they had.
    View().m_nApm = 42;
    View().m_nApmAverage = 17;
    View().m_aSlots[0].nUseful = 3;
    CloseOneSlot(View());
    EXPECT_EQ(View().m_nSlot, 1);
    EXPECT_EQ(stats(), std::tuple(3, 3, 42, 17, 42, 100));
    View().m_nApm = View().m_nApmAverage = View().m_nApmMax = 0;

    // Ten seconds in: 3 + 7 useful actions in 10 s, and 5 misses: 10 x 100 / 15 accurate.
    m_platform.clock.Set((start + 10) * 1000);
    View().m_aSlots[1].nUseful = 7;
    View().m_nMisses = 5;
    CloseOneSlot(View());
    EXPECT_EQ(stats(), std::tuple(10, 10, 60, 60, 60, 66));
    EXPECT_EQ(View().m_aSlots[2].tStart, start + 10);
    EXPECT_EQ(View().m_aSlots[2].nUseful, 0);

    // A 20-second pause ending now: 21 s of hold come off both measures, so 69 s later
    // 48 s were in play: 10 useful actions -> 12.5 a minute. The best stays.
    View().OnPauseGame();
    m_platform.clock.Set((start + 30) * 1000);
    View().OnPauseGame();
    m_platform.clock.Set((start + 69) * 1000);
    CloseOneSlot(View());
    EXPECT_EQ(stats(), std::tuple(10, 10, 12, 12, 60, 66));

    // The first sample is taken when slot 16 becomes current.
    while (View().m_nSlot != 15) {
        EXPECT_EQ(View().m_bHistoryStarted, 0);
        CloseOneSlot(View());
    }
    CloseOneSlot(View());
    EXPECT_EQ(View().m_bHistoryStarted, 1);
    EXPECT_EQ(View().m_nApmSamples, 1);
    EXPECT_EQ(View().m_anApmHistory[0], View().m_nApm);

    // After 128 closes, a full lap, the oldest slot leaves the window with its actions.
    int closes = 16;  // so far: slots 0 to 15
    ASSERT_EQ(View().m_nSlot, 16);
    while (View().m_nSlot != 0) {
        CloseOneSlot(View());
        ++closes;
    }
    EXPECT_EQ(closes, CGameView::SlotCount);
    EXPECT_EQ(View().m_nUsefulWindow, 7);  // slot 0's three actions have left
    EXPECT_EQ(View().m_nUsefulTotal, 10);
    EXPECT_EQ(View().m_nApmSamples, 8);  // slots 16, 32, ..., 112 and the wrap to 0

    // The history ring wraps after 1024 samples.
    View().m_nApmSamples = 1023;
    while (View().m_nSlot % 16 != 15)
        CloseOneSlot(View());
    CloseOneSlot(View());
    EXPECT_EQ(View().m_nApmSamples, 0);
    EXPECT_EQ(View().m_anApmHistory[1023], View().m_nApm);
}

TEST_F(GameTest, HoldsThatOutweighTheTimeInPlayLeaveTheRatesAlone)
{
    StartGame();
    View().m_nApm = 33;
    View().m_nApmAverage = 22;
    // Two quick pauses count a second each; one second of clock less two of holds is a
    // negative time in play.
    for (int i = 0; i < 4; ++i)
        View().OnPauseGame();
    m_platform.clock.Set((View().m_tStart + 1) * 1000);
    View().m_aSlots[0].nUseful = 5;
    CloseOneSlot(View());
    EXPECT_EQ(View().m_nApm, 33);
    EXPECT_EQ(View().m_nApmAverage, 22);
}

TEST_F(GameTest, AccuracyAndRatesAtTheirEdges)
{
    StartGame();
    const time64 start = View().m_tStart;
    // Misses without a single useful action: accuracy 0, as when nothing happened.
    View().m_nMisses = 4;
    m_platform.clock.Set((start + 10) * 1000);
    CloseOneSlot(View());
    EXPECT_EQ(View().m_nAccuracy, 0);
    View().m_nMisses = 0;

    // Two hours, a slot closed every six seconds (the end counter held back so the game goes
    // on): two useful actions a slot in the first hour, one in the second. The average is over
    // the whole game (1,800 in 120 minutes and 10 seconds), the rate over the last 128 slots
    // (12.8 minutes), the best the rate of the first hour.
    for (int close = 1; close <= 1200; ++close) {
        View().m_nEndCounter = 0;
        View().m_aSlots[View().m_nSlot].nUseful = close <= 600 ? 2 : 1;
        m_platform.clock.Set((start + 10 + 6 * close) * 1000);
        CloseOneSlot(View());
    }
    EXPECT_EQ(std::tuple(View().m_nUsefulTotal, View().m_nApmAverage, View().m_nApm, View().m_nApmMax),
              std::tuple(1800, 14, 10, 20));
    EXPECT_EQ(View().m_nAccuracy, 100);
}
