// The device context: its selected objects and attributes, clipping, and the drawing calls,
// which hand their work to the rasterizer with one clip rectangle per call.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/dc/Deferred.h"
#include "platform/dc/Raster.h"
#include "platform/dc/State.h"
#include "platform/dc/Stretch.h"
#include "platform/dc/Text.h"
#include "platform/dc/TextBoxLog.h"

using namespace dc_detail;

namespace {

CRect Intersect(const CRect& a, const CRect& b)
{
    CRect r;
    r.IntersectRect(a, b);
    return r;
}

template <typename T>
const T* As(const std::shared_ptr<GdiState>& state)
{
    return static_cast<const T*>(state.get());
}

std::shared_ptr<GdiState> StockState(int index)
{
    CGdiObject* object = CStockObjects::Get(index);
    return object ? CStockObjects::SharedStateOf(*object) : nullptr;
}

}  // namespace

CDC::CDC()
{
    DeleteDC();
}

CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* /*pDC*/)
{
    return DeleteDC();
}

BOOL CDC::DeleteDC()
{
    m_pen = StockState(BLACK_PEN);
    m_brush = StockState(WHITE_BRUSH);
    m_font = StockState(SYSTEM_FONT);
    m_bitmap = CStockObjects::SharedStateOf(*CStockObjects::EmptyBitmap());
    m_textColor = Rgb(0, 0, 0);
    m_bkColor = Rgb(255, 255, 255);
    m_bkMode = OPAQUE;
    m_rop2 = R2_COPYPEN;
    m_polyFillMode = ALTERNATE;
    m_stretchMode = BLACKONWHITE;
    m_hasClip = false;
    m_clip = {};
    m_position = {};
    return 1;
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
    CGdiObject* previous = *slot ? (*slot)->owner : nullptr;
    *slot = pObject->m_state;
    return previous;
}

int CDC::SetROP2(int nDrawMode)
{
    if (nDrawMode < R2_BLACK || nDrawMode > R2_WHITE)
        return 0;
    return std::exchange(m_rop2, nDrawMode);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return std::exchange(m_textColor, crColor & 0x00FFFFFF);
}
COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return std::exchange(m_bkColor, crColor & 0x00FFFFFF);
}

int CDC::SetBkMode(int nBkMode)
{
    if (nBkMode != TRANSPARENT && nBkMode != OPAQUE)
        return 0;
    return std::exchange(m_bkMode, nBkMode);
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    if (nPolyFillMode != ALTERNATE && nPolyFillMode != WINDING)
        return 0;
    return std::exchange(m_polyFillMode, nPolyFillMode);
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    if (nStretchMode < BLACKONWHITE || nStretchMode > HALFTONE)
        return 0;
    return std::exchange(m_stretchMode, nStretchMode);
}

Surface* CDC::Target() const
{
    auto* surface = static_cast<Surface*>(m_bitmap.get());
    return surface && surface->width > 0 && surface->height > 0 ? surface : nullptr;
}

CRect CDC::DrawableBox() const
{
    const Surface* surface = Target();
    if (!surface)
        return {};
    const CRect bounds{0, 0, surface->width, surface->height};
    return m_hasClip ? Intersect(bounds, m_clip) : bounds;
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    if (!pRgn) {
        m_hasClip = false;
        m_clip = {};
    } else {
        if (!pRgn->IsCreated())
            return RGN_ERROR;
        m_hasClip = true;
        m_clip = pRgn->GetRect();
    }
    return DrawableBox().IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    const CRect rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    m_clip = m_hasClip ? Intersect(m_clip, rect) : rect;
    m_hasClip = true;
    return DrawableBox().IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::GetClipBox(CRect* pRect) const
{
    const CRect box = DrawableBox();
    if (pRect)
        *pRect = box;
    return box.IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

namespace {

// The canvas of a drawing call that changes the pixels at once: what was recorded is done first.
Canvas MakeCanvas(Surface* surface, const CRect& box, int rop)
{
    Canvas c;
    if (!surface || box.IsRectEmpty())
        return c;
    PrepareWrite(*surface);
    c.pixels = surface->pixels.data();
    c.width = surface->width;
    c.height = surface->height;
    c.clip = box;
    c.rop = rop;
    return c;
}

}  // namespace

CPoint CDC::MoveTo(int x, int y)
{
    return std::exchange(m_position, CPoint{x, y});
}

BOOL CDC::LineTo(int x, int y)
{
    const CPoint from = std::exchange(m_position, CPoint{x, y});
    const auto* pen = As<PenState>(m_pen);
    Surface* target = Target();
    const CRect box = DrawableBox();
    if (!target || box.IsRectEmpty() || !pen || pen->style == PS_NULL)
        return 1;
    // A thin solid line along a row or a column joins the surface's recorded work, so that a
    // grid of them is drawn row by row with whatever lies under it.
    if (pen->width <= 1 && pen->style == PS_SOLID && m_rop2 == R2_COPYPEN && !GeneralPaths()) {
        if (auto line = ClipAxisLine(box, from.x, from.y, x, y)) {
            if (line->from < line->to) {
                line->colour = pen->pixel;
                DeferLine(*target, *line);
            }
            return 1;
        }
    }
    const Canvas canvas = MakeCanvas(target, box, m_rop2);
    if (pen->width > 1) {
        WideLine(canvas, from.x, from.y, x, y, pen->width, pen->pixel);
    } else {
        const LineStyle style{PatternOf(pen->style), m_bkMode == OPAQUE, PixelFromColor(m_bkColor)};
        CosmeticLine(canvas, from.x, from.y, x, y, pen->pixel, style);
    }
    return 1;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    const Canvas canvas = MakeCanvas(Target(), DrawableBox(), m_rop2);
    if (canvas.Empty())
        return 1;
    const auto* pen = As<PenState>(m_pen);
    const auto* brush = As<BrushState>(m_brush);
    ShapePaint paint;
    if (pen && pen->style != PS_NULL) {
        paint.penWidth = pen->width;
        paint.penColour = pen->pixel;
    }
    if (brush && !brush->hollow) {
        paint.fill = true;
        paint.fillColour = brush->pixel;
    }
    FillEllipse(canvas, {x1, y1, x2, y2}, paint);
    return 1;
}

BOOL CDC::Polygon(const CPoint* lpPoints, int nCount)
{
    if (!lpPoints || nCount < 2)
        return 0;
    const Canvas canvas = MakeCanvas(Target(), DrawableBox(), m_rop2);
    if (canvas.Empty())
        return 1;
    const std::span<const CPoint> points(lpPoints, static_cast<std::size_t>(nCount));
    const auto* brush = As<BrushState>(m_brush);
    if (brush && !brush->hollow)
        FillPolygon(canvas, points, m_polyFillMode == WINDING, brush->pixel);

    const auto* pen = As<PenState>(m_pen);
    if (!pen || pen->style == PS_NULL)
        return 1;
    // The outline is one closed figure: a line pattern runs on from edge to edge.
    const LineStyle style{PatternOf(pen->style), m_bkMode == OPAQUE, PixelFromColor(m_bkColor)};
    long long styleAt = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const CPoint a = points[i];
        const CPoint b = points[(i + 1) % points.size()];
        if (pen->width > 1) {
            WideLine(canvas, a.x, a.y, b.x, b.y, pen->width, pen->pixel);
        } else {
            CosmeticLine(canvas, a.x, a.y, b.x, b.y, pen->pixel, style, styleAt);
            styleAt +=
                std::max(std::llabs(static_cast<long long>(b.x) - a.x), std::llabs(static_cast<long long>(b.y) - a.y));
        }
    }
    return 1;
}

void CDC::FillSolidRect(const CRect& rect, COLORREF crColor)
{
    const Canvas canvas = MakeCanvas(Target(), DrawableBox(), R2_COPYPEN);
    if (canvas.Empty())
        return;
    const CRect r{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
                  std::max(rect.top, rect.bottom)};
    const std::uint32_t pixel = PixelFromColor(crColor);
    for (long long y = std::max(r.top, canvas.clip.top); y < std::min(r.bottom, canvas.clip.bottom); ++y)
        canvas.Span(y, r.left, r.right, pixel);
}

BOOL CDC::TextOut(int x, int y, std::string_view text)
{
    const auto* state = As<FontState>(m_font);
    if (!state || !state->font)
        return 0;
    const SizedFont& font = *state->font;
    if (TextBoxLogging())
        LogTextBox(CRect{x, y, x + font.TextWidth(text), y + font.CellHeight()});
    // Text ignores the raster operation, as GDI's does.
    const Canvas canvas = MakeCanvas(Target(), DrawableBox(), R2_COPYPEN);
    if (canvas.Empty() || text.empty())
        return 1;
    if (m_bkMode == OPAQUE) {
        const long long right = static_cast<long long>(x) + font.TextWidth(text);
        const std::uint32_t bk = PixelFromColor(m_bkColor);
        for (long long row = y; row < static_cast<long long>(y) + font.CellHeight(); ++row)
            canvas.Span(row, x, right, bk);
    }
    font.Draw(canvas, x, y, text, PixelFromColor(m_textColor));
    return 1;
}

BOOL CDC::GetTextExtentPoint32(std::string_view text, CSize* pSize) const
{
    const auto* state = As<FontState>(m_font);
    if (!state || !state->font) {
        if (pSize)
            *pSize = {};
        return 0;
    }
    if (pSize)
        *pSize = {state->font->TextWidth(text), state->font->CellHeight()};
    return 1;
}

namespace {

// The source index of each destination pixel of a plain copy, or -1 for none.
std::vector<int> PixelMap(const std::vector<SourceRun>& runs)
{
    std::vector<int> map(runs.size());
    std::transform(runs.begin(), runs.end(), map.begin(), [](const SourceRun& r) { return r.Empty() ? -1 : r.first; });
    return map;
}

}  // namespace

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    if (dwRop != SRCCOPY || !pSrcDC)
        return 0;
    Surface* from = pSrcDC->Target();
    Surface* to = Target();
    if (!from || !to)
        return 0;
    if (nWidth == 0 || nHeight == 0 || nSrcWidth == 0 || nSrcHeight == 0)
        return 1;

    // Normalized extents; opposite signs of a destination and a source size mirror.
    const Extent dx = NormalizeExtent(x, nWidth), dy = NormalizeExtent(y, nHeight);
    const Extent sx = NormalizeExtent(xSrc, nSrcWidth), sy = NormalizeExtent(ySrc, nSrcHeight);
    const bool flipX = (nWidth < 0) != (nSrcWidth < 0);
    const bool flipY = (nHeight < 0) != (nSrcHeight < 0);

    const CRect box = DrawableBox();
    const long long left = std::max<long long>(box.left, dx.start);
    const long long right = std::min<long long>(box.right, dx.start + dx.length);
    const long long top = std::max<long long>(box.top, dy.start);
    const long long bottom = std::min<long long>(box.bottom, dy.start + dy.length);
    if (left >= right || top >= bottom)
        return 1;
    const CRect area{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};

    const bool keepLast = m_stretchMode == COLORONCOLOR || m_stretchMode == HALFTONE;
    const std::vector<SourceRun> cols = SourceRuns(dx, sx, flipX, left, right, from->width, keepLast);
    const std::vector<SourceRun> rows = SourceRuns(dy, sy, flipY, top, bottom, from->height, keepLast);
    if (!SinglePixels(cols) || !SinglePixels(rows)) {
        // A shrink that combines source pixels: done at once, from the source as it is now.
        Settle(*from);
        PrepareWrite(*to);
        const std::vector<std::uint32_t> snapshot = from == to ? from->pixels : std::vector<std::uint32_t>();
        StretchCombine(to->pixels.data(), to->width, area, from == to ? snapshot.data() : from->pixels.data(),
                       from->width, cols, rows, m_stretchMode == WHITEONBLACK);
        return 1;
    }

    StretchMap map;
    map.area = area;
    map.cols = PixelMap(cols);
    map.rows = PixelMap(rows);
    if (from == to) {
        // Copying within one bitmap reads from a snapshot, so overlapping areas copy correctly.
        PrepareWrite(*to);
        const std::vector<std::uint32_t> snapshot = from->pixels;
        StretchNow(*to, snapshot.data(), from->width, map);
    } else if (sx.length < dx.length || sy.length < dy.length) {
        // An enlargement is recorded: each source row is expanded once, together with the lines
        // drawn over it next.
        DeferStretch(std::static_pointer_cast<Surface>(m_bitmap), std::static_pointer_cast<Surface>(pSrcDC->m_bitmap),
                     std::move(map));
    } else if (!GeneralPaths() && dx.start == 0 && dy.start == 0 && sx.start == 0 && sy.start == 0 &&
               dx.length == sx.length && dy.length == sy.length && !flipX && !flipY && from->width == to->width &&
               from->height == to->height && dx.length == to->width && dy.length == to->height &&
               map.area == CRect{0, 0, to->width, to->height}) {
        // The whole of a bitmap onto another of its size, as a finished frame goes to the screen.
        LendWhole(std::static_pointer_cast<Surface>(m_bitmap), std::static_pointer_cast<Surface>(pSrcDC->m_bitmap));
    } else {
        Settle(*from);
        StretchNow(*to, from->pixels.data(), from->width, map);
    }
    return 1;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    const CRect box = DrawableBox();
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom)
        return CLR_INVALID;
    Surface* s = Target();
    PrepareWrite(*s);
    s->pixels[static_cast<std::size_t>(y) * s->width + x] = PixelFromColor(crColor);
    return crColor & 0x00FFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const CRect box = DrawableBox();
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom)
        return CLR_INVALID;
    Surface* s = Target();
    Settle(*s);
    return ColorFromPixel(s->pixels[static_cast<std::size_t>(y) * s->width + x]);
}
