// Options in the profile, the option commands, the menu state of every command in every
// state of a game, and the Select Race command.
#include "res/Resource.h"
#include "tests/engine/GameFixture.h"

namespace {
std::vector<BOOL> Options(const CGameView& v)
{
    return {v.m_bShowStatistics, v.m_bNoIntersect, v.m_bCustomKeys, v.m_bDarkening, v.m_bSounds};
}
}  // namespace

TEST_F(GameTest, OptionsStringsAreReadAndWrittenBack)
{
    struct Case {
        const char* stored;  // nullptr: no entry
        std::vector<BOOL> options;
        std::string written;
    };
    const Case cases[] = {
        {nullptr, {1, 1, 0, 1, 1}, "11011"},
        {"00000", {0, 0, 0, 0, 0}, "00000"},
        {"1101", {1, 1, 0, 1, 1}, "11011"},
        {"110111", {1, 1, 0, 1, 1}, "11011"},
        {"12011", {1, 2, 0, 1, 1}, "12011"},
        {"1x011", {1, 72, 0, 1, 1}, "172011"},
        {"1 011", {1, -16, 0, 1, 1}, "1-16011"},
    };
    for (const Case& c : cases) {
        MemoryProfile profile;
        if (c.stored)
            profile.WriteString("Settings", "Options", c.stored);
        GameServices services = m_platform.services;
        GameServices withProfile{services.clock, services.random, services.sound, services.files,
                                 services.messages, profile, services.raceDialog};
        {
            CGameView view(withProfile);
            EXPECT_EQ(Options(view), c.options) << (c.stored ? c.stored : "(none)");
            EXPECT_EQ(view.m_strRace, "");
        }
        EXPECT_EQ(profile.GetString("Settings", "Options", "?"), c.written);
        EXPECT_EQ(profile.GetString("Settings", "Race", "?"), "");
    }
}

TEST_F(GameTest, OptionCommandsToggleAndTheMenuShowsThem)
{
    m_platform.profile.WriteString("Settings", "Options", "12011");
    m_platform.profile.WriteString("Settings", "Race", "xy");
    Make();
    EXPECT_EQ(View().m_strRace, "xy");
    EXPECT_TRUE(Update(View(), ID_OPTIONS_NOINTERSECT).checked);
    EXPECT_EQ(RunCommand(View(), ID_OPTIONS_NOINTERSECT), CommandResult::Done);
    EXPECT_EQ(View().m_bNoIntersect, 0);
    EXPECT_FALSE(Update(View(), ID_OPTIONS_NOINTERSECT).checked);
    for (UINT id : {ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_CUSTOMKEYS, ID_OPTIONS_SOUNDS}) {
        const bool before = Update(View(), id).checked;
        RunCommand(View(), id);
        EXPECT_NE(Update(View(), id).checked, before) << id;
    }
    Events();
    // Darkening's update handler repaints, so its toggle shows at once.
    EXPECT_EQ(RunCommand(View(), ID_OPTIONS_DARKENING), CommandResult::Done);
    EXPECT_EQ(View().m_bDarkening, 0);
    EXPECT_EQ(Events(), (std::vector<std::string>{"invalidate 0 0 704 528"}));
    m_view.reset();
    EXPECT_EQ(m_platform.profile.GetString("Settings", "Options", ""), "00100");
    EXPECT_EQ(m_platform.profile.GetString("Settings", "Race", ""), "xy");
}

TEST_F(GameTest, MenuStateInEveryStateOfAGame)
{
    Make();
    const UINT ids[] = {ID_FILE_NEWSTOPGAME, ID_FILE_PAUSEGAME, ID_FILE_SELECTRACE,
                        ID_OPTIONS_NOINTERSECT, ID_OPTIONS_CUSTOMKEYS, ID_OPTIONS_SHOWSTATISTICS,
                        ID_OPTIONS_DARKENING, ID_OPTIONS_SOUNDS};
    auto enabled = [&] {
        std::vector<bool> result;
        for (UINT id : ids)
            result.push_back(Update(View(), id).enabled);
        return result;
    };

    // No game yet.
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true, true, true, true, true, true}));
    EXPECT_EQ(Update(View(), ID_FILE_NEWSTOPGAME).text, "&New Game");
    EXPECT_EQ(Update(View(), ID_FILE_PAUSEGAME).text, "&Pause Game");

    // Running, before the first sample: the game cannot be stopped yet.
    StartGame();
    EXPECT_EQ(enabled(), (std::vector<bool>{false, true, false, false, false, true, true, true}));
    EXPECT_EQ(Update(View(), ID_FILE_NEWSTOPGAME).text, "&Stop Game");
    EXPECT_EQ(RunCommand(View(), ID_FILE_NEWSTOPGAME), CommandResult::Disabled);
    EXPECT_EQ(RunCommand(View(), ID_FILE_SELECTRACE), CommandResult::Disabled);
    EXPECT_EQ(View().m_bRunning, 1);
    RunCommand(View(), ID_FILE_PAUSEGAME);
    EXPECT_EQ(Update(View(), ID_FILE_PAUSEGAME).text, "Un&pause Game");
    RunCommand(View(), ID_FILE_PAUSEGAME);

    // Running with the first sample taken.
    Tick(96);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, false, false, true, true, true}));

    // Stopped with the result on show: Select Race and Custom Keys stay disabled for good.
    EXPECT_EQ(RunCommand(View(), ID_FILE_NEWSTOPGAME), CommandResult::Done);
    EXPECT_EQ(View().m_bShowResult, 1);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, true, false, true, true, true}));
    EXPECT_EQ(Update(View(), ID_FILE_NEWSTOPGAME).text, "&New Game");
    RunCommand(View(), ID_FILE_NEWSTOPGAME);
    Tick(96);
    RunCommand(View(), ID_FILE_NEWSTOPGAME);
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, true, false, true, true, true}));
}

TEST_F(GameTest, SelectRaceCommand)
{
    Make();
    m_platform.raceDialog.Queue("or");
    EXPECT_EQ(RunCommand(View(), ID_FILE_SELECTRACE), CommandResult::Done);
    EXPECT_EQ(View().m_strRace, "or");
    EXPECT_EQ(Events(), (std::vector<std::string>{"dialog 159 cancel=1 result=or", "invalidate 0 0 704 528"}));

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

TEST(DlgSelectTest, ButtonsSetTheirRaceAndEndTheDialog)
{
    struct NoWindow : IRaceDialog {
        int DoModal(CDlgSelect& dlg) override { return dlg.Result(); }
    } ui;
    const std::pair<int, const char*> buttons[] = {{3, "df"}, {1000, "hu"}, {1001, "or"}, {1002, "ud"}, {1004, "ne"}};
    for (const auto& [id, code] : buttons) {
        CDlgSelect dlg(ui);
        EXPECT_TRUE(dlg.OnButton(id));
        EXPECT_EQ(dlg.m_strRace, code);
        EXPECT_EQ(dlg.Result(), CDlgSelect::IDOK);
    }
    CDlgSelect dlg(ui);
    EXPECT_FALSE(dlg.OnButton(1003));  // there is no control 1003
    EXPECT_TRUE(dlg.OnButton(CDlgSelect::IDCANCEL));
    EXPECT_EQ(dlg.m_strRace, "");
    EXPECT_EQ(dlg.DoModal(), CDlgSelect::IDCANCEL);
}
