// Ellipses, polygons and the merge raster operation on fills and lines.
#include <cmath>
#include <vector>

#include "tests/dc/Canvas.h"

namespace {

constexpr COLORREF Outline = Rgb(0, 255, 0);
constexpr COLORREF Inside = Rgb(240, 255, 240);

// The arc points of the game's figures: n points from start - 4 degrees, sweep + 8 degrees.
void AddArc(std::vector<CPoint>& points, int cx, int cy, int r, double start, double sweep, int n)
{
    const double degree = 0.017453292222222222;
    for (int i = 0; i < n; ++i) {
        const double a = (start - 4 + i * (sweep + 8) / (n - 1)) * degree;
        points.push_back({static_cast<int>(cx + r * std::cos(a)), static_cast<int>(cy + r * std::sin(a))});
    }
}

}  // namespace

class ShapesTest : public DcTest {
protected:
    void Circle(int penStyle, int penWidth, int l, int t, int r, int b)
    {
        CPen pen(penStyle, penWidth, Outline);
        CBrush brush(Inside);
        CPen* oldPen = m_dc.SelectObject(&pen);
        CBrush* oldBrush = m_dc.SelectObject(&brush);
        m_dc.Ellipse(l, t, r, b);
        m_dc.SelectObject(oldPen);
        m_dc.SelectObject(oldBrush);
    }
};

TEST_F(ShapesTest, EllipseStaysInsideItsBoxWithRightAndBottomEdgesLeftOut)
{
    Circle(PS_SOLID, 1, 10, 10, 21, 21);  // 11 x 11 box: columns and rows 10..20
    EXPECT_EQ(Row(15, 8, 23, Outline), "..#.........#..");
    EXPECT_EQ(Row(15, 8, 23, Inside), "...#########...");
    EXPECT_EQ(Column(15, 8, 23, Outline), "..#.........#..");
    EXPECT_EQ(Changed({21, 0, 80, 60}) + Changed({0, 21, 21, 60}), 0);
    // Round, not square: every pixel within 4.5 of the centre (15, 15) is drawn, none beyond 5.5.
    for (int y = 8; y < 23; ++y) {
        for (int x = 8; x < 23; ++x) {
            const double d = std::hypot(x - 15, y - 15);
            if (d < 4.5) {
                EXPECT_NE(At(x, y), Background) << x << ", " << y;
            } else if (d > 5.5) {
                EXPECT_EQ(At(x, y), Background) << x << ", " << y;
            }
        }
    }

    Reset(80, 60);
    Circle(PS_SOLID, 0, 10, 10, 20, 20);  // even box: columns 10..19, centre between 14 and 15
    EXPECT_EQ(Row(14, 8, 22, Outline), "..#........#..");
    EXPECT_EQ(Row(15, 8, 22, Outline), "..#........#..");

    // A box one pixel wide holds a line down its column.
    Reset(80, 60);
    Circle(PS_SOLID, 1, 30, 10, 31, 21);
    EXPECT_GT(Changed({30, 10, 31, 21}), 5);
    EXPECT_EQ(Changed(), Changed({30, 10, 31, 21}));

    // Without a pen the interior alone is one pixel smaller on the right and at the bottom.
    Reset(80, 60);
    CBrush brush(Inside);
    m_dc.SelectObject(&brush);
    m_dc.SelectStockObject(NULL_PEN);
    m_dc.Ellipse(10, 10, 21, 21);
    EXPECT_EQ(Row(15, 8, 23, Inside), "..##########...");
    EXPECT_EQ(Column(15, 8, 23, Inside), "..##########...");
    EXPECT_EQ(Count(Outline), 0);
}

TEST_F(ShapesTest, WidePenOutlineIsCentredOnTheInscribedEllipse)
{
    // The game's circle at (200, 200), radius 30.5: box (169, 169)-(230, 230), pen width 5. The
    // path has centre 199 and radius 30; the pen covers 27.5 < d <= 32.5 around it.
    Reset(260, 260);
    Circle(PS_SOLID, 5, 169, 169, 230, 230);
    EXPECT_EQ(Extent(199, Outline), std::make_pair(167, 231));
    EXPECT_EQ(Extent(199, Inside), std::make_pair(172, 226));
    EXPECT_EQ(Row(199, 165, 175, Outline), "..#####...");
    EXPECT_EQ(Column(199, 165, 175, Outline), "..#####...");
    EXPECT_NE(Extent(167, Outline).first, -1);
    EXPECT_EQ(Extent(166, Outline), std::make_pair(-1, -1));
    EXPECT_EQ(Extent(232, Outline), std::make_pair(-1, -1));

    // Radius 20 at (420, 310): box (400, 290)-(440, 330), width 4: centre 419.5, radius 19.5.
    Reset(460, 340);
    Circle(PS_SOLID, 4, 400, 290, 440, 330);
    EXPECT_EQ(Row(310, 434, 443, Outline), "...####..");
    EXPECT_EQ(Row(310, 434, 443, Inside), "###......");
    EXPECT_EQ(Extent(310, Outline), std::make_pair(399, 440));
}

TEST_F(ShapesTest, PolygonFillsByTheAlternateRuleWithoutRightAndBottomEdges)
{
    CBrush brush(Inside);
    auto fillOn = [&](int width, int height) {
        Reset(width, height);
        m_dc.SelectStockObject(NULL_PEN);
        m_dc.SelectObject(&brush);
    };
    fillOn(80, 60);
    const CPoint square[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    m_dc.Polygon(square, 4);
    EXPECT_EQ(Count(Inside), 100);
    EXPECT_EQ(Row(10, 9, 22, Inside), ".##########..");
    EXPECT_EQ(Column(15, 9, 22, Inside), ".##########..");

    // With a pen every edge is outlined, the closing one too, and a hollow brush leaves the
    // inside as it was.
    Reset(80, 60);
    CPen pen(PS_SOLID, 1, Outline);
    m_dc.SelectObject(&pen);
    m_dc.SelectStockObject(NULL_BRUSH);
    m_dc.Polygon(square, 4);
    EXPECT_EQ(Row(10, 9, 22, Outline), ".###########.");
    EXPECT_EQ(Row(20, 9, 22, Outline), ".###########.");
    EXPECT_EQ(Column(10, 9, 22, Outline), ".###########.");
    EXPECT_EQ(Column(20, 9, 22, Outline), ".###########.");
    EXPECT_EQ(Count(Outline), 40);
    EXPECT_EQ(Count(Background), 80 * 60 - 40);

    // A five-pointed star: the alternate rule leaves its centre empty.
    fillOn(80, 60);
    std::vector<CPoint> star;
    for (int k = 0; k < 5; ++k) {
        const double a = (-90 + k * 144) * 0.017453292519943295;
        star.push_back({40 + static_cast<int>(std::lround(25 * std::cos(a))),
                        30 + static_cast<int>(std::lround(25 * std::sin(a)))});
    }
    m_dc.Polygon(star.data(), 5);
    EXPECT_NE(At(40, 30), Inside);
    EXPECT_EQ(At(40, 10), Inside);  // a point of the star

    // The score plate of the game's display on a 704-wide field: two half discs of 8 points.
    fillOn(704, 40);
    std::vector<CPoint> plate;
    AddArc(plate, 684, 20, 15, -90, 180, 8);
    AddArc(plate, 614, 20, 15, 90, 180, 8);
    m_dc.Polygon(plate.data(), static_cast<int>(plate.size()));
    // First filled x of rows 4 to 34, as Windows fills them (-1: none, the bottom edge left out).
    const int firstX[] = {-1,  615, 608, 607, 605, 604, 602, 602, 601, 601, 600, 600, 599, 599, 599, 599,
                          599, 599, 599, 599, 600, 600, 601, 601, 602, 602, 604, 605, 607, 608, -1};
    for (int y = 4; y <= 34; ++y)
        EXPECT_EQ(Extent(y, Inside).first, firstX[y - 4]) << "row " << y;
    EXPECT_EQ(Extent(20, Inside).second, 697) << "right edge left out";
}

TEST_F(ShapesTest, MergePenOrsThePenOrBrushIntoFillsAndLines)
{
    const COLORREF figure = Rgb(96, 96, 128);
    const COLORREF merged = Rgb(16 | 96, 32 | 96, 48 | 128);
    CBrush brush(figure);
    m_dc.SelectObject(&brush);
    m_dc.SelectStockObject(NULL_PEN);
    EXPECT_EQ(m_dc.SetROP2(R2_MERGEPEN), R2_COPYPEN);
    const CPoint quad[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    m_dc.Polygon(quad, 4);
    m_dc.Ellipse(20, 0, 31, 11);
    CPen wide(PS_SOLID, 5, figure);
    CPen thin(PS_SOLID, 1, figure);
    m_dc.SelectObject(&wide);
    m_dc.MoveTo(40, 5);
    m_dc.LineTo(60, 5);
    m_dc.LineTo(60, 20);  // overlaps the first line at the join: OR twice is OR once
    m_dc.SelectObject(&thin);
    m_dc.MoveTo(0, 30);
    m_dc.LineTo(30, 30);
    EXPECT_EQ(At(5, 5), merged);
    EXPECT_EQ(At(25, 5), merged);
    EXPECT_EQ(At(50, 5), merged);
    EXPECT_EQ(At(60, 5), merged);
    EXPECT_EQ(At(10, 30), merged);
    EXPECT_EQ(Count(figure), 0) << "nothing copied the colour over the background";

    // Over what a merge already lightened, copy puts the plain colour back.
    m_dc.SetROP2(R2_COPYPEN);
    m_dc.SelectStockObject(NULL_PEN);
    m_dc.Polygon(quad, 4);
    EXPECT_EQ(At(5, 5), figure);
    EXPECT_EQ(m_dc.SetROP2(0), 0) << "an unknown mode is refused";
    EXPECT_EQ(m_dc.SetROP2(R2_COPYPEN), R2_COPYPEN);
}

TEST_F(ShapesTest, EveryRasterOperationCombinesTheScreenAndThePenBitByBit)
{
    const COLORREF d = Rgb(0x12, 0x34, 0x56), p = Rgb(0xF0, 0x0F, 0x5A);
    const COLORREF all = 0xFFFFFF;
    const std::vector<std::pair<int, COLORREF>> cases = {{R2_BLACK, 0},
                                                         {R2_NOTMERGEPEN, ~(d | p)},
                                                         {R2_MASKNOTPEN, d & ~p},
                                                         {R2_NOTCOPYPEN, ~p},
                                                         {R2_MASKPENNOT, p & ~d},
                                                         {R2_NOT, ~d},
                                                         {R2_XORPEN, d ^ p},
                                                         {R2_NOTMASKPEN, ~(d & p)},
                                                         {R2_MASKPEN, d & p},
                                                         {R2_NOTXORPEN, ~(d ^ p)},
                                                         {R2_NOP, d},
                                                         {R2_MERGENOTPEN, d | ~p},
                                                         {R2_COPYPEN, p},
                                                         {R2_MERGEPENNOT, p | ~d},
                                                         {R2_MERGEPEN, d | p},
                                                         {R2_WHITE, all}};
    CPen pen(PS_SOLID, 1, p);
    for (const auto& [rop, wanted] : cases) {
        m_dc.SetPixel(1, 1, d);
        m_dc.SelectObject(&pen);
        m_dc.SetROP2(rop);
        m_dc.MoveTo(1, 1);
        m_dc.LineTo(2, 1);
        m_dc.SetROP2(R2_COPYPEN);
        m_dc.SelectStockObject(BLACK_PEN);
        EXPECT_EQ(At(1, 1), wanted & all) << rop;
    }
}
