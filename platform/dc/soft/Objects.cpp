// The software back end's pens, brushes, fonts, bitmaps and regions, and its stock objects.
#include <algorithm>

#include "platform/dc/soft/Deferred.h"
#include "platform/dc/soft/State.h"
#include "platform/dc/soft/Text.h"

using namespace dc_detail;

std::shared_ptr<GdiState> dc_detail::MakePen(int style, int width, COLORREF colour)
{
    auto state = std::make_shared<PenState>();
    state->style = style;
    state->width = std::max(width, 1);
    state->pixel = PixelFromColor(colour);
    return state;
}

std::shared_ptr<GdiState> dc_detail::MakeBrush(COLORREF colour)
{
    auto state = std::make_shared<BrushState>();
    state->pixel = PixelFromColor(colour);
    return state;
}

std::shared_ptr<GdiState> dc_detail::MakeSurface(int width, int height)
{
    auto state = std::make_shared<Surface>();
    state->width = width;
    state->height = height;
    state->pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return state;
}

std::shared_ptr<GdiState> dc_detail::MakeRegion(const CRect& rect)
{
    auto state = std::make_shared<RegionState>();
    state->rect = rect;
    return state;
}

BOOL CFont::CreateFontA(int nHeight, int /*nWidth*/, int /*nEscapement*/, int /*nOrientation*/, int /*nWeight*/,
                        DWORD /*bItalic*/, DWORD /*bUnderline*/, DWORD /*cStrikeOut*/, DWORD /*nCharSet*/,
                        DWORD /*nOutPrecision*/, DWORD /*nClipPrecision*/, DWORD /*nQuality*/,
                        DWORD /*nPitchAndFamily*/, const char* lpszFacename)
{
    if (m_state)
        return 0;
    FontRequest request;
    request.height = nHeight;
    request.face = lpszFacename ? std::string(lpszFacename).substr(0, 31) : std::string();  // LF_FACESIZE - 1
    auto font = FindFont(request);
    if (!font)
        return 0;
    auto state = std::make_shared<FontState>();
    state->font = std::move(font);
    return Adopt(std::move(state));
}

int CBitmap::GetWidth() const
{
    return m_state ? static_cast<const Surface*>(m_state.get())->width : 0;
}

int CBitmap::GetHeight() const
{
    return m_state ? static_cast<const Surface*>(m_state.get())->height : 0;
}

std::span<std::uint32_t> CBitmap::GetPixels()
{
    if (!m_state)
        return {};
    auto* surface = static_cast<Surface*>(m_state.get());
    PrepareWrite(*surface);
    return surface->pixels;
}

std::span<const std::uint32_t> CBitmap::GetPixels() const
{
    if (!m_state)
        return {};
    auto* surface = static_cast<Surface*>(m_state.get());
    Settle(*surface);
    return surface->pixels;
}

// The stock objects are made here like any other; the two stock fonts are the same font.
void CStockObjects::Set::Make()
{
    whitePen.CreatePen(PS_SOLID, 1, Rgb(255, 255, 255));
    blackPen.CreatePen(PS_SOLID, 1, Rgb(0, 0, 0));
    nullPen.CreatePen(PS_NULL, 1, Rgb(0, 0, 0));
    whiteBrush.CreateSolidBrush(Rgb(255, 255, 255));
    blackBrush.CreateSolidBrush(Rgb(0, 0, 0));
    nullBrush.CreateSolidBrush(Rgb(0, 0, 0));
    static_cast<BrushState&>(*SharedStateOf(nullBrush)).hollow = true;
    for (CFont* font : {&systemFont, &guiFont})
        font->CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, nullptr);
    emptyBitmap.CreateBitmap(0, 0);
}
