// Paints the target icon: a light disc with the thick green rim of a left-button target,
// a thin blue inner ring like a right-button one, sighting marks and a red centre, lit from
// the top left. Each pixel averages 8 x 8 samples, so the rings are smooth at every size.
#include "tools/assetgen/Icon.h"

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

Layout layoutFor(int size)
{
    if (size <= 16)
        return {128, 116, 84, 60, 36, 36, 0, 0, 0};  // too small for sighting marks
    if (size <= 32)
        return {256, 240, 188, 124, 102, 52, 12, 76, 188};
    return {384, 364, 288, 184, 154, 76, 14, 112, 288};
}

enum Region { kRim, kGreen, kLight, kBlue, kMark, kRed, kRegions };

Region regionAt(const Layout& l, long long px, long long py)
{
    const long long d2 = px * px + py * py;
    auto within = [d2](int r) { return d2 <= 1LL * r * r; };
    const bool mark =
        (std::llabs(px) <= l.markHalf || std::llabs(py) <= l.markHalf) && !within(l.markFrom) && within(l.markTo);
    if (!within(l.green))
        return kRim;
    if (!within(l.white))
        return kGreen;
    if (within(l.red))
        return kRed;
    if (mark)
        return kMark;
    if (within(l.blueOuter) && !within(l.blueInner))
        return kBlue;
    return kLight;
}

// Colours by region: the true-colour ones, and the standard 16-colour ones for crisp images.
constexpr Rgb kSoft[kRegions] = {{16, 40, 24},  {44, 196, 64}, {242, 250, 242},
                                 {44, 84, 224}, {30, 44, 36},  {226, 44, 40}};
constexpr Rgb kStandard[kRegions] = {{0, 0, 0}, {0, 255, 0}, {255, 255, 255}, {0, 0, 255}, {0, 0, 0}, {255, 0, 0}};

}  // namespace

Canvas makeIcon(int size, IconStyle style)
{
    constexpr int kSub = 8;  // samples per pixel along each axis
    const Layout layout = layoutFor(size);
    const long long centre = size * 8LL;  // in 1/16 pixel
    Canvas out(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int r = 0, g = 0, b = 0, hits = 0;
            int votes[kRegions] = {};
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx) {
                    const long long px = x * 16LL + sx * 2 + 1 - centre;
                    const long long py = y * 16LL + sy * 2 + 1 - centre;
                    if (px * px + py * py > 1LL * layout.outer * layout.outer)
                        continue;
                    const Region region = regionAt(layout, px, py);
                    ++votes[region];
                    // Light from the top left: brighter there, darker opposite.
                    const int lift = style == IconStyle::Lit ? static_cast<int>(-(px + py) * 36 / (2 * centre)) : 0;
                    const Rgb c = shade(kSoft[region], lift);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                    ++hits;
                }
            if (style == IconStyle::Crisp) {
                if (2 * hits < kSub * kSub)
                    continue;
                int best = 0;
                for (int i = 1; i < kRegions; ++i)
                    if (votes[i] > votes[best])
                        best = i;
                out.set(x, y, kStandard[best]);
                continue;
            }
            if (!hits)
                continue;
            out.setRgba(
                x, y,
                {static_cast<std::uint8_t>((r + hits / 2) / hits), static_cast<std::uint8_t>((g + hits / 2) / hits),
                 static_cast<std::uint8_t>((b + hits / 2) / hits),
                 static_cast<std::uint8_t>((hits * 255 + kSub * kSub / 2) / (kSub * kSub))});
        }
    return out;
}

}  // namespace assetgen
