// The input rules of the original platform that the toolkit does not give by itself:
// double clicks judged by time and distance, and activation changes reported once.
#pragma once

#include "platform/Win.h"

// Tells an ordinary press from the press that completes a double click: the same button
// again, within the double-click time and inside the double-click rectangle centred on the
// previous press, when that press did not itself complete a double click. Each press is
// classified exactly once, so a physical press is judged once.
class ClickClassifier {
public:
    enum class Button { Left, Right };

    // timeMs: longest time between the two presses; cx, cy: size of the rectangle.
    ClickClassifier(long timeMs, int cx, int cy) : m_timeMs(timeMs), m_cx(cx), m_cy(cy) {}

    // Records a press at the given time (milliseconds) and point; true for a double click.
    bool Press(Button button, long timeMs, CPoint point);

private:
    long m_timeMs;
    int m_cx;
    int m_cy;
    bool m_bHavePrevious = false;
    Button m_previousButton = Button::Left;
    long m_previousTime = 0;
    CPoint m_previousPoint;
};

// Passes on an activation change only when the frame's activation really changed and the
// frame is not minimized; a change reported twice reaches the game once.
class ActivationFilter {
public:
    // Returns whether the game is to be told (CMainFrame::OnActivate with bMinimized 0).
    bool Report(bool active, bool minimized)
    {
        if (active == m_bActive)
            return false;
        m_bActive = active;
        return !minimized;
    }
    bool IsActive() const { return m_bActive; }

private:
    bool m_bActive = false;  // a new frame is not active until the platform says so
};
