// The software back end's device context: its clipping and the drawing calls, which hand their
// work to the rasterizer with one clip rectangle per call.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/dc/TextBoxLog.h"
#include "platform/dc/soft/Deferred.h"
#include "platform/dc/soft/Raster.h"
#include "platform/dc/soft/State.h"
#include "platform/dc/soft/Stretch.h"
#include "platform/dc/soft/Text.h"

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

// The selected bitmap's surface when something can be drawn into it, otherwise null.
Surface* Target(const std::shared_ptr<GdiState>& bitmap)
{
    auto* surface = static_cast<Surface*>(bitmap.get());
    return surface && surface->width > 0 && surface->height > 0 ? surface : nullptr;
}

// The drawable area: the clip rectangle and the bitmap together.
CRect DrawableBox(const std::shared_ptr<GdiState>& bitmap, const Context& context)
{
    const Surface* surface = Target(bitmap);
    if (!surface)
        return {};
    const CRect bounds{0, 0, surface->width, surface->height};
    return context.hasClip ? Intersect(bounds, context.clip) : bounds;
}

}  // namespace

CDC::CDC() : m_context(std::make_unique<Context>())
{
    SetDefaults();
}

CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC* /*pDC*/)
{
    return DeleteDC();
}

BOOL CDC::DeleteDC()
{
    SetDefaults();
    *m_context = {};
    return 1;
}

// Objects and attributes are read when drawing: nothing to do when they change.
bool CDC::TakeObject(UINT /*nObjectType*/, const GdiState& /*state*/)
{
    return true;
}

void CDC::TakeAttribute(Attribute /*attribute*/) {}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    if (!pRgn) {
        *m_context = {};
    } else {
        if (!pRgn->IsCreated())
            return RGN_ERROR;
        m_context->hasClip = true;
        m_context->clip = static_cast<const RegionState&>(*pRgn->m_state).rect;
    }
    return DrawableBox(m_bitmap, *m_context).IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    const CRect rect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    m_context->clip = m_context->hasClip ? Intersect(m_context->clip, rect) : rect;
    m_context->hasClip = true;
    return DrawableBox(m_bitmap, *m_context).IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::GetClipBox(CRect* pRect) const
{
    const CRect box = DrawableBox(m_bitmap, *m_context);
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
    Surface* target = Target(m_bitmap);
    const CRect box = DrawableBox(m_bitmap, *m_context);
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
    const Canvas canvas = MakeCanvas(Target(m_bitmap), DrawableBox(m_bitmap, *m_context), m_rop2);
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
    const Canvas canvas = MakeCanvas(Target(m_bitmap), DrawableBox(m_bitmap, *m_context), m_rop2);
    if (canvas.Empty())
        return 1;
    const std::span<const CPoint> points(lpPoints, static_cast<std::size_t>(nCount));
    const auto* brush = As<BrushState>(m_brush);
    if (brush && !brush->hollow)
        FillPolygon(canvas, points, brush->pixel);

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
    const Canvas canvas = MakeCanvas(Target(m_bitmap), DrawableBox(m_bitmap, *m_context), R2_COPYPEN);
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
    const Canvas canvas = MakeCanvas(Target(m_bitmap), DrawableBox(m_bitmap, *m_context), R2_COPYPEN);
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
    Surface* from = Target(pSrcDC->m_bitmap);
    Surface* to = Target(m_bitmap);
    if (!from || !to)
        return 0;
    // Nothing to take from (a destination of no size covers no pixel below).
    if (nSrcWidth == 0 || nSrcHeight == 0)
        return 1;

    // Normalized extents; opposite signs of a destination and a source size mirror.
    const Extent dx = NormalizeExtent(x, nWidth), dy = NormalizeExtent(y, nHeight);
    const Extent sx = NormalizeExtent(xSrc, nSrcWidth), sy = NormalizeExtent(ySrc, nSrcHeight);
    const bool flipX = (nWidth < 0) != (nSrcWidth < 0);
    const bool flipY = (nHeight < 0) != (nSrcHeight < 0);

    const CRect box = DrawableBox(m_bitmap, *m_context);
    const long long left = std::max<long long>(box.left, dx.start);
    const long long right = std::min<long long>(box.right, dx.start + dx.length);
    const long long top = std::max<long long>(box.top, dy.start);
    const long long bottom = std::min<long long>(box.bottom, dy.start + dy.length);
    if (left >= right || top >= bottom)
        return 1;
    const CRect area{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};

    const std::vector<SourceRun> cols = SourceRuns(dx, sx, flipX, left, right, from->width);
    const std::vector<SourceRun> rows = SourceRuns(dy, sy, flipY, top, bottom, from->height);
    if (!SinglePixels(cols) || !SinglePixels(rows)) {
        // A shrink that combines source pixels: done at once, from the source as it is now.
        Settle(*from);
        PrepareWrite(*to);
        const std::vector<std::uint32_t> snapshot = from == to ? from->pixels : std::vector<std::uint32_t>();
        StretchCombine(to->pixels.data(), to->width, area, from == to ? snapshot.data() : from->pixels.data(),
                       from->width, cols, rows);
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
    const CRect box = DrawableBox(m_bitmap, *m_context);
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom)
        return CLR_INVALID;
    Surface* s = Target(m_bitmap);
    PrepareWrite(*s);
    s->pixels[static_cast<std::size_t>(y) * s->width + x] = PixelFromColor(crColor);
    return crColor & 0x00FFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const CRect box = DrawableBox(m_bitmap, *m_context);
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom)
        return CLR_INVALID;
    Surface* s = Target(m_bitmap);
    Settle(*s);
    return ColorFromPixel(s->pixels[static_cast<std::size_t>(y) * s->width + x]);
}
