// A recorded game: the state it started from, every input the front end gave it and every
// call it made of the platform with the answer it got, and the numbers it kept. Inputs and
// calls are one stream of events in the order they happened, written compactly by
// EventWriter and read back, never trusted, by DecodeEvents (docs/replay-format.md).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/History.h"
#include "platform/Win.h"

enum class EventKind : std::uint8_t {
    // What the front end gives the game.
    Timer = 1,  // value: the timer's id
    Paint,      // (the area comes with the paint's PaintBox)
    Press,      // value: 0 left, 1 right button; extra: 1 for the second press of a quick pair; point
    Key,        // value: the virtual-key code
    Command,    // value: the menu command's id
    Activate,   // value: 1 when the frame became active, 0 when it stopped being active

    // What the game asks of the platform, with the answer it got.
    Now = 16,    // value: the clock's seconds
    Seed,        // value: the seed given to the random generator
    Open,        // text: the file's name; value: 1 when it opened
    Read,        // text: the bytes that one read of the file gave
    SetTimer,    // value: the id; extra: the interval in ms; answer: what SetTimer returned
    KillTimer,   // value: the id; answer: what KillTimer returned
    Invalidate,  // rect; value: 1 when the background was to be erased
    PaintBox,    // value: 1 when the window gave a context to paint on; rect: the area to paint
    Sound,       // text: the file, played without waiting
    Steady,      // value: the steady clock's milliseconds

    // Calls that wait. Inputs that arrive while one waits (the repaints and activation changes
    // of a modal dialog) are recorded between the call and its end.
    Sleep = 32,    // value: milliseconds
    SyncSound,     // text: the file, played to its end
    MessageBox,    // text
    Dialog,        // the race dialog; value: 1 when its Cancel button was enabled
    Return,        // the end of a Sleep, SyncSound or MessageBox
    DialogAnswer,  // the end of a Dialog; value: 1 when a race button was pressed; text: its race
};

bool IsInput(EventKind kind);
// Sleep, SyncSound, MessageBox and Dialog: they end with a Return or DialogAnswer.
bool IsBlocking(EventKind kind);
bool IsEnd(EventKind kind);
// "timer", "press", "now", ... as docs/replay-format.md names the kinds.
const char* KindName(EventKind kind);

struct ReplayEvent {
    EventKind kind = EventKind::Timer;
    std::int64_t ms = 0;  // when, in milliseconds since the recording began
    std::int64_t value = 0;
    std::int64_t extra = 0;
    std::int64_t answer = 0;
    CPoint point;
    CRect rect;
    std::string text;

    bool operator==(const ReplayEvent& other) const;
};
// An event of a kind with its value and text; the rest as a default event has it.
ReplayEvent MakeEvent(EventKind kind, std::int64_t value = 0, std::string text = {});
// One line for a person: the kind and what it carries ("press right double 120 44").
std::string Describe(const ReplayEvent& event);

// The game's state at its start that earlier games of the run left, as the file keeps it
// (CarriedState of the game window).
struct ReplayStart {
    int width = 0;  // the field
    int height = 0;
    std::array<int, 5> options{};  // statistics, no-intersect, custom keys, darkening, sounds
    std::string race;
    int slotTicks = 0;  // the tick and hold bookkeeping
    int endTicks = 0;
    int wasHeld = 0;
    std::int64_t holdStart = 0;
    int frameActive = 1;
    std::vector<int> rateHistory;  // rate samples earlier games left, trailing zeros left out
    // Practise Slow Keys' weight for each label of the hotkey set, as the player's history gave
    // them when the game started; empty when the option did not apply. A replayed game draws
    // with these and never reads the watcher's history.
    std::vector<int> practiseWeights;

    bool operator==(const ReplayStart&) const = default;
};

// The version of the replay format this program writes. Format 1 recordings were made before
// the game read a steady clock and before Practise Slow Keys: they hold no steady readings and
// no weights.
inline constexpr int ReplayFormatVersion = 2;

struct Replay {
    std::string program;  // the version of Orbicle that recorded it
    KeptGame summary;     // what the game kept, without its actions (the history keeps those)
    ReplayStart start;
    std::string events;                // the event stream as EventWriter writes it
    int format = ReplayFormatVersion;  // the format its recording follows, 1 or 2

    bool operator==(const Replay&) const = default;
};

// Writes events one after the other into the compact stream: each event a kind byte, its time
// as the difference from the event before, and its values; strings are written once and then
// named by their number, the clock and rectangles as differences from the last ones.
class EventWriter {
public:
    void Add(const ReplayEvent& event);
    // Starts a new stream.
    void Clear();
    const std::string& Bytes() const { return m_bytes; }
    std::size_t Count() const { return m_count; }

private:
    void Text(const std::string& s);
    void Rect(const CRect& rect, CRect& last);

    std::string m_bytes;
    std::size_t m_count = 0;
    std::int64_t m_lastMs = 0;
    std::int64_t m_lastNow = 0;
    std::int64_t m_lastSteady = 0;
    CRect m_lastInvalid;
    CRect m_lastBox;
    std::vector<std::string> m_texts;
};

// The events of a stream. False, with what is wrong in problem, for one that is not well
// formed: an unknown kind, a number out of its range, a string that was never written, a call
// ended that was not waiting, a stream that ends inside a call, calls nested too deep.
bool DecodeEvents(std::string_view bytes, std::vector<ReplayEvent>& events, std::string& problem);

// How deep waiting calls may nest (a dialog open during a dialog ...).
inline constexpr int MaxCallDepth = 16;
