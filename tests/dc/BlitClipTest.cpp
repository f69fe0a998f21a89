// StretchBlt and BitBlt, the clip rectangle, and safety with wild coordinates or no bitmap.
#include <climits>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/dc/Canvas.h"

namespace {

constexpr COLORREF Red = Rgb(255, 0, 0), Green = Rgb(0, 255, 0), Blue = Rgb(0, 0, 255), White = Rgb(255, 255, 255);

}  // namespace

class BlitClipTest : public DcTest {
protected:
    // A source context with a 3 x 2 picture: R G B / W R G.
    void SetUp() override
    {
        DcTest::SetUp();
        m_srcBitmap.CreateBitmap(3, 2);
        m_src.SelectObject(&m_srcBitmap);
        const COLORREF colours[] = {Red, Green, Blue, White, Red, Green};
        for (int i = 0; i < 6; ++i)
            m_src.SetPixel(i % 3, i / 3, colours[i]);
    }

    // Row y from x0 to x1 - 1 in letters: R, G, B, W for the source's colours, '.' for others.
    std::string Letters(int y, int x0, int x1) const
    {
        std::string s;
        for (int x = x0; x < x1; ++x)
            s += At(x, y) == Red     ? 'R'
                 : At(x, y) == Green ? 'G'
                 : At(x, y) == Blue  ? 'B'
                 : At(x, y) == White ? 'W'
                                     : '.';
        return s;
    }

    // Draws a bit of everything with a brush, pens and text, in the given colour.
    void DrawEverything(COLORREF colour, int x, int y)
    {
        CPen wide(PS_SOLID, 9, colour), thin(PS_DASHDOT, 1, colour);
        CBrush brush(colour);
        CFont font;
        font.CreateFontA(40, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Corrida");
        m_dc.SelectObject(&brush);
        m_dc.SelectObject(&font);
        m_dc.SelectObject(&wide);
        m_dc.MoveTo(x - 100, y);
        m_dc.LineTo(x + 100, y + 30);
        m_dc.SelectObject(&thin);
        m_dc.LineTo(x, y - 100);
        m_dc.Ellipse(x - 60, y - 60, x + 60, y + 60);
        const CPoint tri[] = {{x - 90, y + 80}, {x + 90, y}, {x, y - 90}};
        m_dc.Polygon(tri, 3);
        m_dc.SetBkColor(colour);
        m_dc.TextOut(x - 30, y - 10, "Wg");
        m_dc.StretchBlt(x - 70, y - 70, 140, 140, &m_src, 0, 0, 3, 2, SRCCOPY);
        m_dc.SelectStockObject(BLACK_PEN);
        m_dc.SelectStockObject(WHITE_BRUSH);
        m_dc.SelectStockObject(SYSTEM_FONT);
    }

    CBitmap m_srcBitmap;
    CDC m_src;
};

TEST_F(BlitClipTest, StretchSamplesUnderCentresAndShrinksByAnd)
{
    ASSERT_TRUE(m_dc.StretchBlt(10, 10, 6, 4, &m_src, 0, 0, 3, 2, SRCCOPY));
    for (int y = 10; y < 14; ++y)
        EXPECT_EQ(Letters(y, 9, 17), y < 12 ? ".RRGGBB." : ".WWRRGG.") << y;
    EXPECT_EQ(Changed(), 24);

    // 3 -> 7 columns: destination i takes the source pixel under its centre, (2 i + 1) 3 / 14:
    // 0 0 1 1 1 2 2. 2 -> 3: the middle centre lies on the border, and the first pixel takes it.
    Reset(80, 60);
    m_dc.StretchBlt(0, 0, 7, 1, &m_src, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(Letters(0, 0, 8), "RRGGGBB.");
    Reset(80, 60);
    m_dc.StretchBlt(0, 0, 3, 1, &m_src, 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(Letters(0, 0, 4), "RRG.");

    // Shrinking 3 -> 2 gives source columns 0 and 1 to the first pixel, 2 to the second (source
    // i to destination (2 i + 0) / 3), and ANDs them (red and green: black).
    Reset(80, 60);
    m_dc.StretchBlt(0, 0, 2, 1, &m_src, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(At(0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(Letters(0, 1, 3), "B.");
    // Rows alike: a column of yellow, cyan and blue shrunk to two rows.
    CBitmap columnBitmap;
    columnBitmap.CreateBitmap(1, 3);
    CDC column;
    column.SelectObject(&columnBitmap);
    const COLORREF shades[] = {Rgb(255, 255, 0), Rgb(0, 255, 255), Blue};
    for (int y = 0; y < 3; ++y)
        column.SetPixel(0, y, shades[y]);
    Reset(80, 60);
    m_dc.StretchBlt(0, 0, 1, 2, &column, 0, 0, 1, 3, SRCCOPY);
    EXPECT_EQ(At(0, 0), Green);
    EXPECT_EQ(At(0, 1), Blue);

    // Opposite signs mirror; a negative width covers x + width + 1 to x.
    Reset(80, 60);
    m_dc.StretchBlt(3, 0, -3, 1, &m_src, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(Letters(0, 0, 5), ".BGR.");
    Reset(80, 60);
    m_dc.StretchBlt(0, 0, 3, 1, &m_src, 2, 0, -3, 1, SRCCOPY);
    EXPECT_EQ(Letters(0, 0, 4), "BGR.");

    // A shrink whose source reaches past the bitmap combines the pixels that are there, and
    // leaves alone what would take nothing but pixels beyond it: columns 1..6 to three (green
    // and blue: black), rows 0..5 to three (red and white: red).
    Reset(80, 60);
    m_dc.StretchBlt(0, 0, 3, 1, &m_src, 1, 0, 6, 1, SRCCOPY);
    EXPECT_EQ(At(0, 0), Rgb(0, 0, 0));
    EXPECT_EQ(Letters(0, 1, 4), "...");
    m_dc.StretchBlt(5, 0, 1, 3, &m_src, 0, 0, 1, 6, SRCCOPY);
    EXPECT_EQ(Letters(0, 5, 6) + Letters(1, 5, 6) + Letters(2, 5, 6), "R..");

    // Nothing of no width or height is copied, nor into no width or height.
    Reset(80, 60);
    for (const auto& [w, h, sw, sh] : {std::tuple{6, 4, 0, 2}, {6, 4, 3, 0}, {0, 4, 3, 2}, {6, 0, 3, 2}})
        EXPECT_TRUE(m_dc.StretchBlt(10, 10, w, h, &m_src, 1, 1, sw, sh, SRCCOPY));
    EXPECT_EQ(Changed(), 0);

    // Only SRCCOPY, and a source is needed.
    EXPECT_FALSE(m_dc.StretchBlt(0, 0, 3, 1, &m_src, 0, 0, 3, 1, 0x00EE0086));
    EXPECT_FALSE(m_dc.StretchBlt(0, 0, 3, 1, nullptr, 0, 0, 3, 1, SRCCOPY));
}

TEST_F(BlitClipTest, BitBltCopiesOneToOneAndSkipsWhatLiesOutsideTheSource)
{
    ASSERT_TRUE(m_dc.BitBlt(5, 5, 10, 10, &m_src, 1, 0, SRCCOPY));
    EXPECT_EQ(Letters(5, 4, 8) + Letters(6, 4, 8), ".GB..RG.");
    EXPECT_EQ(Changed(), 4) << "only the 2 x 2 pixels that exist in the source";
    // A shrink alike: of the source rows -2 to 1 only 0 and 1 exist, so only the second row of
    // the two is drawn (by AND: black).
    Reset(80, 60);
    m_dc.StretchBlt(5, 5, 2, 2, &m_src, 0, -2, 3, 4, SRCCOPY);
    EXPECT_EQ(Changed(), 2);
    EXPECT_EQ(Row(6, 4, 8, Rgb(0, 0, 0)), ".##.");

    // Within one bitmap, overlapping areas copy as if from a snapshot.
    Reset(80, 60);
    for (int x = 0; x < 10; ++x)
        m_dc.SetPixel(x, 0, Rgb(x, 0, 0));
    m_dc.BitBlt(2, 0, 10, 1, &m_dc, 0, 0, SRCCOPY);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(At(x + 2, 0), Rgb(x, 0, 0));
}

TEST_F(BlitClipTest, ACopyFromABitmapShowsWhatWasStretchedIntoItJustBefore)
{
    // The source enlarged three times into a bitmap of its own, then part of that copied here,
    // each time straight after the enlargement: one to one, and shrunk (three greens give green).
    CBitmap bigBitmap;
    bigBitmap.CreateBitmap(9, 6);
    CDC big;
    big.SelectObject(&bigBitmap);
    auto enlarge = [&] {
        big.FillSolidRect(CRect{0, 0, 9, 6}, Blue);
        big.StretchBlt(0, 0, 9, 6, &m_src, 0, 0, 3, 2, SRCCOPY);
    };
    enlarge();
    m_dc.BitBlt(10, 10, 6, 3, &big, 0, 3, SRCCOPY);
    EXPECT_EQ(Letters(10, 10, 16) + Letters(12, 10, 16), "WWWRRRWWWRRR");
    enlarge();
    m_dc.StretchBlt(20, 20, 1, 1, &big, 3, 0, 3, 3, SRCCOPY);
    EXPECT_EQ(At(20, 20), Green);
}

TEST_F(BlitClipTest, ClipBoxConfinesEveryKindOfDrawing)
{
    CRect box;
    EXPECT_EQ(m_dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, (CRect{0, 0, 80, 60}));
    EXPECT_EQ(m_dc.IntersectClipRect(20, 15, 50, 45), SIMPLEREGION);
    EXPECT_EQ(m_dc.IntersectClipRect(CRect{10, 10, 45, 40}), SIMPLEREGION);
    m_dc.GetClipBox(&box);
    EXPECT_EQ(box, (CRect{20, 15, 45, 40}));

    DrawEverything(Red, 32, 27);
    EXPECT_EQ(Changed(), Changed(box)) << "nothing outside the clip box";
    EXPECT_EQ(Changed(box), box.Width() * box.Height()) << "everything inside was drawn over";

    // Removing the clip opens the whole bitmap again; a clip beside the bitmap leaves nothing.
    CRgn region;
    EXPECT_EQ(m_dc.SelectClipRgn(&region), RGN_ERROR) << "a region never created";
    EXPECT_EQ(m_dc.SelectClipRgn(nullptr), SIMPLEREGION);
    m_dc.GetClipBox(&box);
    EXPECT_EQ(box, (CRect{0, 0, 80, 60}));
    EXPECT_EQ(m_dc.IntersectClipRect(100, 100, 200, 200), NULLREGION);
    Reset(80, 60);
    m_dc.IntersectClipRect(100, 100, 200, 200);
    DrawEverything(Green, 40, 30);
    EXPECT_EQ(Changed(), 0);
    EXPECT_EQ(m_dc.GetPixel(1, 1), CLR_INVALID) << "GetPixel reads only inside the clip";
    region.CreateRectRgn(70, 50, 90, 90);
    EXPECT_EQ(m_dc.SelectClipRgn(&region), SIMPLEREGION);
    DrawEverything(Green, 75, 55);
    EXPECT_EQ(Changed(), Changed({70, 50, 80, 60}));
    EXPECT_GT(Changed(), 0);
}

TEST_F(BlitClipTest, WildCoordinatesNeverWriteOutsideTheBitmapOrClip)
{
    m_dc.IntersectClipRect(1, 1, 79, 59);
    const int wild[] = {INT_MIN, INT_MIN / 2, -100000, -1, 0, 40, 79, 80, 100000, INT_MAX / 2, INT_MAX};
    CPen pens[] = {CPen(PS_SOLID, 1, Red), CPen(PS_DASHDOT, 1, Red), CPen(PS_SOLID, 7, Red)};
    CBrush brush(Red);
    m_dc.SelectObject(&brush);
    CFont font;
    font.CreateFontA(20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Corrida");
    m_dc.SelectObject(&font);
    m_dc.SetBkColor(Red);
    for (CPen& pen : pens) {
        m_dc.SelectObject(&pen);
        for (int a : wild)
            for (int b : wild) {
                m_dc.MoveTo(a, b);
                m_dc.LineTo(b, a);
                m_dc.LineTo(a, 40);
                m_dc.Ellipse(a, b, b, 40);
                const CPoint poly[] = {{a, b}, {b, 40}, {40, a}, {b, b}};
                m_dc.Polygon(poly, 4);
                m_dc.TextOut(a, b, "Wg");
                m_dc.StretchBlt(a, b, b, a, &m_src, a, b, 3, 2, SRCCOPY);
                m_dc.StretchBlt(0, 0, 80, 60, &m_src, a, b, b, a, SRCCOPY);
                m_dc.BitBlt(a, 40, b, 5, &m_src, b, a, SRCCOPY);
            }
    }
    EXPECT_GT(Changed(), 0);
    EXPECT_EQ(Changed(), Changed({1, 1, 79, 59})) << "nothing outside the clip";
    EXPECT_FALSE(m_dc.Polygon(nullptr, 5));
    const CPoint one[] = {{1, 1}};
    EXPECT_FALSE(m_dc.Polygon(one, 1));
    EXPECT_FALSE(m_dc.Polygon(one, -3));
}

TEST_F(BlitClipTest, WithoutABitmapOrWithAnEmptyOneDrawingDoesNothing)
{
    // No bitmap selected, then bitmaps of no pixels at all: drawing succeeds and changes nothing.
    for (const CSize size : {CSize{-1, -1}, CSize{0, 0}, CSize{5, 0}, CSize{0, 5}}) {
        CDC dc;
        CBitmap empty;
        if (size.cx >= 0) {
            ASSERT_TRUE(empty.CreateBitmap(size.cx, size.cy));
            dc.SelectObject(&empty);
        }
        CRect box{1, 2, 3, 4};
        EXPECT_EQ(dc.GetClipBox(&box), NULLREGION);
        EXPECT_EQ(box, CRect{});
        dc.MoveTo(0, 0);
        EXPECT_TRUE(dc.LineTo(10, 10));
        EXPECT_TRUE(dc.Ellipse(0, 0, 10, 10));
        const CPoint tri[] = {{0, 0}, {10, 0}, {0, 10}};
        EXPECT_TRUE(dc.Polygon(tri, 3));
        EXPECT_TRUE(dc.TextOut(0, 0, "x"));
        dc.FillSolidRect({0, 0, 5, 5}, Red);
        EXPECT_EQ(dc.SetPixel(0, 0, Red), CLR_INVALID);
        EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
        EXPECT_FALSE(m_dc.BitBlt(0, 0, 5, 5, &dc, 0, 0, SRCCOPY)) << "nothing to copy from";
        EXPECT_FALSE(dc.BitBlt(0, 0, 5, 5, &m_dc, 0, 0, SRCCOPY)) << "nowhere to copy to";
    }
    CBitmap bad;
    EXPECT_FALSE(bad.CreateBitmap(-1, 5));
    EXPECT_FALSE(bad.CreateBitmap(5, -1));
    EXPECT_FALSE(bad.CreateBitmap(1 << 20, 1 << 20)) << "too many pixels";
    EXPECT_FALSE(bad.IsCreated());
    EXPECT_TRUE(bad.CreateBitmap(1 << 13, 1 << 13)) << "CBitmap::MaxPixels, 256 MiB, is not too many";

    EXPECT_EQ(Changed(), 0);
}
