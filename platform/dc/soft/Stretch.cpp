// The source pixels of a stretch, and the blocks a shrink combines.
#include "platform/dc/soft/Stretch.h"

#include <algorithm>

#include "platform/dc/soft/MulDiv.h"

namespace dc_detail {

Extent NormalizeExtent(long long start, long long length)
{
    return length < 0 ? Extent{start + length + 1, -length} : Extent{start, length};
}

std::vector<SourceRun> SourceRuns(Extent dst, Extent src, bool mirror, long long from, long long to, int limit)
{
    const long long m = dst.length, n = src.length, bias = (m - 1) / 2;
    std::vector<SourceRun> runs;
    runs.reserve(static_cast<std::size_t>(std::max(to - from, 0LL)));
    for (long long d = from; d < to; ++d) {
        const long long k = mirror ? m - 1 - (d - dst.start) : d - dst.start;
        long long first, last;
        if (n <= m) {
            first = last = CeilMulDiv(2 * k + 1, n, 2 * m) - 1;  // under the centre, a tie to the first
        } else {
            first = CeilMulDiv(1, k * n - bias, m);  // the sources i with (i m + bias) / n == k
            last = CeilMulDiv(1, (k + 1) * n - bias, m) - 1;
        }
        first = std::max(src.start + first, 0LL);
        last = std::min(src.start + last, static_cast<long long>(limit) - 1);
        runs.push_back(first <= last ? SourceRun{static_cast<int>(first), static_cast<int>(last)} : SourceRun{});
    }
    return runs;
}

bool SinglePixels(const std::vector<SourceRun>& runs)
{
    return std::all_of(runs.begin(), runs.end(), [](const SourceRun& r) { return r.Empty() || r.Single(); });
}

void StretchCombine(std::uint32_t* target, int targetWidth, const CRect& area, const std::uint32_t* source,
                    int sourceWidth, const std::vector<SourceRun>& cols, const std::vector<SourceRun>& rows)
{
    for (int y = area.top; y < area.bottom; ++y) {
        const SourceRun& rowRun = rows[static_cast<std::size_t>(y - area.top)];
        if (rowRun.Empty())
            continue;
        std::uint32_t* dst = target + static_cast<std::ptrdiff_t>(y) * targetWidth;
        for (int x = area.left; x < area.right; ++x) {
            const SourceRun& colRun = cols[static_cast<std::size_t>(x - area.left)];
            if (colRun.Empty())
                continue;
            std::uint32_t pixel = 0x00FFFFFF;
            for (int sy = rowRun.first; sy <= rowRun.last; ++sy) {
                const std::uint32_t* src = source + static_cast<std::ptrdiff_t>(sy) * sourceWidth;
                for (int sx = colRun.first; sx <= colRun.last; ++sx)
                    pixel &= src[sx];
            }
            dst[x] = pixel;
        }
    }
}

}  // namespace dc_detail
