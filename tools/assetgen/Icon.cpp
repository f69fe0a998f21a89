// Paints the target icon: a light disc with the thick green rim of a left-button target,
// a thin blue inner ring like a right-button one, sighting marks and a red centre, lit from
// the top left. Each pixel averages 8 x 8 samples, so the rings are smooth at every size.
// The SVG draws the same regions with the same radii and the same light.
#include "tools/assetgen/Icon.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace assetgen {

namespace {

// Radii in 1/16 pixel, chosen per size so every ring stays at least a pixel wide.
struct Layout {
    int outer;  // the dark rim's outer edge
    int green;  // the green ring's outer edge
    int white;  // the light disc's edge (the green ring's inner edge)
    int blueOuter, blueInner;
    int red;       // the centre dot
    int markHalf;  // half the width of the four sighting marks
    int markFrom, markTo;
};

// The design at 48 pixels; larger images scale it.
constexpr int LargeSize = 48;
constexpr Layout Large = {384, 364, 288, 184, 154, 76, 14, 112, 288};

Layout LayoutFor(int size)
{
    if (size <= 16)
        return {128, 116, 84, 60, 36, 36, 0, 0, 0};  // too small for sighting marks
    if (size <= 24)
        return {192, 180, 141, 93, 76, 39, 9, 57, 141};
    if (size <= 32)
        return {256, 240, 188, 124, 102, 52, 12, 76, 188};
    auto scaled = [size](int v) { return v * size / LargeSize; };
    const Layout& l = Large;
    return {scaled(l.outer), scaled(l.green),    scaled(l.white),    scaled(l.blueOuter), scaled(l.blueInner),
            scaled(l.red),   scaled(l.markHalf), scaled(l.markFrom), scaled(l.markTo)};
}

enum Region { Rim, Green, Light, Blue, Mark, Red, Regions };

Region RegionAt(const Layout& l, long long px, long long py)
{
    const long long d2 = px * px + py * py;
    auto within = [d2](int r) { return d2 <= 1LL * r * r; };
    const bool mark =
        (std::llabs(px) <= l.markHalf || std::llabs(py) <= l.markHalf) && !within(l.markFrom) && within(l.markTo);
    if (!within(l.green))
        return Rim;
    if (!within(l.white))
        return Green;
    if (within(l.red))
        return Red;
    if (mark)
        return Mark;
    if (within(l.blueOuter) && !within(l.blueInner))
        return Blue;
    return Light;
}

// Colours by region: the true-colour ones, and the standard 16-colour ones for crisp images.
constexpr Rgb Soft[Regions] = {{16, 40, 24},  {44, 196, 64}, {242, 250, 242},
                               {44, 84, 224}, {30, 44, 36},  {226, 44, 40}};
constexpr Rgb Standard[Regions] = {{0, 0, 0}, {0, 255, 0}, {255, 255, 255}, {0, 0, 255}, {0, 0, 0}, {255, 0, 0}};

// The light: a region's colour is lifted by up to Lift at the top-left corner and lowered
// as much at the bottom-right one, evenly along the diagonal.
constexpr int Lift = 36;

// An SVG gradient of a region's colour along the diagonal of the box -r..r, in steps the
// same size as the images' integer lift (so clamping at white bends it in the same places).
std::string SvgGradient(const char* id, Rgb colour, int r)
{
    constexpr int Steps = 8;
    char line[160];
    std::snprintf(line, sizeof line,
                  "    <linearGradient id=\"%s\" gradientUnits=\"userSpaceOnUse\" x1=\"%d\" y1=\"%d\" x2=\"%d\" "
                  "y2=\"%d\">\n",
                  id, -r, -r, r, r);
    std::string out = line;
    for (int i = 0; i <= Steps; ++i) {
        const Rgb c = Shade(colour, Lift - 2 * Lift * i / Steps);
        std::snprintf(line, sizeof line, "      <stop offset=\"%g\" stop-color=\"#%02x%02x%02x\"/>\n",
                      static_cast<double>(i) / Steps, c.r, c.g, c.b);
        out += line;
    }
    return out + "    </linearGradient>\n";
}

// The four sighting marks: bars |x| <= half (or |y| <= half) between the radii from and to.
// Written out in place rather than rotated, so the light keeps its direction on each.
std::string SvgMarkPaths(int half, int from, int to)
{
    const double h = half;
    const double outer = std::sqrt(1.0 * to * to - h * h);
    const double inner = std::sqrt(1.0 * from * from - h * h);
    // The mark pointing up, corner by corner; the others turn it by quarter turns.
    const double corners[4][2] = {{-h, -outer}, {h, -outer}, {h, -inner}, {-h, -inner}};
    std::string out;
    for (int turn = 0; turn < 4; ++turn) {
        double p[4][2];
        for (int i = 0; i < 4; ++i) {
            double x = corners[i][0], y = corners[i][1];
            for (int t = 0; t < turn; ++t) {  // a quarter turn clockwise: (x, y) -> (-y, x)
                const double nx = -y;
                y = x;
                x = nx;
            }
            p[i][0] = x;
            p[i][1] = y;
        }
        char path[260];
        std::snprintf(path, sizeof path,
                      "    <path d=\"M %.2f %.2f A %d %d 0 0 1 %.2f %.2f L %.2f %.2f A %d %d 0 0 0 %.2f %.2f Z\"/>\n",
                      p[0][0], p[0][1], to, to, p[1][0], p[1][1], p[2][0], p[2][1], from, from, p[3][0], p[3][1]);
        out += path;
    }
    return out;
}

}  // namespace

Canvas MakeIcon(int size, IconStyle style)
{
    constexpr int Sub = 8;  // samples per pixel along each axis
    const Layout layout = LayoutFor(size);
    const long long centre = size * 8LL;  // in 1/16 pixel
    Canvas out(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int r = 0, g = 0, b = 0, hits = 0;
            int votes[Regions] = {};
            for (int sy = 0; sy < Sub; ++sy)
                for (int sx = 0; sx < Sub; ++sx) {
                    const long long px = x * 16LL + sx * 2 + 1 - centre;
                    const long long py = y * 16LL + sy * 2 + 1 - centre;
                    if (px * px + py * py > 1LL * layout.outer * layout.outer)
                        continue;
                    const Region region = RegionAt(layout, px, py);
                    ++votes[region];
                    // Light from the top left: brighter there, darker opposite.
                    const int lift = style == IconStyle::Lit ? static_cast<int>(-(px + py) * Lift / (2 * centre)) : 0;
                    const Rgb c = Shade(Soft[region], lift);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                    ++hits;
                }
            if (style == IconStyle::Crisp) {
                if (2 * hits < Sub * Sub)
                    continue;
                int best = 0;
                for (int i = 1; i < Regions; ++i)
                    if (votes[i] > votes[best])
                        best = i;
                out.Set(x, y, Standard[best]);
                continue;
            }
            if (!hits)
                continue;
            out.SetRgba(
                x, y,
                {static_cast<std::uint8_t>((r + hits / 2) / hits), static_cast<std::uint8_t>((g + hits / 2) / hits),
                 static_cast<std::uint8_t>((b + hits / 2) / hits),
                 static_cast<std::uint8_t>((hits * 255 + Sub * Sub / 2) / (Sub * Sub))});
        }
    return out;
}

std::string MakeIconSvg(int size)
{
    // Drawn back to front in the same units as the 48-pixel image (1/16 pixel, centre 0,0),
    // each region painted over the one that encloses it, as regionAt decides between them.
    const Layout& l = Large;
    const int r = l.outer;
    char head[200];
    std::snprintf(head, sizeof head,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"%d %d %d %d\">\n",
                  size, size, -r, -r, 2 * r, 2 * r);
    std::string svg = head;
    svg += "  <title>Orbicle</title>\n  <defs>\n";
    const char* ids[Regions] = {"rim", "green", "light", "blue", "mark", "red"};
    for (int region = 0; region < Regions; ++region)
        svg += SvgGradient(ids[region], Soft[region], r);
    svg += "  </defs>\n";
    auto disc = [&svg](int radius, const char* fill) {
        svg += "  <circle r=\"" + std::to_string(radius) + "\" fill=\"url(#" + fill + ")\"/>\n";
    };
    disc(l.outer, "rim");
    disc(l.green, "green");
    disc(l.white, "light");
    const int blueMiddle2 = l.blueOuter + l.blueInner;  // twice the ring's middle radius
    char ring[160];
    std::snprintf(ring, sizeof ring, "  <circle r=\"%g\" fill=\"none\" stroke=\"url(#blue)\" stroke-width=\"%d\"/>\n",
                  blueMiddle2 / 2.0, l.blueOuter - l.blueInner);
    svg += ring;
    svg += "  <g fill=\"url(#mark)\">\n" + SvgMarkPaths(l.markHalf, l.markFrom, l.markTo) + "  </g>\n";
    disc(l.red, "red");
    return svg + "</svg>\n";
}

}  // namespace assetgen
