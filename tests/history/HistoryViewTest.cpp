// The History window's texts: its title, a table row (local time, race name or code, length,
// figures) and the status lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "app/HistoryView.h"

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
    EXPECT_EQ(history_view::RowTexts(Game("hu", 3600))[2], "60:00");
    EXPECT_EQ(history_view::RowTexts(Game("hu", -30))[2], "0:00") << "a clock set back";
    // A code of the profile that names no race, each byte a Latin-1 character in UTF-8.
    EXPECT_EQ(history_view::RowTexts(Game("x\xE9", 1))[1], "x\xC3\xA9");
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
