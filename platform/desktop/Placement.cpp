// The off-screen test for the frame's stored position.
#include "platform/desktop/Placement.h"

#include <algorithm>

namespace {
bool Overlaps(const CRect& a, const CRect& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}
}  // namespace

CRect KeepOnSomeDisplay(const CRect& frame, std::span<const CRect> displays)
{
    if (displays.empty() ||
        std::any_of(displays.begin(), displays.end(), [&](const CRect& d) { return Overlaps(frame, d); }))
        return frame;
    return CRect{DefaultFrameCorner.x, DefaultFrameCorner.y, DefaultFrameCorner.x + frame.Width(),
                 DefaultFrameCorner.y + frame.Height()};
}
