// Input rules the toolkit does not give by itself: every physical press judged once, and the
// frame's activation as one state from the window system's separate reports.
#pragma once

#include "platform/Win.h"

// The toolkit reports the second press of a quick pair as a double click, and sometimes as a
// button-down too, both with the press's time stamp. A double click that repeats the
// button-down just reported is the same press, and is not judged again.
class PressFilter {
public:
    enum class Button { Left, Right };

    // Whether this report is a press not yet judged.
    bool Down(Button button, long timeMs);
    bool DoubleClick(Button button, long timeMs);

private:
    bool m_bHaveDown = false;
    Button m_downButton = Button::Left;
    long m_downTime = 0;
};

// The frame is active while it is the active window, not minimised, and no modal dialog of
// the program is open. The window system reports each of these apart, in its own order.
class FrameActivation {
public:
    void SetActiveWindow(bool active) { m_bActiveWindow = active; }
    void SetMinimized(bool minimized) { m_bMinimized = minimized; }
    // A modal dialog opens: the frame counts as inactive until the last one closes, and is
    // then active again if it was when the first one opened (the window system reports the
    // return of the activation late, after the game has gone on).
    void DialogOpens();
    void DialogCloses();
    bool IsActive() const { return m_bActiveWindow && !m_bMinimized && m_nDialogs == 0; }

private:
    bool m_bActiveWindow = false;  // a new frame is not active until the platform says so
    bool m_bMinimized = false;
    int m_nDialogs = 0;
    bool m_bActiveBeforeDialog = false;
};
