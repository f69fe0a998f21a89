// The frame's extents on each window system: on X11 asked of the window manager through the
// extended window manager hints, on Wayland the allowance.
#include "platform/desktop/FrameExtents.h"

#include <poll.h>

#include <chrono>
#include <memory>

#include <wx/utils.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {
struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// The four cardinals of _NET_FRAME_EXTENTS on the window, if it has them.
std::optional<FrameExtents> ReadExtents(Display* display, Window window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display, window, property, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data);
    std::optional<FrameExtents> extents;
    if (status == Success && type == XA_CARDINAL && format == 32 && count == 4) {
        // Format 32 properties come as longs, whatever their size.
        const auto* values = reinterpret_cast<const long*>(data);
        extents = FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
                               static_cast<int>(values[3])};
    }
    if (data)
        XFree(data);
    return extents;
}
}  // namespace

WindowSystem CurrentWindowSystem()
{
    switch (wxGetDisplayInfo().type) {
    case wxDisplayX11: return WindowSystem::X11;
    case wxDisplayWayland: return WindowSystem::Wayland;
    default: return WindowSystem::Other;
    }
}

bool PlacesWindows(WindowSystem system)
{
    return system != WindowSystem::Wayland;
}

FrameExtents FrameDecorations(WindowSystem system, int timeoutMs)
{
    switch (system) {
    case WindowSystem::X11: return AskFrameExtents(timeoutMs).value_or(FrameExtents{});
    case WindowSystem::Wayland: return WaylandFrameAllowance;
    default: return FrameExtents{};
    }
}

std::optional<FrameExtents> AskFrameExtents(int timeoutMs)
{
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display)
        return std::nullopt;
    Display* d = display.get();
    const Window root = DefaultRootWindow(d);
    const Atom request = XInternAtom(d, "_NET_REQUEST_FRAME_EXTENTS", False);
    const Atom property = XInternAtom(d, "_NET_FRAME_EXTENTS", False);

    // A window that is never shown, the way the program's frame is before it is.
    const Window probe = XCreateSimpleWindow(d, root, 0, 0, 100, 100, 0, 0, 0);
    XSelectInput(d, probe, PropertyChangeMask);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = probe;
    message.xclient.message_type = request;
    message.xclient.format = 32;
    XSendEvent(d, root, False, SubstructureNotifyMask | SubstructureRedirectMask, &message);
    XFlush(d);

    std::optional<FrameExtents> extents;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!extents) {
        while (!extents && XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            if (event.type == PropertyNotify && event.xproperty.atom == property)
                extents = ReadExtents(d, probe, property);
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (extents || left.count() <= 0)
            break;
        pollfd connection{ConnectionNumber(d), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
    }
    XDestroyWindow(d, probe);
    return extents;
}
