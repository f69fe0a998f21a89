// What the device context's classes do alike whichever backend draws (the software one or
// GDI): the ownership of objects and their moves, selection by type, the current objects, and
// the calls made of other calls.
#include <utility>

#include "platform/dc/Png.h"

#ifdef _WIN32
#include "platform/gdi/State.h"
#else
#include "platform/dc/State.h"
#endif

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

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*pDC*/, int nWidth, int nHeight)
{
    return CreateBitmap(nWidth, nHeight);
}

int CBitmap::GetWidth() const
{
    return m_state ? static_cast<const Surface*>(m_state.get())->width : 0;
}

int CBitmap::GetHeight() const
{
    return m_state ? static_cast<const Surface*>(m_state.get())->height : 0;
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

CGdiObject* CDC::SelectGdiObject(CDC* pDC, CGdiObject* pObject)
{
    return pDC ? pDC->Select(pObject) : nullptr;
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

CPen* CDC::GetCurrentPen() const
{
    return static_cast<CPen*>(GetCurrentObject(OBJ_PEN));
}

CBrush* CDC::GetCurrentBrush() const
{
    return static_cast<CBrush*>(GetCurrentObject(OBJ_BRUSH));
}

CFont* CDC::GetCurrentFont() const
{
    return static_cast<CFont*>(GetCurrentObject(OBJ_FONT));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return static_cast<CBitmap*>(GetCurrentObject(OBJ_BITMAP));
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

std::shared_ptr<GdiState> CStockObjects::SharedStateOf(CGdiObject& object)
{
    return object.m_state;
}

std::string PngSizeProblem(const CBitmap& bitmap, int width, int height, const std::string& path)
{
    const std::string size = "the size " + std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0)
        return "cannot write snapshot " + path + ": " + size + " is empty";
    if (width > bitmap.GetWidth() || height > bitmap.GetHeight())
        return "cannot write snapshot " + path + ": " + size + " exceeds the bitmap's " +
               std::to_string(bitmap.GetWidth()) + " x " + std::to_string(bitmap.GetHeight());
    return {};
}
