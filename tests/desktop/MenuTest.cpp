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

TEST(MainMenuBar, TheItemsInOrderWithTheStateTheGameGivesThem)
{
    // A smoke check of the desktop's menu: built from the menu table, updated by the game's
    // handlers (the states themselves are the engine tests' business).
    const std::unique_ptr<wxMenuBar> bar = BuildMenuBar();
    HeadlessPlatform platform;
    HeadlessShell shell(platform.log);
    COrbicleApp app(platform.services, shell);
    app.InitInstance();
    HeadlessFrame frame(1024);
    ASSERT_EQ(app.m_pMainWnd->OnCreate(frame, platform.window), 0);
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        UpdateMenu(*bar->GetMenu(i), *app.m_pMainWnd);
    // The default options "11011"; About enabled by its handler, whatever the resource says.
    EXPECT_EQ(Describe(*bar),
              "&File: 32784 &New Game 32788 &Pause Game disabled - 32780 Select &Race 32794 &History... - 57665 E&xit\n"
              "&Options: 32779 Show S&tatistics checked 32783 No&intersecting Circles checked 32777 Custom &Keys"
              " 32795 &Practise Slow Keys - 32793 Da&rkening checked 32776 &Sounds checked\n"
              "&Help: 57664 &About Orbicle...\n");
    app.DestroyMainFrame();
}
