// Pens, brushes, fonts, bitmaps and regions as GDI objects, and GDI's stock objects.
#include <algorithm>

#include "platform/gdi/State.h"

using namespace dc_detail;

GdiState::~GdiState()
{
    if (handle && !stock)
        gdi::DeleteObject(handle);
}

BOOL CGdiObject::Adopt(std::shared_ptr<GdiState> state)
{
    if (m_state || !state || (!state->handle && m_type != OBJ_BITMAP))
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
    return Adopt(std::make_shared<GdiState>(gdi::CreatePen(nPenStyle, nWidth, crColor & 0x00FFFFFF)));
}

CBrush::CBrush(COLORREF crColor) : CGdiObject(OBJ_BRUSH)
{
    CreateSolidBrush(crColor);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Adopt(std::make_shared<GdiState>(gdi::CreateSolidBrush(crColor & 0x00FFFFFF)));
}

BOOL CFont::CreateFontA(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, DWORD bItalic,
                        DWORD bUnderline, DWORD cStrikeOut, DWORD nCharSet, DWORD nOutPrecision, DWORD nClipPrecision,
                        DWORD nQuality, DWORD nPitchAndFamily, const char* lpszFacename)
{
    auto state = std::make_shared<FontState>(gdi::MakeFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                                           bUnderline, cStrikeOut, nCharSet, nOutPrecision,
                                                           nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
    if (state->handle)
        state->face = gdi::FaceOf(state->handle);
    return Adopt(std::move(state));
}

std::string_view CFont::GetFaceFile() const
{
    // GDI names the face, not its file; asked for only when wanted (it costs a context).
    auto* state = static_cast<FontState*>(m_state.get());
    if (!state)
        return {};
    if (state->face.empty() && state->handle)
        state->face = gdi::FaceOf(state->handle);
    return state->face;
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight)
{
    if (nWidth < 0 || nHeight < 0 || static_cast<long long>(nWidth) * nHeight > MaxPixels)
        return 0;
    std::shared_ptr<Surface> state;
    if (nWidth > 0 && nHeight > 0) {
        std::uint32_t* bits = nullptr;
        gdi::Handle dib = gdi::CreateDibSection(nWidth, nHeight, &bits);
        if (!dib)
            return 0;
        state = std::make_shared<Surface>(dib);
        state->bits = bits;
    } else {
        state = std::make_shared<Surface>();
    }
    state->width = nWidth;
    state->height = nHeight;
    return Adopt(std::move(state));
}

std::span<std::uint32_t> CBitmap::GetPixels()
{
    const auto* surface = static_cast<const Surface*>(m_state.get());
    if (!surface || !surface->bits)
        return {};
    gdi::Flush();  // GDI may still hold drawing calls back
    return {surface->bits, static_cast<std::size_t>(surface->width) * static_cast<std::size_t>(surface->height)};
}

std::span<const std::uint32_t> CBitmap::GetPixels() const
{
    return const_cast<CBitmap*>(this)->GetPixels();
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    const CRect rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    if (!Adopt(std::make_shared<GdiState>(gdi::CreateRectRegion(rect.left, rect.top, rect.right, rect.bottom))))
        return 0;
    m_rect = rect;
    return 1;
}

// GDI's stock objects in wrappers, made on first use and kept for the whole process.
struct CStockObjects::Set {
    CPen whitePen, blackPen, nullPen;
    CBrush whiteBrush, blackBrush, nullBrush;
    CFont systemFont, guiFont;
    CBitmap emptyBitmap;

    Set()
    {
        Stock(whitePen, WHITE_PEN);
        Stock(blackPen, BLACK_PEN);
        Stock(nullPen, NULL_PEN);
        Stock(whiteBrush, WHITE_BRUSH);
        Stock(blackBrush, BLACK_BRUSH);
        Stock(nullBrush, NULL_BRUSH);
        systemFont.Adopt(std::make_shared<FontState>(gdi::StockObject(SYSTEM_FONT), true));
        guiFont.Adopt(std::make_shared<FontState>(gdi::StockObject(DEFAULT_GUI_FONT), true));
        emptyBitmap.Adopt(std::make_shared<Surface>(nullptr, true));
    }
    static void Stock(CGdiObject& object, int index)
    {
        object.Adopt(std::make_shared<GdiState>(gdi::StockObject(index), true));
    }
};

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
    case SYSTEM_FONT: return &stock.systemFont;
    case DEFAULT_GUI_FONT: return &stock.guiFont;
    default: return nullptr;
    }
}

CBitmap* CStockObjects::EmptyBitmap()
{
    return &Instance().emptyBitmap;
}
