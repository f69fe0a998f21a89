// The application object and the frame: field size, stored position, the order of what is
// written at the end, command routing and activation.
#include "app/App.h"
#include "app/Menu.h"
#include "res/Resource.h"
#include "tests/game/GameFixture.h"

// A frame whose display leaves this much room for the field.
class RoomFrame : public HeadlessFrame {
public:
    RoomFrame(int cxFullScreen, CSize room) : HeadlessFrame(cxFullScreen), m_room(room) {}
    CSize GetFieldRoom(CPoint corner) override
    {
        asked.emplace_back(corner.x, corner.y);
        return m_room;
    }
    std::vector<std::pair<int, int>> asked;  // the corners asked about

private:
    CSize m_room;
};

class AppTest : public GameTest {
protected:
    void Start(int cxScreen, CSize room = CSize{INT_MAX, INT_MAX})
    {
        m_frame = std::make_unique<RoomFrame>(cxScreen, room);
        m_app = std::make_unique<COrbicleApp>(m_platform.services, m_shell);
        ASSERT_TRUE(m_app->InitInstance());
        ASSERT_EQ(m_app->m_pMainWnd->OnCreate(*m_frame, m_platform.window), 0);
    }
    CGameView& Game() { return m_app->m_pMainWnd->m_wndView; }

    HeadlessShell m_shell{m_platform.log};
    std::unique_ptr<RoomFrame> m_frame;
    std::unique_ptr<COrbicleApp> m_app;
};

TEST_F(AppTest, FirstRunOpensAt120By90AndStoresEverythingInOrder)
{
    Start(1280);
    EXPECT_EQ(m_platform.profile.RegistryKey(), "Local AppWizard-Generated Applications");
    EXPECT_DOUBLE_EQ(Game().m_dUnit, 44.0);  // a field of 880 x 660
    EXPECT_EQ(m_frame->GetNormalRect(), (CRect{120, 90, 120 + 880 + 12, 90 + 660 + 60}));
    EXPECT_EQ(m_frame->asked, (std::vector<std::pair<int, int>>{{120, 90}}));

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
    EXPECT_EQ(m_frame->asked, (std::vector<std::pair<int, int>>{{-3000, 90}}));
}

// The field of a 1024-pixel screen, 704 x 528, on displays with less room: the largest field of
// its shape (height = width * 3 / 4) that fits, never a larger one; the frame follows the field.
TEST_F(AppTest, AFieldThatDoesNotFitTheDisplayShrinksToTheLargestThatDoes)
{
    for (const auto& [room, field] : {
             std::pair{CSize{704, 528}, CSize{704, 528}},    // just fits
             std::pair{CSize{5000, 5000}, CSize{704, 528}},  // never enlarged
             std::pair{CSize{703, 600}, CSize{703, 527}},    // too narrow
             std::pair{CSize{704, 527}, CSize{703, 527}},    // too low: 704 x 3 / 4 is 528
             std::pair{CSize{2000, 400}, CSize{534, 400}},   // 535 would make 401
             std::pair{CSize{100, 2000}, CSize{100, 75}}, std::pair{CSize{-5, -5}, CSize{0, 0}},  // no room at all
         }) {
        m_platform.profile.WriteString("Settings", "Left", "40");
        Start(1024, room);
        EXPECT_EQ(Game().FieldSize(), field) << room.cx << " x " << room.cy;
        EXPECT_EQ(m_frame->GetNormalRect(), (CRect{40, 90, 40 + field.cx + 12, 90 + field.cy + 60}));
        m_app.reset();
    }
}

// A frame whose native window could not be made goes without storing a position of its own.
TEST_F(AppTest, AFrameNeverCreatedStoresNoPosition)
{
    m_app = std::make_unique<COrbicleApp>(m_platform.services, m_shell);
    m_app->InitInstance();
    m_app->DestroyMainFrame();
    EXPECT_EQ(m_platform.profile.Section("Settings"),
              (std::vector<std::pair<std::string, std::string>>{{"Race", ""}, {"Options", "11011"}}));
    m_app->DestroyMainFrame();  // twice is harmless
}

TEST_F(AppTest, CommandsReachTheGameFirstThenTheApplication)
{
    Start(1024);
    CMainFrame& frame = *m_app->m_pMainWnd;
    // The update pass of a popup only asks: it opens nothing and closes nothing. Every command
    // of the application is enabled (About too, though the resource disables it); a command
    // nobody handles is disabled.
    for (const UINT id : {ID_FILE_HISTORY, ID_APP_ABOUT, ID_APP_EXIT, 12345u}) {
        MenuItemState state{"", id == 12345, false};
        UpdateMenuItem(frame, id, state);
        EXPECT_EQ(state.enabled, id != 12345) << id;
    }
    EXPECT_TRUE(Events().empty());
    EXPECT_FALSE(m_shell.CloseRequested());

    EXPECT_EQ(RunCommand(frame, ID_OPTIONS_SOUNDS), CommandResult::Done);
    EXPECT_EQ(Game().m_bSounds, 0);
    EXPECT_EQ(RunCommand(frame, ID_APP_ABOUT), CommandResult::Done);
    EXPECT_EQ(RunCommand(frame, ID_FILE_HISTORY), CommandResult::Done);
    EXPECT_EQ(Events(), (std::vector<std::string>{"dialog 100", "dialog history"}));
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
