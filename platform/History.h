// The training history: every finished game whose results were shown, kept by a store the
// platform provides (a database on the desktop, memory in orbicle-sim and the tests).
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "platform/Win.h"

// One judged action of a game: a hit, a press on no matching circle (a miss), a circle that
// escaped, or a key that armed.
struct KeptAction {
    enum class Kind : std::uint8_t { Hit, Miss, Escape, Key };
    enum class Button : std::uint8_t { None, Left, Right };
    Kind kind = Kind::Hit;
    Button button = Button::None;  // pressed (hit, miss) or wanted (escape); none for a key
    unsigned char key = 0;         // the circle's label (hit, escape), the armed key (miss, key); 0: none
    std::int32_t x = 0;            // the press (hit, miss) or the circle's centre (escape); 0 for a key
    std::int32_t y = 0;
    std::int64_t playMs = 0;       // time in play since the game started, holds left out
    std::int32_t reactionMs = -1;  // hit, escape: time in play since the circle was placed
    std::int32_t keyMs = -1;       // labelled hit: from the placement to the key press

    bool operator==(const KeptAction&) const = default;
};

// "hit", "miss", "escape", "key"; "left", "right", "". The parsers answer false for another text.
const char* KindName(KeptAction::Kind kind);
const char* ButtonName(KeptAction::Button button);
bool ParseKind(const std::string& text, KeptAction::Kind& kind);
bool ParseButton(const std::string& text, KeptAction::Button& button);
// The text a key label is shown as: "F1", "F2", "F3" for p, q, r (the codes of those keys),
// otherwise the byte itself; empty for 0.
std::string KeyLabelName(unsigned char code);

// One finished game as the history keeps it.
struct KeptGame {
    std::int64_t id = 0;           // the store's number; 0 before it is kept
    std::int64_t started = 0;      // seconds since 1970 UTC
    std::int64_t ended = 0;        // seconds since 1970 UTC
    std::int64_t playSeconds = 0;  // from start to end less the holds
    std::string race;
    std::int64_t statistics = 0;  // the five options, 0 or 1
    std::int64_t noIntersect = 0;
    std::int64_t customKeys = 0;
    std::int64_t darkening = 0;
    std::int64_t sounds = 0;
    std::int64_t width = 0;  // the field
    std::int64_t height = 0;
    std::int64_t score = 0;
    std::int64_t average = 0;  // rates: useful actions per minute
    std::int64_t best = 0;
    std::int64_t last = 0;
    std::int64_t accuracy = 0;  // percent
    std::int64_t useful = 0;
    std::int64_t misses = 0;
    std::vector<int> samples;  // the rate curve of the result graph
    // What Keep writes with the game. Games() leaves it empty: IHistory::Actions reads them.
    std::vector<KeptAction> actions;
    // The game's recording, the bytes of a .orbicle-replay file (docs/replay-format.md); empty
    // for a game kept without one. Written and read as actions are: IHistory::Recording.
    std::string recording;

    bool operator==(const KeptGame&) const = default;
};

// The numbers of a kept game by name, in the order the store, the CSV file and orbicle-sim
// list them; "race" and "samples" come after them.
struct KeptNumber {
    const char* name;
    std::int64_t KeptGame::*field;
};
inline constexpr KeptNumber KeptNumbers[] = {
    {"id", &KeptGame::id},
    {"started", &KeptGame::started},
    {"ended", &KeptGame::ended},
    {"play_seconds", &KeptGame::playSeconds},
    {"statistics", &KeptGame::statistics},
    {"no_intersect", &KeptGame::noIntersect},
    {"custom_keys", &KeptGame::customKeys},
    {"darkening", &KeptGame::darkening},
    {"sounds", &KeptGame::sounds},
    {"width", &KeptGame::width},
    {"height", &KeptGame::height},
    {"score", &KeptGame::score},
    {"average", &KeptGame::average},
    {"best", &KeptGame::best},
    {"last", &KeptGame::last},
    {"accuracy", &KeptGame::accuracy},
    {"useful", &KeptGame::useful},
    {"misses", &KeptGame::misses},
};

// Samples as text, "12 30 45", and back; anything that is no number is skipped.
std::string SamplesText(std::span<const int> samples);
std::vector<int> ParseSamples(const std::string& text);

// A time as strftime writes it, in UTC or in the local time zone; empty for a time the
// calendar cannot hold.
std::string TimeText(std::int64_t seconds, const char* format, bool utc);
// "2026-01-05T12:00:00Z"
inline std::string UtcText(std::int64_t seconds)
{
    return TimeText(seconds, "%Y-%m-%dT%H:%M:%SZ", true);
}

// The games as CSV: a header row of the field names, then one row per game in the order
// given; started and ended as UTC date and time, samples separated by blanks.
std::string HistoryCsv(std::span<const KeptGame> games);
// Actions as text, one line each: kind,button,key,x,y,play_ms,reaction_ms,key_ms (the names of
// kind and button, the key's code), lines ending in a line feed; and back, skipping any line
// that is not one.
std::string ActionLines(std::span<const KeptAction> actions);
std::vector<KeptAction> ParseActionLines(const std::string& text);

// The actions of the games as CSV, one row per action: the game's id and start (UTC), the
// action's number in its game (from 1), kind, button, key (as shown), x, y, play_ms,
// reaction_ms, key_ms. Each game's actions come from its `actions`.
std::string ActionsCsv(std::span<const KeptGame> games);
// Where the actions go beside an exported games file: "history.csv" -> "history-actions.csv"
// (the name's ".csv", in any case, gives way; another name just gets "-actions.csv").
std::string ActionsCsvName(const std::string& gamesFile);

class IHistory {
public:
    virtual ~IHistory() = default;
    // Keeps a finished game. Never fails the caller: a game that cannot be written now is
    // held and written with a later call, and Problem says why.
    virtual void Keep(const KeptGame& game) = 0;
    // Every kept game, oldest first, without its actions.
    virtual std::vector<KeptGame> Games() = 0;
    // A kept game's actions, in order; none for a game kept without them or an unknown id.
    virtual std::vector<KeptAction> Actions(std::int64_t id) = 0;
    // A kept game's recording; empty for a game kept without one or an unknown id.
    virtual std::string Recording(std::int64_t id) = 0;
    // Forgets a game; false when there was none with that id or it cannot be deleted now.
    virtual bool Delete(std::int64_t id) = 0;
    // What is wrong with the store now, for the player; empty when nothing is.
    virtual std::string Problem() = 0;
    // Something the player is told once (a damaged file moved aside); empty after that.
    virtual std::string TakeNotice() = 0;
    // Where the games are kept, for the player: a file, or memory.
    virtual std::string Location() = 0;
};

// Games kept for as long as the program runs; their actions and recordings only for the newest
// games, up to ActionLimit actions and RecordingLimit bytes in all, so that a long run's memory
// stays put.
class MemoryHistory : public IHistory {
public:
    static constexpr const char* Where = "memory, for as long as the program runs";
    static constexpr std::size_t ActionLimit = 20'000;
    static constexpr std::size_t RecordingLimit = 4u << 20;

    void Keep(const KeptGame& game) override;
    std::vector<KeptGame> Games() override { return m_games; }
    std::vector<KeptAction> Actions(std::int64_t id) override;
    std::string Recording(std::int64_t id) override;
    bool Delete(std::int64_t id) override;
    std::string Problem() override { return {}; }
    std::string TakeNotice() override { return {}; }
    std::string Location() override { return Where; }

private:
    std::vector<KeptGame> m_games;                              // without their actions and recordings
    std::map<std::int64_t, std::vector<KeptAction>> m_actions;  // by id, so oldest first
    std::size_t m_actionCount = 0;
    std::map<std::int64_t, std::string> m_recordings;  // by id, so oldest first
    std::size_t m_recordingBytes = 0;
    std::int64_t m_nextId = 1;
};
