// Exact integer division rounded up, as the rasterizer and the stretch rules need it for pixel
// positions: a * b / c with operands of up to 32 bits each never overflows.
#pragma once

#include <cstdlib>

namespace dc_detail {

__extension__ typedef __int128 Int128;

// Floor and ceiling of a / b for b > 0.
template <typename T>
constexpr T FloorDiv(T a, T b)
{
    T q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}
template <typename T>
constexpr T CeilDiv(T a, T b)
{
    return -FloorDiv<T>(-a, b);
}

// ceil(a * b / c) for c > 0.
inline long long CeilMulDiv(long long a, long long b, long long c)
{
    constexpr long long Safe = 1LL << 31;
    if (std::llabs(a) < Safe && std::llabs(b) < Safe)
        return CeilDiv<long long>(a * b, c);
    return static_cast<long long>(CeilDiv<Int128>(static_cast<Int128>(a) * b, c));
}

}  // namespace dc_detail
