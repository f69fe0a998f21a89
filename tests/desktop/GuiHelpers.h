// Running the toolkit's event loop for a while, and acting from inside modal loops.
#pragma once

#include <functional>

#include <wx/evtloop.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

// Runs an event loop for ms milliseconds: timers fire, windows paint.
inline void RunFor(int ms)
{
    wxGUIEventLoop loop;
    wxTimer stop;
    stop.Bind(wxEVT_TIMER, [&loop](wxTimerEvent&) { loop.Exit(); });
    stop.StartOnce(ms);
    loop.Run();
}

// Runs action after ms milliseconds from whatever loop runs then (a modal dialog's too).
class Later {
public:
    Later(int ms, std::function<void()> action) : m_action(std::move(action))
    {
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { m_action(); });
        m_timer.StartOnce(ms);
    }

private:
    std::function<void()> m_action;
    wxTimer m_timer;
};

// The shown top-level window with this title, or null.
template <typename T = wxTopLevelWindow>
T* FindTopLevel(const wxString& title)
{
    for (wxWindow* window : wxTopLevelWindows) {
        auto* top = dynamic_cast<T*>(window);
        if (top && top->GetTitle() == title && top->IsShown())
            return top;
    }
    return nullptr;
}
