// The one way the front ends (the desktop program, the Windows program, orbicle-sim) hand the
// game what happens to its windows: timer ticks, paints, presses, keys, menu commands and
// activation changes. Each goes to the frame or the game window as the framework would send
// it and, while a recording is on, is recorded with what the game asks of the platform while
// handling it; the replay hands recorded inputs to the game the same way.
#pragma once

#include <optional>

#include "app/MainFrame.h"
#include "platform/replay/Recording.h"

enum class MouseButton { Left, Right };

class GameInput {
public:
    // recorder: where the inputs are recorded; null for none.
    explicit GameInput(CMainFrame& frame, Recorder* recorder = nullptr) : m_frame(frame), m_recorder(recorder) {}

    void Timer(UINT_PTR nIDEvent);
    void Paint();
    // A button pressed at a point of the game window; dbl for the second press of a quick pair.
    void Press(MouseButton button, bool dbl, CPoint point);
    // A key's virtual-key code.
    void Key(UINT nChar);
    // A menu command, run as the framework runs it (the update handler first).
    CommandResult Command(UINT nID);
    // The frame counts as active when it is the active window and not minimised.
    void Activate(bool active);

private:
    CommandResult Run(const ReplayEvent& input);

    CMainFrame& m_frame;
    Recorder* m_recorder;
};

// Hands one recorded input to the frame and its game window.
CommandResult DispatchInput(CMainFrame& frame, const ReplayEvent& input);

// The state the game window's next game starts from, as a replay keeps it, and setting it on
// a fresh game window.
ReplayStart StartOf(const CGameView& view);
void ApplyStart(CGameView& view, const ReplayStart& start);
