// One-pixel, wide and dash-dot lines: which pixels MoveTo/LineTo light.
#include <set>
#include <utility>
#include <vector>

#include "tests/dc/Canvas.h"

namespace {

constexpr COLORREF Ink = Rgb(200, 0, 0);

using PixelSet = std::set<std::pair<int, int>>;

}  // namespace

class LinesTest : public DcTest {
protected:
    PixelSet Lit(COLORREF colour) const
    {
        PixelSet s;
        for (int y = 0; y < m_bitmap.GetHeight(); ++y)
            for (int x = 0; x < m_bitmap.GetWidth(); ++x)
                if (At(x, y) == colour)
                    s.insert({x, y});
        return s;
    }
    PixelSet Line(int penWidth, int x0, int y0, int x1, int y1)
    {
        Reset(80, 60);
        CPen pen(PS_SOLID, penWidth, Ink);
        CPen* old = m_dc.SelectObject(&pen);
        m_dc.MoveTo(x0, y0);
        m_dc.LineTo(x1, y1);
        m_dc.SelectObject(old);
        return Lit(Ink);
    }
};

TEST_F(LinesTest, OnePixelLinesLeaveOutTheEndPointInEveryDirection)
{
    for (int width : {0, 1}) {
        EXPECT_EQ(Line(width, 5, 7, 12, 7), (PixelSet{{5, 7}, {6, 7}, {7, 7}, {8, 7}, {9, 7}, {10, 7}, {11, 7}}));
        EXPECT_EQ(Line(width, 12, 7, 5, 7), (PixelSet{{12, 7}, {11, 7}, {10, 7}, {9, 7}, {8, 7}, {7, 7}, {6, 7}}));
        EXPECT_EQ(Line(width, 3, 10, 3, 6), (PixelSet{{3, 10}, {3, 9}, {3, 8}, {3, 7}}));
        EXPECT_EQ(Line(width, 2, 2, 6, 6), (PixelSet{{2, 2}, {3, 3}, {4, 4}, {5, 5}}));
        EXPECT_EQ(Line(width, 6, 2, 2, 6), (PixelSet{{6, 2}, {5, 3}, {4, 4}, {3, 5}}));
        EXPECT_TRUE(Line(width, 9, 9, 9, 9).empty()) << "a line of length zero draws nothing";
    }
}

TEST_F(LinesTest, SlantedOnePixelLinesRoundToTheNearestPixelTiesToTheSmallerCoordinate)
{
    // y = i * 4 / 10 rounded: 0 0 1 1 2 2 2 3 3 4.
    EXPECT_EQ(Line(1, 0, 0, 10, 4),
              (PixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 2}, {7, 3}, {8, 3}, {9, 4}}));
    // Ties (y = 0.5, 1.5) go to the smaller y in both directions, so only the end points differ.
    EXPECT_EQ(Line(1, 0, 0, 4, 2), (PixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(Line(1, 4, 2, 0, 0), (PixelSet{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
    // A steep line steps along y.
    EXPECT_EQ(Line(1, 1, 0, 3, 5), (PixelSet{{1, 0}, {1, 1}, {2, 2}, {2, 3}, {3, 4}}));
}

TEST_F(LinesTest, WidePensCoverTheirWidthWithRoundEndsAndJoins)
{
    // Width 7 from (20, 30) to (52, 30): rows 27..33; the ends reach 3 pixels beyond the end
    // points in the middle row and narrow like a disc of radius 3.5.
    Line(7, 20, 30, 52, 30);
    std::vector<std::pair<int, int>> rows;  // 26 to 34
    for (int y = 26; y <= 34; ++y)
        rows.push_back(Extent(y, Ink));
    EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{
                        {-1, -1}, {19, 53}, {18, 54}, {17, 55}, {17, 55}, {17, 55}, {18, 54}, {19, 53}, {-1, -1}}));

    // Width 5 vertical: five columns centred on x, the end points included.
    Line(5, 40, 10, 40, 40);
    EXPECT_EQ(Row(25, 35, 46, Ink), "...#####...");
    EXPECT_EQ(Column(40, 5, 46, Ink), "..." + std::string(35, '#') + "...");
    EXPECT_EQ(Row(8, 35, 46, Ink), "....###....");

    // Even widths cover exactly that many rows or columns, the extra one above or left.
    Line(2, 10, 5, 10, 50);
    EXPECT_EQ(Row(20, 6, 14, Ink), "...##...");
    Line(6, 5, 20, 60, 20);
    EXPECT_EQ(Column(30, 14, 26, Ink), "...######...");

    // Two LineTo calls meet in a round join: the outer corner is cut like a disc of radius 2.5.
    Reset(80, 60);
    CPen pen(PS_SOLID, 5, Ink);
    m_dc.SelectObject(&pen);
    m_dc.MoveTo(10, 20);
    m_dc.LineTo(40, 20);
    m_dc.LineTo(40, 50);
    EXPECT_EQ(At(42, 19), Ink);
    EXPECT_EQ(At(41, 18), Ink);
    EXPECT_NE(At(42, 18), Ink);
    EXPECT_EQ(Row(18, 36, 44, Ink), "######..");
}

TEST_F(LinesTest, DashDotRunsNineSixThreeSixWithGapsInTheBackgroundColour)
{
    const COLORREF gap = Rgb(128, 128, 128);
    CPen pen(PS_DASHDOT, 1, Ink);
    m_dc.SelectObject(&pen);
    m_dc.SetBkColor(gap);
    m_dc.MoveTo(2, 5);
    m_dc.LineTo(60, 5);
    // Every pixel of the line is a dash or a gap.
    const std::string period = "#########......###......";
    EXPECT_EQ(Row(5, 2, 60, Ink), period + period + period.substr(0, 58 - 48));
    EXPECT_EQ(Tally({2, 5, 60, 6}, Ink, true) + Tally({2, 5, 60, 6}, gap, true), 58);
    EXPECT_EQ(At(60, 5), Background) << "end point left out";

    // Vertical, drawn upwards, and the pattern starts afresh with each line.
    m_dc.MoveTo(70, 40);
    m_dc.LineTo(70, 10);
    m_dc.LineTo(70, 0);
    const std::string up = Column(70, 11, 41, Ink);
    EXPECT_EQ(std::string(up.rbegin(), up.rend()), period + period.substr(0, 6));
    EXPECT_EQ(Tally({70, 11, 71, 41}, Ink, true) + Tally({70, 11, 71, 41}, gap, true), 30);
    EXPECT_EQ(At(70, 10), Ink) << "the second line starts with a dash";

    // With a transparent background the gaps keep what was there.
    Reset(80, 60);
    m_dc.SelectObject(&pen);
    m_dc.SetBkMode(TRANSPARENT);
    m_dc.MoveTo(0, 3);
    m_dc.LineTo(24, 3);
    EXPECT_EQ(Row(3, 0, 24, Ink), "#########......###......");
    EXPECT_EQ(Count(Ink) + Count(Background), 80 * 60);
}

TEST_F(LinesTest, NullPenDrawsNothingButMovesThePosition)
{
    m_dc.SelectStockObject(NULL_PEN);
    m_dc.MoveTo(1, 1);
    EXPECT_TRUE(m_dc.LineTo(50, 40));
    EXPECT_EQ(Changed(), 0);
    const CPoint position = m_dc.MoveTo(3, 4);
    EXPECT_EQ(position.x, 50) << "MoveTo returns the previous position";
    EXPECT_EQ(position.y, 40);
}
