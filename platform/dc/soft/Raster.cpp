// The rasterizer behind CDC. Conventions, chosen to match what Windows GDI draws:
//
// - Pixel (x, y) is sampled at its centre, the integer point (x, y). Filled areas take the
//   pixels whose centre is inside; a centre exactly on a left or top edge is inside, on a right
//   or bottom edge outside, so a polygon or box leaves out its right column and bottom row.
// - One-pixel lines step along the major axis and round the minor coordinate to the nearest
//   pixel, a tie going to the smaller coordinate whichever way the line is drawn (so A->B and
//   B->A light the same pixels apart from the left-out end point). The end point is left out,
//   and a line of length zero draws nothing. 45-degree lines count as x-major.
// - Styled one-pixel lines use the cosmetic patterns of GDI, in pixels along the major axis:
//   dash 18 on / 6 off, dot 3 / 3, dash-dot 9 / 6 / 3 / 6, dash-dot-dot 9 / 3 / 3 / 3 / 3 / 3.
//   The pattern starts anew with each line. With an opaque background the gaps are drawn in the
//   background colour through the same raster operation. (The dash-dot figures are the ones
//   seen in frames drawn by Windows: a 24-pixel period.)
// - Wide lines are the set of pixel centres within width / 2 of the segment: round ends that
//   reach width / 2 beyond both end points, so consecutive LineTo calls meet in round joins.
//   The centre is nudged by 1/1024 pixel right and down, which settles ties the top-left way:
//   an even-width horizontal or vertical line covers exactly `width` rows or columns.
//   GDI's own widening differs from this exact geometry by up to a pixel along slanted edges and
//   at the corner pixels of 3-pixel round ends; axis-aligned lines of widths 5 and 7 with their
//   round ends come out the same pixel for pixel.
// - Ellipses: the path is the ellipse inscribed in the box with its right and bottom edges left
//   out, centre ((l + r - 1) / 2, (t + b - 1) / 2) and semi-axes ((r - l - 1) / 2, (b - t - 1) / 2).
//   A pen of width w covers the ring from w / 2 inside the path to w / 2 outside it (a one-pixel
//   pen counts as w = 1, which keeps the outline within the box); the brush fills what lies
//   inside the ring. A wide pen therefore reaches about (w - 1) / 2 pixels beyond the box, as
//   GDI's geometric pens do (GDI's ring is up to a pixel thicker on the diagonals). Without a pen the interior is one pixel smaller on the right and bottom.
//   For true ellipses the ring edges are the ellipses with semi-axes grown and shrunk by w / 2.
#include "platform/dc/soft/Raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/dc/Dc.h"
#include "platform/dc/soft/MulDiv.h"

namespace dc_detail {
namespace {

// Nearest integer to i * step / den (den > 0), a tie going down: ceil((2 i step - den) / (2 den)).
long long RoundHalfDown(long long i, long long step, long long den)
{
    constexpr long long Safe = 1LL << 30;
    if (i < Safe && std::llabs(step) < Safe && den < Safe)
        return CeilDiv<long long>(2 * i * step - den, 2 * den);
    return static_cast<long long>(CeilDiv<Int128>(Int128{2} * i * step - den, Int128{2} * den));
}

// Keeps doubles headed for integer pixel loops in a range where the conversion is defined.
long long ClampToLong(double v)
{
    constexpr double Limit = 1e15;
    if (!(v > -Limit))
        return static_cast<long long>(-Limit);
    if (v > Limit)
        return static_cast<long long>(Limit);
    return static_cast<long long>(v);
}

constexpr std::array<int, 2> DashRuns{18, 6};
constexpr std::array<int, 2> DotRuns{3, 3};
constexpr std::array<int, 4> DashDotRuns{9, 6, 3, 6};
constexpr std::array<int, 6> DashDotDotRuns{9, 3, 3, 3, 3, 3};

bool generalPaths = false;

}  // namespace

void SetGeneralPaths(bool on)
{
    generalPaths = on;
}

bool GeneralPaths()
{
    return generalPaths;
}

std::span<const int> PatternOf(int penStyle)
{
    switch (penStyle) {
    case PS_DASH: return DashRuns;
    case PS_DOT: return DotRuns;
    case PS_DASHDOT: return DashDotRuns;
    case PS_DASHDOTDOT: return DashDotDotRuns;
    default: return {};
    }
}

std::uint32_t ApplyRop(int rop, std::uint32_t d, std::uint32_t p)
{
    std::uint32_t r = d;
    switch (rop) {
    case R2_BLACK: r = 0; break;
    case R2_NOTMERGEPEN: r = ~(d | p); break;
    case R2_MASKNOTPEN: r = d & ~p; break;
    case R2_NOTCOPYPEN: r = ~p; break;
    case R2_MASKPENNOT: r = p & ~d; break;
    case R2_NOT: r = ~d; break;
    case R2_XORPEN: r = d ^ p; break;
    case R2_NOTMASKPEN: r = ~(d & p); break;
    case R2_MASKPEN: r = d & p; break;
    case R2_NOTXORPEN: r = ~(d ^ p); break;
    case R2_NOP: r = d; break;
    case R2_MERGENOTPEN: r = d | ~p; break;
    case R2_COPYPEN: r = p; break;
    case R2_MERGEPENNOT: r = p | ~d; break;
    case R2_MERGEPEN: r = d | p; break;
    case R2_WHITE: r = 0xFFFFFF; break;
    default: break;
    }
    return r & 0x00FFFFFF;
}

void FillPixels(std::uint32_t* p, std::size_t n, std::uint32_t colour)
{
    if (colour == 0) {
        std::memset(p, 0, n * sizeof *p);
        return;
    }
    // Four pixels a store.
    const std::uint32_t four[4] = {colour, colour, colour, colour};
    for (; n >= 4; n -= 4, p += 4)
        std::memcpy(p, four, sizeof four);
    for (; n > 0; --n)
        *p++ = colour;
}

void Canvas::Span(long long y, long long x0, long long x1, std::uint32_t colour) const
{
    if (y < clip.top || y >= clip.bottom)
        return;
    x0 = std::max<long long>(x0, clip.left);
    x1 = std::min<long long>(x1, clip.right);
    if (x0 >= x1)
        return;
    std::uint32_t* p = Row(static_cast<int>(y)) + x0;
    const auto n = static_cast<std::size_t>(x1 - x0);
    if (GeneralPaths()) {
        for (std::size_t i = 0; i < n; ++i)
            p[i] = ApplyRop(rop, p[i], colour);
        return;
    }
    switch (rop) {
    case R2_COPYPEN: FillPixels(p, n, colour); break;
    case R2_MERGEPEN: {
        // Two pixels a step.
        const std::uint64_t two = colour | static_cast<std::uint64_t>(colour) << 32;
        std::size_t i = 0;
        for (; i + 2 <= n; i += 2) {
            std::uint64_t pair;
            std::memcpy(&pair, p + i, sizeof pair);
            pair |= two;
            std::memcpy(p + i, &pair, sizeof pair);
        }
        if (i < n)
            p[i] |= colour;
        break;
    }
    case R2_NOP: break;
    default:
        for (std::size_t i = 0; i < n; ++i)
            p[i] = ApplyRop(rop, p[i], colour);
        break;
    }
}

void Canvas::Column(long long x, long long y0, long long y1, std::uint32_t colour) const
{
    if (x < clip.left || x >= clip.right)
        return;
    y0 = std::max<long long>(y0, clip.top);
    y1 = std::min<long long>(y1, clip.bottom);
    if (y0 >= y1)
        return;
    std::uint32_t* p = Row(static_cast<int>(y0)) + x;
    for (long long y = y0; y < y1; ++y, p += width) {
        if (rop == R2_COPYPEN)
            *p = colour;
        else
            *p = ApplyRop(rop, *p, colour);
    }
}

void Canvas::Pixel(long long x, long long y, std::uint32_t colour) const
{
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom)
        return;
    std::uint32_t& p = Row(static_cast<int>(y))[x];
    p = rop == R2_COPYPEN ? colour : ApplyRop(rop, p, colour);
}

namespace {

// On/off of each position of a pattern period.
struct PatternTable {
    std::array<bool, 32> on{};
    int period = 0;
    explicit PatternTable(std::span<const int> runs)
    {
        bool draw = true;
        for (int run : runs) {
            for (int k = 0; k < run && period < static_cast<int>(on.size()); ++k)
                on[period++] = draw;
            draw = !draw;
        }
    }
};

}  // namespace

std::optional<AxisLine> ClipAxisLine(const CRect& clip, int x0, int y0, int x1, int y1)
{
    const bool vertical = x0 == x1;
    if ((vertical && y0 == y1) || (!vertical && y0 != y1))
        return std::nullopt;
    const long long start = vertical ? y0 : x0;
    const long long end = vertical ? y1 : x1;
    // From the start point up to the end point, which is left out, in either direction.
    long long from = end > start ? start : end + 1;
    long long to = end > start ? end : start + 1;
    from = std::max<long long>(from, vertical ? clip.top : clip.left);
    to = std::min<long long>(to, vertical ? clip.bottom : clip.right);
    AxisLine line{vertical, vertical ? x0 : y0, static_cast<int>(std::min(from, to)), static_cast<int>(to)};
    const int lo = vertical ? clip.left : clip.top;
    const int hi = vertical ? clip.right : clip.bottom;
    if (line.at < lo || line.at >= hi)
        line.from = line.to;
    return line;
}

void CosmeticLine(const Canvas& c, int x0, int y0, int x1, int y1, std::uint32_t colour, const LineStyle& style,
                  long long styleStart)
{
    if (c.Empty())
        return;
    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    if (dx == 0 && dy == 0)
        return;
    // Work in major (a) and minor (b) coordinates.
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const long long a0 = xMajor ? x0 : y0;
    const long long b0 = xMajor ? y0 : x0;
    const long long sa = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const long long db = xMajor ? dy : dx;
    const long long aLo = xMajor ? c.clip.left : c.clip.top;
    const long long aHi = xMajor ? c.clip.right : c.clip.bottom;
    const long long bLo = xMajor ? c.clip.top : c.clip.left;
    const long long bHi = xMajor ? c.clip.bottom : c.clip.right;

    // Steps i whose major coordinate a0 + sa * i lies inside the clip.
    long long iBegin = sa > 0 ? aLo - a0 : a0 - aHi + 1;
    long long iEnd = sa > 0 ? aHi - a0 : a0 - aLo + 1;
    iBegin = std::max<long long>(iBegin, 0);
    iEnd = std::min(iEnd, n);
    if (iBegin >= iEnd)
        return;

    if (style.runs.empty() && db == 0 && !GeneralPaths()) {  // a straight solid line: one span or column
        if (const auto line = ClipAxisLine(c.clip, x0, y0, x1, y1); line && line->from < line->to) {
            if (line->vertical)
                c.Column(line->at, line->from, line->to, colour);
            else
                c.Span(line->at, line->from, line->to, colour);
        }
        return;
    }

    const PatternTable pattern(style.runs);
    for (long long i = iBegin; i < iEnd; ++i) {
        const long long b = db == 0 ? b0 : b0 + RoundHalfDown(i, db, n);
        if (b < bLo || b >= bHi)
            continue;
        std::uint32_t pixel = colour;
        if (pattern.period > 0 && !pattern.on[static_cast<std::size_t>((styleStart + i) % pattern.period)]) {
            if (!style.opaqueGaps)
                continue;
            pixel = style.gapColour;
        }
        const long long a = a0 + sa * i;
        if (xMajor)
            c.Pixel(a, b, pixel);
        else
            c.Pixel(b, a, pixel);
    }
}

void WideLine(const Canvas& c, int x0, int y0, int x1, int y1, int width, std::uint32_t colour)
{
    constexpr double Nudge = 1.0 / 1024;
    constexpr double Inf = std::numeric_limits<double>::infinity();
    const double r = width / 2.0;
    const double ax = x0, ay = y0, bx = x1, by = y1;
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    const double rl = r * std::sqrt(len2);

    const long long top = std::max<long long>(c.clip.top, ClampToLong(std::floor(std::min(ay, by) - r)));
    const long long bottom = std::min<long long>(c.clip.bottom - 1, ClampToLong(std::ceil(std::max(ay, by) + r)));
    for (long long y = top; y <= bottom; ++y) {
        const double sy = static_cast<double>(y) + Nudge;
        double lo = Inf, hi = -Inf;
        auto addDisc = [&](double cx, double cy) {
            const double h = sy - cy;
            if (std::fabs(h) <= r) {
                const double half = std::sqrt(r * r - h * h);
                lo = std::min(lo, cx - half);
                hi = std::max(hi, cx + half);
            }
        };
        addDisc(ax, ay);
        addDisc(bx, by);
        if (len2 > 0) {
            // The band around the segment: |cross| <= r * len and 0 <= dot <= len^2, both linear
            // in x for this row (px, py relative to the start point).
            const double py = sy - ay;
            double bandLo = -Inf, bandHi = Inf;
            bool inBand = true;
            if (dy != 0) {
                const double e1 = (py * dx - rl) / dy, e2 = (py * dx + rl) / dy;
                bandLo = std::max(bandLo, std::min(e1, e2));
                bandHi = std::min(bandHi, std::max(e1, e2));
            } else {
                inBand = std::fabs(py * dx) <= rl;
            }
            if (dx != 0) {
                const double e1 = -py * dy / dx, e2 = (len2 - py * dy) / dx;
                bandLo = std::max(bandLo, std::min(e1, e2));
                bandHi = std::min(bandHi, std::max(e1, e2));
            } else {
                inBand = inBand && py * dy >= 0 && py * dy <= len2;
            }
            if (inBand && bandLo <= bandHi) {
                lo = std::min(lo, ax + bandLo);
                hi = std::max(hi, ax + bandHi);
            }
        }
        if (lo > hi)
            continue;
        // Pixels whose nudged centre x + Nudge lies in [lo, hi].
        const long long first = ClampToLong(std::ceil(lo - Nudge));
        const long long last = ClampToLong(std::floor(hi - Nudge));
        c.Span(y, first, last + 1, colour);
    }
}

namespace {

// Rows of an ellipse centred at (cx, cy): pixels within the outer semi-axes get the pen, those
// within the inner ones the fill. An inner semi-axis of zero or less means no inner part.
void EllipseRows(const Canvas& c, double cx, double cy, double outerA, double outerB, double innerA, double innerB,
                 const ShapePaint& paint)
{
    if (outerA <= 0 || outerB <= 0)
        return;
    const bool hasInner = innerA > 0 && innerB > 0;
    auto halfSpan = [](double a, double b, double dy) {
        return std::sqrt(std::max(0.0, a * a - dy * dy * ((a * a) / (b * b))));
    };
    const long long top = std::max<long long>(c.clip.top, ClampToLong(std::ceil(cy - outerB)));
    const long long bottom = std::min<long long>(c.clip.bottom - 1, ClampToLong(std::floor(cy + outerB)));
    for (long long y = top; y <= bottom; ++y) {
        const double dy = static_cast<double>(y) - cy;
        const double xo = halfSpan(outerA, outerB, dy);
        const long long outerL = ClampToLong(std::ceil(cx - xo));
        const long long outerR = ClampToLong(std::floor(cx + xo));
        if (outerL > outerR)
            continue;
        if (!hasInner || std::fabs(dy) > innerB) {
            c.Span(y, outerL, outerR + 1, paint.penWidth > 0 ? paint.penColour : paint.fillColour);
            continue;
        }
        const double xi = halfSpan(innerA, innerB, dy);
        const long long innerL = ClampToLong(std::ceil(cx - xi));
        const long long innerR = ClampToLong(std::floor(cx + xi));
        if (paint.penWidth > 0) {
            c.Span(y, outerL, innerL, paint.penColour);
            c.Span(y, innerR + 1, outerR + 1, paint.penColour);
        }
        if (paint.fill)
            c.Span(y, innerL, innerR + 1, paint.fillColour);
    }
}

}  // namespace

void FillEllipse(const Canvas& c, CRect box, const ShapePaint& paint)
{
    if (c.Empty() || (!paint.fill && paint.penWidth <= 0))
        return;
    const double l = std::min(box.left, box.right), r = std::max(box.left, box.right);
    const double t = std::min(box.top, box.bottom), b = std::max(box.top, box.bottom);
    if (r - l < 1 || b - t < 1)
        return;
    if (paint.penWidth <= 0) {
        // No outline: the interior alone, one pixel smaller on the right and bottom.
        const double a = (r - l - 1) / 2, bb = (b - t - 1) / 2;
        EllipseRows(c, (l + r - 2) / 2, (t + b - 2) / 2, a, bb, a, bb, paint);
        return;
    }
    const double a = (r - l - 1) / 2, bb = (b - t - 1) / 2;
    const double half = paint.penWidth / 2.0;
    EllipseRows(c, (l + r - 1) / 2, (t + b - 1) / 2, a + half, bb + half, a - half, bb - half, paint);
}

void FillPolygon(const Canvas& c, std::span<const CPoint> points, std::uint32_t colour)
{
    if (c.Empty() || points.size() < 3)
        return;
    struct Edge {
        long long xTop, yTop, xBottom, yBottom;
    };
    std::vector<Edge> edges;
    edges.reserve(points.size());
    long long yMin = std::numeric_limits<long long>::max(), yMax = std::numeric_limits<long long>::min();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const CPoint p = points[i];
        const CPoint q = points[(i + 1) % points.size()];
        yMin = std::min<long long>(yMin, p.y);
        yMax = std::max<long long>(yMax, p.y);
        if (p.y == q.y)
            continue;  // horizontal edges cross no sample row
        if (p.y < q.y)
            edges.push_back({p.x, p.y, q.x, q.y});
        else
            edges.push_back({q.x, q.y, p.x, p.y});
    }
    const long long top = std::max<long long>(yMin, c.clip.top);
    const long long bottom = std::min<long long>(yMax, c.clip.bottom);  // bottom row left out
    std::vector<long long> crossings;
    for (long long y = top; y < bottom; ++y) {
        crossings.clear();
        for (const Edge& e : edges) {
            if (y < e.yTop || y >= e.yBottom)
                continue;
            // First pixel at or right of the crossing: a centre on the edge counts as inside.
            const long long x = e.xTop + CeilMulDiv(y - e.yTop, e.xBottom - e.xTop, e.yBottom - e.yTop);
            crossings.push_back(x);
        }
        std::sort(crossings.begin(), crossings.end());
        // Inside from each odd crossing to the next.
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2)
            c.Span(y, crossings[k], crossings[k + 1], colour);
    }
}

}  // namespace dc_detail
