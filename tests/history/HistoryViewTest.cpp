// The History window's texts: its title, a table row (local time, race name or code, length,
// figures) and the status lines; the keys reports of its views; Export CSV...'s two files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "app/HistoryView.h"
#include "platform/DiskFiles.h"
#include "render/KeysReport.h"
#include "res/Races.h"
#include "tests/TempDir.h"

namespace {
// The texts in local time: the tests run in UTC.
struct HistoryViewRows : ::testing::Test {
    HistoryViewRows()
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

KeptGame Game(std::string race, std::int64_t length)
{
    KeptGame game;
    game.started = 1'767'614'400;  // 2026-01-05 12:00 UTC
    game.ended = game.started + length;
    game.race = std::move(race);
    game.average = 81;
    game.best = 120;
    game.accuracy = 87;
    game.score = -4;
    return game;
}

// A store that only says what it is asked to.
struct Says : MemoryHistory {
    std::string problem;
    std::string Problem() override { return problem; }
};
}  // namespace

TEST(HistoryView, TitleCountsTheGames)
{
    EXPECT_EQ(history_view::Title(0), "Orbicle History - 0 games");
    EXPECT_EQ(history_view::Title(1), "Orbicle History - 1 game");
    EXPECT_EQ(history_view::Title(12), "Orbicle History - 12 games");
}

TEST_F(HistoryViewRows, ARowHasOneTextPerColumnWithTheRaceByNameAndTheLengthAsMinutesAndSeconds)
{
    using Texts = std::vector<std::string>;
    EXPECT_EQ(history_view::RowTexts(Game("ne", 95)),
              (Texts{"2026-01-05 12:00", "Night Elves", "1:35", "81", "120", "87%", "-4"}));
    EXPECT_EQ(std::size(history_view::Columns), history_view::RowTexts(Game("df", 0)).size());
    EXPECT_EQ(history_view::RowTexts(Game("hu", 5))[2], "0:05");
    EXPECT_EQ(history_view::RowTexts(Game("hu", 69))[2], "1:09");
    EXPECT_EQ(history_view::RowTexts(Game("hu", 70))[2], "1:10");
    EXPECT_EQ(history_view::RowTexts(Game("hu", 3600))[2], "60:00");
    EXPECT_EQ(history_view::RowTexts(Game("hu", -30))[2], "0:00") << "a clock set back";
    // A code of the profile that names no race, each byte a Latin-1 character in UTF-8.
    EXPECT_EQ(history_view::RowTexts(Game("x\xE9", 1))[1], "x\xC3\xA9");
    EXPECT_EQ(history_view::RowTexts(Game("\x7F\x80", 1))[1], "\x7F\xC2\x80");
    EXPECT_EQ(history_view::DeleteQuestion(Game("hu", 1)),
              "Delete the game of 2026-01-05 12:00 from the history?\nIt cannot be brought back.");
}

TEST(HistoryView, StatusSaysWhatIsWrongThenTheNoticeThenWhereTheGamesAre)
{
    Says history;
    EXPECT_EQ(history_view::StatusText(history, ""), "Games are kept in memory, for as long as the program runs.");
    history.problem = "Cannot write.";
    EXPECT_EQ(history_view::StatusText(history, "Moved aside."),
              "Cannot write.\nMoved aside.\nGames are kept in memory, for as long as the program runs.");
    history.problem.clear();
    EXPECT_EQ(history_view::StatusText(history, "Moved aside."),
              "Moved aside.\nGames are kept in memory, for as long as the program runs.");
}

namespace {
// A game whose one action is a left hit with the key label given and this reaction time.
KeptGame Played(std::string race, unsigned char key, int reactionMs, std::int64_t started = 1'767'614'400)
{
    KeptGame game = Game(std::move(race), 60);
    game.started = started;
    game.actions = {{KeptAction::Kind::Hit, KeptAction::Button::Left, key, 10, 20, 500, reactionMs, -1}};
    return game;
}
}  // namespace

TEST_F(HistoryViewRows, AKeysViewReportsTheSelectedGameOrTheLastTenOnTheKeysOfTheirRaces)
{
    using history_view::View;
    TempDir folder;
    folder.Write("res/keys_hu.txt", "ABp");
    folder.Write("res/keys_or.txt", "BCD");
    DiskFiles files({folder.Path()});
    MemoryHistory history;
    // Twelve games: the two oldest (keys X and Y) fall outside the last ten.
    history.Keep(Played("hu", 'X', 900, 1'767'600'000));
    history.Keep(Played("hu", 'Y', 950, 1'767'600'100));
    for (int i = 0; i < 9; ++i)
        history.Keep(Played(i % 2 ? "or" : "hu", 'A', 300 + 10 * i, 1'767'600'200 + i));
    history.Keep(Played("ud", 'B', 700));  // a race whose set cannot be read
    const std::vector<KeptGame> games = history.Games();
    ASSERT_EQ(games.size(), 12u);

    const KeysReport recent = history_view::ViewReport(View::RecentKeys, history, files, games, &games[0]);
    EXPECT_EQ(recent.title, "Keys and buttons of the last 10 games");
    EXPECT_EQ(recent.stats.reactions.size(), 10u);
    EXPECT_EQ(recent.stats.keys.count('X') + recent.stats.keys.count('Y'), 0u) << "older than the last ten";
    EXPECT_EQ(recent.stats.keys.at('A').hit, 9);
    EXPECT_EQ(recent.stats.keys.at('B').reaction.median, 700);
    // The sets of the races played, each key once, in the order met; no key from the missing set.
    EXPECT_EQ(recent.hotkeys, (std::vector<unsigned char>{'A', 'B', 'p', 'C', 'D'}));

    const KeysReport selected = history_view::ViewReport(View::SelectedKeys, history, files, games, &games[1]);
    EXPECT_EQ(selected.title, "Keys and buttons of the game of 2026-01-05 08:01");
    ASSERT_EQ(selected.stats.keys.size(), 1u);
    EXPECT_EQ(selected.stats.keys.at('Y').reaction.median, 950);
    EXPECT_EQ(selected.hotkeys, (std::vector<unsigned char>{'A', 'B', 'p'}));

    const KeysReport none = history_view::ViewReport(View::SelectedKeys, history, files, games, nullptr);
    EXPECT_EQ(none.title, "No game selected");
    EXPECT_TRUE(none.stats.reactions.empty());
    EXPECT_TRUE(none.hotkeys.empty());

    const std::span one(games.data(), 1);
    EXPECT_EQ(history_view::ViewReport(View::RecentKeys, history, files, one, nullptr).title,
              "Keys and buttons of the last 1 game");
    EXPECT_EQ(history_view::ViewReport(View::RecentKeys, history, files, {}, nullptr).stats.reactions.size(), 0u);

    // A set file longer than a set is read as far as the game reads it.
    folder.Write("res/keys_hu.txt", std::string(MaxHotkeyLabels, 'A') + "Z");
    EXPECT_EQ(history_view::ViewReport(View::SelectedKeys, history, files, games, &games[1]).hotkeys,
              std::vector<unsigned char>{'A'});
}

TEST(HistoryView, ExportWritesTheGamesAndTheirActionsBesideThemOrSaysWhichFileItCannotWrite)
{
    TempDir folder;
    MemoryHistory history;
    history.Keep(Played("hu", 'A', 420));
    history.Keep(Played("or", 'B', 380, 1'767'700'000));
    const std::vector<KeptGame> games = history.Games();  // without their actions
    const std::string file = (folder.Path() / "games.csv").string();
    EXPECT_EQ(history_view::Export(history, games, file), "");
    EXPECT_EQ(FileText(folder.Path() / "games.csv"), HistoryCsv(games));
    std::vector<KeptGame> withActions = games;
    for (KeptGame& game : withActions)
        game.actions = history.Actions(game.id);
    ASSERT_EQ(withActions[1].actions.size(), 1u);
    EXPECT_EQ(FileText(folder.Path() / "games-actions.csv"), ActionsCsv(withActions));

    const std::string nowhere = (folder.Path() / "no such folder" / "games.csv").string();
    EXPECT_EQ(history_view::Export(history, games, nowhere), "Cannot write the file " + nowhere + ".");
    // The actions file alone cannot be written: a folder stands in its place.
    std::filesystem::create_directory(folder.Path() / "other-actions.csv");
    const std::string other = (folder.Path() / "other.csv").string();
    EXPECT_EQ(history_view::Export(history, games, other),
              "Cannot write the file " + (folder.Path() / "other-actions.csv").string() + ".");
    EXPECT_EQ(FileText(folder.Path() / "other.csv"), HistoryCsv(games)) << "the games file is written first";
    // A full disk takes the text into the file's buffer and refuses it when the file is closed.
    EXPECT_EQ(history_view::Export(history, games, "/dev/full"), "Cannot write the file /dev/full.");
}
