// Integer value noise for the textures of the background picture.
#include "tools/assetgen/Random.h"

#include "tools/assetgen/Canvas.h"

namespace assetgen {

namespace {
// Smoothstep 3t^2 - 2t^3 on t in 0..256, result 0..256.
int smooth(int t)
{
    return (t * t * (768 - 2 * t)) >> 16;
}

int lerp(int a, int b, int t)
{
    return a + (((b - a) * t) >> 8);
}
}  // namespace

int valueNoise(int x, int y, int cell, std::uint32_t seed)
{
    const int cx = static_cast<int>(floorDiv(x, cell));
    const int cy = static_cast<int>(floorDiv(y, cell));
    const int tx = smooth(static_cast<int>((x - static_cast<long long>(cx) * cell) * 256 / cell));
    const int ty = smooth(static_cast<int>((y - static_cast<long long>(cy) * cell) * 256 / cell));
    const int top = lerp(hash2(cx, cy, seed), hash2(cx + 1, cy, seed), tx);
    const int bottom = lerp(hash2(cx, cy + 1, seed), hash2(cx + 1, cy + 1, seed), tx);
    return lerp(top, bottom, ty);
}

int fractalNoise(int x, int y, int cell, int octaves, std::uint32_t seed)
{
    int sum = 0, weight = 0, w = 256;
    for (int o = 0; o < octaves && cell >= 1; ++o) {
        sum += valueNoise(x, y, cell, seed + 101 * o) * w;
        weight += w;
        w /= 2;
        cell /= 2;
    }
    return weight ? sum / weight : 128;
}

}  // namespace assetgen
