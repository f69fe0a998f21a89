// Options in the profile, the option commands, the menu state of every command in every
// state of a game, and the Select Race command.
#include <sstream>

#include "game/DlgSelect.h"
#include "res/Races.h"
#include "res/Resource.h"
#include "tests/game/GameFixture.h"

namespace {
std::vector<BOOL> Options(const CGameView& v)
{
    return {v.m_bShowStatistics, v.m_bNoIntersect, v.m_bCustomKeys, v.m_bDarkening, v.m_bSounds};
}
}  // namespace

TEST_F(GameTest, OptionsStringsAreReadAndWrittenBack)
{
    struct Case {
        const char* stored;  // nullptr: no entry (the first case)
        std::vector<BOOL> options;
        std::string written;
    };
    const Case cases[] = {
        {nullptr, {1, 1, 0, 1, 1}, "11011"},   {"01010", {0, 1, 0, 1, 0}, "01010"},
        {"0000", {1, 1, 0, 1, 1}, "11011"},  // not five characters: the default
        {"000000", {1, 1, 0, 1, 1}, "11011"},  {"12011", {1, 2, 0, 1, 1}, "12011"},
        {"1x011", {1, 72, 0, 1, 1}, "172011"}, {"1 011", {1, -16, 0, 1, 1}, "1-16011"},
    };
    // Read by the window's construction, written back by its destruction.
    for (const Case& c : cases) {
        if (c.stored)
            m_platform.profile.WriteString("Settings", "Options", c.stored);
        EXPECT_EQ(Options(Make()), c.options) << (c.stored ? c.stored : "(none)");
        m_view.reset();
        EXPECT_EQ(m_platform.profile.GetString("Settings", "Options", "?"), c.written);
    }
}

TEST_F(GameTest, OptionCommandsToggleAndTheMenuShowsThem)
{
    m_platform.profile.WriteString("Settings", "Options", "12011");
    m_platform.profile.WriteString("Settings", "Race", "xy");
    Make();
    EXPECT_EQ(View().m_strRace, "xy");
    for (UINT id : {ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_NOINTERSECT, ID_OPTIONS_CUSTOMKEYS, ID_OPTIONS_DARKENING,
                    ID_OPTIONS_SOUNDS}) {
        const bool before = Update(View(), id).checked;
        EXPECT_EQ(RunCommand(View(), id), CommandResult::Done);
        EXPECT_NE(Update(View(), id).checked, before) << id;
    }
    // The "2" of No-intersecting Circles counted as on, and a toggle turned it off.
    m_view.reset();
    EXPECT_EQ(m_platform.profile.GetString("Settings", "Options", ""), "00100");
    EXPECT_EQ(m_platform.profile.GetString("Settings", "Race", ""), "xy");
}

TEST_F(GameTest, MenuStateInEveryStateOfAGame)
{
    Make();
    // The texts of New/Stop and Pause, then 1 or 0 for enabled: New/Stop, Pause, Select Race,
    // No-intersecting Circles, Custom Keys, Statistics, Darkening, Sounds.
    auto menu = [&] {
        std::string state =
            Update(View(), ID_FILE_NEWSTOPGAME).text + "|" + Update(View(), ID_FILE_PAUSEGAME).text + "|";
        for (UINT id : {ID_FILE_NEWSTOPGAME, ID_FILE_PAUSEGAME, ID_FILE_SELECTRACE, ID_OPTIONS_NOINTERSECT,
                        ID_OPTIONS_CUSTOMKEYS, ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_DARKENING, ID_OPTIONS_SOUNDS})
            state += Update(View(), id).enabled ? '1' : '0';
        return state;
    };
    EXPECT_EQ(menu(), "&New Game|&Pause Game|10111111");

    // Running, before the first sample: the game cannot be stopped yet.
    StartGame();
    EXPECT_EQ(menu(), "&Stop Game|&Pause Game|01000111");
    EXPECT_EQ(RunCommand(View(), ID_FILE_NEWSTOPGAME), CommandResult::Disabled);
    EXPECT_EQ(RunCommand(View(), ID_FILE_SELECTRACE), CommandResult::Disabled);
    EXPECT_EQ(View().m_bRunning, 1);
    RunCommand(View(), ID_FILE_PAUSEGAME);
    EXPECT_EQ(menu(), "&Stop Game|Un&pause Game|01000111");
    RunCommand(View(), ID_FILE_PAUSEGAME);

    // Running with the first sample taken.
    Tick(96);
    EXPECT_EQ(menu(), "&Stop Game|&Pause Game|11000111");

    // Stopped with the result on show: every option, and the race, can be changed; the
    // result stays on show until the next game, which only the command starts.
    EXPECT_EQ(RunCommand(View(), ID_FILE_NEWSTOPGAME), CommandResult::Done);
    EXPECT_EQ(View().m_bShowResult, 1);
    EXPECT_EQ(menu(), "&New Game|&Pause Game|10111111");
    Events();
    m_platform.raceDialog.Queue("or");
    EXPECT_EQ(RunCommand(View(), ID_FILE_SELECTRACE), CommandResult::Done);
    EXPECT_EQ(RunCommand(View(), ID_OPTIONS_CUSTOMKEYS), CommandResult::Done);
    View().OnLButtonDown(0, CPoint{5, 5});
    EXPECT_EQ(std::tuple(View().m_strRace, View().m_bCustomKeys, View().m_bShowResult, View().m_bRunning),
              std::tuple(std::string("or"), 1, 1, 0));
    EXPECT_EQ(Events(), (std::vector<std::string>{"dialog 159 cancel=1 result=or", "invalidate 0 0 704 528"}));
}

TEST_F(GameTest, SelectRaceCommand)
{
    Make();
    View().m_strRace = "or";
    // Cancelled (or closed without a race): nothing changes, nothing is repainted.
    m_platform.raceDialog.Queue(std::nullopt);
    RunCommand(View(), ID_FILE_SELECTRACE);
    EXPECT_EQ(View().m_strRace, "or");
    EXPECT_EQ(Events(), (std::vector<std::string>{"dialog 159 cancel=1 result=none"}));

    // The same race again still repaints.
    View().m_strRace = "hu";
    m_platform.raceDialog.Queue("hu");
    RunCommand(View(), ID_FILE_SELECTRACE);
    EXPECT_EQ(View().m_strRace, "hu");
    EXPECT_EQ(EventsMatching("invalidate").size(), 1u);

    // The next game reads the chosen race's set.
    m_folder.Write("res/keys_hu.txt", "HU");
    View().NewGame();
    EXPECT_EQ(View().m_nKeys, 2);
}

// Every paint covers the whole field from the back buffer, so no repaint the game asks for
// needs the window's background first (on the desktop that erase would flash the window's
// colour): a tick, a stop with results, Show Statistics, Darkening and Select Race.
TEST_F(GameTest, RepaintsAreAskedForTheWholeFieldWithoutErasing)
{
    struct Recording : IWindowHost {
        explicit Recording(IWindowHost& window) : inner(window) {}
        UINT_PTR SetTimer(UINT_PTR id, UINT ms) override { return inner.SetTimer(id, ms); }
        BOOL KillTimer(UINT_PTR id) override { return inner.KillTimer(id); }
        void InvalidateRect(const CRect& rect, BOOL bErase) override
        {
            asked.push_back(std::to_string(rect.Width()) + "x" + std::to_string(rect.Height()) + " erase " +
                            std::to_string(bErase));
        }
        CDC* BeginPaint(CRect& rcPaint) override { return inner.BeginPaint(rcPaint); }
        void EndPaint() override { inner.EndPaint(); }
        IWindowHost& inner;
        std::vector<std::string> asked;
    } recording(m_platform.window);
    StartGame();
    View().Create(recording);
    View().OnTimer(1);
    View().StopGame(1);
    for (UINT id : {ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_DARKENING})
        RunCommand(View(), id);
    m_platform.raceDialog.Queue("or");
    RunCommand(View(), ID_FILE_SELECTRACE);
    EXPECT_EQ(recording.asked, std::vector<std::string>(5, "704x528 erase 0"));
}

TEST(DlgSelectTest, TheTemplateInTabOrderAndTheRaceOfTheButtonPressed)
{
    struct Answering : IRaceDialog {
        std::optional<std::string> answer;
        RaceDialogDescription shown;
        std::optional<std::string> Choose(const RaceDialogDescription& dialog) override
        {
            shown = dialog;
            return answer;
        }
    } ui;
    CDlgSelect dlg(ui);
    dlg.m_bCancelEnabled = 0;
    const RaceDialogDescription d = dlg.Description();
    EXPECT_EQ(std::tuple(d.nIDTemplate, d.caption, d.size.cx, d.size.cy, d.cancelEnabled),
              std::tuple(159u, std::string("Select Race"), 172, 108, false));
    // Id, text, race, and the box as x, y, width, height in dialog units.
    std::vector<std::string> controls;
    for (const DialogControl& c : d.controls) {
        controls.push_back(std::to_string(c.nID) + " " + c.text + " " + c.race + " " + std::to_string(c.box.left) +
                           "," + std::to_string(c.box.top) + "," + std::to_string(c.box.Width()) + "," +
                           std::to_string(c.box.Height()));
    }
    EXPECT_EQ(controls, (std::vector<std::string>{"2 Cancel  108,78,50,14", "1000 Human hu 66,24,84,14",
                                                  "1001 Orc or 48,42,84,14", "1002 Undead ud 30,60,84,14",
                                                  "-1 Select Your Race  6,6,158,96", "1004 Night Elves ne 12,78,84,14",
                                                  "3 Default df 12,24,50,14"}));

    // A race button ends it with its race; anything else ends it without one.
    using Case = std::tuple<std::optional<std::string>, int, std::string>;
    for (const auto& [answer, result, race] :
         {Case{"ne", CDlgSelect::IDOK, "ne"}, Case{std::nullopt, CDlgSelect::IDCANCEL, ""},
          Case{"xy", CDlgSelect::IDCANCEL, ""}}) {
        CDlgSelect run(ui);
        ui.answer = answer;
        EXPECT_EQ(run.DoModal(), result) << answer.value_or("none");
        EXPECT_EQ(run.m_strRace, race);
        EXPECT_TRUE(ui.shown.cancelEnabled);
    }
}

TEST(RacesTest, TheReadmeShowsTheRaceTableAsItIs)
{
    const std::string readme = FileText(ORBICLE_SOURCE_DIR "/README.md");
    for (const Race& r : Races) {
        std::ostringstream row;
        row << "| `" << r.code << "` | " << r.name << " | " << r.nButtonId << " | " << r.x << ", " << r.y << ", "
            << r.cx << " \u00d7 " << r.cy << " | " << r.nCursorId << " | `" << r.cursorFile << "` | `"
            << HotkeySetFile(r.code) << "` |";
        EXPECT_NE(readme.find(row.str()), std::string::npos) << row.str();
    }
}
