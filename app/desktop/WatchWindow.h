// Watch: a recorded game played again through the game's own code, in a window of its own, at
// the speed it was played (or 2 or 4 times that), with a pause; the frames are those the player
// saw, and at the end the window says whether the replay gave the kept numbers.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include <wx/dialog.h>
#include <wx/timer.h>

#include "app/ReplayPlayer.h"
#include "platform/replay/Playback.h"

class wxButton;
class wxPanel;
class wxStaticText;

class WatchWindow : public wxDialog {
public:
    static constexpr const char* Caption = "Orbicle Replay";
    // The title once the replay is judged: "Orbicle Replay - Verified" or "... - Not verified".
    static wxString TitleFor(bool verified);

    // Adds an imported game to the history.
    using Add = std::function<void(const KeptGame& game)>;
    // replay.summary is the game to verify against (with its actions, when they are known).
    // add: for a replay that is not in the history yet; the window offers it once the replay is
    // verified. Empty for a game of the history.
    WatchWindow(wxWindow* parent, const Replay& replay, Add add = {});
    ~WatchWindow() override;

private:
    using Clock = std::chrono::steady_clock;

    // Shows the field smaller when the window would not fit the work area of its screen.
    void FitScreen(wxWindow* parent);
    void OnTick(wxTimerEvent& event);
    // Plays every input recorded up to the replay's time now.
    void PlayUpTo(std::int64_t ms);
    void Judge();
    void OnPause(wxCommandEvent& event);
    void OnAdd(wxCommandEvent& event);
    void ShowTime();

    Replay m_replay;
    Add m_add;
    MemoryScreen m_screen;
    std::unique_ptr<ReplayPlayer> m_player;
    std::optional<ReplayOutcome> m_outcome;  // once the replay is over
    wxTimer m_timer;
    Clock::time_point m_lastTick;
    double m_replayMs = 0;  // how far the replay has come, in the recording's milliseconds
    int m_speed = 1;
    double m_scale = 1;  // below 1 when the field is shown smaller to fit the screen
    bool m_paused = false;
    bool m_added = false;
    wxPanel* m_field = nullptr;
    wxStaticText* m_status = nullptr;
    wxButton* m_pause = nullptr;
    wxButton* m_addButton = nullptr;
};
