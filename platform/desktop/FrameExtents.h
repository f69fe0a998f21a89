// What the window manager adds around a normal window (borders and caption), asked of it
// before the program's own frame is shown, so that the frame can be made to fit the screen.
#pragma once

#include <optional>

struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// The extents the window manager gives a new normal window, or nullopt where it cannot tell
// (no X display, or a window manager without _NET_REQUEST_FRAME_EXTENTS). Waits at most
// timeoutMs for the answer.
std::optional<FrameExtents> AskFrameExtents(int timeoutMs = 300);
