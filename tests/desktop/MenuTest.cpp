// Menu 128 on the desktop: the items of the resource, then the state the game gives them.
#include <gtest/gtest.h>

#include <wx/menu.h>

#include "app/App.h"
#include "app/desktop/CommandIds.h"
#include "app/desktop/MainMenuBar.h"
#include "platform/headless/Headless.h"

namespace {
// One line per popup: its title, then each item as "ID label", with "disabled" and
// "checked" where they apply, or "-" for a separator.
std::string Describe(wxMenuBar& bar)
{
    std::string text;
    for (size_t i = 0; i < bar.GetMenuCount(); ++i) {
        text += bar.GetMenuLabel(i).ToStdString() + ":";
        for (wxMenuItem* item : bar.GetMenu(i)->GetMenuItems()) {
            text += item->IsSeparator() ? " -"
                                        : " " + std::to_string(CommandFromMenuId(item->GetId())) + " " +
                                              item->GetItemLabel().ToStdString();
            text += std::string(item->IsEnabled() ? "" : " disabled") +
                    (item->IsCheckable() && item->IsChecked() ? " checked" : "");
        }
        text += "\n";
    }
    return text;
}
}  // namespace

TEST(MainMenuBar, TheResourceItemsInOrderThenTheStateTheGameGivesThem)
{
    const std::unique_ptr<wxMenuBar> bar = BuildMenuBar();
    EXPECT_EQ(
        Describe(*bar),
        "&File: 32784 //Dynamic text 32788 //Dynamic text - 32780 Select &Race - 57665 E&xit\n"
        "&Options: 32779 Show S&tatistics checked 32783 No&intersecting Circles checked 32777 Custom &Keys checked"
        " - 32793 Da&rkening checked 32776 &Sounds checked\n"
        "&Help: 57664 &About Orbicle... disabled\n");

    HeadlessPlatform platform;
    HeadlessShell shell(platform.log);
    COrbicleApp app(platform.services, shell);
    app.InitInstance();
    HeadlessFrame frame(1024);
    ASSERT_EQ(app.m_pMainWnd->OnCreate(frame, platform.window), 0);
    CGameView& game = app.m_pMainWnd->m_wndView;
    auto update = [&] {
        for (size_t i = 0; i < bar->GetMenuCount(); ++i)
            UpdateMenu(*bar->GetMenu(i), *app.m_pMainWnd);
        return Describe(*bar);
    };
    // No game: the default options "11011"; About enabled by its handler, whatever the resource says.
    EXPECT_EQ(update(),
              "&File: 32784 &New Game 32788 &Pause Game disabled - 32780 Select &Race - 57665 E&xit\n"
              "&Options: 32779 Show S&tatistics checked 32783 No&intersecting Circles checked 32777 Custom &Keys"
              " - 32793 Da&rkening checked 32776 &Sounds checked\n"
              "&Help: 57664 &About Orbicle...\n");

    // A paused game with no history sample yet, sounds off.
    platform.raceDialog.Queue("df");
    game.m_bSounds = 0;
    game.NewGame();
    game.OnPauseGame();
    EXPECT_EQ(update(),
              "&File: 32784 &Stop Game disabled 32788 Un&pause Game - 32780 Select &Race disabled - 57665 E&xit\n"
              "&Options: 32779 Show S&tatistics checked 32783 No&intersecting Circles disabled checked"
              " 32777 Custom &Keys disabled - 32793 Da&rkening checked 32776 &Sounds\n"
              "&Help: 57664 &About Orbicle...\n");
    app.DestroyMainFrame();
}
