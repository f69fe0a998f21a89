// The History window's pictures: the chart's scale, dots, lines, rings, day lines, dates and
// legend where the numbers put them, and a kept game's result graph that is the game window's own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "render/Fonts.h"
#include "render/HistoryChart.h"
#include "tests/game/GameFixture.h"

namespace hc = history_chart;

namespace {
constexpr COLORREF DayLine = Rgb(170, 170, 170);
constexpr std::int64_t Noon = 1'767'614'400;  // 2026-01-05 12:00 UTC
constexpr std::int64_t Day = 86'400;

// A picture drawn by the device context into a bitmap of its own.
class Picture {
public:
    Picture(int width, int height)
    {
        m_bitmap.CreateBitmap(width, height);
        m_dc.SelectObject(&m_bitmap);
    }
    CDC& Dc() { return m_dc; }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }
    // Pixels of the colour in the box (all of the picture by default).
    int Count(COLORREF colour, CRect box = {0, 0, 1 << 16, 1 << 16}) const
    {
        int n = 0;
        for (int y = box.top; y < std::min(box.bottom, m_bitmap.GetHeight()); ++y)
            for (int x = box.left; x < std::min(box.right, m_bitmap.GetWidth()); ++x)
                n += At(x, y) == colour;
        return n;
    }
    int Near(int x, int y, int radius, COLORREF colour) const
    {
        return Count(colour, {x - radius, y - radius, x + radius + 1, y + radius + 1});
    }
    // The rows of column x from y0 to y1 - 1 that have the colour.
    std::vector<int> Rows(int x, int y0, int y1, COLORREF colour) const
    {
        std::vector<int> rows;
        for (int y = y0; y < y1; ++y)
            if (At(x, y) == colour)
                rows.push_back(y);
        return rows;
    }
    // Whether the chart's text drawn alone at (x, y) matches the picture there pixel for pixel.
    bool Shows(int x, int y, const std::string& text) const
    {
        Picture alone(Width(text), 15);
        CFont font;
        CreateGameFont(font, 15);
        alone.m_dc.SelectObject(&font);
        alone.m_dc.FillSolidRect({0, 0, Width(text), 15}, hc::Background);
        alone.m_dc.SetBkMode(TRANSPARENT);
        alone.m_dc.SetTextColor(hc::Ink);
        alone.m_dc.TextOut(0, 0, text);
        for (int dy = 0; dy < 15; ++dy)
            for (int dx = 0; dx < Width(text); ++dx)
                if (At(x + dx, y + dy) != alone.At(dx, dy))
                    return false;
        return true;
    }
    // The width of a text in the chart's font.
    static int Width(const std::string& text)
    {
        CFont font;
        CreateGameFont(font, 15);
        CDC dc;
        dc.SelectObject(&font);
        return dc.GetTextExtent(text).cx;
    }

private:
    CBitmap m_bitmap;
    CDC m_dc;
};

KeptGame Game(std::int64_t started, std::int64_t average, std::int64_t best, std::int64_t accuracy = 50)
{
    KeptGame game;
    game.started = started;
    game.ended = started + 60;
    game.average = average;
    game.best = best;
    game.accuracy = accuracy;
    return game;
}

// A 600 x 400 chart: columns over x 56 to 584, rates from row 272 up to row 30, accuracy from
// row 376 (0 %) up to row 298 (100 %), dates below from row 380.
struct Chart : Picture {
    explicit Chart(const std::vector<KeptGame>& games) : Picture(600, 400), n(static_cast<int>(games.size()))
    {
        setenv("TZ", "UTC", 1);  // the day lines follow the local date
        DrawHistoryChart(Dc(), {600, 400}, games);
    }
    int X(int i) const { return 56 + static_cast<int>((i + 0.5) * 528 / n); }
    static int RateY(double rate, int top) { return 272 - static_cast<int>(std::lround(rate * 242 / top)); }
    static int AccuracyY(int percent) { return 376 - static_cast<int>(std::lround(percent * 78 / 100.0)); }
    int n;
};
}  // namespace

TEST(HistoryChart, TheRateScaleReachesTheHighestBestInStepsOf20Then50Then100)
{
    struct Case {
        std::int64_t best;
        int step, top;
    };
    for (const Case c : {Case{0, 20, 20}, Case{110, 20, 120}, Case{200, 20, 200}, Case{201, 50, 250},
                         Case{500, 50, 500}, Case{501, 100, 600}}) {
        SCOPED_TRACE(c.best);
        const Chart chart({Game(Noon, c.best / 2, c.best)});
        // A grid line at every step from 0 (row 272) to the top (row 30), each with its figure;
        // then the accuracy's lines at 100, 50 and 0 %.
        std::vector<int> rows, expected;
        for (int rate = 0; rate <= c.top; rate += c.step) {
            expected.insert(expected.begin(), Chart::RateY(rate, c.top));
            const std::string figure = std::to_string(rate);
            EXPECT_TRUE(chart.Shows(48 - Picture::Width(figure), Chart::RateY(rate, c.top) - 7, figure)) << rate;
        }
        for (const int percent : {100, 50, 0}) {
            expected.push_back(Chart::AccuracyY(percent));
            const std::string figure = std::to_string(percent) + "%";
            EXPECT_TRUE(chart.Shows(48 - Picture::Width(figure), Chart::AccuracyY(percent) - 7, figure));
        }
        EXPECT_EQ(chart.Rows(57, 0, 400, hc::Grid), expected);
        EXPECT_EQ(chart.Rows(583, 0, 400, hc::Grid), expected);
        // The one game's best and average dots in the middle column.
        EXPECT_EQ(chart.At(320, Chart::RateY(static_cast<double>(c.best), c.top)), hc::Best);
        EXPECT_EQ(chart.At(320, Chart::RateY(static_cast<double>(c.best / 2), c.top)), c.best ? hc::Average : hc::Best);
    }
    // A best beyond any game's rate (a file edited by hand) gives the largest scale, not a wrapped one.
    const Chart wild({Game(Noon, 10, 3'000'000'000LL)});
    EXPECT_EQ(wild.At(320, 272), hc::Average);
    EXPECT_EQ(wild.At(320, 30), hc::Best);
}

TEST(HistoryChart, DotsSitInEvenColumnsAndAPersonalBestIsRingedOnlyWhenItBeatsEveryEarlierOne)
{
    // Bests 0 (the first game's is a record however low), tied, beaten, lower, tied again, beaten.
    const std::int64_t bests[] = {0, 0, 50, 40, 50, 90, 90, 30};
    const bool ringed[] = {true, false, true, false, false, true, false, false};
    std::vector<KeptGame> games;
    for (int i = 0; i < 8; ++i)  // the last one's accuracy, 105 %, from a file edited by hand
        games.push_back(Game(Noon + i * 600, bests[i] / 2, bests[i], i * 15));
    games[7].average = 400;  // beyond the scale: at its top
    const Chart chart(games);
    EXPECT_EQ(chart.At(chart.X(7), 30), hc::Average);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const int x = chart.X(i), best = Chart::RateY(static_cast<double>(bests[i]), 100);
        EXPECT_EQ(chart.At(x, best), hc::Best);
        // A round dot as tall as it is wide, centred on its value.
        EXPECT_EQ(chart.Rows(x, best - 10, best + 11, hc::Best).size(), 2u * hc::DotRadius + 1);
        EXPECT_EQ(chart.Rows(x, best - 10, best + 11, hc::Best).front(), best - hc::DotRadius);
        EXPECT_EQ(chart.At(x, Chart::AccuracyY(std::min(i * 15, 100))), hc::Accuracy);
        // The ring: a circle of radius 7 round the best dot, nothing of it inside.
        EXPECT_EQ(chart.Near(x, best - 7, 1, hc::Record) > 0, ringed[i]);
        EXPECT_EQ(chart.Near(x + 7, best, 1, hc::Record) > 0, ringed[i]);
        EXPECT_EQ(chart.Near(x, best, 4, hc::Record), 0);
    }
    // Accuracy is a line from dot to dot.
    EXPECT_GT(
        chart.Near((chart.X(2) + chart.X(3)) / 2, (Chart::AccuracyY(30) + Chart::AccuracyY(45)) / 2, 1, hc::Accuracy),
        0);
}

TEST(HistoryChart, TheMovingLineAveragesTheLastTenGamesAverages)
{
    // Two games at 180, then ten at 20: the line falls as the high ones leave the last ten.
    std::vector<KeptGame> games;
    for (int i = 0; i < 12; ++i)
        games.push_back(Game(Noon + i * 600, i < 2 ? 180 : 20, 200));
    const Chart chart(games);
    const double moving[] = {180, 180, 380 / 3.0, 100, 84, 440 / 6.0, 460 / 7.0, 60, 500 / 9.0, 52, 36, 20};
    // Halfway between two columns the line passes halfway between the two averages' heights.
    for (int i = 0; i + 1 < 12; ++i) {
        SCOPED_TRACE(i);
        const int x = (chart.X(i) + chart.X(i + 1)) / 2;
        const std::vector<int> rows = chart.Rows(x, 30, 273, hc::Moving);
        ASSERT_FALSE(rows.empty());
        const double centre = (rows.front() + rows.back()) / 2.0;
        EXPECT_NEAR(centre, (Chart::RateY(moving[i], 200) + Chart::RateY(moving[i + 1], 200)) / 2.0, 1.0);
        EXPECT_LE(rows.back() - rows.front(), 4) << "one line two pixels wide";
    }
}

TEST(HistoryChart, ADottedLineMarksEachNewDayAndTheFirstAndLastDatesStandBelow)
{
    // Days: 5 January twice, 6 January twice, then 8 January.
    const Chart days({Game(Noon, 30, 60), Game(Noon + 3600, 30, 60), Game(Noon + Day - 7200, 30, 60),
                      Game(Noon + Day, 30, 60), Game(Noon + 3 * Day, 30, 60)});
    // The columns of the plot with its grey (it has no text) are those of the two lines, and they
    // reach from its top to its bottom.
    auto dayLines = [](const Chart& chart) {
        std::vector<int> columns;
        for (int x = 56; x < 584; ++x)
            if (!chart.Rows(x, 30, 376, DayLine).empty())
                columns.push_back(x);
        return columns;
    };
    EXPECT_EQ(dayLines(days), (std::vector<int>{(days.X(1) + days.X(2)) / 2, (days.X(3) + days.X(4)) / 2}));
    for (const int x : dayLines(days))
        EXPECT_TRUE(!days.Rows(x, 30, 36, DayLine).empty() && !days.Rows(x, 370, 376, DayLine).empty()) << x;
    EXPECT_TRUE(days.Shows(56, 380, "2026-01-05"));
    EXPECT_TRUE(days.Shows(584 - Picture::Width("2026-01-08"), 380, "2026-01-08"));

    // All on one day: no dotted line, and the date once, on the left.
    const Chart one({Game(Noon, 30, 60), Game(Noon + 3600, 30, 60)});
    EXPECT_TRUE(dayLines(one).empty());
    EXPECT_TRUE(one.Shows(56, 380, "2026-01-05"));
    EXPECT_EQ(one.Count(hc::Background, {500, 380, 600, 400}), 100 * 20) << "nothing on the right";
}

TEST(HistoryChart, TheLegendNamesEachMarkRightAfterIt)
{
    const Chart chart({Game(Noon, 30, 50)});  // its ring well below the legend
    // Along row 15 each mark in turn, its name after it and before the next.
    const std::pair<COLORREF, std::string> entries[] = {{hc::Average, "average"},
                                                        {hc::Best, "best"},
                                                        {hc::Moving, "average of the last 10"},
                                                        {hc::Record, "personal best"},
                                                        {hc::Accuracy, "accuracy"}};
    int x = 0;
    for (const auto& [colour, name] : entries) {
        SCOPED_TRACE(name);
        while (x < 600 && chart.At(x, 15) != colour)
            ++x;
        while (x < 600 && !chart.Shows(x, 8, name))
            ++x;
        EXPECT_LT(x, 600);
    }
}

TEST(HistoryChart, WithNoGamesOnlyALineSaysHowToGetOne)
{
    Picture empty(600, 400);
    DrawHistoryChart(empty.Dc(), {600, 400}, {});
    EXPECT_TRUE(empty.Shows((600 - Picture::Width(hc::EmptyText)) / 2, (400 - 15) / 2, hc::EmptyText));
    for (const COLORREF mark : {hc::Average, hc::Best, hc::Accuracy, hc::Record, hc::Moving})
        EXPECT_EQ(empty.Count(mark), 0);
    EXPECT_EQ(empty.Count(hc::Background, {0, 0, 600, 150}), 600 * 150);
    EXPECT_EQ(empty.Count(hc::Background, {0, 250, 600, 400}), 600 * 150);
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
        if (tick % 6 == 0 && !v.m_listCircles.empty())
            Hit(v.m_listCircles.front());
    }
    v.OnNewStopGame();
    Paint();
    const KeptGame kept = m_platform.history.Games().at(0);
    ASSERT_GE(kept.samples.size(), 3u);
    const CSize size{v.m_nWidth, v.m_nHeight};
    Picture picture(size.cx, size.cy);
    DrawKeptResult(picture.Dc(), size, kept);
    // The panel's box: curve, grid, axes, figures and length alike, pixel for pixel.
    const CBitmap& screen = m_platform.window.Screen();
    auto differ = [&](const Picture& other, const CRect& box) {
        int n = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                n += ColorFromPixel(screen.GetPixels()[static_cast<std::size_t>(y) * screen.GetWidth() + x]) !=
                     other.At(x, y);
        return n;
    };
    EXPECT_EQ(differ(picture, {size.cx / 8 - 35, size.cy / 8 - 20, 7 * size.cx / 8 + 10, 7 * size.cy / 8 + 35}), 0);
    EXPECT_GT(picture.Near(size.cx / 2, size.cy / 2, size.cy / 3, Rgb(255, 0, 0)), 0);  // a curve

    // A kept game edited by hand, with rates below 0 and beyond its best, shows them at the edges.
    KeptGame wild = kept;
    wild.samples = {-5, static_cast<int>(kept.best) / 2, 100'000'000};
    wild.average = 100'000'000;
    Picture a(size.cx, size.cy);
    DrawKeptResult(a.Dc(), size, wild);
    v.m_anApmHistory = {0, static_cast<int>(kept.best) / 2, static_cast<int>(kept.best)};
    v.m_nApmSamples = 3;
    v.m_nApmAverage = static_cast<int>(kept.best);
    Paint();
    EXPECT_EQ(differ(a, {size.cx / 8 - 35, size.cy / 8 - 20, 7 * size.cx / 8 + 10, 7 * size.cy / 8 + 35}), 0);
}
