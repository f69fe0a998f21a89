// orbicle-sim's command language: outputs, errors and the contract of each command.
#include <fstream>
#include <sstream>

#include "tests/game/GameFixture.h"
#include "tools/sim/Sim.h"

namespace {
std::string FileBytesPrefix(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char bytes[4] = {};
    in.read(bytes, 4);
    return std::string(bytes, static_cast<std::size_t>(in.gcount()));
}
}  // namespace

class SimTest : public ::testing::Test {
protected:
    SimTest() { m_session.Platform().files = DiskFiles({m_folder.Path()}); }
    // Runs the lines; returns what they printed.
    std::string Run(const std::string& script)
    {
        std::istringstream lines(script);
        std::ostringstream out;
        for (std::string line; std::getline(lines, line);)
            m_ok = m_session.Execute(line, out) && m_ok;
        return out.str();
    }
    TempDir m_folder;
    SimSession m_session;
    bool m_ok = true;
};

TEST_F(SimTest, AWholeSessionFromStartToExit)
{
    m_folder.Write("res/keys_df.txt", "A\x01");
    EXPECT_EQ(Run("# comment\n\nscreen 800\nprofile Options 10011\nstart\nmenu\n"),
              "32784 \"&New Game\" enabled\n"
              "32788 \"&Pause Game\" disabled\n"
              "32780 \"Select &Race\" enabled\n"
              "57665 \"E&xit\" enabled\n"
              "32779 \"Show S&tatistics\" enabled checked\n"
              "32783 \"No&intersecting Circles\" enabled\n"
              "32777 \"Custom &Keys\" enabled\n"
              "32793 \"Da&rkening\" enabled checked\n"
              "32776 \"&Sounds\" enabled checked\n"
              "57664 \"&About Orbicle...\" enabled\n");
    EXPECT_EQ(Run("events\ndialog df\nclick 1 1 left\nevents\n"),
              "invalidate 0 0 550 412\n"
              "dialog 159 cancel=0 result=df\n"
              "sound res/welcome.wav sync\n"
              "settimer 1 50\n");
    const std::string state = Run("state\n");
    for (const char* field : {"{\"m_nWidth\":550,\"m_nHeight\":412,\"m_dUnit\":27.5,", "\"m_listCircles\":[],",
                              "\"m_astrKeys\":[\"A\",\"\\u0001\"],\"m_nKeys\":2,", "\"m_nTimerId\":1,",
                              "\"m_strRace\":\"df\",", "\"s_bWasHeld\":0,\"s_tHoldStart\":0}\n"})
        EXPECT_NE(state.find(field), std::string::npos) << field;

    Run("tick 96\ncommand 32784\nevents\n");
    EXPECT_EQ(m_session.View()->m_bShowResult, 1);
    EXPECT_EQ(Run("command 32780\nevents\n"), "dialog 159 cancel=1 result=none\n");
    EXPECT_EQ(Run("command 57664\nevents\n"), "dialog 100\n");
    EXPECT_EQ(Run("exit\n"), "{\"Options\":\"10011\",\"Left\":\"120\",\"Top\":\"90\",\"Race\":\"df\"}\n");
    EXPECT_TRUE(m_ok);
    // After the end only the log can be read.
    EXPECT_EQ(Run("state\n").rfind("error: ", 0), 0u);
}

TEST_F(SimTest, TickTimerPaintClockAndActivationCommands)
{
    m_folder.Write("res/keys_df.txt", "A");
    Run("clock 1000\nprofile Race df\nstart\ncommand 32784\ntimer 1\n");
    // The timer alone spawns, a tick's paint also ages the circle.
    const double timerOnly = m_session.View()->m_listCircles.front().m_dRadius;
    EXPECT_EQ(timerOnly, 3.0);
    Run("tick 1\n");
    EXPECT_GT(m_session.View()->m_listCircles.front().m_dRadius, timerOnly);
    Run("events\npaint\n");
    EXPECT_EQ(Run("events\n"), "");  // a paint asks nothing of the platform
    EXPECT_EQ(m_session.Platform().clock.Milliseconds(), 1'000'100);

    // The resume's sleep and advance move the clock.
    Run("command 32788\ntick 3\ncommand 32788\ntick\nadvance 1234\n");
    EXPECT_EQ(m_session.Platform().clock.Milliseconds(), 1'000'100 + 150 + 50 + 750 + 1234);

    // The game follows the frame's activation, also into a game started while it was away.
    Run("deactivate\ndeactivate\n");
    EXPECT_EQ(m_session.View()->m_bActive, 0);
    Run("activate\ntimer 96\ncommand 32784\ndeactivate\nclick 1 1 left\n");
    EXPECT_EQ(m_session.View()->m_bShowResult, 1);  // a click on a result starts nothing
    Run("command 32784\nactivate\ntick 100\n");
    EXPECT_EQ(m_session.View()->m_bActive, 1);
    EXPECT_FALSE(m_session.View()->m_listCircles.empty());
    EXPECT_TRUE(m_ok);
}

TEST_F(SimTest, ProfileValuesAreTheRestOfTheLine)
{
    Run("profile Race two words \nprofile Options\nstart\n");
    EXPECT_EQ(m_session.View()->m_strRace, "two words ");
    EXPECT_EQ(m_session.View()->m_bSounds, 1);  // an empty entry falls back to "11011"
    EXPECT_TRUE(m_ok);
}

TEST_F(SimTest, BadCommandsPrintOneErrorLineAndTheRunGoesOn)
{
    const char* bad[] = {
        "tick",  // before start
        "frobnicate", "screen wide", "screen 0", "clock 12x", "advance -5", "dialog elves", "key 300", "key",
    };
    for (const char* line : bad) {
        m_ok = true;
        const std::string out = Run(std::string(line) + "\n");
        EXPECT_EQ(out.rfind("error: ", 0), 0u) << line;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << line;
        EXPECT_FALSE(m_ok) << line;
    }
    m_ok = true;
    Run("start\n");
    for (const char* line : {"start", "screen 1024", "profile Race hu", "click 1 2 middle", "click 1 2 left triple",
                             "command 99999", "tick -1", "state now"}) {
        const std::string out = Run(std::string(line) + "\n");
        EXPECT_EQ(out.rfind("error: ", 0), 0u) << line;
    }
    EXPECT_FALSE(m_ok);
    // The game is still there and answers.
    m_ok = true;
    EXPECT_NE(Run("state\n").find("\"m_bRunning\":0"), std::string::npos);
    EXPECT_TRUE(m_ok);
}

TEST_F(SimTest, NumbersAtTheirLimitsNeitherOverflowNorRunAway)
{
    // A stored corner at the ends of int is held within a million pixels.
    EXPECT_EQ(Run("profile Left 2147483647\nprofile Top -2147483648\nstart\nexit\n"),
              "{\"Left\":\"1000000\",\"Top\":\"-1000000\",\"Race\":\"\",\"Options\":\"11011\"}\n");
    EXPECT_TRUE(m_ok);

    // The clock stays within 10^12 seconds of 1970; tick and timer repeat at most 10^7 times.
    SimSession session;
    auto accepted = [&](const std::string& line) {
        std::ostringstream out;
        return session.Execute(line, out) && out.str().empty();
    };
    for (const char* line :
         {"clock 999999999999", "advance 1000", "clock -1000000000000", "start", "timer 10000000", "tick 10000000"})
        EXPECT_TRUE(accepted(line)) << line;
    EXPECT_EQ(session.Platform().clock.Milliseconds(), -1'000'000'000'000'000LL + 1'000'000'000LL);
    EXPECT_TRUE(accepted("clock 999999999999"));
    for (const char* line : {"advance 1001", "advance 1000000000000", "advance 9223372036854775807",
                             "clock 1000000000001", "tick 10000001", "timer 10000001"})
        EXPECT_FALSE(accepted(line)) << line;
    EXPECT_TRUE(accepted("advance 1000"));
    EXPECT_FALSE(accepted("advance 1"));
}

TEST_F(SimTest, ErrorAndEventLinesWriteUnprintableBytesAsHexEscapes)
{
    Run("profile Race a\rb\x7F\xE9\\\nstart\ncommand 32784\n");
    EXPECT_EQ(Run("events\n"),
              "messagebox Cannot open the file res\\keys_a\\x0Db\\x7F\\xE9\\.txt\n"
              "sound res/welcome.wav sync\nsettimer 1 50\n");
    EXPECT_EQ(Run("dialog d\x01\xFF\n"), "error: bad race code 'd\\x01\\xFF' (hu, or, ud, ne, df or cancel)\n");
    // The state line keeps its JSON escapes.
    EXPECT_NE(Run("state\n").find("\"m_strRace\":\"a\\u000Db\\u007F\\u00E9\\\\\""), std::string::npos);
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
}

TEST_F(SimTest, KeepsHistoryInAFileWhenToldAndListsEveryFieldByName)
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
    SimSession again;
    EXPECT_EQ(run(again, "historydb " + db + "\nhistory\n"), listed);
}

TEST_F(SimTest, CrlfLinesPaintsOnlyWhenInvalidatedAndExitFromTheMenu)
{
    m_folder.Write("res/keys_df.txt", "A");
    // Lines that end in CR LF read as their text.
    EXPECT_EQ(Run("screen 800\r\nprofile Race df\r\nstart\r\ncommand 32784\r\ntick 5\r\n"), "");
    EXPECT_EQ(m_session.View()->m_nWidth, 550);
    EXPECT_EQ(m_session.View()->m_strRace, "df");

    // A tick paints only what was invalidated: a held game's ticks ask for nothing, so a change
    // made behind the game's back stays off the screen until a paint is asked for.
    auto screen = [&] {
        const auto pixels = m_session.Platform().window.Screen().GetPixels();
        return std::vector<std::uint32_t>(pixels.begin(), pixels.end());
    };
    Run("command 32788\ntick 2\n");
    const std::vector<std::uint32_t> before = screen();
    m_session.View()->m_bShowStatistics = 0;
    Run("tick 3\n");
    EXPECT_TRUE(screen() == before);
    Run("paint\n");
    EXPECT_FALSE(screen() == before);

    // Exit from the menu ends the program as the exit command does.
    const std::string settings = Run("command 57665\n");
    EXPECT_TRUE(settings.starts_with("{") && settings.find("\"Race\":\"df\"") != std::string::npos) << settings;
    EXPECT_EQ(Run("tick\n"), "error: tick: the program is not running (after exit)\n");
    EXPECT_TRUE(!m_ok);
}
