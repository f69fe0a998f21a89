// Menu 128 on the desktop: the items of the resource, then the state the game gives them.
#include <gtest/gtest.h>

#include <wx/menu.h>

#include "app/App.h"
#include "app/desktop/CommandIds.h"
#include "app/desktop/MainMenuBar.h"
#include "platform/headless/Headless.h"
#include "res/Resource.h"

namespace {
struct ItemView {
    std::string label;
    bool enabled;
    bool checked;
};

ItemView Item(wxMenuBar& bar, UINT nID)
{
    wxMenuItem* item = bar.FindItem(MenuIdFromCommand(nID));
    if (!item)
        return {"<missing>", false, false};
    return {item->GetItemLabel().ToStdString(), item->IsEnabled(), item->IsCheckable() && item->IsChecked()};
}

void UpdateAll(wxMenuBar& bar, ICmdTarget& target)
{
    for (size_t i = 0; i < bar.GetMenuCount(); ++i)
        UpdateMenu(*bar.GetMenu(i), target);
}
}  // namespace

TEST(MainMenuBar, TheResourceItemsInOrder)
{
    const std::unique_ptr<wxMenuBar> bar = BuildMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 3u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&File");
    EXPECT_EQ(bar->GetMenuLabel(1), "&Options");
    EXPECT_EQ(bar->GetMenuLabel(2), "&Help");

    std::vector<UINT> ids;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        for (wxMenuItem* item : bar->GetMenu(i)->GetMenuItems())
            ids.push_back(item->IsSeparator() ? 0 : CommandFromMenuId(item->GetId()));
    }
    EXPECT_EQ(ids, (std::vector<UINT>{ID_FILE_NEWSTOPGAME, ID_FILE_PAUSEGAME, 0, ID_FILE_SELECTRACE, 0, ID_APP_EXIT,
                                      ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_NOINTERSECT, ID_OPTIONS_CUSTOMKEYS, 0,
                                      ID_OPTIONS_DARKENING, ID_OPTIONS_SOUNDS, ID_APP_ABOUT}));
    EXPECT_EQ(Item(*bar, ID_FILE_NEWSTOPGAME).label, "//Dynamic text");
    EXPECT_EQ(Item(*bar, ID_FILE_SELECTRACE).label, "Select &Race");
    EXPECT_TRUE(Item(*bar, ID_OPTIONS_CUSTOMKEYS).checked) << "checked in the resource";
    EXPECT_FALSE(Item(*bar, ID_APP_ABOUT).enabled) << "inactive in the resource";
}

TEST(MainMenuBar, TheUpdatePassFollowsTheGame)
{
    HeadlessPlatform platform;
    HeadlessShell shell(platform.log);
    COrbicleApp app(platform.services, shell);
    app.InitInstance();
    HeadlessFrame frame(1024);
    ASSERT_EQ(app.m_pMainWnd->OnCreate(frame, platform.window), 0);
    CMainFrame& target = *app.m_pMainWnd;
    const std::unique_ptr<wxMenuBar> bar = BuildMenuBar();

    UpdateAll(*bar, target);
    EXPECT_EQ(Item(*bar, ID_FILE_NEWSTOPGAME).label, "&New Game");
    EXPECT_TRUE(Item(*bar, ID_FILE_NEWSTOPGAME).enabled);
    EXPECT_EQ(Item(*bar, ID_FILE_PAUSEGAME).label, "&Pause Game");
    EXPECT_FALSE(Item(*bar, ID_FILE_PAUSEGAME).enabled);
    EXPECT_TRUE(Item(*bar, ID_FILE_SELECTRACE).enabled);
    EXPECT_TRUE(Item(*bar, ID_APP_EXIT).enabled);
    EXPECT_TRUE(Item(*bar, ID_APP_ABOUT).enabled) << "enabled by its handler, whatever the resource says";
    const bool defaults[] = {true, true, false, true, true};  // "11011"
    const UINT options[] = {ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_NOINTERSECT, ID_OPTIONS_CUSTOMKEYS,
                            ID_OPTIONS_DARKENING, ID_OPTIONS_SOUNDS};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Item(*bar, options[i]).checked, defaults[i]) << options[i];
        EXPECT_TRUE(Item(*bar, options[i]).enabled) << options[i];
    }

    platform.raceDialog.Queue("df");
    target.m_wndView.m_bSounds = 0;
    target.m_wndView.NewGame();
    target.m_wndView.OnPauseGame();
    UpdateAll(*bar, target);
    EXPECT_EQ(Item(*bar, ID_FILE_NEWSTOPGAME).label, "&Stop Game");
    EXPECT_FALSE(Item(*bar, ID_FILE_NEWSTOPGAME).enabled) << "no history sample yet";
    EXPECT_EQ(Item(*bar, ID_FILE_PAUSEGAME).label, "Un&pause Game");
    EXPECT_TRUE(Item(*bar, ID_FILE_PAUSEGAME).enabled);
    EXPECT_FALSE(Item(*bar, ID_FILE_SELECTRACE).enabled);
    EXPECT_FALSE(Item(*bar, ID_OPTIONS_NOINTERSECT).enabled);
    EXPECT_FALSE(Item(*bar, ID_OPTIONS_CUSTOMKEYS).enabled);
    EXPECT_FALSE(Item(*bar, ID_OPTIONS_SOUNDS).checked);
    app.DestroyMainFrame();
}
