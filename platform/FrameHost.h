// What the main frame asks of its native window: the screen, the room for the field, and
// the restored rectangle.
#pragma once

#include "platform/Win.h"

// The frame's corner when none is stored, and where a frame lost off every display returns.
inline constexpr CPoint DefaultFrameCorner{120, 90};

class IFrameHost {
public:
    virtual ~IFrameHost() = default;
    // Width of the client area of a full-screen window (the stand-in for SM_CXFULLSCREEN).
    virtual int GetFullScreenWidth() = 0;
    // The largest client area the frame can have on the display that holds this corner: its
    // work area less the frame's borders, caption and menu bar.
    virtual CSize GetFieldRoom(CPoint corner) = 0;
    // Shows the frame restored (normal) with this outer rectangle.
    virtual void SetNormalRect(const CRect& rect) = 0;
    // The outer rectangle the frame has, or would have, when restored.
    virtual CRect GetNormalRect() = 0;
};
