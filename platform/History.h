// The training history: every finished game whose results were shown, kept by a store the
// platform provides (a database on the desktop, memory in orbicle-sim and the tests).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Win.h"

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

class IHistory {
public:
    virtual ~IHistory() = default;
    // Keeps a finished game. Never fails the caller: a game that cannot be written now is
    // held and written with a later call, and Problem says why.
    virtual void Keep(const KeptGame& game) = 0;
    // Every kept game, oldest first.
    virtual std::vector<KeptGame> Games() = 0;
    // Forgets a game; false when there was none with that id or it cannot be deleted now.
    virtual bool Delete(std::int64_t id) = 0;
    // What is wrong with the store now, for the player; empty when nothing is.
    virtual std::string Problem() = 0;
    // Something the player is told once (a damaged file moved aside); empty after that.
    virtual std::string TakeNotice() = 0;
    // Where the games are kept, for the player: a file, or memory.
    virtual std::string Location() = 0;
};

// Games kept for as long as the program runs.
class MemoryHistory : public IHistory {
public:
    static constexpr const char* Where = "memory, for as long as the program runs";

    void Keep(const KeptGame& game) override;
    std::vector<KeptGame> Games() override { return m_games; }
    bool Delete(std::int64_t id) override;
    std::string Problem() override { return {}; }
    std::string TakeNotice() override { return {}; }
    std::string Location() override { return Where; }

private:
    std::vector<KeptGame> m_games;
    std::int64_t m_nextId = 1;
};
