// orbicle-sim's command language: outputs, errors and the contract of each command.
#include <filesystem>
#include <limits>
#include <sstream>
#include <utility>

#include "tests/game/GameFixture.h"
#include "tests/sim/Script.h"

namespace {
// A PNG file's width and height, from its header chunk.
std::pair<int, int> PngSize(const std::string& path)
{
    const std::string head = FileText(path) + std::string(24, '\0');
    auto byte = [&](int at) { return static_cast<unsigned char>(head[at]); };
    auto number = [&](int at) { return byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3); };
    return {number(16), number(20)};
}

// The members of a state line, "name":value each, without those named.
std::vector<std::string> Members(std::string json, const std::vector<std::string>& left_out)
{
    while (!json.empty() && json.back() == '\n')
        json.pop_back();
    std::vector<std::string> members(1);
    int depth = 0;
    bool quoted = false;
    for (std::size_t i = 1; i + 1 < json.size(); ++i) {
        const char c = json[i];
        if (quoted && c == '\\')
            members.back() += json[i++];
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted)
            depth += c == '[' || c == '{' ? 1 : c == ']' || c == '}' ? -1 : 0;
        if (!quoted && depth == 0 && c == ',')
            members.emplace_back();
        else
            members.back() += json[i];
    }
    std::erase_if(members, [&](const std::string& m) {
        return std::ranges::any_of(left_out, [&](const std::string& name) { return m.starts_with('"' + name + '"'); });
    });
    return members;
}
}  // namespace

class SimTest : public ::testing::Test {
protected:
    SimTest() { m_session.Platform().files = DiskFiles({m_folder.Path()}); }
    // Runs the lines; returns what they printed.
    std::string Run(const std::string& script) { return RunScript(m_session, script, &m_ok); }
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

// A new game forgets the last one: after a game with hits, misses, a pause and rate samples,
// stopped with its result, the next game starts as a fresh program's game started at the same
// moment does, but for what outlives games (the tick phases, the last game's end, the samples
// hidden beyond the count).
TEST_F(SimTest, ANewGameStartsAsTheFirstGameOfAFreshProgram)
{
    m_folder.Write("res/keys_df.txt", "QWERp");
    const std::string setup = "profile Race df\nprofile Options 11111\nstart\n";
    Run(setup + "command 32784\nkey 80\n");
    CGameView& view = *m_session.View();
    for (int i = 0; i < 40; ++i) {
        Run(i == 20 ? "tick 8\ncommand 32788\nadvance 3000\ncommand 32788\n" : "tick 8\n");
        if (view.m_listCircles.empty())
            continue;
        const CCircle& c = view.m_listCircles.front();
        if (!c.m_strLabel.empty())
            Run("key " + std::to_string(c.m_strLabel == "p" ? 112 : c.m_strLabel[0]) + "\n");
        Run("click " + std::to_string(c.m_nX) + " " + std::to_string(c.m_nY) + (c.m_bLeftButton ? " left" : " right") +
            (i % 7 == 0 ? "\nclick 1 1 left\n" : "\n"));
    }
    Run("tick 200\n");
    ASSERT_TRUE(view.m_nUsefulTotal > 0 && view.m_nMisses > 0 && view.m_dPausedMinutes > 0 && view.m_nApmSamples > 0);
    Run("key 81\ncommand 32788\ncommand 32784\nclock 1800000000\ncommand 32784\n");
    ASSERT_TRUE(view.m_nApmSamples == 0 && view.m_bRunning) << "the second game runs";

    SimSession fresh;
    fresh.Platform().files = DiskFiles({m_folder.Path()});
    const std::string freshState =
        RunScript(fresh, "profile Race df\nprofile Options 11111\nstart\nclock 1800000000\ncommand 32784\nstate\n");
    const std::vector<std::string> outliving = {"m_anApmHistory", "m_tEnd",     "s_nSlotTicks",
                                                "s_nEndTicks",    "s_bWasHeld", "s_tHoldStart"};
    EXPECT_EQ(Members(Run("state\n"), outliving), Members(freshState, outliving));
    EXPECT_TRUE(m_ok);
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
    Run("profile Race a\rb\x7F\xE9\\ ~\"\nstart\ncommand 32784\n");
    EXPECT_EQ(Run("events\n"),
              "messagebox Cannot open the file res\\keys_a\\x0Db\\x7F\\xE9\\ ~\".txt\n"
              "sound res/welcome.wav sync\nsettimer 1 50\n");
    EXPECT_EQ(Run("dialog d\x01\xFF\n"), "error: bad race code 'd\\x01\\xFF' (hu, or, ud, ne, df or cancel)\n");
    // The state line keeps its JSON escapes.
    EXPECT_NE(Run("state\n").find("\"m_strRace\":\"a\\u000Db\\u007F\\u00E9\\\\ ~\\\"\""), std::string::npos);
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
}

TEST_F(SimTest, KeepsHistoryInAFileWhenToldAndListsEveryFieldByName)
{
    m_folder.Write("res/keys_df.txt", "QWERp");
    const std::string db = (m_folder.Path() / "h.sqlite3").string();
    std::string listed;
    {
        SimSession sim;
        sim.Platform().files = DiskFiles({m_folder.Path()});
        const std::string events = RunScript(
            sim, "historydb " + db + "\nprofile Race df\nstart\ncommand 32784\ntick 200\ncommand 32784\nevents\n");
        // Only what the game asked of the platform: keeping the game is no event.
        std::istringstream lines(events);
        for (std::string line; std::getline(lines, line);)
            EXPECT_TRUE(line.starts_with("invalidate ") || line.starts_with("sound ") ||
                        line.starts_with("settimer ") || line.starts_with("killtimer ") || line.starts_with("sleep "))
                << line;
        listed = RunScript(sim, "history\n");
        EXPECT_EQ(RunScript(sim, "command 32794\nevents\nhistorydb other\n"),
                  "dialog history\nerror: historydb: only before start\n");
        const std::string png = (m_folder.Path() / "chart.png").string();
        EXPECT_EQ(RunScript(sim, "snapshot-history " + png + "\n"), "");
        EXPECT_EQ(FileText(png).substr(0, 4), "\x89PNG");
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
    EXPECT_EQ(RunScript(again, "historydb " + db + "\nhistory\n"), listed);
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

TEST_F(SimTest, TheStateListsCirclesTheLastPaintsTextBoxesAndSnapshots)
{
    m_folder.Write("res/keys_df.txt", "A");
    Run("profile Race df\nprofile Options 11111\nstart\ncommand 32784\n");
    // Running before the first sample: Stop is disabled, and says so.
    EXPECT_EQ(Run("command 32784\n"), "disabled 32784\n");
    CGameView& view = *m_session.View();
    view.m_listCircles = {CCircle{100, 100, 20.0, 1, "", 1}, CCircle{300, 200, 30.5, 0, "A", 0},
                          CCircle{400, 300, 25.0, 1, "p", 1}};
    EXPECT_NE(
        Run("state\n").find("\"m_listCircles\":["
                            "{\"m_nX\":100,\"m_nY\":100,\"m_dRadius\":20,\"m_bLeftButton\":1,\"m_strLabel\":\"\","
                            "\"m_bGrowing\":1},"
                            "{\"m_nX\":300,\"m_nY\":200,\"m_dRadius\":30.5,\"m_bLeftButton\":0,\"m_strLabel\":\"A\","
                            "\"m_bGrowing\":0},"
                            "{\"m_nX\":400,\"m_nY\":300,\"m_dRadius\":25,\"m_bLeftButton\":1,\"m_strLabel\":\"p\","
                            "\"m_bGrowing\":1}],"),
        std::string::npos);

    // The texts of a paint in the order drawn: the labels, newest circle first (the mouse-only
    // circle has none), then the armed key on its cap and the score.
    Run("key 65\npaint\n");
    std::istringstream boxes(Run("textboxes\n"));
    std::vector<CRect> shown;
    for (std::string word; boxes >> word;) {
        ASSERT_EQ(word, "textbox");
        CRect& box = shown.emplace_back();
        boxes >> box.left >> box.top >> box.right >> box.bottom;
    }
    ASSERT_EQ(shown.size(), 4u);
    for (const auto& [box, centre] : {std::pair{shown[0], CPoint{400, 300}}, {shown[1], CPoint{300, 200}}})
        EXPECT_TRUE(box.left < centre.x && centre.x < box.right && box.top < centre.y && centre.y < box.bottom);
    EXPECT_EQ(std::pair(shown[2].left, shown[2].top), std::pair(96, 528 - 47));
    EXPECT_EQ(std::pair(shown[3].left, shown[3].top), std::pair(704 - 92, 7));

    // The screen as a PNG; a file that cannot be written is an error line.
    const std::string png = (m_folder.Path() / "shot.png").string();
    EXPECT_EQ(Run("snapshot " + png + "\n"), "");
    EXPECT_EQ(FileText(png).substr(0, 4), "\x89PNG");
    EXPECT_EQ(PngSize(png), std::pair(704, 528));
    // The keys report of the game, at its own size.
    const std::string keys = (m_folder.Path() / "keys.png").string();
    EXPECT_EQ(Run("snapshot-keys " + keys + "\n"), "");
    EXPECT_EQ(PngSize(keys), std::pair(760, 440));
    EXPECT_TRUE(m_ok);
    const std::string nowhere = (m_folder.Path() / "missing" / "x.png").string();
    for (const char* command : {"snapshot", "snapshot-history", "snapshot-keys"}) {
        m_ok = true;
        EXPECT_EQ(Run(std::string(command) + " " + nowhere + "\n").rfind(std::string("error: ") + command + ": ", 0),
                  0u);
        EXPECT_FALSE(m_ok);
    }
}

TEST_F(SimTest, ReadsTheHotkeySetsUnderTheCurrentFolder)
{
    // As the program does: the game's "res\keys_df.txt" is res/keys_df.txt of the current folder.
    m_folder.Write("res/keys_df.txt", "QW");
    std::string state;
    {
        CurrentDir inside(m_folder.Path());
        SimSession session;
        state = RunScript(session, "profile Race df\nstart\ncommand 32784\nstate\n");
    }
    EXPECT_NE(state.find("\"m_astrKeys\":[\"Q\",\"W\"],\"m_nKeys\":2,"), std::string::npos) << state;
}

TEST(HeadlessClockTest, WholeSecondsRoundDownAndTheClockStandsStillAtTheEndsOfItsRange)
{
    EventLog log;
    HeadlessClock clock(log, 1999);
    std::vector<time64> seconds;
    for (const std::int64_t ms : {1999, 1000, 999, 0, -1, -999, -1000, -1001})
        seconds.push_back((clock.Set(ms), clock.Now()));
    EXPECT_EQ(seconds, (std::vector<time64>{1, 1, 0, 0, -1, -1, -1, -2}));

    constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max(),
                           Min = std::numeric_limits<std::int64_t>::min();
    clock.Set(Max - 100);
    clock.Sleep(750);
    EXPECT_EQ(clock.Milliseconds(), Max);
    EXPECT_EQ(log.Take(), std::vector<std::string>{"sleep 750"});
    clock.Set(Min + 100);
    clock.Advance(-101);
    EXPECT_EQ(clock.Milliseconds(), Min);
    clock.Advance(5);
    EXPECT_EQ(clock.Milliseconds(), Min + 5);
}

// Like Windows: killing a timer succeeds only for the one that is set, and only once.
TEST(HeadlessWindowTest, KillingATimerSaysWhetherThatTimerWasSet)
{
    EventLog log;
    HeadlessWindow window(log);
    EXPECT_FALSE(window.KillTimer(1));
    window.SetTimer(1, 100);
    EXPECT_FALSE(window.KillTimer(2));
    EXPECT_TRUE(window.TimerSet());
    EXPECT_TRUE(window.KillTimer(1));
    EXPECT_FALSE(window.TimerSet());
    EXPECT_FALSE(window.KillTimer(1));
    EXPECT_EQ(log.Take(),
              (std::vector<std::string>{"killtimer 1", "settimer 1 100", "killtimer 2", "killtimer 1", "killtimer 1"}));
}
