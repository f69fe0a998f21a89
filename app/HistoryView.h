// What the History window says, the same on every system: its title, the table's columns and
// rows, the line under them (what is wrong, what the player is told once, where the games are)
// and the question before a game is deleted. The windows of app/desktop and app/win32 show it
// with their own controls; every text is UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/History.h"

namespace history_view {
inline constexpr const char* Caption = "Orbicle History";

// A column of the table of games: its heading, its width in pixels at 96 dots per inch, and
// whether its figures are aligned to the right.
struct Column {
    const char* heading;
    int width;
    bool right;
};
inline constexpr Column Columns[] = {
    {"Date", 128, false}, {"Race", 84, false},    {"Length", 52, true}, {"Average", 62, true},
    {"Best", 46, true},   {"Accuracy", 70, true}, {"Score", 54, true},
};

// "Orbicle History - 3 games".
std::string Title(std::size_t games);
// A row of the table, one text per column: local date and time ("2026-01-05 13:00"), the race's
// name (or its code as it was kept, each byte a Latin-1 character), the length m:ss (a clock set
// back during the game counts as 0:00), average, best, accuracy in percent, score.
std::vector<std::string> RowTexts(const KeptGame& game);
// What is wrong with the store first, then the notice the player is told once (if any), then
// where the games are kept; one a line.
std::string StatusText(IHistory& history, const std::string& notice);
// "Delete the game of 2026-01-05 13:00 from the history?" and that it cannot be undone.
std::string DeleteQuestion(const KeptGame& game);
}  // namespace history_view
