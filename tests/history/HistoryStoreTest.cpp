// The SQLite history store: what it keeps comes back, its schema versions, two copies of the
// program writing at once, and files it cannot use (locked, read-only, full, damaged).
#include <gtest/gtest.h>

#include <sched.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <thread>

#include "platform/history/SqliteHistory.h"
#include "tests/TempDir.h"

namespace fs = std::filesystem;

namespace {
KeptGame Game(std::int64_t started, std::int64_t average, std::string race = "hu")
{
    KeptGame game;
    game.started = started;
    game.ended = started + 95;
    game.playSeconds = 90;
    game.race = std::move(race);
    game.statistics = 1;
    game.darkening = 1;
    game.width = 704;
    game.height = 528;
    game.score = 3 * average;
    game.average = average;
    game.best = average + 20;
    game.last = average - 5;
    game.accuracy = 87;
    game.useful = 140;
    game.misses = 21;
    game.samples = {10, static_cast<int>(average), static_cast<int>(average + 20)};
    return game;
}

// Kept games compare without their ids, which the store gives.
std::vector<KeptGame> WithoutIds(std::vector<KeptGame> games)
{
    for (KeptGame& game : games)
        game.id = 0;
    return games;
}

// The games table as the first version made it, with one game.
const std::string VersionOneGame =
    "CREATE TABLE games (id INTEGER PRIMARY KEY, started INTEGER NOT NULL,"
    " ended INTEGER NOT NULL, play_seconds INTEGER NOT NULL, statistics INTEGER NOT NULL,"
    " no_intersect INTEGER NOT NULL, custom_keys INTEGER NOT NULL, darkening INTEGER NOT NULL,"
    " sounds INTEGER NOT NULL, width INTEGER NOT NULL, height INTEGER NOT NULL,"
    " score INTEGER NOT NULL, average INTEGER NOT NULL, best INTEGER NOT NULL,"
    " last INTEGER NOT NULL, accuracy INTEGER NOT NULL, useful INTEGER NOT NULL,"
    " misses INTEGER NOT NULL, race TEXT NOT NULL, samples TEXT NOT NULL);"
    "CREATE INDEX games_by_start ON games(started, id);"
    "INSERT INTO games VALUES(1, 1000, 1095, 90, 1, 0, 0, 1, 0, 704, 528, 240, 80, 100, 75,"
    " 87, 140, 21, 'hu', '10 80 100');";

// A second connection to the file, as another program would open it.
class RawDb {
public:
    explicit RawDb(const fs::path& file) { sqlite3_open(file.c_str(), &m_db); }
    ~RawDb() { sqlite3_close(m_db); }
    int Exec(const std::string& sql) { return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr); }
    std::string Text(const std::string& sql)
    {
        sqlite3_stmt* stmt = nullptr;
        std::string text;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
        return text;
    }

private:
    sqlite3* m_db = nullptr;
};

// Runs the body in a child process whose folder is a tmpfs of its own (a mount namespace of
// its own, so nothing outside the child sees it). The child's exit status: 0 when the body
// returns true; the test is skipped where the system allows no such namespace.
int OnOwnFileSystem(const fs::path& folder, const char* options, const std::function<bool()>& body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const uid_t uid = getuid();
        const gid_t gid = getgid();
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            _exit(77);
        std::ofstream("/proc/self/setgroups") << "deny";
        std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
        std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
        if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", folder.c_str(), "tmpfs", 0, options) != 0)
            _exit(77);
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}
#define EXPECT_ON_OWN_FILE_SYSTEM(status)                                   \
    do {                                                                    \
        const int result = (status);                                        \
        if (result == 77)                                                   \
            GTEST_SKIP() << "no mount namespace of its own on this system"; \
        EXPECT_EQ(result, 0);                                               \
    } while (0)
}  // namespace

class HistoryStore : public ::testing::Test {
protected:
    TempDir m_folder;
    fs::path m_file = m_folder.Path() / "Orbicle" / "history.sqlite3";
};

TEST_F(HistoryStore, KeepsEveryFieldAcrossProgramRunsAndForgetsADeletedGame)
{
    // Odd races survive: a code from the profile may hold commas, quotes and any byte.
    const std::vector<KeptGame> games = {Game(1'767'614'400, 80), Game(1'767'700'000, 95, "a,\"b\"\n\xE9"),
                                         Game(1'767'800'000, 0, "")};
    {
        SqliteHistory history(m_file);
        for (const KeptGame& game : games)
            history.Keep(game);
        EXPECT_EQ(history.Problem(), "");
    }
    SqliteHistory again(m_file);
    std::vector<KeptGame> kept = again.Games();
    EXPECT_EQ(WithoutIds(kept), games);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_TRUE(again.Delete(kept[1].id));
    EXPECT_FALSE(again.Delete(kept[1].id));
    EXPECT_EQ(WithoutIds(again.Games()), (std::vector<KeptGame>{games[0], games[2]}));

    // Written in the write-ahead log's mode, at this schema version.
    RawDb raw(m_file);
    EXPECT_EQ(raw.Text("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(raw.Text("PRAGMA user_version"), std::to_string(SqliteHistory::SchemaVersion));
}

TEST_F(HistoryStore, AnEmptyFileIsMigrated)
{
    fs::create_directories(m_file.parent_path());
    RawDb(m_file).Exec("PRAGMA user_version=0");
    SqliteHistory history(m_file);
    history.Keep(Game(100, 50));
    EXPECT_EQ(history.Games().size(), 1u);
    EXPECT_EQ(RawDb(m_file).Text("SELECT count(*) FROM games"), "1");
}

TEST_F(HistoryStore, WithoutSqliteTheGamesStayInMemoryAndTheProblemSaysWhy)
{
    // An older Windows: the table of SQLite's functions is empty and says why.
    SqliteApi none;
    none.missing = "The training history needs Windows 10 or later.";
    SqliteHistory history(m_file, none);
    history.Keep(Game(100, 50));
    history.Keep(Game(200, 60, "or"));
    const std::vector<KeptGame> games = history.Games();
    EXPECT_EQ(WithoutIds(games), (std::vector<KeptGame>{Game(100, 50), Game(200, 60, "or")}));
    EXPECT_EQ(history.Problem(), none.missing);
    EXPECT_EQ(history.Location(), MemoryHistory::Where);
    ASSERT_EQ(games.size(), 2u);
    EXPECT_TRUE(history.Delete(games[0].id));
    EXPECT_EQ(WithoutIds(history.Games()), std::vector<KeptGame>{Game(200, 60, "or")});
    EXPECT_FALSE(fs::exists(m_file.parent_path())) << "nothing is made on disk";
    EXPECT_EQ(history.TakeNotice(), "");
}

TEST_F(HistoryStore, AVersionOneFileIsUpgradedInPlaceAndItsGamesHaveNoActions)
{
    // A file as the first version wrote it, with one game.
    fs::create_directories(m_file.parent_path());
    {
        RawDb old(m_file);
        ASSERT_EQ(old.Exec(VersionOneGame + "PRAGMA user_version=1"), SQLITE_OK);
    }
    KeptGame withActions = Game(2000, 60);
    withActions.actions = {
        {KeptAction::Kind::Key, KeptAction::Button::None, 'p', 0, 0, 100, -1, -1},
        {KeptAction::Kind::Hit, KeptAction::Button::Left, 'p', 300, 200, 450, 420, 80},
        {KeptAction::Kind::Miss, KeptAction::Button::Right, 0, -4, 9000, 1'000'000'000'000, -1, -1},
        {KeptAction::Kind::Escape, KeptAction::Button::Right, 0xE9, 12, 34, 1'000'000'000'500, 6800, -1},
    };
    {
        SqliteHistory history(m_file);
        history.Keep(withActions);
        EXPECT_EQ(history.Problem(), "");
    }
    EXPECT_EQ(RawDb(m_file).Text("PRAGMA user_version"), std::to_string(SqliteHistory::SchemaVersion));
    SqliteHistory again(m_file);
    const std::vector<KeptGame> games = again.Games();
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].id, 1);
    EXPECT_EQ(games[0].samples, (std::vector<int>{10, 80, 100}));
    EXPECT_TRUE(again.Actions(games[0].id).empty());  // kept before actions were
    EXPECT_TRUE(games[1].actions.empty());            // the games come without them
    EXPECT_EQ(again.Actions(games[1].id), withActions.actions);
    EXPECT_TRUE(again.Actions(12345).empty());
}

TEST_F(HistoryStore, AVersionTwoFileIsUpgradedInPlaceAndKeepsRecordingsFromThenOn)
{
    // A file as the second version wrote it: a game with its actions.
    fs::create_directories(m_file.parent_path());
    {
        RawDb old(m_file);
        ASSERT_EQ(old.Exec(VersionOneGame + "CREATE TABLE actions (game INTEGER PRIMARY KEY, count INTEGER NOT NULL,"
                                            " lines TEXT NOT NULL);"
                                            "INSERT INTO actions VALUES(1, 1, 'key,,112,0,0,100,-1,-1\n');"
                                            "PRAGMA user_version=2"),
                  SQLITE_OK);
    }
    // A recording is bytes of every value, zero bytes and invalid UTF-8 among them.
    KeptGame recorded = Game(2000, 60);
    for (int i = 0; i < 70'000; ++i)
        recorded.recording += static_cast<char>((i * 131) >> 3);
    recorded.recording[10] = '\0';
    {
        SqliteHistory history(m_file);
        history.Keep(recorded);
        history.Keep(Game(3000, 70));  // one kept without a recording
        EXPECT_EQ(history.Problem(), "");
    }
    EXPECT_EQ(RawDb(m_file).Text("PRAGMA user_version"), "3");
    SqliteHistory again(m_file);
    const std::vector<KeptGame> games = again.Games();
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(again.Actions(games[0].id).size(), 1u);  // the old game keeps its actions
    EXPECT_EQ(again.Recording(games[0].id), "");       // and has no recording
    EXPECT_TRUE(games[1].recording.empty());           // the games come without them
    EXPECT_EQ(again.Recording(games[1].id), recorded.recording);
    EXPECT_EQ(again.Recording(games[2].id), "");
    EXPECT_EQ(again.Recording(12345), "");

    // Deleting a game deletes its recording and its actions, and only those.
    EXPECT_TRUE(again.Delete(games[0].id));
    EXPECT_EQ(RawDb(m_file).Text("SELECT count(*) FROM actions"), "0");
    EXPECT_EQ(RawDb(m_file).Text("SELECT count(*) FROM recordings"), "1");
    EXPECT_TRUE(again.Delete(games[1].id));
    EXPECT_EQ(RawDb(m_file).Text("SELECT count(*) FROM recordings"), "0");
}

TEST_F(HistoryStore, AFileOfVersionFourIsLeftAloneAndItsGameWaitsWithItsActionsAndRecording)
{
    fs::create_directories(m_file.parent_path());
    RawDb(m_file).Exec(
        "CREATE TABLE games(id INTEGER PRIMARY KEY); CREATE TABLE actions(game, number);"
        "CREATE TABLE recordings(game, frames); CREATE TABLE more(x); PRAGMA user_version=4");
    const std::string before = FileText(m_file);
    SqliteHistory history(m_file);
    KeptGame game = Game(300, 70);
    game.actions = {{KeptAction::Kind::Hit, KeptAction::Button::Left, 0, 1, 2, 3, 4, -1}};
    game.recording = std::string("\x89ORB\0\xFF", 7);
    history.Keep(game);
    EXPECT_NE(history.Problem().find("later version"), std::string::npos) << history.Problem();
    const std::vector<KeptGame> games = history.Games();
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(history.Actions(games[0].id), game.actions);
    EXPECT_EQ(history.Recording(games[0].id), game.recording);
    EXPECT_TRUE(games[0].recording.empty());
    EXPECT_EQ(FileText(m_file), before);
    EXPECT_EQ(history.TakeNotice(), "");  // nothing was moved aside
}

TEST(ActionLines, ReadBackAsWrittenAndLinesOfAnotherMakingAreSkipped)
{
    const std::vector<KeptAction> actions = {
        {KeptAction::Kind::Hit, KeptAction::Button::Left, 'p', -3, 2'000'000, 9'000'000'000'000, 420, 80},
        {KeptAction::Kind::Key, KeptAction::Button::None, 255, 0, 0, 5, -1, -1},
    };
    const std::string text = ActionLines(actions);
    EXPECT_EQ(text, "hit,left,112,-3,2000000,9000000000000,420,80\nkey,,255,0,0,5,-1,-1\n");
    EXPECT_EQ(ParseActionLines(text), actions);
    EXPECT_EQ(ParseActionLines("jump,left,1,2,3,4,5,6\nhit,middle,1,2,3,4,5,6\nhit,left,256,2,3,4,5,6\n"
                               "hit,left,1,2,3,4,5\nhit,left,1,2,x,4,5,6\n" +
                               text + "escape,right,0,1,2,3,4,-1"),
              (std::vector<KeptAction>{
                  actions[0], actions[1], {KeptAction::Kind::Escape, KeptAction::Button::Right, 0, 1, 2, 3, 4, -1}}));
}

TEST(ActionsCsv, OneRowPerActionBesideTheGamesFile)
{
    KeptGame game = Game(1'767'614'400, 80);
    game.id = 4;
    game.actions = {{KeptAction::Kind::Hit, KeptAction::Button::Left, 'q', 10, 20, 700, 650, 300},
                    {KeptAction::Kind::Miss, KeptAction::Button::Right, ',', -1, 5, 900, -1, -1},
                    {KeptAction::Kind::Key, KeptAction::Button::None, 0, 0, 0, 950, -1, -1}};
    KeptGame empty = Game(1'767'700'000, 60);
    empty.id = 5;
    EXPECT_EQ(ActionsCsv(std::vector<KeptGame>{game, empty}),
              "game,started,number,kind,button,key,x,y,play_ms,reaction_ms,key_ms\r\n"
              "4,2026-01-05T12:00:00Z,1,hit,left,F2,10,20,700,650,300\r\n"
              "4,2026-01-05T12:00:00Z,2,miss,right,\",\",-1,5,900,-1,-1\r\n"
              "4,2026-01-05T12:00:00Z,3,key,,,0,0,950,-1,-1\r\n");
    EXPECT_EQ(ActionsCsvName("/tmp/history.csv"), "/tmp/history-actions.csv");
    EXPECT_EQ(ActionsCsvName("/tmp/History.CSV"), "/tmp/History-actions.csv");
    EXPECT_EQ(ActionsCsvName("/tmp/games"), "/tmp/games-actions.csv");
}

TEST_F(HistoryStore, TwoCopiesWritingAtOnceLoseNoGame)
{
    constexpr int PerCopy = 40;
    auto play = [&](std::int64_t first) {
        SqliteHistory history(m_file);
        for (int i = 0; i < PerCopy; ++i)
            history.Keep(Game(first + i, i));
        // A game that met the other copy's write waits and goes with the next call.
        history.Games();
        return history.Problem();
    };
    std::string problemA, problemB;
    std::thread a([&] { problemA = play(1000); });
    std::thread b([&] { problemB = play(5000); });
    a.join();
    b.join();
    EXPECT_EQ(problemA, "");
    EXPECT_EQ(problemB, "");
    EXPECT_EQ(SqliteHistory(m_file).Games().size(), 2u * PerCopy);
}

TEST_F(HistoryStore, AGameThatMeetsALockedFileWaitsAndIsWrittenLater)
{
    SqliteHistory history(m_file);
    history.Keep(Game(100, 50));
    RawDb other(m_file);
    ASSERT_EQ(other.Exec("BEGIN EXCLUSIVE"), SQLITE_OK);
    history.Keep(Game(200, 60));
    EXPECT_NE(history.Problem().find("locked"), std::string::npos) << history.Problem();
    EXPECT_NE(history.Problem().find("1 game waits"), std::string::npos) << history.Problem();
    const std::vector<KeptGame> meanwhile = history.Games();
    ASSERT_EQ(meanwhile.size(), 2u);
    EXPECT_LT(meanwhile[1].id, 0);  // not yet in the file
    other.Exec("COMMIT");
    EXPECT_EQ(WithoutIds(history.Games()), (std::vector<KeptGame>{Game(100, 50), Game(200, 60)}));
    EXPECT_EQ(history.Problem(), "");
}

TEST_F(HistoryStore, AFullDiskKeepsTheGameWaitingUntilThereIsRoomAgain)
{
    const fs::path folder = m_folder.Path() / "small";
    fs::create_directories(folder);
    EXPECT_ON_OWN_FILE_SYSTEM(OnOwnFileSystem(folder, "size=256k", [&] {
        SqliteHistory history(folder / "history.sqlite3");
        history.Keep(Game(100, 50));
        // Fill the disk to the last byte.
        std::ofstream filler(folder / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()))
            ;
        filler.close();
        KeptGame big = Game(200, 60);
        big.samples.assign(20'000, 123);  // more than the last free pages
        history.Keep(big);
        const bool held = history.Problem().find("full") != std::string::npos && history.Games().size() == 2;
        fs::remove(folder / "filler");
        history.Keep(Game(300, 70));
        return held && history.Problem().empty() &&
               WithoutIds(SqliteHistory(folder / "history.sqlite3").Games()) ==
                   std::vector<KeptGame>{Game(100, 50), big, Game(300, 70)};
    }));
}

TEST_F(HistoryStore, AReadOnlyFolderOrFileKeepsTheGamesInMemoryAndSaysSo)
{
    const fs::path folder = m_folder.Path() / "ro";
    fs::create_directories(folder);
    EXPECT_ON_OWN_FILE_SYSTEM(OnOwnFileSystem(folder, "size=1m", [&] {
        SqliteHistory(folder / "old" / "history.sqlite3").Keep(Game(100, 50));
        if (mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return false;
        bool ok = true;
        for (const char* where : {"old", "new"}) {
            SqliteHistory history(folder / where / "history.sqlite3");
            history.Keep(Game(200, 60));
            ok = ok && !history.Problem().empty() && history.Games().back() == [] {
                KeptGame waiting = Game(200, 60);
                waiting.id = -1;
                return waiting;
            }();
        }
        return ok && fs::exists(folder / "old" / "history.sqlite3") && !fs::exists(folder / "new");
    }));
}

TEST_F(HistoryStore, ADamagedFileIsMovedAsideOnceAndANewOneStarted)
{
    // Not a database at all, and a database whose pages were overwritten.
    const std::string garbage(8192, '?');
    m_folder.Write("Orbicle/history.sqlite3", garbage);
    {
        SqliteHistory history(m_file);
        history.Keep(Game(100, 50));
        const std::string notice = history.TakeNotice();
        EXPECT_NE(notice.find("moved aside"), std::string::npos) << notice;
        EXPECT_EQ(history.TakeNotice(), "");
        EXPECT_EQ(history.Problem(), "");
        EXPECT_EQ(WithoutIds(history.Games()), std::vector<KeptGame>{Game(100, 50)});
    }
    std::vector<fs::path> aside;
    for (const auto& entry : fs::directory_iterator(m_file.parent_path())) {
        if (entry.path().filename().string().starts_with("history.sqlite3.corrupt-"))
            aside.push_back(entry.path());
    }
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(FileText(aside[0]), garbage);

    fs::remove(aside[0]);
    {
        SqliteHistory history(m_file);
        for (int i = 0; i < 200; ++i)
            history.Keep(Game(1000 + i, i));
    }
    std::string bytes = FileText(m_file);
    ASSERT_GT(bytes.size(), 3 * 4096u);
    std::fill(bytes.begin() + 4096, bytes.begin() + 3 * 4096, '\x5A');
    std::ofstream(m_file, std::ios::binary | std::ios::trunc) << bytes;
    SqliteHistory history(m_file);
    history.Keep(Game(100, 50));
    EXPECT_NE(history.TakeNotice().find("moved aside"), std::string::npos);
    EXPECT_EQ(history.Games().size(), 1u);
}

TEST(HistoryCsv, ReadsBackAsTheGamesWithEveryKeptNumber)
{
    std::vector<KeptGame> games = {Game(1'767'614'400, 80), Game(1'767'700'000, 95, "x,\"y\"")};
    games[0].id = 7;
    games[1].id = 9;
    std::istringstream csv(HistoryCsv(games));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line,
              "id,started,ended,play_seconds,statistics,no_intersect,custom_keys,darkening,sounds,width,height,"
              "score,average,best,last,accuracy,useful,misses,race,samples\r");
    for (const KeptGame& game : games) {
        ASSERT_TRUE(std::getline(csv, line));
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        // Fields by commas, a quoted field with its doubled quotes undone.
        std::vector<std::string> fields(1);
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"') {
                for (++i; !(line[i] == '"' && (i + 1 == line.size() || line[i + 1] != '"')); ++i)
                    fields.back() += line[i] == '"' ? line[++i] : line[i];
            } else if (line[i] == ',') {
                fields.emplace_back();
            } else {
                fields.back() += line[i];
            }
        }
        ASSERT_EQ(fields.size(), std::size(KeptNumbers) + 2);
        for (std::size_t i = 0; i < std::size(KeptNumbers); ++i) {
            const std::int64_t value = game.*KeptNumbers[i].field;
            const bool time = KeptNumbers[i].field == &KeptGame::started || KeptNumbers[i].field == &KeptGame::ended;
            EXPECT_EQ(fields[i], time ? UtcText(value) : std::to_string(value)) << KeptNumbers[i].name;
        }
        EXPECT_EQ(fields[std::size(KeptNumbers)], game.race);
        EXPECT_EQ(ParseSamples(fields.back()), game.samples);
        // Quotes only where a field needs them.
        EXPECT_EQ(line.ends_with(",hu,10 80 100"), game.race == "hu") << line;
    }
    EXPECT_EQ(UtcText(1'767'614'400), "2026-01-05T12:00:00Z");
    EXPECT_EQ(ParseSamples(" 12  3x -4 x 99999999999 7"), (std::vector<int>{12, -4, 7}));
    EXPECT_FALSE(std::getline(csv, line));
}

TEST(MemoryHistory, NumbersItsGamesOnceAndKeepsTheRecordingsOfTheNewestWithinItsLimit)
{
    MemoryHistory history;
    const std::string big(MemoryHistory::RecordingLimit / 3 - 1, 'r');  // with its last byte, three fit
    for (int i = 0; i < 4; ++i) {
        KeptGame game;
        game.started = i;
        game.recording = big + static_cast<char>('0' + i);
        history.Keep(game);
    }
    const std::vector<KeptGame> games = history.Games();
    ASSERT_EQ(games.size(), 4u);
    for (std::int64_t i = 0; i < 4; ++i)
        EXPECT_EQ(games[i].id, i + 1);
    EXPECT_TRUE(games[3].recording.empty());  // the games come without them
    // The oldest gave its recording up; the three newest fit.
    EXPECT_EQ(history.Recording(games[0].id), "");
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(history.Recording(games[i].id), big + static_cast<char>('0' + i)) << i;
    // A game larger than the limit keeps its own, alone.
    KeptGame huge;
    huge.recording.assign(MemoryHistory::RecordingLimit + 1, 'h');
    history.Keep(huge);
    EXPECT_EQ(history.Recording(history.Games().back().id).size(), MemoryHistory::RecordingLimit + 1);
    EXPECT_EQ(history.Recording(games[3].id), "");
    // Deleting a game forgets its recording, and frees its room for the next; its number is
    // never given again.
    EXPECT_TRUE(history.Delete(5));
    EXPECT_EQ(history.Recording(5), "");
    EXPECT_FALSE(history.Delete(5));
    KeptGame next;
    next.recording = "n";
    history.Keep(next);
    EXPECT_EQ(history.Games().back().id, 6);
    EXPECT_EQ(history.Recording(6), "n");
    KeptGame two;
    two.recording = big + "2";
    history.Keep(two);
    history.Keep(two);
    EXPECT_EQ(history.Recording(6), "n") << "the deleted recording's bytes still counted";

    // Actions alike: a deleted game's actions no longer count towards the limit.
    const KeptAction hit{KeptAction::Kind::Hit, KeptAction::Button::Left, 'q', 10, 20, 300, 250, 90};
    KeptGame many;
    many.actions.assign(MemoryHistory::ActionLimit, hit);
    history.Keep(many);
    EXPECT_TRUE(history.Delete(9));
    KeptGame one;
    one.actions = {hit};
    history.Keep(one);
    many.actions.pop_back();
    history.Keep(many);
    EXPECT_EQ(history.Actions(10), one.actions) << "the deleted actions still counted";
    EXPECT_EQ(history.Actions(11).size(), MemoryHistory::ActionLimit - 1);
}

TEST_F(HistoryStore, AFolderThatCannotBeMadeKeepsTheGamesWaitingWithTheirActionsUntilItCan)
{
    // A file where the store's folder should be.
    m_folder.Write("Orbicle", "not a folder");
    SqliteHistory history(m_file);
    KeptGame first = Game(100, 50);
    first.actions = {{KeptAction::Kind::Hit, KeptAction::Button::Left, 'q', 10, 20, 300, 250, 90}};
    KeptGame second = Game(200, 60);
    second.actions = {{KeptAction::Kind::Miss, KeptAction::Button::Right, 0, 5, 6, 700, -1, -1},
                      {KeptAction::Kind::Escape, KeptAction::Button::Left, 'w', 7, 8, 900, 6000, -1}};
    KeptGame third = Game(300, 70);
    third.actions = {{KeptAction::Kind::Key, KeptAction::Button::None, 'e', 0, 0, 50, -1, -1}};
    history.Keep(first);
    history.Keep(second);
    history.Keep(third);
    EXPECT_NE(history.Problem().find("Cannot make the folder"), std::string::npos) << history.Problem();
    EXPECT_NE(history.Problem().find("3 games wait"), std::string::npos) << history.Problem();

    // Waiting games have ids below zero, come without their actions, which are asked for by id.
    std::vector<KeptGame> games = history.Games();
    ASSERT_EQ(games.size(), 3u);
    for (std::size_t i = 0; i < games.size(); ++i) {
        EXPECT_EQ(games[i].id, -1 - static_cast<std::int64_t>(i));
        EXPECT_TRUE(games[i].actions.empty());
    }
    EXPECT_EQ(history.Actions(-1), first.actions);
    EXPECT_EQ(history.Actions(-2), second.actions);
    EXPECT_EQ(history.Actions(-3), third.actions);
    EXPECT_TRUE(history.Actions(-4).empty());
    EXPECT_TRUE(history.Actions(0).empty());

    // Deleting a waiting game forgets it and only it.
    EXPECT_TRUE(history.Delete(-1));
    EXPECT_FALSE(history.Delete(-1));
    EXPECT_FALSE(history.Delete(0));
    EXPECT_NE(history.Problem().find("2 games wait"), std::string::npos) << history.Problem();

    // Once the folder can be made the next game writes all that waits, with the actions.
    fs::remove(m_folder.Path() / "Orbicle");
    KeptGame fourth = Game(400, 80);
    history.Keep(fourth);
    EXPECT_EQ(history.Problem(), "");
    SqliteHistory again(m_file);
    games = again.Games();
    ASSERT_EQ(WithoutIds(games), (std::vector<KeptGame>{Game(200, 60), Game(300, 70), fourth}));
    EXPECT_EQ(again.Actions(games[0].id), second.actions);
    EXPECT_EQ(again.Actions(games[1].id), third.actions);
    EXPECT_TRUE(again.Actions(games[2].id).empty());
}

TEST_F(HistoryStore, AFileDamagedWhileOpenGivesNoHalfListAndIsMovedAsideNext)
{
    SqliteHistory history(m_file);
    for (int i = 0; i < 300; ++i)
        history.Keep(Game(1000 + i, i));
    ASSERT_EQ(history.Games().size(), 300u);

    // Another program writes (so that this copy reads the file again rather than what it
    // remembers) and then the file's last pages, which hold the latest games, are overwritten
    // behind both.
    {
        RawDb other(m_file);
        ASSERT_EQ(other.Exec("PRAGMA wal_checkpoint(TRUNCATE)"), SQLITE_OK);
    }
    std::string bytes = FileText(m_file);
    ASSERT_GT(bytes.size(), 8 * 4096u);
    std::fill(bytes.end() - 2 * 4096, bytes.end(), '\x5A');
    {
        std::fstream file(m_file, std::ios::binary | std::ios::in | std::ios::out);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    {
        RawDb other(m_file);
        ASSERT_EQ(other.Exec("PRAGMA user_version=" + std::to_string(SqliteHistory::SchemaVersion)), SQLITE_OK);
    }

    // The list is all the games or none of them, never the ones read before the damage.
    EXPECT_TRUE(history.Games().empty());
    EXPECT_NE(history.Problem().find("Cannot read the history file"), std::string::npos) << history.Problem();
    history.Keep(Game(5000, 90));
    EXPECT_NE(history.TakeNotice().find("moved aside"), std::string::npos);
    EXPECT_EQ(WithoutIds(history.Games()), std::vector<KeptGame>{Game(5000, 90)});
    EXPECT_EQ(history.Problem(), "");
}

TEST_F(HistoryStore, ADamagedFileThatCannotBeMovedAsideIsLeftAsItIsAndSaysSo)
{
    const fs::path folder = m_folder.Path() / "ro";
    fs::create_directories(folder);
    EXPECT_ON_OWN_FILE_SYSTEM(OnOwnFileSystem(folder, "size=1m", [&] {
        const std::string garbage(8192, '?');
        std::ofstream(folder / "history.sqlite3", std::ios::binary) << garbage;
        if (mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return false;
        SqliteHistory history(folder / "history.sqlite3");
        history.Keep(Game(100, 50));
        const std::string problem = history.Problem();
        return problem.find("is damaged and cannot be moved aside") != std::string::npos &&
               problem.find("1 game waits") != std::string::npos && history.TakeNotice().empty() &&
               WithoutIds(history.Games()) == std::vector<KeptGame>{Game(100, 50)} &&
               FileText(folder / "history.sqlite3") == garbage;
    }));
}

TEST(DefaultHistoryFile, FollowsAnAbsoluteXdgDataHomeElseTheHomeFolderElseMemory)
{
    // The variables as the test found them, put back at the end.
    struct Saved {
        const char* name;
        std::optional<std::string> value;
    };
    std::vector<Saved> saved;
    for (const char* name : {"XDG_DATA_HOME", "HOME"}) {
        const char* value = std::getenv(name);
        saved.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
    auto set = [](const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    };

    set("HOME", "/home/player");
    set("XDG_DATA_HOME", "/data/player");
    EXPECT_EQ(DefaultHistoryFile(), fs::path("/data/player/Orbicle/history.sqlite3"));
    for (const char* ignored : {"relative/data", "", static_cast<const char*>(nullptr)}) {
        set("XDG_DATA_HOME", ignored);
        EXPECT_EQ(DefaultHistoryFile(), fs::path("/home/player/.local/share/Orbicle/history.sqlite3"));
    }
    EXPECT_EQ(OpenDefaultHistory()->Location(), "/home/player/.local/share/Orbicle/history.sqlite3");
    // With no home at all the games are kept in memory, and the player is told so.
    for (const char* none : {"", static_cast<const char*>(nullptr)}) {
        set("HOME", none);
        EXPECT_EQ(DefaultHistoryFile(), fs::path());
        EXPECT_EQ(OpenDefaultHistory()->Location(), MemoryHistory::Where);
    }
    for (const Saved& variable : saved)
        set(variable.name, variable.value ? variable.value->c_str() : nullptr);
}
