// The GDI back end's device context: every call goes to the system's context, which draws by
// the Windows rules themselves. The wrapper keeps the selected objects alive and mirrors the
// attributes, so that their setters answer alike on both back ends.
#include <utility>

#include "platform/dc/TextBoxLog.h"
#include "platform/dc/gdi/NativeDc.h"
#include "platform/dc/gdi/State.h"

using namespace dc_detail;

Context::Context(gdi::Handle context, bool isOwned)
    : hdc(context),
      owned(isOwned),
      firstPen(gdi::CurrentObject(context, OBJ_PEN)),
      firstBrush(gdi::CurrentObject(context, OBJ_BRUSH)),
      firstFont(gdi::CurrentObject(context, OBJ_FONT)),
      firstBitmap(gdi::CurrentObject(context, OBJ_BITMAP))
{
}

Context::~Context()
{
    if (!hdc)
        return;
    for (gdi::Handle first : {firstPen, firstBrush, firstFont})
        gdi::Select(hdc, first);
    if (owned) {
        gdi::Select(hdc, firstBitmap);
        gdi::DeleteContext(hdc);
    } else {
        gdi::SelectClipRegion(hdc, nullptr);
    }
}

void Context::Bind(CDC& dc, gdi::Handle hdc, bool isOwned)
{
    // The old context goes first, so that the objects it had selected are free to go after it.
    dc.m_context.reset();
    dc.m_context = std::make_unique<Context>(hdc, isOwned);
    dc.SetDefaults();
    if (!hdc)
        return;
    for (const auto* state : {dc.m_pen.get(), dc.m_brush.get(), dc.m_font.get()})
        gdi::Select(hdc, HandleOf(*state));
    for (Attribute attribute : {Attribute::Rop2, Attribute::TextColor, Attribute::BkColor, Attribute::BkMode})
        dc.TakeAttribute(attribute);
    gdi::SelectClipRegion(hdc, nullptr);
    gdi::MoveTo(hdc, 0, 0);
}

CNativeDC::CNativeDC() = default;

CNativeDC::~CNativeDC() = default;

CDC* CNativeDC::Attach(void* hdc)
{
    if (!m_dc)
        m_dc = std::make_unique<CDC>();
    Context::Bind(*m_dc, hdc, false);
    return m_dc.get();
}

void CNativeDC::Detach()
{
    if (m_dc)
        m_dc->DeleteDC();
}

CDC::CDC()
{
    DeleteDC();
}

// The context goes first (the last member), the objects it had selected after it.
CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    gdi::Handle compatible = pDC && pDC->m_context ? pDC->m_context->hdc : nullptr;
    gdi::Handle hdc = gdi::CreateMemoryContext(compatible);
    Context::Bind(*this, hdc, true);
    return hdc != nullptr;
}

BOOL CDC::DeleteDC()
{
    return CreateCompatibleDC(nullptr);
}

bool CDC::TakeObject(UINT nObjectType, const GdiState& state)
{
    // The empty bitmap stands for the context's own first bitmap.
    gdi::Handle handle = HandleOf(state);
    if (!handle && nObjectType == OBJ_BITMAP)
        handle = m_context->firstBitmap;
    // A bitmap already selected into another context cannot be selected here.
    return gdi::Select(m_context->hdc, handle) != nullptr;
}

void CDC::TakeAttribute(Attribute attribute)
{
    gdi::Handle hdc = m_context->hdc;
    switch (attribute) {
    case Attribute::Rop2: gdi::SetRop2(hdc, m_rop2); break;
    case Attribute::TextColor: gdi::SetTextColour(hdc, m_textColor); break;
    case Attribute::BkColor: gdi::SetBkColour(hdc, m_bkColor); break;
    case Attribute::BkMode: gdi::SetBkMode(hdc, m_bkMode); break;
    }
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    if (pRgn && !pRgn->IsCreated())
        return RGN_ERROR;
    return gdi::SelectClipRegion(m_context->hdc, pRgn ? HandleOf(*pRgn->m_state) : nullptr);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return gdi::IntersectClip(m_context->hdc, x1, y1, x2, y2);
}

int CDC::GetClipBox(CRect* pRect) const
{
    CRect box;
    const int kind = gdi::ClipBox(m_context->hdc, &box);
    if (pRect)
        *pRect = box;
    return kind;
}

CPoint CDC::MoveTo(int x, int y)
{
    gdi::MoveTo(m_context->hdc, x, y);
    return std::exchange(m_position, CPoint{x, y});
}

BOOL CDC::LineTo(int x, int y)
{
    m_position = CPoint{x, y};
    return gdi::LineTo(m_context->hdc, x, y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return gdi::Ellipse(m_context->hdc, x1, y1, x2, y2);
}

BOOL CDC::Polygon(const CPoint* lpPoints, int nCount)
{
    if (!lpPoints || nCount < 2)
        return 0;
    return gdi::Polygon(m_context->hdc, lpPoints, nCount);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF crColor)
{
    gdi::FillRect(m_context->hdc, rect, crColor & 0x00FFFFFF);
}

BOOL CDC::TextOut(int x, int y, std::string_view text)
{
    if (TextBoxLogging()) {
        const CSize extent = GetTextExtent(text);
        LogTextBox(CRect{x, y, x + extent.cx, y + extent.cy});
    }
    return gdi::WriteText(m_context->hdc, x, y, text);
}

BOOL CDC::GetTextExtentPoint32(std::string_view text, CSize* pSize) const
{
    CSize size;
    const bool ok = gdi::TextExtent(m_context->hdc, text, &size);
    if (pSize)
        *pSize = size;
    return ok;
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    if (dwRop != SRCCOPY || !pSrcDC)
        return 0;
    return gdi::StretchBlt(m_context->hdc, x, y, nWidth, nHeight, pSrcDC->m_context->hdc, xSrc, ySrc, nSrcWidth,
                           nSrcHeight, dwRop);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return gdi::SetPixel(m_context->hdc, x, y, crColor & 0x00FFFFFF);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return gdi::GetPixel(m_context->hdc, x, y);
}
