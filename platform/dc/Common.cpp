// What the device context's classes do alike whichever back end draws: the ownership of objects
// and their moves, the checks of new objects' arguments, selection by type, the current
// objects, the attributes' checks and defaults, the stock objects, and the calls made of other
// calls. Each back end adds its own part through the makers of State.h and CDC's Take calls.
#include "platform/dc/State.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

using namespace dc_detail;

CGdiObject::~CGdiObject()
{
    if (m_state && m_state->owner == this)
        m_state->owner = nullptr;
}

CGdiObject::CGdiObject(CGdiObject&& other) noexcept : m_state(std::move(other.m_state)), m_type(other.m_type)
{
    if (m_state)
        m_state->owner = this;
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other) {
        if (m_state && m_state->owner == this)
            m_state->owner = nullptr;
        m_type = other.m_type;
        m_state = std::move(other.m_state);
        if (m_state)
            m_state->owner = this;
    }
    return *this;
}

bool CGdiObject::IsCreated() const
{
    return m_state != nullptr;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_state || m_state->stock || m_state.use_count() > 1)
        return 0;
    m_state->owner = nullptr;
    m_state.reset();
    return 1;
}

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
    if (m_state || nPenStyle < PS_SOLID || nPenStyle > PS_NULL)
        return 0;
    return Adopt(MakePen(nPenStyle, nWidth, crColor & 0x00FFFFFF));
}

CBrush::CBrush(COLORREF crColor) : CGdiObject(OBJ_BRUSH)
{
    CreateSolidBrush(crColor);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return !m_state && Adopt(MakeBrush(crColor & 0x00FFFFFF));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight)
{
    if (m_state || nWidth < 0 || nHeight < 0 || static_cast<long long>(nWidth) * nHeight > MaxPixels)
        return 0;
    return Adopt(MakeSurface(nWidth, nHeight));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*pDC*/, int nWidth, int nHeight)
{
    return CreateBitmap(nWidth, nHeight);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_state)
        return 0;
    return Adopt(MakeRegion({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)}));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return static_cast<CPen*>(Select(pPen));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return static_cast<CBrush*>(Select(pBrush));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return static_cast<CFont*>(Select(pFont));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return static_cast<CBitmap*>(Select(pBitmap));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return Select(pObject);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return Select(CStockObjects::Get(nIndex));
}

CGdiObject* CDC::Select(CGdiObject* pObject)
{
    if (!pObject || !pObject->m_state)
        return nullptr;
    if (pObject->m_type == OBJ_REGION) {
        SelectClipRgn(static_cast<CRgn*>(pObject));
        return nullptr;
    }
    std::shared_ptr<GdiState>* slot = Slot(pObject->m_type);
    if (!slot || !TakeObject(pObject->m_type, *pObject->m_state))
        return nullptr;
    CGdiObject* previous = *slot ? (*slot)->owner : nullptr;
    *slot = pObject->m_state;
    return previous;
}

std::shared_ptr<GdiState>* CDC::Slot(UINT nObjectType)
{
    switch (nObjectType) {
    case OBJ_PEN: return &m_pen;
    case OBJ_BRUSH: return &m_brush;
    case OBJ_FONT: return &m_font;
    case OBJ_BITMAP: return &m_bitmap;
    default: return nullptr;
    }
}

CGdiObject* CDC::GetCurrentObject(UINT nObjectType) const
{
    const std::shared_ptr<GdiState>* slot = const_cast<CDC*>(this)->Slot(nObjectType);
    return slot && *slot ? (*slot)->owner : nullptr;
}

void CDC::SetDefaults()
{
    m_pen = CStockObjects::SharedStateOf(*CStockObjects::Get(BLACK_PEN));
    m_brush = CStockObjects::SharedStateOf(*CStockObjects::Get(WHITE_BRUSH));
    m_font = CStockObjects::SharedStateOf(*CStockObjects::Get(SYSTEM_FONT));
    m_bitmap = CStockObjects::SharedStateOf(*CStockObjects::EmptyBitmap());
    m_textColor = Rgb(0, 0, 0);
    m_bkColor = Rgb(255, 255, 255);
    m_bkMode = OPAQUE;
    m_rop2 = R2_COPYPEN;
    m_position = {};
}

int CDC::SetROP2(int nDrawMode)
{
    if (nDrawMode < R2_BLACK || nDrawMode > R2_WHITE)
        return 0;
    const int previous = std::exchange(m_rop2, nDrawMode);
    TakeAttribute(Attribute::Rop2);
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    const COLORREF previous = std::exchange(m_textColor, crColor & 0x00FFFFFF);
    TakeAttribute(Attribute::TextColor);
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    const COLORREF previous = std::exchange(m_bkColor, crColor & 0x00FFFFFF);
    TakeAttribute(Attribute::BkColor);
    return previous;
}

int CDC::SetBkMode(int nBkMode)
{
    if (nBkMode != TRANSPARENT && nBkMode != OPAQUE)
        return 0;
    const int previous = std::exchange(m_bkMode, nBkMode);
    TakeAttribute(Attribute::BkMode);
    return previous;
}

CSize CDC::GetTextExtent(std::string_view text) const
{
    CSize size;
    GetTextExtentPoint32(text, &size);
    return size;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return StretchBlt(x, y, nWidth, nHeight, pSrcDC, xSrc, ySrc, nWidth, nHeight, dwRop);
}

CStockObjects::Set::Set()
{
    Make();
    for (CGdiObject* object : std::initializer_list<CGdiObject*>{
             &whitePen, &blackPen, &nullPen, &whiteBrush, &blackBrush, &nullBrush, &systemFont, &guiFont, &emptyBitmap})
        if (object->m_state)
            object->m_state->stock = true;
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
    case SYSTEM_FONT: return &stock.systemFont;
    case DEFAULT_GUI_FONT: return &stock.guiFont;
    default: return nullptr;
    }
}

CBitmap* CStockObjects::EmptyBitmap()
{
    return &Instance().emptyBitmap;
}

std::shared_ptr<GdiState> CStockObjects::SharedStateOf(CGdiObject& object)
{
    return object.m_state;
}
