// The GDI back end's pens, brushes, fonts, bitmaps and regions as GDI objects, and GDI's stock
// objects.
#include "platform/dc/gdi/State.h"

using namespace dc_detail;

NativeObject::~NativeObject()
{
    if (handle && !stock)
        gdi::DeleteObject(handle);
}

namespace {
// The state of a new GDI object, or null when GDI made none.
std::shared_ptr<GdiState> Own(gdi::Handle object)
{
    return object ? std::make_shared<NativeObject>(object) : nullptr;
}
}  // namespace

std::shared_ptr<GdiState> dc_detail::MakePen(int style, int width, COLORREF colour)
{
    return Own(gdi::CreatePen(style, width, colour));
}

std::shared_ptr<GdiState> dc_detail::MakeBrush(COLORREF colour)
{
    return Own(gdi::CreateSolidBrush(colour));
}

std::shared_ptr<GdiState> dc_detail::MakeSurface(int width, int height)
{
    std::shared_ptr<Surface> state;
    if (width > 0 && height > 0) {
        std::uint32_t* bits = nullptr;
        gdi::Handle dib = gdi::CreateDibSection(width, height, &bits);
        if (!dib)
            return nullptr;
        state = std::make_shared<Surface>(dib);
        state->bits = bits;
    } else {
        state = std::make_shared<Surface>(nullptr);
    }
    state->width = width;
    state->height = height;
    return state;
}

std::shared_ptr<GdiState> dc_detail::MakeRegion(const CRect& rect)
{
    return Own(gdi::CreateRectRegion(rect.left, rect.top, rect.right, rect.bottom));
}

BOOL CFont::CreateFontA(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, DWORD bItalic,
                        DWORD bUnderline, DWORD cStrikeOut, DWORD nCharSet, DWORD nOutPrecision, DWORD nClipPrecision,
                        DWORD nQuality, DWORD nPitchAndFamily, const char* lpszFacename)
{
    if (m_state)
        return 0;
    return Adopt(Own(gdi::MakeFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                   nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename)));
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

// GDI's own stock objects in wrappers.
void CStockObjects::Set::Make()
{
    const std::pair<CGdiObject*, int> objects[] = {
        {&whitePen, WHITE_PEN},     {&blackPen, BLACK_PEN},   {&nullPen, NULL_PEN},       {&whiteBrush, WHITE_BRUSH},
        {&blackBrush, BLACK_BRUSH}, {&nullBrush, NULL_BRUSH}, {&systemFont, SYSTEM_FONT}, {&guiFont, DEFAULT_GUI_FONT}};
    for (const auto& [object, index] : objects)
        object->Adopt(std::make_shared<NativeObject>(gdi::StockObject(index)));
    emptyBitmap.Adopt(std::make_shared<Surface>(nullptr));
}
