// The History window's texts.
#include "app/HistoryView.h"

#include <algorithm>

#include "res/Races.h"

namespace history_view {
namespace {
std::string LocalDateTime(std::int64_t seconds)
{
    return TimeText(seconds, "%Y-%m-%d %H:%M", false);
}

std::string Length(std::int64_t seconds)
{
    seconds = std::max<std::int64_t>(seconds, 0);
    const std::int64_t rest = seconds % 60;
    return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

// Bytes as Latin-1 characters, in UTF-8: a race code from the profile may hold any byte.
std::string Latin1(const std::string& bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}
}  // namespace

std::string Title(std::size_t games)
{
    return std::string(Caption) + " - " + std::to_string(games) + (games == 1 ? " game" : " games");
}

std::vector<std::string> RowTexts(const KeptGame& game)
{
    const Race* race = FindRace(game.race);
    return {LocalDateTime(game.started),       race ? std::string(race->name) : Latin1(game.race),
            Length(game.ended - game.started), std::to_string(game.average),
            std::to_string(game.best),         std::to_string(game.accuracy) + "%",
            std::to_string(game.score)};
}

std::string StatusText(IHistory& history, const std::string& notice)
{
    std::string text;
    for (const std::string& line : {history.Problem(), notice}) {
        if (!line.empty())
            text += line + "\n";
    }
    return text + "Games are kept in " + history.Location() + ".";
}

std::string DeleteQuestion(const KeptGame& game)
{
    return "Delete the game of " + LocalDateTime(game.started) + " from the history?\nIt cannot be brought back.";
}
}  // namespace history_view
