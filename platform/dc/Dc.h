// The device context the game draws with, in the shape of GDI and MFC's CDC: pens, brushes,
// fonts and bitmaps selected into a context that draws into a 32-bit bitmap by the Windows
// drawing rules. Two back ends implement it, the build choosing one: on Linux a software one
// (soft/: its own rasterizer, fonts through fontconfig and FreeType; see soft/Raster.cpp and
// soft/Text.cpp for the exact rules), on Windows GDI itself (gdi/).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/Win.h"

// A colour as Windows stores it: 0x00BBGGRR.
using COLORREF = std::uint32_t;
using DWORD = std::uint32_t;

// Builds a COLORREF from 0..255 components (named so that it never meets the windows.h macro).
constexpr COLORREF Rgb(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRed(COLORREF c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGreen(COLORREF c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBlue(COLORREF c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// The buffer's pixel format, 0x00RRGGBB, and the conversions from and to COLORREF.
constexpr std::uint32_t PixelFromColor(COLORREF c)
{
    return (static_cast<std::uint32_t>(GetRed(c)) << 16) | (static_cast<std::uint32_t>(GetGreen(c)) << 8) |
           static_cast<std::uint32_t>(GetBlue(c));
}
constexpr COLORREF ColorFromPixel(std::uint32_t p)
{
    return Rgb(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF));
}

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Pen styles. Widths 0 and 1 draw one-pixel lines; wider pens are solid with round ends and joins.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;

// Binary raster operations of SetROP2: the new pixel from the destination D and the pen P.
constexpr int R2_BLACK = 1;         // 0
constexpr int R2_NOTMERGEPEN = 2;   // ~(D | P)
constexpr int R2_MASKNOTPEN = 3;    // D & ~P
constexpr int R2_NOTCOPYPEN = 4;    // ~P
constexpr int R2_MASKPENNOT = 5;    // P & ~D
constexpr int R2_NOT = 6;           // ~D
constexpr int R2_XORPEN = 7;        // D ^ P
constexpr int R2_NOTMASKPEN = 8;    // ~(D & P)
constexpr int R2_MASKPEN = 9;       // D & P
constexpr int R2_NOTXORPEN = 10;    // ~(D ^ P)
constexpr int R2_NOP = 11;          // D
constexpr int R2_MERGENOTPEN = 12;  // D | ~P
constexpr int R2_COPYPEN = 13;      // P
constexpr int R2_MERGEPENNOT = 14;  // P | ~D
constexpr int R2_MERGEPEN = 15;     // D | P
constexpr int R2_WHITE = 16;        // 1

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operation of BitBlt and StretchBlt; only the plain copy is supported.
constexpr DWORD SRCCOPY = 0x00CC0020;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// Object types of GetCurrentObject.
constexpr UINT OBJ_PEN = 1;
constexpr UINT OBJ_BRUSH = 2;
constexpr UINT OBJ_FONT = 6;
constexpr UINT OBJ_BITMAP = 7;
constexpr UINT OBJ_REGION = 8;

// Clip region results.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;

// CreateFontA arguments. Weights below FW_SEMIBOLD pick the regular face, the rest the bold one.
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr DWORD ANSI_CHARSET = 0;
constexpr DWORD DEFAULT_CHARSET = 1;
constexpr DWORD OUT_DEFAULT_PRECIS = 0;
constexpr DWORD CLIP_DEFAULT_PRECIS = 0;
constexpr DWORD DEFAULT_QUALITY = 0;
constexpr DWORD NONANTIALIASED_QUALITY = 3;
constexpr DWORD ANTIALIASED_QUALITY = 4;
constexpr DWORD DEFAULT_PITCH = 0;
constexpr DWORD FIXED_PITCH = 1;
constexpr DWORD VARIABLE_PITCH = 2;
constexpr DWORD FF_DONTCARE = 0x00;
constexpr DWORD FF_ROMAN = 0x10;
constexpr DWORD FF_SWISS = 0x20;
constexpr DWORD FF_MODERN = 0x30;
constexpr DWORD FF_SCRIPT = 0x40;
constexpr DWORD FF_DECORATIVE = 0x50;

// Diagnostics: while a list is set, every TextOut adds the box it covers, from (x, y) to the
// text's extent, before clipping. orbicle-sim reports them, so that two drawings of a frame
// can be compared outside their text. Null, the default, records nothing.
void SetTextBoxLog(std::vector<CRect>* log);

namespace dc_detail {
struct GdiState;
enum class Attribute;
struct Context;
}  // namespace dc_detail

class CDC;

// Base of every drawing object. An object is not copyable; it may be moved. Destroying an
// object that is still selected is safe: the context keeps drawing with it until another
// object takes its place, and hands back no pointer to the destroyed wrapper.
class CGdiObject {
public:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject();

    // True once a Create call has succeeded and until DeleteObject.
    bool IsCreated() const;
    // Releases what the object holds; fails (FALSE) while it is selected into a context,
    // as GDI refuses to delete a selected object. Stock objects are never deleted.
    BOOL DeleteObject();

protected:
    explicit CGdiObject(UINT type) : m_type(type) {}
    CGdiObject(CGdiObject&& other) noexcept;
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    // Takes a newly made state; fails if the object already holds one (delete it first).
    BOOL Adopt(std::shared_ptr<dc_detail::GdiState> state);

    std::shared_ptr<dc_detail::GdiState> m_state;

private:
    friend class CDC;
    friend class CStockObjects;
    UINT m_type;  // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP or OBJ_REGION
};

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(OBJ_PEN) {}
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
};

class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(OBJ_BRUSH) {}
    explicit CBrush(COLORREF crColor);
    BOOL CreateSolidBrush(COLORREF crColor);
};

// A font. The software back end chooses it with fontconfig and draws it with FreeType, caching
// fonts, faces and rendered glyphs for the whole process, so that making the same font again
// every frame costs a lookup; GDI chooses and draws its own.
class CFont : public CGdiObject {
public:
    CFont() : CGdiObject(OBJ_FONT) {}
    // A positive nHeight is the cell height (ascent plus descent) in pixels, a negative one the
    // em height, 0 a default of 16 pixels. The software back end uses only the height and the
    // face name and accepts the rest without using them: its text is always horizontal, regular,
    // upright and antialiased, at the face's own proportions, in Windows-1252, and a missing face
    // falls back as a Swiss one does. Fails when no face at all can be found or loaded.
    BOOL CreateFontA(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, DWORD bItalic,
                     DWORD bUnderline, DWORD cStrikeOut, DWORD nCharSet, DWORD nOutPrecision, DWORD nClipPrecision,
                     DWORD nQuality, DWORD nPitchAndFamily, const char* lpszFacename);
};

// A 32-bit bitmap: pixels 0x00RRGGBB, row-major, top row first, no padding.
class CBitmap : public CGdiObject {
public:
    CBitmap() : CGdiObject(OBJ_BITMAP) {}
    // Black pixels. A zero size gives an empty bitmap; negative sizes, or more than
    // MaxPixels pixels, fail.
    BOOL CreateBitmap(int nWidth, int nHeight);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);

    int GetWidth() const;
    int GetHeight() const;
    // Row-major pixels, GetWidth() * GetHeight() of them; empty before CreateBitmap. Drawing may
    // finish its work on the pixels late, when they are next used: take the span anew after a
    // drawing call that involves the bitmap (as target or as source) and before writing to it.
    std::span<std::uint32_t> GetPixels();
    std::span<const std::uint32_t> GetPixels() const;

    static constexpr long long MaxPixels = 1LL << 26;  // 64 Mi pixels, 256 MiB
};

// A rectangular clip region.
class CRgn : public CGdiObject {
public:
    CRgn() : CGdiObject(OBJ_REGION) {}
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
};

// A memory device context. Until a bitmap is selected (and for an empty bitmap) every drawing
// call does nothing. All drawing is confined to the clip box and the bitmap.
class CDC {
public:
    CDC();
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Makes this a fresh memory context with the stock objects selected; pDC may be null.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Back to a fresh context's state: stock objects, default colours and modes, no clip.
    BOOL DeleteDC();

    // Selection. Each returns the object selected before, or null if the object cannot be
    // selected (never created) or the previous object no longer exists.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectObject(CGdiObject* pObject);
    CGdiObject* SelectStockObject(int nIndex);
    // The selected object of a type (OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP), or null if its
    // wrapper no longer exists.
    CGdiObject* GetCurrentObject(UINT nObjectType) const;

    // Attributes; each setter returns the previous value, or 0 for a value it does not know
    // (which leaves the attribute as it was).
    int SetROP2(int nDrawMode);
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF SetBkColor(COLORREF crColor);
    int SetBkMode(int nBkMode);

    // Clipping: a single rectangle, or none (the whole bitmap).
    int SelectClipRgn(CRgn* pRgn);
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(const CRect& rect) { return IntersectClipRect(rect.left, rect.top, rect.right, rect.bottom); }
    // The drawable area: clip rectangle and bitmap together. NULLREGION if empty.
    int GetClipBox(CRect* pRect) const;

    // Lines: from the current position to the point, which becomes the current position.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(CPoint point) { return LineTo(point.x, point.y); }

    // Filled shapes: the interior with the brush, the outline with the pen.
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(const CRect& rect) { return Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    BOOL Polygon(const CPoint* lpPoints, int nCount);
    BOOL Polygon(std::span<const CPoint> points) { return Polygon(points.data(), static_cast<int>(points.size())); }
    // Fills with the colour directly (no brush, no ROP), as MFC's helper does.
    void FillSolidRect(const CRect& rect, COLORREF crColor);

    // Text, top-left of the cell at (x, y), on an opaque box of the background colour.
    BOOL TextOut(int x, int y, std::string_view text);
    BOOL GetTextExtentPoint32(std::string_view text, CSize* pSize) const;
    CSize GetTextExtent(std::string_view text) const;

    // Copies with SRCCOPY. Enlarging takes the source pixel under each destination pixel's
    // centre, without smoothing; shrinking ANDs the source pixels that meet in one destination
    // pixel, as GDI's default stretch mode does (see soft/Stretch.h).
    // Negative sizes mirror; a negative width covers x + width + 1 to x.
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);

    // Single pixels; GetPixel gives CLR_INVALID outside the drawable area.
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;

private:
    // What a back end keeps for a context besides the selected objects and the attributes (the
    // software one its clip rectangle, GDI the system's context); it may reach into the context.
    friend struct dc_detail::Context;

    CGdiObject* Select(CGdiObject* pObject);
    // The member that holds the selected object of a type (OBJ_PEN ...), or null for another type.
    std::shared_ptr<dc_detail::GdiState>* Slot(UINT nObjectType);
    // A fresh context's objects and attributes, and the current position at the origin.
    void SetDefaults();
    // Each back end's part of Select and of the attribute setters: GDI selects the object into,
    // or sets the attribute in, the system's context, and may refuse an object; the software
    // back end reads them when it draws.
    bool TakeObject(UINT nObjectType, const dc_detail::GdiState& state);
    void TakeAttribute(dc_detail::Attribute attribute);

    std::shared_ptr<dc_detail::GdiState> m_pen;
    std::shared_ptr<dc_detail::GdiState> m_brush;
    std::shared_ptr<dc_detail::GdiState> m_font;
    std::shared_ptr<dc_detail::GdiState> m_bitmap;
    COLORREF m_textColor = Rgb(0, 0, 0);
    COLORREF m_bkColor = Rgb(255, 255, 255);
    int m_bkMode = OPAQUE;
    int m_rop2 = R2_COPYPEN;
    CPoint m_position;
    // The last member, so that it goes first: GDI lets go of the system's context before the
    // objects selected into it.
    std::unique_ptr<dc_detail::Context> m_context;
};
