// What the window system puts around a normal window (borders and caption), asked before the
// program's own frame is shown so that the frame can be made to fit the screen, and whether
// the window system lets the program place its frame.
#pragma once

#include <optional>

struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// The window system the toolkit draws on.
enum class WindowSystem { X11, Wayland, Other };
WindowSystem CurrentWindowSystem();

// Whether a window opens where the program asks: X11's window managers place it there; a
// Wayland compositor places every window itself and tells no client where it is.
bool PlacesWindows(WindowSystem system);

// The room a normal window's frame takes on this window system. X11: what the window manager
// answers (AskFrameExtents), nothing when it does not. Wayland tells a client neither the
// size of the compositor's title bar and borders nor the desktop's panels (the toolkit's work
// area is the whole monitor there), so WaylandFrameAllowance is kept free for them.
FrameExtents FrameDecorations(WindowSystem system, int timeoutMs = 300);
inline constexpr FrameExtents WaylandFrameAllowance{8, 8, 72, 8};

// The extents the window manager gives a new normal window, or nullopt where it cannot tell
// (no X display, or a window manager without _NET_REQUEST_FRAME_EXTENTS). Waits at most
// timeoutMs for the answer.
std::optional<FrameExtents> AskFrameExtents(int timeoutMs = 300);
