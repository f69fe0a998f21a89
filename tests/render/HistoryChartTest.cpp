// The History window's pictures: the chart's dots, lines and rings where the numbers put them,
// and a kept game's result graph that is the game window's own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "render/HistoryChart.h"
#include "tests/game/GameFixture.h"

namespace hc = history_chart;

namespace {
// A picture drawn by the device context into a bitmap of its own.
class Picture {
public:
    Picture(int width, int height)
    {
        m_bitmap.CreateBitmap(width, height);
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectObject(&m_bitmap);
    }
    CDC& Dc() { return m_dc; }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }
    // Pixels of the colour in the box around (x, y) of this radius.
    int Near(int x, int y, int radius, COLORREF colour) const
    {
        int n = 0;
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                n += At(x + dx, y + dy) == colour;
        return n;
    }
    int Count(COLORREF colour) const
    {
        int n = 0;
        for (const std::uint32_t pixel : m_bitmap.GetPixels())
            n += ColorFromPixel(pixel) == colour;
        return n;
    }

private:
    CBitmap m_bitmap;
    CDC m_dc;
};

KeptGame Game(std::int64_t started, int average, int best, int accuracy)
{
    KeptGame game;
    game.started = started;
    game.ended = started + 60;
    game.average = average;
    game.best = best;
    game.accuracy = accuracy;
    game.width = 704;
    game.height = 528;
    return game;
}
}  // namespace

TEST(HistoryChart, DotsLinesAndRingsWhereTheNumbersPutThem)
{
    setenv("TZ", "UTC", 1);  // the day lines follow the local date
    // 600 x 400: columns 528 wide, so games at x 56 + 88, 232, 408 and 584 ... for four games;
    // rates 0 to 120 (best 110 rounded up to the step of 20) over rows 272 up to 30, 242 rows;
    // accuracy 0 to 100 % over rows 376 up to 298.
    const std::vector<KeptGame> games = {Game(1'767'614'400, 40, 80, 50), Game(1'767'614'500, 60, 70, 100),
                                         Game(1'767'614'600, 80, 110, 75), Game(1'767'700'000, 20, 100, 0)};
    Picture chart(600, 400);
    DrawHistoryChart(chart.Dc(), {600, 400}, games);
    const int right = 600 - hc::Right, rateBottom = hc::Top + (400 - hc::Top - hc::Bottom) * 7 / 10;
    const int accuracyTop = rateBottom + hc::Gap, accuracyBottom = 400 - hc::Bottom;
    ASSERT_EQ(hc::RateTop(110), 120);
    auto x = [&](int i) { return hc::Left + static_cast<int>((i + 0.5) * (right - hc::Left) / 4); };
    auto rateY = [&](double rate) {
        return rateBottom - static_cast<int>(std::lround(rate * (rateBottom - hc::Top) / 120));
    };
    auto accuracyY = [&](int percent) {
        return accuracyBottom - static_cast<int>(std::lround(percent * (accuracyBottom - accuracyTop) / 100.0));
    };
    EXPECT_EQ(std::tuple(x(0), rateY(120), rateY(0), accuracyY(100)), std::tuple(122, 30, 272, 298));

    double sum = 0;
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const KeptGame& g = games[static_cast<std::size_t>(i)];
        EXPECT_EQ(chart.At(x(i), rateY(static_cast<double>(g.average))), hc::Average);
        EXPECT_EQ(chart.At(x(i), rateY(static_cast<double>(g.best))), hc::Best);
        EXPECT_EQ(chart.At(x(i), accuracyY(static_cast<int>(g.accuracy))), hc::Accuracy);
        // A ring round each best that beats all before it: the first, the third, not the others.
        const bool record = i == 0 || i == 2;
        EXPECT_EQ(chart.Near(x(i), rateY(static_cast<double>(g.best)) - hc::RingRadius, 1, hc::Record) > 0, record);
        // The average of the averages so far lies on the line halfway to the next game.
        sum += static_cast<double>(g.average);
        if (i < 3) {
            const double next = (sum + static_cast<double>(games[i + 1].average)) / (i + 2);
            const int midY = (rateY(sum / (i + 1)) + rateY(next)) / 2;
            EXPECT_GT(chart.Near((x(i) + x(i + 1)) / 2, midY, 1, hc::Moving), 0);
        }
    }
    // Accuracy as a line between its dots; the day changes between the third and fourth game.
    EXPECT_GT(chart.Near((x(0) + x(1)) / 2, (accuracyY(50) + accuracyY(100)) / 2, 1, hc::Accuracy), 0);
    const int dayLine = (x(2) + x(3)) / 2;
    EXPECT_GT(chart.Near(dayLine, (hc::Top + rateBottom) / 2, 2, Rgb(170, 170, 170)), 0);
    EXPECT_EQ(chart.Near((x(0) + x(1)) / 2, (hc::Top + rateBottom) / 2 - 40, 2, Rgb(170, 170, 170)), 0);

    // No games: no marks at all, the line that says how to get one in the middle.
    Picture empty(600, 400);
    DrawHistoryChart(empty.Dc(), {600, 400}, {});
    for (const COLORREF mark : {hc::Average, hc::Best, hc::Accuracy, hc::Record, hc::Moving})
        EXPECT_EQ(empty.Count(mark), 0);
    EXPECT_GT(600 * 400 - empty.Count(hc::Background), 100);
    EXPECT_GT(17 * 17 - empty.Near(300, 200, 8, hc::Background), 10);
    EXPECT_EQ(41 * 41 - empty.Near(300, 100, 20, hc::Background), 0);
}

class KeptResultTest : public GameTest {};

TEST_F(KeptResultTest, AKeptGamesGraphIsTheOneTheGameWindowShowed)
{
    // A finished game's panel on the field, and the same game drawn from what the history keeps.
    StartGame();
    CGameView& v = View();
    v.m_bDarkening = 0;
    v.m_bShowStatistics = 0;
    for (int tick = 0; tick < 400; ++tick) {
        Tick();
        if (tick % 6 == 0 && !v.m_listCircles.empty()) {
            const CCircle& c = v.m_listCircles.front();
            c.m_bLeftButton ? v.OnLButtonDown(0, {c.m_nX, c.m_nY}) : v.OnRButtonDown(0, {c.m_nX, c.m_nY});
        }
    }
    v.OnNewStopGame();
    Paint();
    const KeptGame kept = m_platform.history.Games().at(0);
    ASSERT_GE(kept.samples.size(), 3u);
    Picture picture(v.m_nWidth, v.m_nHeight);
    DrawKeptResult(picture.Dc(), {v.m_nWidth, v.m_nHeight}, kept);
    // The panel's box: curve, grid, axes, figures and length alike, pixel for pixel.
    const CBitmap& screen = m_platform.window.Screen();
    int differ = 0;
    for (int y = v.m_nHeight / 8 - 20; y < 7 * v.m_nHeight / 8 + 35; ++y)
        for (int x = v.m_nWidth / 8 - 35; x < 7 * v.m_nWidth / 8 + 10; ++x)
            differ += ColorFromPixel(screen.GetPixels()[static_cast<std::size_t>(y) * screen.GetWidth() + x]) !=
                      picture.At(x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_GT(picture.Near(v.m_nWidth / 2, v.m_nHeight / 2, v.m_nHeight / 3, Rgb(255, 0, 0)), 0);  // a curve
}
