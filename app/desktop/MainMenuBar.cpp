// Building menu 128 from the menu table and updating its items.
#include "app/desktop/MainMenuBar.h"

#include <wx/menu.h>

#include "app/Menu.h"
#include "app/desktop/CommandIds.h"

std::unique_ptr<wxMenuBar> BuildMenuBar()
{
    auto bar = std::make_unique<wxMenuBar>();
    wxMenu* popup = nullptr;
    wxString popupTitle;
    for (const MenuItem& item : MainMenu()) {
        if (!popup || popupTitle != item.popup) {
            popupTitle = item.popup;
            popup = new wxMenu;  // the menu bar takes ownership
            bar->Append(popup, popupTitle);
        }
        if (item.nID == 0) {
            popup->AppendSeparator();
            continue;
        }
        // Items with a check mark in the resource are the check items.
        wxMenuItem* entry = item.checked ? popup->AppendCheckItem(MenuIdFromCommand(item.nID), item.text)
                                         : popup->Append(MenuIdFromCommand(item.nID), item.text);
        if (item.checked)
            entry->Check(true);
        entry->Enable(item.enabled);
    }
    return bar;
}

void UpdateMenu(wxMenu& popup, ICmdTarget& target)
{
    for (wxMenuItem* entry : popup.GetMenuItems()) {
        const UINT nID = CommandFromMenuId(entry->GetId());
        if (entry->IsSeparator() || nID == 0)
            continue;
        MenuItemState state{entry->GetItemLabel().ToStdString(), entry->IsEnabled(),
                            entry->IsCheckable() && entry->IsChecked()};
        UpdateMenuItem(target, nID, state);
        if (entry->GetItemLabel() != state.text)
            entry->SetItemLabel(state.text);
        entry->Enable(state.enabled);
        if (entry->IsCheckable())
            entry->Check(state.checked);
    }
}
