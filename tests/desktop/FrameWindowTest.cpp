// The frame and game window on a display, driven by the toolkit's own events: field size
// and placement, commands, timer, and the settings at the end (presses, keys and activation
// are tested with real X input by the scripts beside this file).
#include <gtest/gtest.h>

#include <algorithm>

#include <wx/display.h>
#include <wx/menu.h>

#include "app/App.h"
#include "app/desktop/CommandIds.h"
#include "app/desktop/FrameWindow.h"
#include "app/desktop/GameWindow.h"
#include "platform/headless/Headless.h"
#include "res/Resource.h"
#include "tests/desktop/GuiHelpers.h"

namespace {
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Stored far off every display: the frame comes back to 120, 90.
        platform.profile.WriteInt("Settings", "Left", 9000);
        platform.profile.WriteInt("Settings", "Top", -9000);
        app.InitInstance();
        frame = new FrameWindow(app, platform.files);  // a top-level window: the toolkit deletes it
        ASSERT_TRUE(frame->Create());
        frame->Show();
        RunFor(300);
    }
    void TearDown() override
    {
        if (app.m_pMainWnd)
            frame->Close();
        RunFor(50);
    }

    CGameView& View() { return app.m_pMainWnd->m_wndView; }

    // Delivers the event to the frame as the toolkit would.
    void Send(wxEvent&& event)
    {
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
    }
    void Command(UINT nID) { Send(wxCommandEvent(wxEVT_MENU, MenuIdFromCommand(nID))); }
    void Activate(bool active) { Send(wxActivateEvent(wxEVT_ACTIVATE, active)); }

    HeadlessPlatform platform;
    HeadlessShell shell{platform.log};
    COrbicleApp app{platform.services, shell};
    FrameWindow* frame = nullptr;
};
}  // namespace

TEST_F(FrameTest, TheClientAreaIsTheFieldAndALostFrameComesBack)
{
    const CSize field = CMainFrame::FieldSizeFor(wxDisplay().GetClientArea().width);
    EXPECT_EQ(View().m_nWidth, field.cx);
    EXPECT_EQ(View().m_nHeight, field.cy);
    EXPECT_EQ(frame->GetClientSize(), wxSize(field.cx, field.cy));
    EXPECT_EQ(frame->GetGameWindow()->GetSize(), wxSize(field.cx, field.cy));
    EXPECT_EQ(frame->GetPosition(), wxPoint(120, 90));
    EXPECT_EQ(frame->GetTitle(), "Orbicle");
}

TEST_F(FrameTest, CommandsRunThroughTheirUpdateHandlers)
{
    Command(ID_OPTIONS_SOUNDS);
    EXPECT_EQ(View().m_bSounds, 0);
    Command(ID_FILE_PAUSEGAME);
    EXPECT_EQ(View().m_bPaused, 0) << "disabled while no game runs";
    Command(ID_APP_ABOUT);
    const auto& lines = platform.log.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "dialog 100"), lines.end()) << "the application's About";
}

TEST_F(FrameTest, TheTimerDrivesTheGameAndTheEndStoresTheSettings)
{
    Activate(true);  // whatever the display did so far, the frame is active now
    platform.raceDialog.Queue("ne");
    View().m_bSounds = 0;
    View().NewGame();
    ASSERT_EQ(View().m_bActive, 1);
    RunFor(800);
    EXPECT_GE(View().m_nSlot, 1) << "ticks every 50 ms, a slot every six";
    EXPECT_LE(View().m_nSlot, 3);

    frame->Close();
    EXPECT_FALSE(app.m_pMainWnd) << "the frame logic is gone";
    EXPECT_EQ(platform.profile.GetString("Settings", "Race", ""), "ne") << "the settings were written at the close";
}
