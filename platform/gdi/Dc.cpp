// The device context on GDI: every call goes to the system's context, which draws by the
// Windows rules themselves. The wrapper keeps the selected objects alive and mirrors the
// attributes that Dc.h reads without asking the context.
#include <utility>

#include "platform/dc/TextBoxLog.h"
#include "platform/gdi/NativeDc.h"
#include "platform/gdi/State.h"

using namespace dc_detail;

namespace {
template <typename T>
const T* As(const std::shared_ptr<GdiState>& state)
{
    return static_cast<const T*>(state.get());
}

std::shared_ptr<GdiState> StockState(int index)
{
    return CStockObjects::SharedStateOf(*CStockObjects::Get(index));
}

std::shared_ptr<GdiState> EmptyBitmapState()
{
    return CStockObjects::SharedStateOf(*CStockObjects::EmptyBitmap());
}
}  // namespace

NativeDc::NativeDc(gdi::Handle context, bool isOwned)
    : hdc(context),
      owned(isOwned),
      firstPen(gdi::CurrentObject(context, OBJ_PEN)),
      firstBrush(gdi::CurrentObject(context, OBJ_BRUSH)),
      firstFont(gdi::CurrentObject(context, OBJ_FONT)),
      firstBitmap(gdi::CurrentObject(context, OBJ_BITMAP))
{
}

NativeDc::~NativeDc()
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

CNativeDC::CNativeDC() = default;

CNativeDC::~CNativeDC() = default;

CDC* CNativeDC::Attach(void* hdc)
{
    if (!m_dc)
        m_dc = std::make_unique<CDC>();
    Bind(*m_dc, std::make_shared<NativeDc>(hdc, false));
    return m_dc.get();
}

void CNativeDC::Detach()
{
    if (m_dc)
        m_dc->DeleteDC();
}

void CNativeDC::Bind(CDC& dc, std::shared_ptr<NativeDc> native)
{
    // The old context goes first, so that the objects it had selected are free to go after it.
    dc.m_native.reset();
    dc.m_native = std::move(native);
    dc.m_pen = StockState(BLACK_PEN);
    dc.m_brush = StockState(WHITE_BRUSH);
    dc.m_font = StockState(SYSTEM_FONT);
    dc.m_bitmap = EmptyBitmapState();
    gdi::Handle hdc = dc.m_native->hdc;
    if (!hdc)
        return;
    for (const auto* state : {dc.m_pen.get(), dc.m_brush.get(), dc.m_font.get()})
        gdi::Select(hdc, state->handle);
    dc.m_textColor = 0;
    gdi::SetTextColour(hdc, dc.m_textColor);
    dc.m_bkColor = 0x00FFFFFF;
    gdi::SetBkColour(hdc, dc.m_bkColor);
    dc.m_bkMode = OPAQUE;
    gdi::SetBkMode(hdc, OPAQUE);
    dc.m_rop2 = R2_COPYPEN;
    gdi::SetRop2(hdc, R2_COPYPEN);
    dc.m_polyFillMode = ALTERNATE;
    gdi::SetPolyFillMode(hdc, ALTERNATE);
    dc.m_stretchMode = BLACKONWHITE;
    gdi::SetStretchMode(hdc, BLACKONWHITE);
    gdi::SelectClipRegion(hdc, nullptr);
    dc.m_hasClip = false;
    dc.m_clip = {};
    dc.m_position = {};
    gdi::MoveTo(hdc, 0, 0);
}

CDC::CDC()
{
    DeleteDC();
}

// The context goes first (the last member), the objects it had selected after it.
CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    gdi::Handle compatible = pDC && pDC->m_native ? pDC->m_native->hdc : nullptr;
    gdi::Handle hdc = gdi::CreateMemoryContext(compatible);
    CNativeDC::Bind(*this, std::make_shared<NativeDc>(hdc, true));
    return hdc != nullptr;
}

BOOL CDC::DeleteDC()
{
    return CreateCompatibleDC(nullptr);
}

CGdiObject* CDC::Select(CGdiObject* pObject)
{
    if (!pObject || !pObject->m_state)
        return nullptr;
    if (pObject->GetObjectType() == OBJ_REGION) {
        SelectClipRgn(static_cast<CRgn*>(pObject));
        return nullptr;
    }
    std::shared_ptr<GdiState>* slot = Slot(pObject->GetObjectType());
    if (!slot)
        return nullptr;
    // The empty bitmap stands for the context's own first bitmap.
    gdi::Handle handle = pObject->m_state->handle;
    if (!handle && slot == &m_bitmap)
        handle = m_native->firstBitmap;
    // A bitmap already selected into another context cannot be selected here.
    if (!gdi::Select(m_native->hdc, handle))
        return nullptr;
    CGdiObject* previous = *slot ? (*slot)->owner : nullptr;
    *slot = pObject->m_state;
    return previous;
}

int CDC::SetROP2(int nDrawMode)
{
    if (nDrawMode < R2_BLACK || nDrawMode > R2_WHITE)
        return 0;
    gdi::SetRop2(m_native->hdc, nDrawMode);
    return std::exchange(m_rop2, nDrawMode);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    gdi::SetTextColour(m_native->hdc, crColor & 0x00FFFFFF);
    return std::exchange(m_textColor, crColor & 0x00FFFFFF);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    gdi::SetBkColour(m_native->hdc, crColor & 0x00FFFFFF);
    return std::exchange(m_bkColor, crColor & 0x00FFFFFF);
}

int CDC::SetBkMode(int nBkMode)
{
    if (nBkMode != TRANSPARENT && nBkMode != OPAQUE)
        return 0;
    gdi::SetBkMode(m_native->hdc, nBkMode);
    return std::exchange(m_bkMode, nBkMode);
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    if (nPolyFillMode != ALTERNATE && nPolyFillMode != WINDING)
        return 0;
    gdi::SetPolyFillMode(m_native->hdc, nPolyFillMode);
    return std::exchange(m_polyFillMode, nPolyFillMode);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    if (nStretchMode < BLACKONWHITE || nStretchMode > HALFTONE)
        return 0;
    gdi::SetStretchMode(m_native->hdc, nStretchMode);
    return std::exchange(m_stretchMode, nStretchMode);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    if (pRgn && !pRgn->IsCreated())
        return RGN_ERROR;
    return gdi::SelectClipRegion(m_native->hdc, pRgn ? pRgn->m_state->handle : nullptr);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return gdi::IntersectClip(m_native->hdc, x1, y1, x2, y2);
}

int CDC::GetClipBox(CRect* pRect) const
{
    CRect box;
    const int kind = gdi::ClipBox(m_native->hdc, &box);
    if (pRect)
        *pRect = box;
    return kind;
}

CPoint CDC::MoveTo(int x, int y)
{
    gdi::MoveTo(m_native->hdc, x, y);
    return std::exchange(m_position, CPoint{x, y});
}

BOOL CDC::LineTo(int x, int y)
{
    m_position = CPoint{x, y};
    return gdi::LineTo(m_native->hdc, x, y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return gdi::Ellipse(m_native->hdc, x1, y1, x2, y2);
}

BOOL CDC::Polygon(const CPoint* lpPoints, int nCount)
{
    if (!lpPoints || nCount < 2)
        return 0;
    return gdi::Polygon(m_native->hdc, lpPoints, nCount);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF crColor)
{
    gdi::FillRect(m_native->hdc, rect, crColor & 0x00FFFFFF);
}

BOOL CDC::TextOut(int x, int y, std::string_view text)
{
    if (TextBoxLogging()) {
        const CSize extent = GetTextExtent(text);
        LogTextBox(CRect{x, y, x + extent.cx, y + extent.cy});
    }
    return gdi::WriteText(m_native->hdc, x, y, text);
}

BOOL CDC::GetTextExtentPoint32(std::string_view text, CSize* pSize) const
{
    CSize size;
    const bool ok = gdi::TextExtent(m_native->hdc, text, &size);
    if (pSize)
        *pSize = size;
    return ok;
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    if (dwRop != SRCCOPY || !pSrcDC)
        return 0;
    return gdi::StretchBlt(m_native->hdc, x, y, nWidth, nHeight, pSrcDC->m_native->hdc, xSrc, ySrc, nSrcWidth,
                           nSrcHeight, dwRop);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return gdi::SetPixel(m_native->hdc, x, y, crColor & 0x00FFFFFF);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return gdi::GetPixel(m_native->hdc, x, y);
}
