// What the History window says and shows, the same on every system: its title, the choice of
// the upper picture (the chart, or the keys report of the selected game or of the last 10
// games) and the report it draws, the table's columns and rows, the line under them (what is
// wrong, what the player is told once, where the games are), the question before a game is
// deleted, and the files Export CSV... writes. The windows of app/desktop and app/win32 show it
// with their own controls; every text is UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/History.h"

struct KeysReport;  // render/KeysReport.h, which a Windows source beside windows.h cannot include

namespace history_view {
inline constexpr const char* Caption = "Orbicle History";

// What the upper picture shows, and the texts of the choices in that order.
enum class View { Rates, SelectedKeys, RecentKeys };
inline constexpr const char* ViewTexts[] = {"&Rates", "&Keys: selected game", "Keys: &last 10 games"};
// How many of the newest games the report of recent games takes together.
inline constexpr std::size_t RecentGames = 10;

// The keys report of these games, titled: their actions together, on the keys of their races'
// hotkey sets (read through files; a set that cannot be read adds no key).
KeysReport ReportOf(IHistory& history, IFiles& files, std::span<const KeptGame> games, const std::string& title);
// The report a keys view shows: of the selected game (null: none), or of the newest RecentGames
// of the games (oldest first) together.
KeysReport ViewReport(View view, IHistory& history, IFiles& files, std::span<const KeptGame> games,
                      const KeptGame* selected);

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

// A game's local date and time, "2026-01-05 13:00".
std::string LocalDateTime(std::int64_t seconds);
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
// Export CSV...: the games into the file chosen (its name in UTF-8), their actions (read from the store) beside it
// (ActionsCsvName). Empty when both were written, otherwise "Cannot write the file NAME." for
// the first that could not be.
std::string Export(IHistory& history, std::span<const KeptGame> games, const std::string& file);
}  // namespace history_view
