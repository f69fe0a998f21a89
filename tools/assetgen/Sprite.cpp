// Rasterises, shades and outlines the diagonal shapes of a cursor.
#include "tools/assetgen/Sprite.h"

#include <array>

namespace assetgen {

namespace {
Diag DiagOf(int x, int y)
{
    return {x + y + 1, x - y};
}
}  // namespace

Shape RoundRect(int s0, int s1, int d0, int d1, int r)
{
    return [=](Diag p) {
        if (p.s < s0 || p.s > s1 || p.d < d0 || p.d > d1)
            return false;
        const int cs = p.s < s0 + r ? s0 + r : (p.s > s1 - r ? s1 - r : p.s);
        const int cd = p.d < d0 + r ? d0 + r : (p.d > d1 - r ? d1 - r : p.d);
        const int ds = p.s - cs, dd = p.d - cd;
        return ds * ds + dd * dd <= r * r + r / 2;
    };
}

Shape Ellipse(int s0, int d0, int rs, int rd)
{
    return [=](Diag p) {
        const long long ds = p.s - s0, dd = p.d - d0;
        return ds * ds * rd * rd + dd * dd * rs * rs <= 1LL * rs * rs * rd * rd;
    };
}

Shape Polygon(std::vector<Diag> corners)
{
    return [corners = std::move(corners)](Diag p) {
        // Even-odd rule with exact integer crossings.
        bool in = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Diag a = corners[i], b = corners[j];
            if ((a.d > p.d) == (b.d > p.d))
                continue;
            const long long lhs = 1LL * (p.s - a.s) * (b.d - a.d);
            const long long rhs = 1LL * (b.s - a.s) * (p.d - a.d);
            if ((b.d - a.d > 0) ? lhs < rhs : lhs > rhs)
                in = !in;
        }
        return in;
    };
}

Shape Unite(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](Diag p) { return a(p) || b(p); };
}

Shape Subtract(Shape a, Shape b)
{
    return [a = std::move(a), b = std::move(b)](Diag p) { return a(p) && !b(p); };
}

void Sprite::Part(const Shape& shape, const Material& material)
{
    m_parts.push_back({shape, material});
}

void Sprite::Detail(const Shape& shape, Rgb colour)
{
    m_details.push_back({shape, colour});
}

Canvas Sprite::Render(Rgb outline) const
{
    // Which part owns each pixel (-1: none); later parts cover earlier ones.
    std::array<int, Size * Size> owner{};
    owner.fill(-1);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            for (std::size_t i = 0; i < m_parts.size(); ++i)
                if (m_parts[i].shape(DiagOf(x, y)))
                    owner[y * Size + x] = static_cast<int>(i);
    auto ownerAt = [&](int x, int y) { return (x < 0 || y < 0 || x >= Size || y >= Size) ? -1 : owner[y * Size + x]; };

    Canvas out(Size, Size);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const int o = ownerAt(x, y);
            if (o < 0)
                continue;
            const Material& m = m_parts[o].material;
            const bool darkEdge = ownerAt(x + 1, y) != o || ownerAt(x, y + 1) != o;
            const bool lightEdge = ownerAt(x - 1, y) != o || ownerAt(x, y - 1) != o;
            out.Set(x, y, darkEdge ? m.dark : (lightEdge ? m.light : m.base));
        }
    for (const Mark& d : m_details)
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
                if (ownerAt(x, y) >= 0 && d.shape(DiagOf(x, y)))
                    out.Set(x, y, d.colour);
    // The outline: every empty pixel touching the figure, diagonals included.
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            if (ownerAt(x, y) >= 0)
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    touches = touches || ownerAt(x + dx, y + dy) >= 0;
            if (touches)
                out.Set(x, y, outline);
        }
    return out;
}

}  // namespace assetgen
