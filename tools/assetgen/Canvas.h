// A small RGBA raster with the integer drawing helpers the pictures are made from.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace assetgen {

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
    Rgb ToRgb() const { return {r, g, b}; }
};

// Clamps each channel to 0..255.
Rgb ClampRgb(Rgb c);
// Mixes a towards b by t/256 (t in 0..256), rounding to nearest.
Rgb Mix(Rgb a, Rgb b, int t);
// Adds d to every channel (brightens or darkens), clamped.
Rgb Shade(Rgb c, int d);
// Scales every channel by num/256, clamped.
Rgb Scale(Rgb c, int num);
// Perceived brightness 0..255 (integer Rec. 601 weights).
int Luma(Rgb c);

class Canvas {
public:
    Canvas(int width, int height, Rgba fill = {});

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    Rgba At(int x, int y) const { return m_pixels[Index(x, y)]; }
    Rgb RgbAt(int x, int y) const { return At(x, y).ToRgb(); }
    // Writes an opaque pixel; coordinates outside are ignored so shapes may overhang.
    void Set(int x, int y, Rgb c);
    void SetRgba(int x, int y, Rgba c);
    // Blends c over the pixel with opacity alpha/256.
    void Blend(int x, int y, Rgb c, int alpha);

    void FillRect(int x0, int y0, int x1, int y1, Rgb c);  // inclusive-exclusive
    void BlendRect(int x0, int y0, int x1, int y1, Rgb c, int alpha);

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * m_width + x; }

    int m_width;
    int m_height;
    std::vector<Rgba> m_pixels;
};

// Division rounding toward minus infinity (den > 0).
constexpr long long FloorDiv(long long num, long long den)
{
    return num >= 0 ? num / den : -((-num + den - 1) / den);
}

// Integer point, used by the polygon filler.
struct Pt {
    int x = 0, y = 0;
};

// Whether the centre of pixel (x, y) lies inside the polygon (even-odd rule), matching
// forEachInPolygon.
bool PixelInPolygon(const std::vector<Pt>& poly, int x, int y);

// Calls plot(x, y) for every pixel whose centre lies inside the polygon (even-odd rule).
template <typename Plot>
void ForEachInPolygon(const std::vector<Pt>& poly, Plot plot);

// Calls plot(x, y) for every pixel centre inside the ellipse centred at (cx, cy) given in
// half pixels (so centres may sit between pixels) with radii rx, ry, also in half pixels.
template <typename Plot>
void ForEachInEllipse2(int cx2, int cy2, int rx2, int ry2, Plot plot)
{
    if (rx2 <= 0 || ry2 <= 0)
        return;
    const long long rx = rx2, ry = ry2;
    for (int y = (cy2 - ry2) / 2 - 1; y <= (cy2 + ry2) / 2 + 1; ++y) {
        const long long dy = 2LL * y + 1 - cy2;
        for (int x = (cx2 - rx2) / 2 - 1; x <= (cx2 + rx2) / 2 + 1; ++x) {
            const long long dx = 2LL * x + 1 - cx2;
            if (dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry)
                plot(x, y);
        }
    }
}

template <typename Plot>
void ForEachInPolygon(const std::vector<Pt>& poly, Plot plot)
{
    if (poly.size() < 3)
        return;
    int ymin = poly[0].y, ymax = poly[0].y;
    for (const Pt& p : poly) {
        ymin = p.y < ymin ? p.y : ymin;
        ymax = p.y > ymax ? p.y : ymax;
    }
    std::vector<int> xs;
    for (int y = ymin; y < ymax; ++y) {
        // Scan line through pixel centres, in doubled coordinates to stay integral.
        const long long sy = 2LL * y + 1;
        xs.clear();
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const Pt a = poly[i], b = poly[(i + 1) % poly.size()];
            const long long ay = 2LL * a.y, by = 2LL * b.y;
            if ((ay <= sy) == (by <= sy))
                continue;
            // x (doubled) where the edge crosses the scan line, floored.
            const long long num = 2LL * a.x * (by - sy) + 2LL * b.x * (sy - ay);
            const long long den = by - ay;
            xs.push_back(static_cast<int>(den > 0 ? FloorDiv(num, den) : FloorDiv(-num, -den)));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            // Pixel x is inside when its doubled centre 2x+1 lies in [xs[i], xs[i+1]).
            for (int x = static_cast<int>(FloorDiv(xs[i] - 1, 2)); 2 * x + 1 < xs[i + 1]; ++x)
                if (2 * x + 1 >= xs[i])
                    plot(x, y);
        }
    }
}

}  // namespace assetgen
