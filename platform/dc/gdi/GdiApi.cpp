// The GDI calls of the device context, each passed to the system as it is.
#include "platform/dc/gdi/GdiApi.h"

#include <windows.h>

#include <cstddef>

static_assert(sizeof(CPoint) == sizeof(POINT) && offsetof(CPoint, y) == offsetof(POINT, y));
static_assert(sizeof(CRect) == sizeof(RECT) && offsetof(CRect, bottom) == offsetof(RECT, bottom));

namespace gdi {
namespace {
HDC Dc(Handle dc)
{
    return static_cast<HDC>(dc);
}
HGDIOBJ Object(Handle object)
{
    return static_cast<HGDIOBJ>(object);
}
}  // namespace

Handle CreateMemoryContext(Handle compatible)
{
    return CreateCompatibleDC(Dc(compatible));
}

void DeleteContext(Handle dc)
{
    DeleteDC(Dc(dc));
}

Handle CurrentObject(Handle dc, UINT type)
{
    return GetCurrentObject(Dc(dc), type);
}

void Flush()
{
    GdiFlush();
}

Handle StockObject(int index)
{
    return GetStockObject(index);
}

Handle CreatePen(int style, int width, Colour colour)
{
    return ::CreatePen(style, width, colour);
}

Handle CreateSolidBrush(Colour colour)
{
    return ::CreateSolidBrush(colour);
}

Handle MakeFont(int height, int width, int escapement, int orientation, int weight, UINT italic, UINT underline,
                UINT strikeOut, UINT charSet, UINT outPrecision, UINT clipPrecision, UINT quality, UINT pitchAndFamily,
                const char* face)
{
    return CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                       outPrecision, clipPrecision, quality, pitchAndFamily, face);
}

Handle CreateDibSection(int width, int height, std::uint32_t** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = bitmap ? static_cast<std::uint32_t*>(pixels) : nullptr;
    return bitmap;
}

Handle CreateRectRegion(int left, int top, int right, int bottom)
{
    return CreateRectRgn(left, top, right, bottom);
}

bool DeleteObject(Handle object)
{
    return ::DeleteObject(Object(object)) != 0;
}

Handle Select(Handle dc, Handle object)
{
    HGDIOBJ previous = SelectObject(Dc(dc), Object(object));
    return previous == HGDI_ERROR ? nullptr : previous;
}

int SetRop2(Handle dc, int mode)
{
    return SetROP2(Dc(dc), mode);
}

Colour SetTextColour(Handle dc, Colour colour)
{
    return SetTextColor(Dc(dc), colour);
}

Colour SetBkColour(Handle dc, Colour colour)
{
    return SetBkColor(Dc(dc), colour);
}

int SetBkMode(Handle dc, int mode)
{
    return ::SetBkMode(Dc(dc), mode);
}

int SelectClipRegion(Handle dc, Handle region)
{
    return SelectClipRgn(Dc(dc), static_cast<HRGN>(region));
}

int IntersectClip(Handle dc, int left, int top, int right, int bottom)
{
    return IntersectClipRect(Dc(dc), left, top, right, bottom);
}

int ClipBox(Handle dc, CRect* box)
{
    return GetClipBox(Dc(dc), reinterpret_cast<RECT*>(box));
}

CPoint MoveTo(Handle dc, int x, int y)
{
    POINT previous{};
    MoveToEx(Dc(dc), x, y, &previous);
    return CPoint{previous.x, previous.y};
}

bool LineTo(Handle dc, int x, int y)
{
    return ::LineTo(Dc(dc), x, y) != 0;
}

bool Ellipse(Handle dc, int left, int top, int right, int bottom)
{
    return ::Ellipse(Dc(dc), left, top, right, bottom) != 0;
}

bool Polygon(Handle dc, const CPoint* points, int count)
{
    return ::Polygon(Dc(dc), reinterpret_cast<const POINT*>(points), count) != 0;
}

void FillRect(Handle dc, const CRect& rect, Colour colour)
{
    const COLORREF previous = SetBkColor(Dc(dc), colour);
    ExtTextOutA(Dc(dc), 0, 0, ETO_OPAQUE, reinterpret_cast<const RECT*>(&rect), nullptr, 0, nullptr);
    SetBkColor(Dc(dc), previous);
}

bool WriteText(Handle dc, int x, int y, std::string_view text)
{
    return TextOutA(Dc(dc), x, y, text.data(), static_cast<int>(text.size())) != 0;
}

bool TextExtent(Handle dc, std::string_view text, CSize* size)
{
    SIZE extent{};
    const bool ok = GetTextExtentPoint32A(Dc(dc), text.data(), static_cast<int>(text.size()), &extent) != 0;
    *size = ok ? CSize{extent.cx, extent.cy} : CSize{};
    return ok;
}

bool StretchBlt(Handle dc, int x, int y, int width, int height, Handle source, int xSource, int ySource,
                int sourceWidth, int sourceHeight, std::uint32_t rop)
{
    return ::StretchBlt(Dc(dc), x, y, width, height, Dc(source), xSource, ySource, sourceWidth, sourceHeight, rop) != 0;
}

Colour SetPixel(Handle dc, int x, int y, Colour colour)
{
    return ::SetPixel(Dc(dc), x, y, colour);
}

Colour GetPixel(Handle dc, int x, int y)
{
    return ::GetPixel(Dc(dc), x, y);
}

}  // namespace gdi
