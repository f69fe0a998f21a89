// The few plain Windows-style types the game speaks in: flags, points, rectangles, times.
#pragma once

#include <cstdint>

using BOOL = int;  // 0 or 1 by convention; option fields may hold other values
using UINT = unsigned int;
using UINT_PTR = std::uintptr_t;
using time64 = std::int64_t;  // seconds since 1970-01-01 00:00 UTC

// How a window's activation changed.
constexpr UINT WA_INACTIVE = 0;
constexpr UINT WA_ACTIVE = 1;

struct CPoint {
    int x = 0;
    int y = 0;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const CSize&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsRectEmpty() const { return left >= right || top >= bottom; }
    // This rectangle becomes the overlap of a and b, or all zero when they do not overlap;
    // returns whether they do.
    bool IntersectRect(const CRect& a, const CRect& b)
    {
        *this = CRect{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                      a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
        if (IsRectEmpty())
            *this = CRect{};
        return !IsRectEmpty();
    }
    bool operator==(const CRect&) const = default;
};
