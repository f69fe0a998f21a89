// Fonts and TextOut: cell height, extents, the opaque box and its colours.
#include <cstdint>
#include <vector>

#include "tests/dc/Canvas.h"

namespace {

constexpr COLORREF TextColour = Rgb(0, 255, 0);
constexpr COLORREF BoxColour = Rgb(96, 96, 128);

BOOL MakeFont(CFont& font, int height, const char* face = "Corrida")
{
    return font.CreateFontA(height, 0, 0, 0, FW_DONTCARE, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// True when every channel of c lies between those of a and b.
bool Between(COLORREF c, COLORREF a, COLORREF b)
{
    auto within = [](int v, int x, int y) { return v >= std::min(x, y) && v <= std::max(x, y); };
    return within(GetRed(c), GetRed(a), GetRed(b)) && within(GetGreen(c), GetGreen(a), GetGreen(b)) &&
           within(GetBlue(c), GetBlue(a), GetBlue(b));
}

}  // namespace

class TextTest : public DcTest {};

TEST_F(TextTest, ExtentIsTheAdvanceSumAndTheCellHeight)
{
    for (int height : {20, 22, 26, 40}) {
        CFont font;
        ASSERT_TRUE(MakeFont(font, height)) << "no sans-serif face found by fontconfig";
        m_dc.SelectObject(&font);
        const CSize a = m_dc.GetTextExtent("A");
        const CSize ab = m_dc.GetTextExtent("Ab");
        EXPECT_EQ(ab.cy, height);
        EXPECT_GT(a.cx, height / 4);
        EXPECT_LT(a.cx, height);
        EXPECT_EQ(ab.cx, a.cx + m_dc.GetTextExtent("b").cx) << "no kerning";
        EXPECT_EQ(m_dc.GetTextExtent("").cx, 0);
        m_dc.SelectStockObject(SYSTEM_FONT);
    }
    // Bigger fonts are wider; a negative height asks for the em size, so the cell is taller.
    CFont small, big, em;
    MakeFont(small, 20);
    MakeFont(big, 40);
    MakeFont(em, -20);
    m_dc.SelectObject(&small);
    const CSize s = m_dc.GetTextExtent("0123456789");
    m_dc.SelectObject(&big);
    EXPECT_GT(m_dc.GetTextExtent("0123456789").cx, s.cx * 3 / 2);
    m_dc.SelectObject(&em);
    EXPECT_GT(m_dc.GetTextExtent("x").cy, 20);
}

TEST_F(TextTest, TextOutFillsTheCellBoxWithTheBackgroundColourAndBlendsGlyphsOverIt)
{
    Reset(120, 60);
    CFont font;
    ASSERT_TRUE(MakeFont(font, 20));
    m_dc.SelectObject(&font);
    m_dc.SetTextColor(TextColour);
    EXPECT_EQ(m_dc.SetBkColor(BoxColour), Rgb(255, 255, 255)) << "a fresh context has a white background";
    const CSize size = m_dc.GetTextExtent("F1");
    m_dc.SetROP2(R2_MERGEPEN);  // applies to pens and brushes, not to text
    ASSERT_TRUE(m_dc.TextOut(10, 15, "F1"));

    const CRect box{10, 15, 10 + size.cx, 15 + size.cy};
    int text = 0, plain = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const COLORREF c = At(x, y);
            EXPECT_TRUE(Between(c, TextColour, BoxColour)) << x << "," << y;
            text += c == TextColour;
            plain += c == BoxColour;
        }
    EXPECT_GT(text, 20) << "solid glyph pixels";
    EXPECT_GT(plain, size.cx * size.cy / 2) << "most of the box is the background colour";
    EXPECT_EQ(Changed(box), size.cx * size.cy) << "the whole box is painted";
    EXPECT_EQ(Changed(), size.cx * size.cy) << "nothing outside the box";
    // The glyphs sit in the cell: the top row (internal leading) and the bottom rows are clear.
    EXPECT_EQ(Row(box.top, box.left, box.right, BoxColour), std::string(static_cast<std::size_t>(size.cx), '#'));

    // A transparent background leaves the box alone; the text colour still lands.
    Reset(120, 60);
    m_dc.SelectObject(&font);
    m_dc.SetTextColor(TextColour);
    m_dc.SetBkColor(BoxColour);
    m_dc.SetBkMode(TRANSPARENT);
    m_dc.TextOut(10, 15, "F1");
    EXPECT_EQ(Count(BoxColour), 0);
    EXPECT_GT(Count(TextColour), 20);
}

TEST_F(TextTest, WhileAListIsSetEveryTextOutAddsItsWholeBoxClippedOrNot)
{
    CFont font;
    ASSERT_TRUE(MakeFont(font, 22));
    m_dc.SelectObject(&font);
    const CSize size = m_dc.GetTextExtent("Wig");
    m_dc.IntersectClipRect(0, 0, 10, 10);
    std::vector<CRect> boxes;
    SetTextBoxLog(&boxes);
    m_dc.TextOut(3, 4, "Wig");
    m_dc.TextOut(-50, 70, "Wig");
    SetTextBoxLog(nullptr);
    m_dc.TextOut(5, 5, "Wig");
    EXPECT_EQ(boxes, (std::vector<CRect>{{3, 4, 3 + size.cx, 4 + size.cy}, {-50, 70, -50 + size.cx, 70 + size.cy}}));
}

TEST_F(TextTest, FontsFallBackAndSameArgumentsGiveTheSameFace)
{
    // What a font writes in the text colour on a clean field.
    const auto drawn = [this](CFont& font) {
        m_dc.FillSolidRect(Whole(), Background);
        m_dc.SelectObject(&font);
        m_dc.SetBkMode(TRANSPARENT);
        m_dc.SetTextColor(TextColour);
        m_dc.TextOut(2, 2, "Wig 42");
        m_dc.SelectStockObject(SYSTEM_FONT);
        const auto pixels = m_bitmap.GetPixels();
        return std::vector<std::uint32_t>(pixels.begin(), pixels.end());
    };
    CFont a, b, unknown, none;
    ASSERT_TRUE(MakeFont(a, 26));
    ASSERT_TRUE(MakeFont(b, 26));
    EXPECT_EQ(drawn(a), drawn(b));
    EXPECT_GT(Count(TextColour), 20);
    // A face that does not exist, or none asked for, falls back to one that writes.
    ASSERT_TRUE(MakeFont(unknown, 26, "No Such Face 12345"));
    drawn(unknown);
    EXPECT_GT(Count(TextColour), 20);
    ASSERT_TRUE(MakeFont(none, 26, nullptr));
    drawn(none);
    EXPECT_GT(Count(TextColour), 20);
    EXPECT_FALSE(MakeFont(a, 26)) << "an object holds one font until it is deleted";
    // Wild sizes are clamped, not fatal.
    CFont huge, tiny;
    EXPECT_TRUE(MakeFont(huge, 1 << 30));
    EXPECT_TRUE(MakeFont(tiny, -1));
    m_dc.SelectObject(&huge);
    EXPECT_GT(m_dc.GetTextExtent("W").cy, 0);
    EXPECT_TRUE(m_dc.TextOut(-5, -5, "W"));
}
