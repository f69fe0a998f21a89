// Pixel access and colour arithmetic of the generator's raster.
#include "tools/assetgen/Canvas.h"

#include <algorithm>

namespace assetgen {

namespace {
int clamp255(int v)
{
    return std::clamp(v, 0, 255);
}
}  // namespace

Rgb clampRgb(Rgb c)
{
    return {clamp255(c.r), clamp255(c.g), clamp255(c.b)};
}

Rgb mix(Rgb a, Rgb b, int t)
{
    t = std::clamp(t, 0, 256);
    auto ch = [t](int x, int y) { return (x * (256 - t) + y * t + 128) >> 8; };
    return {ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b)};
}

Rgb shade(Rgb c, int d)
{
    return clampRgb({c.r + d, c.g + d, c.b + d});
}

Rgb scale(Rgb c, int num)
{
    return clampRgb({(c.r * num + 128) >> 8, (c.g * num + 128) >> 8, (c.b * num + 128) >> 8});
}

int luma(Rgb c)
{
    return (c.r * 77 + c.g * 150 + c.b * 29 + 128) >> 8;
}

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill)
{
}

void Canvas::set(int x, int y, Rgb c)
{
    if (!inside(x, y))
        return;
    const Rgb k = clampRgb(c);
    pixels_[index(x, y)] = {static_cast<std::uint8_t>(k.r), static_cast<std::uint8_t>(k.g),
                            static_cast<std::uint8_t>(k.b), 255};
}

void Canvas::setRgba(int x, int y, Rgba c)
{
    if (inside(x, y))
        pixels_[index(x, y)] = c;
}

void Canvas::blend(int x, int y, Rgb c, int alpha)
{
    if (!inside(x, y))
        return;
    set(x, y, mix(rgb(x, y), c, alpha));
}

void Canvas::fillRect(int x0, int y0, int x1, int y1, Rgb c)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            set(x, y, c);
}

void Canvas::blendRect(int x0, int y0, int x1, int y1, Rgb c, int alpha)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            blend(x, y, c, alpha);
}

bool pixelInPolygon(const std::vector<Pt>& poly, int x, int y)
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
