// Builds the standard colour tables used for the indexed images.
#include "tools/assetgen/Palette.h"

namespace assetgen {

const std::vector<Rgb>& Palette16()
{
    static const std::vector<Rgb> table = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    return table;
}

const std::vector<Rgb>& Palette256()
{
    static const std::vector<Rgb> table = [] {
        std::vector<Rgb> t = Palette16();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    t.push_back({r * 51, g * 51, b * 51});
        for (int i = 1; i <= 24; ++i) {
            const int v = i * 255 / 25;
            t.push_back({v, v, v});
        }
        return t;
    }();
    return table;
}

int NearestIndex(const std::vector<Rgb>& palette, Rgb c)
{
    int best = 0;
    long long bestDist = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long long dr = c.r - palette[i].r, dg = c.g - palette[i].g, db = c.b - palette[i].b;
        const long long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace assetgen
