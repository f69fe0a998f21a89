// Pens, brushes, fonts, bitmaps and regions, and the stock objects of a fresh context.
#include <algorithm>

#include "platform/dc/Deferred.h"
#include "platform/dc/State.h"
#include "platform/dc/Text.h"

using namespace dc_detail;

BOOL CGdiObject::Adopt(std::shared_ptr<GdiState> state)
{
    if (m_state || !state)
        return 0;
    state->owner = this;
    m_state = std::move(state);
    return 1;
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) : CGdiObject(OBJ_PEN)
{
    CreatePen(nPenStyle, nWidth, crColor);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (nPenStyle < PS_SOLID || nPenStyle > PS_NULL)
        return 0;
    auto state = std::make_shared<PenState>();
    state->style = nPenStyle;
    state->width = std::max(nWidth, 1);
    state->pixel = PixelFromColor(crColor);
    return Adopt(std::move(state));
}

CBrush::CBrush(COLORREF crColor) : CGdiObject(OBJ_BRUSH)
{
    CreateSolidBrush(crColor);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    auto state = std::make_shared<BrushState>();
    state->pixel = PixelFromColor(crColor);
    return Adopt(std::move(state));
}

namespace {

FontRequest MakeRequest(int height, int width, int weight, DWORD italic, DWORD underline, DWORD strikeOut,
                        DWORD quality, DWORD pitchAndFamily, const char* face)
{
    FontRequest r;
    r.height = height;
    r.width = std::max(width, 0);
    r.bold = weight >= FW_SEMIBOLD;
    r.italic = italic != 0;
    r.underline = underline != 0;
    r.strikeOut = strikeOut != 0;
    r.antialiased = quality != NONANTIALIASED_QUALITY;
    r.family = static_cast<int>(pitchAndFamily & 0xF0);
    r.fixedPitch = (pitchAndFamily & 0x03) == FIXED_PITCH;
    r.face = face ? std::string(face).substr(0, 31) : std::string();  // LF_FACESIZE - 1
    return r;
}

}  // namespace

BOOL CFont::CreateFontA(int nHeight, int nWidth, int /*nEscapement*/, int /*nOrientation*/, int nWeight, DWORD bItalic,
                        DWORD bUnderline, DWORD cStrikeOut, DWORD /*nCharSet*/, DWORD /*nOutPrecision*/,
                        DWORD /*nClipPrecision*/, DWORD nQuality, DWORD nPitchAndFamily, const char* lpszFacename)
{
    auto font = FindFont(MakeRequest(nHeight, nWidth, nWeight, bItalic, bUnderline, cStrikeOut, nQuality,
                                     nPitchAndFamily, lpszFacename));
    if (!font)
        return 0;
    auto state = std::make_shared<FontState>();
    state->font = std::move(font);
    return Adopt(std::move(state));
}

std::string_view CFont::GetFaceFile() const
{
    const auto* state = static_cast<const FontState*>(m_state.get());
    return state && state->font ? std::string_view(state->font->File()) : std::string_view();
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight)
{
    if (nWidth < 0 || nHeight < 0 || static_cast<long long>(nWidth) * nHeight > MaxPixels)
        return 0;
    auto state = std::make_shared<Surface>();
    state->width = nWidth;
    state->height = nHeight;
    state->pixels.assign(static_cast<std::size_t>(nWidth) * static_cast<std::size_t>(nHeight), 0);
    return Adopt(std::move(state));
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

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    if (!Adopt(std::make_shared<GdiState>()))
        return 0;
    m_rect = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    return 1;
}

// The stock objects, made on first use and kept for the whole process.
struct CStockObjects::Set {
    CPen whitePen{PS_SOLID, 1, Rgb(255, 255, 255)};
    CPen blackPen{PS_SOLID, 1, Rgb(0, 0, 0)};
    CPen nullPen{PS_NULL, 1, Rgb(0, 0, 0)};
    CBrush whiteBrush{Rgb(255, 255, 255)};
    CBrush blackBrush{Rgb(0, 0, 0)};
    CBrush nullBrush{Rgb(0, 0, 0)};
    CFont systemFont;
    CBitmap emptyBitmap;

    Set()
    {
        static_cast<BrushState*>(StateOf(nullBrush))->hollow = true;
        systemFont.CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, nullptr);
        emptyBitmap.CreateBitmap(0, 0);
        for (CGdiObject* o : std::initializer_list<CGdiObject*>{&whitePen, &blackPen, &nullPen, &whiteBrush,
                                                                &blackBrush, &nullBrush, &systemFont, &emptyBitmap})
            if (GdiState* state = StateOf(*o))
                state->stock = true;
    }
};

GdiState* CStockObjects::StateOf(CGdiObject& object)
{
    return object.m_state.get();
}

CStockObjects::Set& CStockObjects::Instance()
{
    static Set set;
    return set;
}

CGdiObject* CStockObjects::Get(int index)
{
    Set& stock = Instance();
    switch (index) {
    case WHITE_PEN: return &stock.whitePen;
    case BLACK_PEN: return &stock.blackPen;
    case NULL_PEN: return &stock.nullPen;
    case WHITE_BRUSH: return &stock.whiteBrush;
    case BLACK_BRUSH: return &stock.blackBrush;
    case NULL_BRUSH: return &stock.nullBrush;
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: return &stock.systemFont;
    default: return nullptr;
    }
}

CBitmap* CStockObjects::EmptyBitmap()
{
    return &Instance().emptyBitmap;
}
