// The GDI calls the device context makes, in plain types. windows.h defines many of the names
// that platform/dc/Dc.h declares itself (TRANSPARENT, DWORD, TextOut ...), so the two never
// meet in one source: of this back end only GdiApi.cpp and PngEncoder.cpp (with ComScope.h)
// see windows.h. Handles are the system's handles as void*, colours COLORREF values,
// rectangles and points laid out as RECT and POINT.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Win.h"

namespace gdi {

using Handle = void*;  // HDC, HGDIOBJ
using Colour = std::uint32_t;

// Contexts.
Handle CreateMemoryContext(Handle compatible);  // null: compatible with the screen
void DeleteContext(Handle dc);
Handle CurrentObject(Handle dc, UINT type);  // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP
void Flush();

// Objects.
Handle StockObject(int index);
Handle CreatePen(int style, int width, Colour colour);
Handle CreateSolidBrush(Colour colour);
Handle MakeFont(int height, int width, int escapement, int orientation, int weight, UINT italic, UINT underline,
                UINT strikeOut, UINT charSet, UINT outPrecision, UINT clipPrecision, UINT quality, UINT pitchAndFamily,
                const char* face);
// A 32-bit top-down DIB section, its pixels 0x00RRGGBB; bits receives them.
Handle CreateDibSection(int width, int height, std::uint32_t** bits);
Handle CreateRectRegion(int left, int top, int right, int bottom);
bool DeleteObject(Handle object);
// The object selected before, or null when this one cannot be selected.
Handle Select(Handle dc, Handle object);

// Attributes; each returns the previous value.
int SetRop2(Handle dc, int mode);
Colour SetTextColour(Handle dc, Colour colour);
Colour SetBkColour(Handle dc, Colour colour);
int SetBkMode(Handle dc, int mode);

// Clipping; each returns the region's kind (NULLREGION, SIMPLEREGION, ...).
int SelectClipRegion(Handle dc, Handle region);
int IntersectClip(Handle dc, int left, int top, int right, int bottom);
int ClipBox(Handle dc, CRect* box);

// Drawing.
CPoint MoveTo(Handle dc, int x, int y);
bool LineTo(Handle dc, int x, int y);
bool Ellipse(Handle dc, int left, int top, int right, int bottom);
bool Polygon(Handle dc, const CPoint* points, int count);
// The rectangle in the colour (an opaque ExtTextOut of nothing), the background colour kept.
void FillRect(Handle dc, const CRect& rect, Colour colour);
bool WriteText(Handle dc, int x, int y, std::string_view text);
bool TextExtent(Handle dc, std::string_view text, CSize* size);
bool StretchBlt(Handle dc, int x, int y, int width, int height, Handle source, int xSource, int ySource,
                int sourceWidth, int sourceHeight, std::uint32_t rop);
Colour SetPixel(Handle dc, int x, int y, Colour colour);
Colour GetPixel(Handle dc, int x, int y);

}  // namespace gdi
