// The stored frame position: kept where a display shows any of the frame, else 120, 90.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/desktop/Placement.h"

TEST(Placement, AFrameWhollyOffEveryDisplayComesBackToTheDefaultCorner)
{
    const std::vector<CRect> displays = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    const CRect size{0, 0, 716, 588};
    auto at = [&](int left, int top) { return CRect{left, top, left + size.Width(), top + size.Height()}; };

    // Seen on a display, even partly or on the second one: kept as stored.
    for (const auto& [left, top] : {std::pair{120, 90}, {-700, -500}, {2500, 100}, {3199, 1023}})
        EXPECT_EQ(KeepOnSomeDisplay(at(left, top), displays), at(left, top)) << left << "," << top;
    // Wholly off: beyond the right, below the shorter second display, far up and left,
    // or only touching an edge. The size is kept.
    for (const auto& [left, top] : {std::pair{3200, 0}, {2000, 1024}, {-716, 0}, {-30000, -30000}})
        EXPECT_EQ(KeepOnSomeDisplay(at(left, top), displays), at(120, 90)) << left << "," << top;
    // At the ends of int, or reversed: still moved, with a size that fits.
    EXPECT_EQ(KeepOnSomeDisplay(CRect{INT_MIN, INT_MIN, INT_MAX, -2000}, displays),
              (CRect{120, 90, INT_MAX, 90 + (INT_MAX - 1999)}));
    EXPECT_EQ(KeepOnSomeDisplay(CRect{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, displays), (CRect{120, 90, 120, 90}));
}

TEST(Placement, WithNoDisplayKnownTheStoredPositionStands)
{
    const CRect frame{5000, 5000, 5716, 5588};
    EXPECT_EQ(KeepOnSomeDisplay(frame, {}), frame);
}
