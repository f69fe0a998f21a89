// The off-screen test for the frame's stored position.
#include "platform/desktop/Placement.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {
bool Overlaps(const CRect& a, const CRect& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// The frame's length along one axis, as it fits beside the default corner's coordinate:
// computed in 64 bits, so any rectangle gives one without overflow.
int Length(int low, int high, int corner)
{
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{high} - low, 0, INT_MAX - corner));
}
}  // namespace

CRect KeepOnSomeDisplay(const CRect& frame, std::span<const CRect> displays)
{
    if (displays.empty() ||
        std::any_of(displays.begin(), displays.end(), [&](const CRect& d) { return Overlaps(frame, d); }))
        return frame;
    const CPoint corner = DefaultFrameCorner;
    return CRect{corner.x, corner.y, corner.x + Length(frame.left, frame.right, corner.x),
                 corner.y + Length(frame.top, frame.bottom, corner.y)};
}
