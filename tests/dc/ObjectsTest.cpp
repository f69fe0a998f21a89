// Selecting drawing objects: each selection hands back the object selected before.
#include <utility>

#include "tests/dc/Canvas.h"

// A COLORREF is 0x00BBGGRR, as in GDI; a pixel of a bitmap is 0x00RRGGBB.
static_assert(Rgb(0x12, 0x34, 0x56) == 0x00563412u);
static_assert(PixelFromColor(Rgb(0x12, 0x34, 0x56)) == 0x00123456u);
static_assert(ColorFromPixel(0x00123456u) == Rgb(0x12, 0x34, 0x56));
static_assert(GetRed(Rgb(1, 2, 3)) == 1 && GetGreen(Rgb(1, 2, 3)) == 2 && GetBlue(Rgb(1, 2, 3)) == 3);

class ObjectsTest : public DcTest {};

TEST_F(ObjectsTest, SelectReturnsThePreviousObjectOfTheSameKind)
{
    CDC dc;
    CGdiObject* stockPen = dc.GetCurrentObject(OBJ_PEN);
    CGdiObject* stockBrush = dc.GetCurrentObject(OBJ_BRUSH);
    CGdiObject* stockFont = dc.GetCurrentObject(OBJ_FONT);
    ASSERT_NE(stockPen, nullptr);
    ASSERT_NE(stockBrush, nullptr);

    CPen red(PS_SOLID, 3, Rgb(255, 0, 0)), blue(PS_SOLID, 1, Rgb(0, 0, 255));
    CBrush brush(Rgb(1, 2, 3));
    CFont font;
    font.CreateFontA(22, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, DEFAULT_PITCH | FF_SWISS, "Corrida");

    EXPECT_EQ(dc.SelectObject(&red), stockPen);
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_EQ(dc.SelectStockObject(NULL_PEN), &blue);
    CGdiObject* nullPen = dc.GetCurrentObject(OBJ_PEN);
    EXPECT_EQ(dc.SelectObject(static_cast<CGdiObject*>(&red)), nullPen);
    EXPECT_EQ(dc.SelectObject(static_cast<CGdiObject*>(&blue)), &red);
    EXPECT_EQ(dc.SelectObject(&red), &blue);
    EXPECT_EQ(dc.SelectObject(&brush), stockBrush);
    EXPECT_EQ(dc.SelectObject(&font), stockFont);
    EXPECT_EQ(dc.GetCurrentObject(OBJ_FONT), &font);
    EXPECT_EQ(dc.SelectStockObject(WHITE_BRUSH), &brush);
    EXPECT_EQ(dc.SelectStockObject(12345), nullptr);

    // An object never created cannot be selected; the current one stays.
    CPen empty;
    EXPECT_EQ(dc.SelectObject(&empty), nullptr);
    EXPECT_EQ(dc.GetCurrentObject(OBJ_PEN), &red);

    // The bitmap slot works the same way, and is what the context draws into.
    CBitmap one, two;
    one.CreateBitmap(4, 4);
    two.CreateBitmap(4, 4);
    CBitmap* original = dc.SelectObject(&one);
    EXPECT_NE(original, nullptr);
    EXPECT_EQ(dc.SelectObject(&two), &one);
    dc.SetPixel(1, 1, Rgb(9, 9, 9));
    EXPECT_EQ(two.GetPixels()[5], PixelFromColor(Rgb(9, 9, 9)));
    EXPECT_EQ(one.GetPixels()[5], 0u);
    EXPECT_EQ(dc.SelectObject(original), &two);
}

TEST_F(ObjectsTest, AFreshContextDrawsWithABlackOnePixelPenAndAWhiteBrush)
{
    m_dc.Ellipse(10, 10, 31, 31);
    EXPECT_EQ(Row(20, 9, 32, Rgb(0, 0, 0)), ".#...................#.");
    EXPECT_EQ(Row(20, 9, 32, Rgb(255, 255, 255)), "..###################..");
}

TEST_F(ObjectsTest, SelectedObjectsCannotBeDeletedAndOutliveTheirWrappers)
{
    CPen pen(PS_SOLID, 1, Rgb(255, 0, 0));
    CPen* old = m_dc.SelectObject(&pen);
    EXPECT_FALSE(pen.DeleteObject()) << "still selected";
    m_dc.SelectObject(old);
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_FALSE(pen.IsCreated());
    EXPECT_TRUE(pen.CreatePen(PS_SOLID, 1, Rgb(0, 0, 255)));
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, Rgb(0, 0, 255))) << "delete before making anew";
    for (const int style : {PS_SOLID - 1, PS_NULL + 1})
        EXPECT_FALSE(CPen().CreatePen(style, 1, 0)) << "unknown style " << style;

    // A pen destroyed while selected keeps drawing, and is never handed back.
    {
        CPen temporary(PS_SOLID, 1, Rgb(0, 200, 0));
        m_dc.SelectObject(&temporary);
    }
    m_dc.MoveTo(0, 0);
    m_dc.LineTo(5, 0);
    EXPECT_EQ(At(4, 0), Rgb(0, 200, 0));
    EXPECT_EQ(m_dc.GetCurrentObject(OBJ_PEN), nullptr);
    EXPECT_EQ(m_dc.SelectObject(&pen), nullptr);

    // Moving a selected object moves what the context hands back.
    CBrush first(Rgb(1, 1, 1));
    m_dc.SelectObject(&first);
    CBrush moved(std::move(first));
    EXPECT_EQ(m_dc.GetCurrentObject(OBJ_BRUSH), &moved);
    EXPECT_FALSE(first.IsCreated());

    // Stock objects stay.
    CGdiObject* stock = m_dc.SelectStockObject(BLACK_PEN);
    EXPECT_EQ(stock, &pen);
    EXPECT_FALSE(m_dc.GetCurrentObject(OBJ_PEN)->DeleteObject());

    // DeleteDC puts a fresh context's objects and attributes back: each setter hands back the
    // default it replaces.
    m_dc.SetROP2(R2_MERGEPEN);
    m_dc.SetTextColor(Rgb(1, 2, 3));
    m_dc.SetBkColor(Rgb(4, 5, 6));
    m_dc.SetBkMode(TRANSPARENT);
    m_dc.IntersectClipRect(0, 0, 1, 1);
    m_dc.MoveTo(7, 8);
    m_dc.DeleteDC();
    EXPECT_EQ(m_dc.SetROP2(R2_MERGEPEN), R2_COPYPEN);
    EXPECT_EQ(m_dc.SetTextColor(Rgb(1, 2, 3)), Rgb(0, 0, 0));
    EXPECT_EQ(m_dc.SetBkColor(Rgb(4, 5, 6)), Rgb(255, 255, 255));
    EXPECT_EQ(m_dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(m_dc.MoveTo(0, 0).x, 0);
    EXPECT_EQ(m_dc.GetCurrentObject(OBJ_BRUSH), m_dc.SelectStockObject(WHITE_BRUSH));
    EXPECT_TRUE(m_bitmap.DeleteObject()) << "DeleteDC let go of the bitmap";
}
