// The application object and the frame: field size, stored position, the order of what is
// written at the end, command routing and activation.
#include "app/App.h"
#include "res/Resource.h"
#include "tests/game/GameFixture.h"

TEST(FieldSizeTest, FollowsTheScreenWidth)
{
    for (const auto& [screen, cx, cy] :
         {std::tuple{1024, 704, 528}, {1280, 880, 660}, {800, 550, 412}, {1920, 1320, 990}}) {
        EXPECT_EQ(CMainFrame::FieldSizeFor(screen).cx, cx) << screen;
        EXPECT_EQ(CMainFrame::FieldSizeFor(screen).cy, cy) << screen;
    }
}

class AppTest : public GameTest {
protected:
    void Start(int cxScreen)
    {
        m_frame = std::make_unique<HeadlessFrame>(cxScreen);
        m_app = std::make_unique<COrbicleApp>(m_platform.services, m_shell);
        ASSERT_TRUE(m_app->InitInstance());
        ASSERT_EQ(m_app->m_pMainWnd->OnCreate(*m_frame, m_platform.window), 0);
    }
    CGameView& Game() { return m_app->m_pMainWnd->m_wndView; }

    HeadlessShell m_shell{m_platform.log};
    std::unique_ptr<HeadlessFrame> m_frame;
    std::unique_ptr<COrbicleApp> m_app;
};

TEST_F(AppTest, FirstRunOpensAt120By90AndStoresEverythingInOrder)
{
    Start(1280);
    EXPECT_EQ(m_platform.profile.RegistryKey(), "Local AppWizard-Generated Applications");
    EXPECT_DOUBLE_EQ(Game().m_dUnit, 44.0);  // a field of 880 x 660
    EXPECT_EQ(m_frame->GetNormalRect(), (CRect{120, 90, 120 + 880 + 12, 90 + 660 + 60}));
    // Only the first activation sizes the field.
    m_app->m_pMainWnd->ActivateFrame(1);
    EXPECT_EQ(m_app->m_pMainWnd->m_bFirstActivate, 0);

    m_frame->SetNormalRect(CRect{300, -5000, 1192, -4250});  // moved off screen by the player
    m_app->DestroyMainFrame();
    EXPECT_EQ(m_platform.profile.Section("Settings"),
              (std::vector<std::pair<std::string, std::string>>{
                  {"Left", "300"}, {"Top", "-5000"}, {"Race", ""}, {"Options", "11011"}}));
}

TEST_F(AppTest, StoredPositionIsAppliedUnchanged)
{
    m_platform.profile.WriteString("Settings", "Left", "-3000");
    m_platform.profile.WriteString("Settings", "Top", "not a number");
    Start(800);
    EXPECT_EQ(m_frame->GetNormalRect(), (CRect{-3000, 90, -3000 + 550 + 12, 90 + 412 + 60}));
}

TEST_F(AppTest, CommandsReachTheGameFirstThenTheApplication)
{
    Start(1024);
    CMainFrame& frame = *m_app->m_pMainWnd;
    EXPECT_EQ(RunCommand(frame, ID_OPTIONS_SOUNDS), CommandResult::Done);
    EXPECT_EQ(Game().m_bSounds, 0);
    EXPECT_EQ(RunCommand(frame, ID_APP_ABOUT), CommandResult::Done);
    EXPECT_EQ(Events(), (std::vector<std::string>{"dialog 100"}));
    EXPECT_EQ(RunCommand(frame, 12345), CommandResult::Unhandled);
    EXPECT_FALSE(m_shell.CloseRequested());
    EXPECT_EQ(RunCommand(frame, ID_APP_EXIT), CommandResult::Done);
    EXPECT_TRUE(m_shell.CloseRequested());
}

TEST_F(AppTest, TheFrameHoldsTheGameWhileInactiveOrMinimizedAndTitlesAPause)
{
    Start(1024);
    m_folder.Write("res/keys_df.txt", "A");
    Game().m_strRace = "df";
    Game().NewGame();
    CMainFrame& frame = *m_app->m_pMainWnd;
    EXPECT_EQ(frame.Title(), "Orbicle");
    // Minimised counts as inactive, whatever state the report names; every report is a state.
    frame.OnActivate(WA_ACTIVE, 1);
    EXPECT_EQ(Game().m_bActive, 0);
    frame.OnActivate(WA_INACTIVE, 0);
    EXPECT_EQ(Game().m_bActive, 0);
    frame.OnActivate(WA_ACTIVE, 0);
    EXPECT_EQ(Game().m_bActive, 1);

    RunCommand(frame, ID_FILE_PAUSEGAME);
    EXPECT_EQ(frame.Title(), "Orbicle (paused)");
    RunCommand(frame, ID_FILE_PAUSEGAME);
    EXPECT_EQ(frame.Title(), "Orbicle");
    // A game stopped while paused is no longer paused in the title, nor the next one.
    RunCommand(frame, ID_FILE_PAUSEGAME);
    Game().OnNewStopGame();
    EXPECT_EQ(frame.Title(), "Orbicle");
    Game().OnNewStopGame();
    EXPECT_EQ(frame.Title(), "Orbicle");

    // Closing during a game: no stop, no applause, the settings are still written.
    Events();
    m_app->DestroyMainFrame();
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(m_platform.profile.GetString("Settings", "Race", "?"), "df");
}
