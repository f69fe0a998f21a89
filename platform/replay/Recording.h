// Recording a game at the platform boundary: thin wrappers over the interfaces of
// GameServices and the game window's host note each call the game makes and the answer it
// gets, and the front end's driver (app/GameInput.h) notes each input it hands the game. The
// Recorder keeps the events of the game that is running and, when the game is kept with its
// results shown, hands over the finished Replay.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/GameServices.h"
#include "platform/Window.h"
#include "platform/replay/Replay.h"

class Recorder {
public:
    // Milliseconds from a clock of the front end's choice, for the events' times.
    using Stamp = std::function<std::int64_t()>;
    // Called with every game kept while recording.
    using Finished = std::function<void(Replay)>;

    explicit Recorder(Stamp stamp) : m_stamp(std::move(stamp)) {}

    // While it is off nothing is kept, and the wrappers only pass their calls on.
    void Enable(Finished finished);
    void Disable();
    bool Enabled() const { return static_cast<bool>(m_finished); }

    // The driver, around every input it hands the game. The outermost input of a game's start
    // comes with the state the game started from; its end says whether a game runs now.
    bool Outermost() const { return m_depth == 0; }
    void BeginInput(ReplayEvent input);
    void EndInput(const std::optional<ReplayStart>& startedFrom, bool running);

    // The wrappers: a call and its answer. Calls made outside any input (the menu's update
    // pass asking for a repaint) are not kept: they change nothing a replay needs.
    void Call(ReplayEvent call);
    // The game was kept with its results shown: the recording is finished, handed to Finished
    // and returned; none when no game was being recorded.
    std::optional<Replay> Kept(const KeptGame& game);

    // Events kept so far of the game being recorded (0 while none is).
    std::size_t EventCount() const { return m_recording ? m_writer.Count() : 0; }

private:
    void Add(ReplayEvent event);

    Stamp m_stamp;
    Finished m_finished;
    int m_depth = 0;
    bool m_recording = false;  // a game is being recorded
    ReplayStart m_start;
    std::int64_t m_origin = 0;  // the stamp of the recording's first event
    EventWriter m_writer;       // the game's events, or those of the input under way
};

// The game's services and its window host as the game sees them while it is recorded.
class GameRecording {
public:
    GameRecording(GameServices& real, Recorder::Stamp stamp);
    ~GameRecording();
    GameRecording(const GameRecording&) = delete;
    GameRecording& operator=(const GameRecording&) = delete;

    Recorder recorder;
    GameServices& Services();
    // The game window's host, wrapped; one per recording.
    IWindowHost& Host(IWindowHost& real);

private:
    struct Wrappers;
    std::unique_ptr<Wrappers> m_wrappers;
};

// A Finished that writes each replay to the file at path, the last one winning; a replay that
// cannot be written is reported to problem.
Recorder::Finished WriteReplaysTo(std::string path, std::function<void(const std::string&)> problem);
