// Pixel access and colour arithmetic of the generator's raster.
#include "tools/assetgen/Canvas.h"

#include <algorithm>

namespace assetgen {

namespace {
int Clamp255(int v)
{
    return std::clamp(v, 0, 255);
}
}  // namespace

Rgb ClampRgb(Rgb c)
{
    return {Clamp255(c.r), Clamp255(c.g), Clamp255(c.b)};
}

Rgb Mix(Rgb a, Rgb b, int t)
{
    t = std::clamp(t, 0, 256);
    auto ch = [t](int x, int y) { return (x * (256 - t) + y * t + 128) >> 8; };
    return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b)};
}

Rgb Shade(Rgb c, int d)
{
    return ClampRgb({c.r + d, c.g + d, c.b + d});
}

Rgb Scale(Rgb c, int num)
{
    return ClampRgb({(c.r * num + 128) >> 8, (c.g * num + 128) >> 8, (c.b * num + 128) >> 8});
}

int Luma(Rgb c)
{
    return (c.r * 77 + c.g * 150 + c.b * 29 + 128) >> 8;
}

Canvas::Canvas(int width, int height, Rgba fill)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height, fill)
{
}

void Canvas::Set(int x, int y, Rgb c)
{
    if (!Inside(x, y))
        return;
    const Rgb k = ClampRgb(c);
    m_pixels[Index(x, y)] = {static_cast<std::uint8_t>(k.r), static_cast<std::uint8_t>(k.g),
                             static_cast<std::uint8_t>(k.b), 255};
}

void Canvas::SetRgba(int x, int y, Rgba c)
{
    if (Inside(x, y))
        m_pixels[Index(x, y)] = c;
}

void Canvas::Blend(int x, int y, Rgb c, int alpha)
{
    if (!Inside(x, y))
        return;
    Set(x, y, Mix(RgbAt(x, y), c, alpha));
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Rgb c)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            Set(x, y, c);
}

void Canvas::BlendRect(int x0, int y0, int x1, int y1, Rgb c, int alpha)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            Blend(x, y, c, alpha);
}

bool PixelInPolygon(const std::vector<Pt>& poly, int x, int y)
{
    // Doubled coordinates put pixel centres on integers.
    const long long px = 2LL * x + 1, py = 2LL * y + 1;
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const long long ax = 2LL * poly[i].x, ay = 2LL * poly[i].y;
        const long long bx = 2LL * poly[j].x, by = 2LL * poly[j].y;
        if ((ay <= py) == (by <= py))
            continue;
        // Crossing x = ax + (py - ay) * (bx - ax) / (by - ay); inside when px is right of it.
        const long long lhs = (px - ax) * (by - ay), rhs = (py - ay) * (bx - ax);
        if (by - ay > 0 ? lhs >= rhs : lhs <= rhs)
            in = !in;
    }
    return in;
}

}  // namespace assetgen
