// What the player sees: pixels of painted frames on the headless screen.
#include <array>
#include <cstdio>
#include <functional>

#include "platform/Resources.h"
#include "platform/dc/soft/Raster.h"
#include "render/Fonts.h"
#include "res/Resource.h"
#include "tests/game/GameFixture.h"

using namespace std::string_literals;

namespace {
constexpr COLORREF Black = Rgb(0, 0, 0);
constexpr COLORREF FigureColor = Rgb(96, 96, 128);
constexpr COLORREF RateGreen = Rgb(0, 210, 0);
constexpr COLORREF Magenta = Rgb(255, 0, 255);
constexpr COLORREF Red = Rgb(255, 0, 0);
constexpr COLORREF Navy = Rgb(0, 0, 128);
constexpr COLORREF Gray = Rgb(128, 128, 128);

// Runs of consecutive pixels of one colour along a row or column.
int Runs(const std::function<COLORREF(int)>& at, int from, int to, COLORREF colour)
{
    int runs = 0;
    bool inside = false;
    for (int i = from; i <= to; ++i) {
        const bool match = at(i) == colour;
        runs += match && !inside;
        inside = match;
    }
    return runs;
}
}  // namespace

class RenderTest : public GameTest {
protected:
    // A game window at this screen width with a race, so the field is painted, and no game.
    void Open(int cxScreen = 1024)
    {
        Make(cxScreen);
        View().m_strRace = "df";
        View().m_bDarkening = 0;
    }
    // The window of a game just ended, its result graph shown with three rates: 10, 45, 30.
    void OpenResult()
    {
        Open();
        View().m_bShowResult = 1;
        View().m_nApmSamples = 3;
        View().m_anApmHistory[0] = 10;
        View().m_anApmHistory[1] = 45;
        View().m_anApmHistory[2] = 30;
    }
    COLORREF At(int x, int y) const
    {
        const CBitmap& screen = m_platform.window.Screen();
        return ColorFromPixel(screen.GetPixels()[static_cast<std::size_t>(y) * screen.GetWidth() + x]);
    }
    // Every pixel of the field, top row first.
    std::vector<COLORREF> Screen() const
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < m_view->m_nHeight; ++y)
            for (int x = 0; x < m_view->m_nWidth; ++x)
                pixels.push_back(At(x, y));
        return pixels;
    }
    COLORREF Picture(int x, int y) const
    {
        const CBitmap* picture = LoadBitmapResource(IDB_BACKGROUND);
        return ColorFromPixel(picture->GetPixels()[static_cast<std::size_t>(y) * picture->GetWidth() + x]);
    }
    // The frame shows text drawn at (x, y) in the game's font: every pixel of its box is the
    // same as the text drawn alone with these colours.
    void ExpectText(int x, int y, const std::string& text, int height, COLORREF fg, COLORREF bg)
    {
        CFont font;
        CreateGameFont(font, height);
        CBitmap bitmap;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&font);
        const CSize size = dc.GetTextExtent(text);
        ASSERT_TRUE(bitmap.CreateBitmap(size.cx, size.cy));
        dc.SelectObject(&bitmap);
        dc.SetTextColor(fg);
        dc.SetBkColor(bg);
        dc.TextOut(0, 0, text);
        // What fits in the field.
        int differences = 0;
        for (int dy = 0; dy < size.cy && y + dy < View().m_nHeight; ++dy)
            for (int dx = 0; dx < size.cx && x + dx < View().m_nWidth; ++dx)
                differences += At(x + dx, y + dy) != dc.GetPixel(dx, dy);
        EXPECT_EQ(differences, 0) << "'" << text << "' at " << x << "," << y;
    }
    // Whether any pixel of the rectangle has the colour.
    bool Contains(int left, int top, int right, int bottom, COLORREF colour) const
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (At(x, y) == colour)
                    return true;
        return false;
    }
};

TEST_F(RenderTest, FieldOf550PixelsShowsNothingButGrayBeforeARaceThenThePicturePixelForPixel)
{
    Make(800);
    ASSERT_EQ(View().m_nWidth, 550);
    Paint();
    for (int y = 0; y < 412; y += 37)
        for (int x = 0; x < 550; x += 41)
            ASSERT_EQ(At(x, y), Gray) << x << "," << y;
    // A game or a result without a race (its dialog was closed without one) shows the field.
    View().m_bDarkening = 0;
    for (BOOL* state : {&View().m_bRunning, &View().m_bShowResult}) {
        *state = 1;
        Paint();
        EXPECT_EQ(At(100, 100), Picture(100, 100));
        *state = 0;
    }
    // So does the field before the first game once a race is set; a paint the window did not
    // ask for covers all of it.
    View().m_strRace = "df";
    m_platform.window.SetClientSize(550, 412);  // gray again
    View().OnPaint();
    // Everywhere but the score corner.
    for (int y = 0; y < 412; ++y)
        for (int x = 0; x < 550 - 110; ++x)
            ASSERT_EQ(At(x, y), Picture(x, y)) << x << "," << y;
}

TEST_F(RenderTest, WiderFieldEnlargesThePictureWithoutSmoothing)
{
    Open(1920);
    ASSERT_EQ(View().m_nWidth, 1320);
    Paint();
    for (int y = 150; y < 990; y += 7) {
        for (int x = 0; x < 1200; x += 5) {
            const int sx = x * 550 / 1320, sy = y * 412 / 990;
            // The nearest source pixel, never a blend of neighbours.
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found = At(x, y) == Picture(std::clamp(sx + dx, 0, 549), std::clamp(sy + dy, 0, 411));
            ASSERT_TRUE(found) << x << "," << y;
        }
    }
}

TEST_F(RenderTest, DarkeningBlackensEveryThirdColumnAndRow)
{
    Open(1026);  // 705 x 528: both multiples of 3, so the last lines fall outside the field
    ASSERT_EQ(View().m_nWidth, 705);
    ASSERT_EQ(View().m_nHeight, 528);
    Paint();
    const std::vector<COLORREF> plain = Screen();
    View().m_bDarkening = 1;
    Paint();
    // Everywhere but the score corner; row 0 and column 0 keep the picture.
    for (int y = 0; y < 528; ++y) {
        for (int x = 0; x < (y < 150 ? 500 : 705); ++x) {
            const bool line = (x > 0 && x % 3 == 0) || (y > 0 && y % 3 == 0);
            ASSERT_EQ(At(x, y), line ? Black : plain[static_cast<std::size_t>(y) * 705 + x]) << x << "," << y;
        }
    }
}

TEST_F(RenderTest, CirclesOutlineAndInteriorByButton)
{
    Open();
    View().m_bRunning = 1;
    View().m_bShowStatistics = 0;
    struct Case {
        BOOL left;
        double radius;
        COLORREF outline, interior;
        int width;
    };
    for (const Case& c :
         {Case{1, 30.0, Rgb(0, 255, 0), Rgb(240, 255, 240), 5}, Case{0, 35.2, Rgb(0, 0, 255), Rgb(240, 240, 255), 5},
          Case{1, 10.0, Rgb(0, 255, 0), Rgb(240, 255, 240), 3}, Case{0, 41.0, Rgb(0, 0, 255), Rgb(240, 240, 255), 6}}) {
        View().m_listCircles.clear();
        AddCircle(300, 250, c.radius, c.left).m_bGrowing = 0;
        Paint();
        EXPECT_EQ(At(300, 250), c.interior);
        // Across the rim on the horizontal through the centre: one band of the pen's width.
        EXPECT_EQ(Runs([&](int x) { return At(x, 250); }, 300, 300 + 60, c.outline), 1);
        int width = 0;
        for (int x = 300; x < 360; ++x)
            width += At(x, 250) == c.outline;
        EXPECT_EQ(width, c.width) << "radius " << c.radius;
        // Inside the box's right edge: the outline reaches the radius but not far beyond.
        EXPECT_EQ(At(300 + static_cast<int>(c.radius) - 1, 250), c.outline);
        EXPECT_NE(At(300 + static_cast<int>(c.radius) + c.width, 250), c.outline);
    }
}

TEST_F(RenderTest, LabelsShowFunctionKeysByName)
{
    Open();
    View().m_bRunning = 1;
    View().m_bShowStatistics = 0;
    // A right-button circle's interior differs from the greenish text box.
    for (const auto& [label, shown] : {std::pair{"p", "F1"}, {"q", "F2"}, {"r", "F3"}, {"A", "A"}}) {
        View().m_listCircles.clear();
        AddCircle(300, 250, 40.0, 0, label).m_bGrowing = 0;
        Paint();
        CFont font;
        CreateGameFont(font, 20);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&font);
        const CSize stored = dc.GetTextExtent(label);
        const int x = 300 - static_cast<int>(std::string(shown).size()) * stored.cx / 2;
        ExpectText(x, 250 - stored.cy / 2, shown, 20, Black, Rgb(240, 255, 240));
    }
}

TEST_F(RenderTest, GaugesShowRateEndCounterAndAccuracyInBars)
{
    Open();
    View().m_bRunning = 1;
    View().m_nApmMax = 99;
    const int W = View().m_nWidth, H = View().m_nHeight;
    // The rate's bars up the left edge, the last one along the bottom.
    auto rateBars = [&] {
        return Runs([&](int y) { return At(14, y); }, 0, H - 1, RateGreen) + (At(45, H - 15) == RateGreen);
    };
    for (const auto& [apm, bars] : {std::pair{4, 0}, {5, 1}, {12, 2}, {400, 43}}) {
        View().m_nApm = apm;
        Paint();
        EXPECT_EQ(rateBars(), bars) << "rate " << apm;
    }
    // The end gauge fills as the counter nears the best.
    for (const auto& [counter, bars] : {std::pair{0, 0}, {50, 8}, {100, 16}}) {
        View().m_nEndCounter = counter;
        Paint();
        EXPECT_EQ(Runs([&](int x) { return At(x, H - 20); }, 100, 300, Magenta), bars) << "end counter " << counter;
    }
    // The accuracy gauge fills downward.
    for (const auto& [accuracy, lines] :
         {std::pair{9, 0}, {10, 1}, {54, 1}, {55, 2}, {59, 2}, {60, 3}, {99, 11}, {100, 13}}) {
        View().m_nAccuracy = accuracy;
        Paint();
        EXPECT_EQ(Runs([&](int y) { return At(W - 20, y); }, 30, 110, Red), lines) << "accuracy " << accuracy;
    }
    // Without the statistics option there is no rate gauge at all.
    View().m_bShowStatistics = 0;
    Paint();
    EXPECT_EQ(rateBars(), 0);
}

TEST(ArcPoints, RunFourDegreesPastEachEndOfTheSweepAndFillOnlyTheirCount)
{
    // A quarter circle from 0 to 90 degrees (y down) in 5 points: -4, 20.5, 45, 69.5 and 94 degrees.
    std::array<CPoint, 6> points;
    points.fill(CPoint{-7, -7});
    CGameView::GetArcPoints(100, 200, 50, 0.0, 90.0, 5, points.data());
    auto xy = [&](std::size_t i) { return std::pair(points[i].x, points[i].y); };
    EXPECT_EQ(xy(0), std::pair(149, 196));
    EXPECT_EQ(xy(2), std::pair(135, 235));
    EXPECT_EQ(xy(4), std::pair(96, 249));
    EXPECT_EQ(xy(5), std::pair(-7, -7));
}

TEST_F(RenderTest, ScoreIsRightAlignedInTenPlacesAndTheKeyCapNamesTheArmedKey)
{
    Open();
    View().m_bRunning = 1;
    View().m_strLastKey = "q";
    for (int score : {0, 1234, 1234567890}) {
        View().m_nScore = score;
        Paint();
        char text[16];
        std::snprintf(text, sizeof text, "%10d", score);
        ExpectText(View().m_nWidth - 92, 7, text, 26, Rgb(0, 255, 0), FigureColor);
    }
    ExpectText(96, View().m_nHeight - 47, "F2", 40, Rgb(0, 255, 0), FigureColor);
}

#ifndef _WIN32
// The display alone on a 704 x 528 field, drawn over black: the five figures with empty gauges
// (each as its bounding box and its size in pixels, the score written on its plate), then each
// bar of the full gauges as the extent of its middle line. Exact positions of the software
// context; GDI's drawing of the same frames is compared with it in tests/win32.
TEST_F(RenderTest, TheDisplaysFiguresAndBarsWhereThePlayerSeesThem)
{
    Open();
    View().m_bRunning = 1;
    View().m_nApmMax = 99;
    const int W = View().m_nWidth, H = View().m_nHeight;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(W, H));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    auto draw = [&] {
        for (std::uint32_t& pixel : bitmap.GetPixels())
            pixel = PixelFromColor(Black);
        View().DrawScene(&dc);
    };

    // Each group of touching pixels that are not black: "left,top,right,bottom size".
    draw();
    std::vector<std::string> figures;
    std::vector<bool> seen(static_cast<std::size_t>(W) * H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (seen[y * W + x] || dc.GetPixel(x, y) == Black)
                continue;
            CRect box{x, y, x, y};
            int size = 0;
            std::vector<CPoint> todo{{x, y}};
            seen[y * W + x] = true;
            while (!todo.empty()) {
                const CPoint p = todo.back();
                todo.pop_back();
                ++size;
                box = CRect{std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
                            std::max(box.bottom, p.y)};
                for (int ny = p.y - 1; ny <= p.y + 1; ++ny)
                    for (int nx = p.x - 1; nx <= p.x + 1; ++nx)
                        if (nx >= 0 && ny >= 0 && nx < W && ny < H && !seen[ny * W + nx] &&
                            dc.GetPixel(nx, ny) != Black) {
                            seen[ny * W + nx] = true;
                            todo.push_back({nx, ny});
                        }
            }
            figures.push_back(std::to_string(box.left) + "," + std::to_string(box.top) + "," +
                              std::to_string(box.right) + "," + std::to_string(box.bottom) + " " +
                              std::to_string(size));
        }
    }
    EXPECT_EQ(figures, (std::vector<std::string>{"599,5,697,33 2689", "641,37,694,105 2180", "5,128,137,521 16362",
                                                 "145,476,258,521 3685", "90,478,138,521 2106"}));

    // The first and last pixel of a colour along a row (horizontal) or a column.
    auto extent = [&](COLORREF colour, bool horizontal, int at) {
        int first = -1, last = -1;
        for (int i = 0; i < (horizontal ? W : H); ++i) {
            if ((horizontal ? dc.GetPixel(i, at) : dc.GetPixel(at, i)) == colour) {
                first = first < 0 ? i : first;
                last = i;
            }
        }
        return std::pair{first, last};
    };
    View().m_nApm = 400;
    View().m_nEndCounter = 1000;
    View().m_nAccuracy = 100;
    draw();
    // Rate: bottom to top, the line along the bottom, then a bar every 9 rows up the left edge.
    std::vector<int> rateEnds;
    EXPECT_EQ(extent(RateGreen, true, H - 15), std::pair(17, 75));
    for (int bar = 1; bar <= 43; ++bar) {
        const auto [left, right] = extent(RateGreen, true, H - 15 - 9 * bar);
        EXPECT_EQ(left, right < 0 ? -1 : 10) << bar;
        rateEnds.push_back(right);
    }
    EXPECT_EQ(rateEnds, (std::vector<int>{80, 80, 80, 80, 120, 105, 92, 81, 72, 65, 59, 53, 47, 42, 38,
                                          35, 31, 29, 27, 25,  23,  21, 21, 21, 21, 21, 21, 21, 21, 21,
                                          21, 21, 21, 21, 21,  21,  21, 21, 21, 21, 21, 21, -1}));
    // End counter: right to left, the short bar at 253, then a bar every 7 columns down to 148.
    EXPECT_EQ(extent(Magenta, false, 253), std::pair(501, 515));
    std::vector<int> endTops;
    for (int x = 246; x > 100; x -= 7) {
        const auto [top, bottom] = extent(Magenta, false, x);
        EXPECT_EQ(bottom, top < 0 ? -1 : 518) << x;
        endTops.push_back(top);
    }
    EXPECT_EQ(endTops, (std::vector<int>{497, 497, 497, 497, 497, 497, 496, 495, 494, 493, 491,
                                         489, 487, 485, 482, -1,  -1,  -1,  -1,  -1,  -1}));
    // Accuracy: top to bottom, the line at 41, a bar every 5 rows, and the line of 100 %.
    std::vector<std::pair<int, int>> accuracy;
    for (int y = 41; y <= 106; y += 5)
        accuracy.push_back(extent(Red, true, y));
    EXPECT_EQ(accuracy, (std::vector<std::pair<int, int>>{{647, 689},
                                                          {651, 692},
                                                          {659, 692},
                                                          {663, 692},
                                                          {668, 692},
                                                          {670, 692},
                                                          {672, 692},
                                                          {674, 692},
                                                          {675, 692},
                                                          {676, 692},
                                                          {676, 692},
                                                          {676, 692},
                                                          {678, 689},
                                                          {-1, -1}}));
}
#endif

TEST_F(RenderTest, FiguresMergeWithThePictureOrCoverIt)
{
    Open(800);  // the picture pixel for pixel
    View().m_bRunning = 1;
    Paint();
    const int H = View().m_nHeight, W = View().m_nWidth;
    // The gauge frames lighten the picture (each pixel ORed with the figure colour); the key
    // cap and the score plate cover it.
    EXPECT_EQ(At(12, H - 200), Picture(12, H - 200) | FigureColor);
    EXPECT_EQ(At(W - 14, 70), Picture(W - 14, 70) | FigureColor);
    EXPECT_EQ(At(200, H - 25), Picture(200, H - 25) | FigureColor);  // end gauge frame
    EXPECT_EQ(At(115, H - 28), FigureColor);
    EXPECT_EQ(At(W - 60, 20), FigureColor);

    // Their outlines follow the points of their arcs, truncated, and a polygon leaves out its
    // right and bottom edges: the key cap covers x 90 to 138 and y H - 50 to H - 7, the score
    // plate x W - 105 to W - 7 and y 5 to 33.
    auto covers = [&](int x, int y) { return At(x, y) == FigureColor; };
    EXPECT_EQ(std::vector<bool>({covers(89, H - 28), covers(90, H - 28), covers(138, H - 28), covers(139, H - 28)}),
              std::vector<bool>({false, true, true, false}));
    EXPECT_EQ(std::vector<bool>({covers(115, H - 51), covers(115, H - 50), covers(115, H - 7), covers(115, H - 6)}),
              std::vector<bool>({false, true, true, false}));
    EXPECT_EQ(std::vector<bool>({covers(W - 106, 20), covers(W - 105, 20), covers(W - 7, 20), covers(W - 6, 20)}),
              std::vector<bool>({false, true, true, false}));
    EXPECT_EQ(std::vector<bool>({covers(W - 50, 4), covers(W - 50, 5), covers(W - 50, 33), covers(W - 50, 34)}),
              std::vector<bool>({false, true, true, false}));

    // Without the statistics option only the accuracy frame and the score plate are drawn.
    View().m_bShowStatistics = 0;
    Paint();
    EXPECT_EQ(At(12, H - 200), Picture(12, H - 200));
    EXPECT_EQ(At(115, H - 28), Picture(115, H - 28));
    EXPECT_EQ(At(W - 14, 70), Picture(W - 14, 70) | FigureColor);
    EXPECT_EQ(At(W - 60, 20), FigureColor);
}

TEST_F(RenderTest, ResultGraphGridAxesAndClock)
{
    OpenResult();
    const int W = View().m_nWidth, H = View().m_nHeight;
    const int x0 = W / 8, y0 = H / 8, x1 = 7 * W / 8, y1 = 7 * H / 8;
    // Rows with grid between the axis and the first vertical line, columns with grid.
    const int gap = (x1 - x0) / 10;
    auto gridRows = [&] {
        return Runs([&](int y) { return Contains(x0 + 4, y, x0 + gap - 2, y + 1, Navy) ? Navy : Black; }, y0, y1 - 4,
                    Navy);
    };
    auto gridColumns = [&] {
        // Above the highest horizontal line.
        return Runs([&](int x) { return Contains(x, y0 - 5, x + 1, y0 + 20, Navy) ? Navy : Black; }, x0 - 4, x1 + 4,
                    Navy);
    };
    for (const auto& [best, lines] : {std::pair{20, 0}, {45, 2}}) {
        View().m_nApmMax = best;
        View().m_nApmAverage = 15;
        Paint();
        EXPECT_EQ(gridRows(), lines) << best;
        // Ten vertical grid lines, the tenth on the right edge, none on the left.
        EXPECT_EQ(gridColumns(), 10);
        EXPECT_EQ(At(x0, (y0 + y1) / 2), Gray);  // vertical axis
        EXPECT_EQ(At((x0 + x1) / 2, y1), Gray);  // horizontal axis
        ExpectText(x1 - 20, y0 - 15, best == 20 ? " 20" : " 45", 22, Rgb(255, 255, 255), Gray);
    }

    // Best 45 on this 704 x 528 field: 396 rows for 45 actions a minute, 8.8 rows each. The
    // grid lines for 20 and 40 lie 176 and 352 rows above the axis at 462, their figures
    // beside them; the average 15, 132 rows up, left of the axis. The three samples end at
    // x 264, 440 and 616, at heights 10, 45 and 30.
    std::vector<int> rows;
    for (int y = y0; y < y1 - 4; ++y)
        if (Contains(x0 + 4, y, x0 + gap - 2, y + 1, Navy))
            rows.push_back(y);
    EXPECT_EQ(rows, (std::vector<int>{110, 286}));
    ExpectText(x0 + 7, 107, " 40", 22, Rgb(255, 255, 255), Gray);
    ExpectText(x0 + 7, 283, " 20", 22, Rgb(255, 255, 255), Gray);
    ExpectText(x0 - 30, 330, " 15", 22, Rgb(255, 255, 255), Gray);
    for (const auto& [x, y] : {std::pair{264, 374}, {440, 66}, {528, 132}})
        EXPECT_EQ(At(x, y), Red) << "curve at " << x << "," << y;

    for (const auto& [seconds, text] :
         {std::pair{0, " 0:00"}, {65, " 1:05"}, {600, "10:00"}, {6000, "100:00"}, {-30, " 0:00"}}) {
        View().m_tStart = 1767614400;
        View().m_tEnd = View().m_tStart + seconds;
        Paint();
        ExpectText(x1 - 40, y1 + 8, text, 22, Rgb(255, 255, 255), Gray);
    }
    // No rate at all: the curve lies on the axis and the average is written there.
    View().m_nApmMax = 0;
    View().m_nApmAverage = 0;
    View().m_anApmHistory = {};
    Paint();
    EXPECT_EQ(gridRows(), 0);
    ExpectText(x0 - 30, y1, "  0", 22, Rgb(255, 255, 255), Gray);
}

TEST_F(RenderTest, ResultGraphArrowheadsAreAsWideOnBothSidesOfTheirAxes)
{
    OpenResult();
    View().m_nApmMax = 45;
    View().m_nApmAverage = 15;
    Paint();
    const int W = View().m_nWidth, H = View().m_nHeight;
    const int x0 = W / 8, y0 = H / 8, x1 = 7 * W / 8, y1 = 7 * H / 8;
    // The arrowheads at the axes' ends: as wide on one side of their axis as on the other, and
    // 5 pixels to each side at their base, 25 pixels back from the tip.
    auto grayRun = [&](int x, int y, int dx, int dy) {
        int n = 0;
        while (At(x + (n + 1) * dx, y + (n + 1) * dy) == Gray)
            ++n;
        return n;
    };
    for (int y = y0; y <= y0 + 25; ++y)
        EXPECT_EQ(grayRun(x0, y, -1, 0), grayRun(x0, y, 1, 0)) << "arrow up, row " << y;
    EXPECT_EQ(grayRun(x0, y0 + 25, -1, 0), 5);
    for (int x = x1 - 25; x < x1; ++x)  // the last grid line's gaps are gray at x1 itself
        EXPECT_EQ(grayRun(x, y1, 0, -1), grayRun(x, y1, 0, 1)) << "arrow right, column " << x;
    EXPECT_EQ(grayRun(x1 - 25, y1, 0, -1), 5);
}

TEST_F(RenderTest, APaintOfASmallAreaChangesOnlyThatAreaAndShowsItAsAWholePaintWould)
{
    Open();
    View().m_bRunning = 1;
    Paint();
    const std::vector<COLORREF> before = Screen();
    View().m_bDarkening = 1;
    const CRect area{100, 120, 160, 170};
    m_platform.window.Expose(area);
    View().OnPaint();
    const std::vector<COLORREF> partial = Screen();
    Paint();
    const std::vector<COLORREF> whole = Screen();
    int changedInside = 0;
    for (int y = 0; y < View().m_nHeight; ++y) {
        for (int x = 0; x < View().m_nWidth; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * View().m_nWidth + x;
            const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
            ASSERT_EQ(partial[i], inside ? whole[i] : before[i]) << x << "," << y;
            changedInside += inside && partial[i] != before[i];
        }
    }
    EXPECT_GT(changedInside, 0);
}

// Windows cannot delete a pen, brush or font while a context has it selected: every paint puts
// back what the back buffer's context had, so the objects it made go with it.
TEST_F(RenderTest, APaintLeavesNoObjectOfItsOwnSelectedInTheBackBuffer)
{
    CDC fresh;
    fresh.CreateCompatibleDC(nullptr);
    auto selected = [](const CDC& dc) {
        return std::vector<const CGdiObject*>{dc.GetCurrentObject(OBJ_PEN), dc.GetCurrentObject(OBJ_BRUSH),
                                              dc.GetCurrentObject(OBJ_FONT), dc.GetCurrentObject(OBJ_BITMAP)};
    };
    Open();
    // A game with circles of both buttons, labelled or not, and an armed key; then its result.
    View().m_bRunning = 1;
    View().m_bDarkening = 1;
    View().m_strLastKey = "A";
    AddCircle(100, 100, 20.0, 1);
    AddCircle(200, 100, 20.0, 0, "p");
    AddCircle(300, 100, 20.0, 1, "Q");
    for (const bool result : {false, true}) {
        View().m_bRunning = !result;
        View().m_bShowResult = result;
        View().m_nApmSamples = result ? 3 : 0;
        Paint();
        EXPECT_EQ(selected(*View().m_pMemDC), selected(fresh)) << (result ? "result" : "game");
    }
}

// The software context's fast paths against its general code (on Windows GDI draws).
#ifndef _WIN32
TEST_F(RenderTest, FramesAreTheSameThroughTheFastPathsAsThroughTheGeneralCode)
{
    // A crowded running game and a result at three field sizes, each way on a window of its
    // own: painted whole without and with darkening, then in part.
    const CRect part{37, 41, 519, 388};
    for (const int cxScreen : {800, 1024, 1920}) {
        for (const bool result : {false, true}) {
            std::vector<COLORREF> shown[2];
            for (const bool general : {false, true}) {
                Open(cxScreen);
                View().m_bRunning = !result;
                View().m_bShowResult = result;
                View().m_nApm = View().m_nApmMax = 150;
                View().m_nEndCounter = 40;
                View().m_nAccuracy = 88;
                View().m_strLastKey = "p";
                View().m_nApmSamples = 30;
                for (int i = 0; i < 30; ++i)
                    View().m_anApmHistory[i] = i * 47 % 151;
                for (int i = 0; i < 12; ++i)
                    AddCircle(40 + i * 53 % 500, 30 + i * 37 % 400, 8 + i * 3.5, i % 2,
                              i % 3 ? "" : "Qp"s.substr(i % 2, 1));
                dc_detail::SetGeneralPaths(general);
                Paint();
                View().m_bDarkening = 1;
                Paint();
                const std::vector<COLORREF> whole = Screen();
                View().m_nScore = 4321;
                m_platform.window.Expose(part);
                View().OnPaint();
                dc_detail::SetGeneralPaths(false);
                shown[general] = whole;
                const std::vector<COLORREF> after = Screen();
                shown[general].insert(shown[general].end(), after.begin(), after.end());
            }
            EXPECT_TRUE(shown[0] == shown[1]) << "screen " << cxScreen << (result ? ", result" : ", game");
        }
    }
}
#endif
