// The game's hook into the history: a game is kept exactly when its results are shown, with the
// numbers of the game window at that moment, and orbicle-sim's history commands.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "res/Resource.h"
#include "tests/engine/GameFixture.h"
#include "tools/sim/Sim.h"

namespace {
std::string FileBytesPrefix(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char bytes[4] = {};
    in.read(bytes, 4);
    return std::string(bytes, static_cast<std::size_t>(in.gcount()));
}

// The game window's fields as the history should keep them, read independently of the hook.
void ExpectKeptFromFields(const KeptGame& kept, const CGameView& v)
{
    EXPECT_EQ(std::tuple(kept.started, kept.ended, kept.race, kept.width, kept.height),
              std::tuple(v.m_tStart, v.m_tEnd, v.m_strRace, std::int64_t{v.m_nWidth}, std::int64_t{v.m_nHeight}));
    EXPECT_EQ(std::tuple(kept.statistics, kept.noIntersect, kept.customKeys, kept.darkening, kept.sounds),
              std::tuple(v.m_bShowStatistics, v.m_bNoIntersect, v.m_bCustomKeys, v.m_bDarkening, v.m_bSounds));
    EXPECT_EQ(
        std::tuple(kept.score, kept.average, kept.best, kept.last, kept.accuracy, kept.useful, kept.misses),
        std::tuple(v.m_nScore, v.m_nApmAverage, v.m_nApmMax, v.m_nApm, v.m_nAccuracy, v.m_nUsefulTotal, v.m_nMisses));
    ASSERT_EQ(kept.samples.size(), static_cast<std::size_t>(v.m_nApmSamples));
    for (int i = 0; i < v.m_nApmSamples; ++i)
        EXPECT_EQ(kept.samples[i], v.m_anApmHistory[i]) << i;
}
}  // namespace

class HistoryHookTest : public GameTest {
protected:
    std::vector<KeptGame> Kept() { return m_platform.history.Games(); }
    // Hits the oldest circle, as often as asked, between ticks.
    void HitSome(int hits)
    {
        for (int i = 0; i < hits; ++i) {
            Tick(8);
            if (!View().m_listCircles.empty()) {
                const CCircle& c = View().m_listCircles.front();
                c.m_bLeftButton ? View().OnLButtonDown(0, {c.m_nX, c.m_nY}) : View().OnRButtonDown(0, {c.m_nX, c.m_nY});
            }
        }
    }
};

TEST_F(HistoryHookTest, AGameIsKeptWhenItsResultsAreShownAndOnlyThen)
{
    // Closing mid-game shows no results and keeps nothing.
    StartGame();
    Tick(120);
    View().OnClose();
    EXPECT_TRUE(Kept().empty());

    // Stop from the menu after the first sample, with a hold of 10 s in the middle.
    StartGame();
    View().m_bCustomKeys = 1;
    HitSome(10);
    View().OnPauseGame();
    m_platform.clock.Advance(10'000);
    View().OnPauseGame();
    HitSome(10);
    Events();
    EXPECT_EQ(RunCommand(View(), ID_FILE_NEWSTOPGAME), CommandResult::Done);
    ASSERT_EQ(Kept().size(), 1u);
    ExpectKeptFromFields(Kept()[0], View());
    EXPECT_GT(Kept()[0].useful, 0);
    // The whole game less the hold, which counts one second more than it lasted.
    EXPECT_EQ(Kept()[0].playSeconds, View().m_tEnd - View().m_tStart - 11);
    EXPECT_EQ(Events(),
              (std::vector<std::string>{"killtimer 1", "invalidate 0 0 704 528", "sound res/applause.wav sync"}));

    // The end rule: kept once the tick that stopped the game is over, so the numbers are those
    // the result panel is painted with, also when that tick closed a slot after the stop.
    StartGame();
    // The end counter's phase (program-wide) set so that the stopping tick closes a slot too.
    CGameView::s_nEndTicks = 3;
    // Hits all along, so that every slot's close changes the rates.
    for (int tick = 0; View().m_bRunning; ++tick) {
        Tick();
        if (tick % 8 == 0 && View().m_bRunning)
            HitSome(1);
    }
    ASSERT_EQ(CGameView::s_nSlotTicks, 0);
    ASSERT_EQ(Kept().size(), 2u);
    ExpectKeptFromFields(Kept()[1], View());
    EXPECT_EQ(View().m_bShowResult, 1);
}

TEST_F(HistoryHookTest, TheSimKeepsHistoryInAFileWhenToldAndListsEveryFieldByName)
{
    m_folder.Write("res/keys_df.txt", "QWERp");
    const std::string db = (m_folder.Path() / "h.sqlite3").string();
    auto run = [&](SimSession& session, const std::string& script) {
        std::istringstream lines(script);
        std::ostringstream out;
        for (std::string line; std::getline(lines, line);)
            session.Execute(line, out);
        return out.str();
    };
    std::string listed;
    {
        SimSession sim;
        sim.Platform().files = DiskFiles({m_folder.Path()});
        const std::string events =
            run(sim, "historydb " + db + "\nprofile Race df\nstart\ncommand 32784\ntick 200\ncommand 32784\nevents\n");
        // Only what the game asked of the platform: keeping the game is no event.
        std::istringstream lines(events);
        for (std::string line; std::getline(lines, line);)
            EXPECT_TRUE(line.starts_with("invalidate ") || line.starts_with("sound ") ||
                        line.starts_with("settimer ") || line.starts_with("killtimer ") || line.starts_with("sleep "))
                << line;
        listed = run(sim, "history\n");
        EXPECT_EQ(run(sim, "command 32794\nevents\nhistorydb other\n"),
                  "dialog history\nerror: historydb: only before start\n");
        const std::string png = (m_folder.Path() / "chart.png").string();
        EXPECT_EQ(run(sim, "snapshot-history " + png + "\n"), "");
        EXPECT_EQ(FileBytesPrefix(png), "\x89PNG");
    }
    // One line, the kept fields by name in order, the numbers of a 10-second game.
    ASSERT_EQ(std::count(listed.begin(), listed.end(), '\n'), 1);
    std::string names;
    for (std::size_t at = 0; (at = listed.find("\"", at)) != std::string::npos;) {
        const std::size_t end = listed.find('"', at + 1);
        if (listed[end + 1] == ':')
            names += listed.substr(at + 1, end - at - 1) + ' ';
        at = end + 1;
    }
    EXPECT_EQ(names,
              "id started ended play_seconds statistics no_intersect custom_keys darkening sounds width height "
              "score average best last accuracy useful misses race samples ");
    EXPECT_TRUE(listed.starts_with("{\"id\":1,\"started\":1767614400,\"ended\":1767614410,\"play_seconds\":10,"))
        << listed;
    EXPECT_NE(listed.find("\"race\":\"df\",\"samples\":[0,0]}"), std::string::npos) << listed;

    // The next run of the program finds it in the file.
    CGameView::ResetProgramState();
    SimSession again;
    EXPECT_EQ(run(again, "historydb " + db + "\nhistory\n"), listed);
}
