// The History window's texts, its keys reports and its export.
#include "app/HistoryView.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "render/KeysReport.h"
#include "res/Races.h"

namespace history_view {
std::string LocalDateTime(std::int64_t seconds)
{
    return TimeText(seconds, "%Y-%m-%d %H:%M", false);
}

namespace {
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

// The labels of a race's hotkey set, as the game reads them; none when it cannot be read.
std::vector<unsigned char> HotkeyLabels(IFiles& files, const std::string& race)
{
    std::vector<unsigned char> labels;
    if (std::unique_ptr<IFileReader> file = files.OpenRead(HotkeySetFile(race))) {
        unsigned char byte = 0;
        while (labels.size() < static_cast<std::size_t>(MaxHotkeyLabels) && file->Read(&byte, 1) == 1)
            labels.push_back(byte);
    }
    return labels;
}

std::filesystem::path PathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
}  // namespace

KeysReport ReportOf(IHistory& history, IFiles& files, std::span<const KeptGame> games, const std::string& title)
{
    std::vector<KeptAction> actions;
    KeysReport report{title, {}, {}};
    for (const KeptGame& game : games) {
        const std::vector<KeptAction> own = history.Actions(game.id);
        actions.insert(actions.end(), own.begin(), own.end());
        for (const unsigned char label : HotkeyLabels(files, game.race)) {
            if (std::find(report.hotkeys.begin(), report.hotkeys.end(), label) == report.hotkeys.end())
                report.hotkeys.push_back(label);
        }
    }
    report.stats = CollectKeyStats(actions);
    return report;
}

KeysReport ViewReport(View view, IHistory& history, IFiles& files, std::span<const KeptGame> games,
                      const KeptGame* selected)
{
    if (view == View::SelectedKeys) {
        return selected ? ReportOf(history, files, std::span(selected, 1),
                                   "Keys and buttons of the game of " + LocalDateTime(selected->started))
                        : ReportOf(history, files, {}, "No game selected");
    }
    const std::size_t count = std::min(games.size(), RecentGames);
    return ReportOf(history, files, games.last(count),
                    "Keys and buttons of the last " + std::to_string(count) + (count == 1 ? " game" : " games"));
}

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

std::string Export(IHistory& history, std::span<const KeptGame> games, const std::string& file)
{
    std::vector<KeptGame> withActions(games.begin(), games.end());
    for (KeptGame& game : withActions)
        game.actions = history.Actions(game.id);
    for (const auto& [where, text] :
         {std::pair{file, HistoryCsv(withActions)}, std::pair{ActionsCsvName(file), ActionsCsv(withActions)}}) {
        std::ofstream out(PathOf(where), std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out)
            return "Cannot write the file " + where + ".";
    }
    return {};
}
}  // namespace history_view
