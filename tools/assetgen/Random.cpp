// Integer value noise for the textures of the background picture.
#include "tools/assetgen/Random.h"

#include "tools/assetgen/Canvas.h"

namespace assetgen {

namespace {
// Smoothstep 3t^2 - 2t^3 on t in 0..256, result 0..256.
int Smooth(int t)
{
    return (t * t * (768 - 2 * t)) >> 16;
}

int Lerp(int a, int b, int t)
{
    return a + (((b - a) * t) >> 8);
}
}  // namespace

int ValueNoise(int x, int y, int cell, std::uint32_t seed)
{
    const int cx = static_cast<int>(FloorDiv(x, cell));
    const int cy = static_cast<int>(FloorDiv(y, cell));
    const int tx = Smooth(static_cast<int>((x - static_cast<long long>(cx) * cell) * 256 / cell));
    const int ty = Smooth(static_cast<int>((y - static_cast<long long>(cy) * cell) * 256 / cell));
    const int top = Lerp(Hash2(cx, cy, seed), Hash2(cx + 1, cy, seed), tx);
    const int bottom = Lerp(Hash2(cx, cy + 1, seed), Hash2(cx + 1, cy + 1, seed), tx);
    return Lerp(top, bottom, ty);
}

int FractalNoise(int x, int y, int cell, int octaves, std::uint32_t seed)
{
    int sum = 0, weight = 0, w = 256;
    for (int o = 0; o < octaves && cell >= 1; ++o) {
        sum += ValueNoise(x, y, cell, seed + 101 * o) * w;
        weight += w;
        w /= 2;
        cell /= 2;
    }
    return weight ? sum / weight : 128;
}

}  // namespace assetgen
