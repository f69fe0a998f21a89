// Playing a recording back: a platform that answers the game from the recording instead of
// the system (the clock's readings in order, the files' recorded bytes, the dialog's recorded
// answer, timers and paints as they were) and checks every call the game makes against the
// one recorded there. A call the recording does not have, or one it has that the game no
// longer makes, means the replay went its own way: the first such difference is kept as the
// reason, and the replay goes on with the recorded inputs and the nearest answers.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/GameServices.h"
#include "platform/Window.h"
#include "platform/dc/Dc.h"
#include "platform/replay/Replay.h"

// What the replayed game paints on.
class IPlaybackScreen {
public:
    virtual ~IPlaybackScreen() = default;
    // A context clipped to the box; null when there is nothing to paint on.
    virtual CDC* BeginPaint(const CRect& box) = 0;
    virtual void EndPaint() = 0;
};

// A screen in memory, gray until painted: the field's size to keep every frame, or a single
// pixel for a replay that only verifies (the paints still age the circles).
class MemoryScreen : public IPlaybackScreen {
public:
    MemoryScreen(int width, int height);
    CDC* BeginPaint(const CRect& box) override;
    void EndPaint() override {}
    const CBitmap& Pixels() const { return m_bitmap; }

private:
    CDC m_dc;
    CBitmap m_bitmap;
};

class Playback {
public:
    // How an input reaches the game.
    using Dispatch = std::function<void(const ReplayEvent&)>;

    // Events as DecodeEvents gives them: every call that waits is ended.
    explicit Playback(std::vector<ReplayEvent> events);
    void SetDispatch(Dispatch dispatch) { m_dispatch = std::move(dispatch); }

    // Plays the next input with everything the game asks while handling it. False at the end of
    // the recording, or once the game has been kept.
    bool PlayNext();
    // The next input PlayNext plays, if any.
    const ReplayEvent* NextInput() const;
    // The time of the input played last (0 before the first), in the recording's milliseconds.
    std::int64_t InputMs() const { return m_inputMs; }

    // The recorded answer to a call of this kind at this point, null when there is none here.
    // Calls recorded before it that the game did not make are passed over, as are inputs of
    // waiting calls passed over.
    const ReplayEvent* Take(const ReplayEvent& asked);
    // A call that waits: taken as Take does, then the inputs that arrived while it waited are
    // played; returns the call's end (with the dialog's answer), null when there is none here.
    const ReplayEvent* Wait(const ReplayEvent& asked);

    // The replay differs from the recording; the first reason is kept.
    void Diverge(const std::string& reason);
    bool Diverged() const { return !m_divergence.empty(); }
    const std::string& Divergence() const { return m_divergence; }

    // The game was kept: the end of the replay.
    void Kept(const KeptGame& game);
    // The replay has been judged: from now on calls are answered with defaults and never
    // compared (a last paint of the field after the game).
    void Close() { m_closed = true; }
    const std::optional<KeptGame>& KeptResult() const { return m_kept; }

private:
    // Skips event i, with a waiting call's inputs and end; returns the index after it.
    std::size_t Skip(std::size_t i);
    std::string Where(const ReplayEvent& e) const;

    std::vector<ReplayEvent> m_events;
    std::vector<std::size_t> m_ends;  // for a waiting call, the index of its end
    std::size_t m_next = 0;
    std::int64_t m_inputMs = 0;
    Dispatch m_dispatch;
    std::string m_divergence;
    std::optional<KeptGame> m_kept;
    bool m_closed = false;
};

// The game's services and window host, answering from a playback.
class PlaybackServices {
public:
    // field: the area a paint covers when the recording has none to give; firstNow: the clock
    // when the recording has no reading to give before its first. steadyReadings: the
    // recording holds the steady clock's readings; one made before the game read that clock
    // (format 1) is answered with the time of the input being played.
    PlaybackServices(Playback& playback, IPlaybackScreen& screen, CRect field, time64 firstNow, bool steadyReadings);
    ~PlaybackServices();
    PlaybackServices(const PlaybackServices&) = delete;
    PlaybackServices& operator=(const PlaybackServices&) = delete;

    GameServices& Services();
    IWindowHost& Host();

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
