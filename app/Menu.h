// Menu 128: its items with the texts and states the resource gives them, and the update pass
// that asks the command handlers for each item's real state when its popup opens.
#pragma once

#include <span>
#include <string>

#include "platform/CmdUI.h"

struct MenuItem {
    const char* popup;  // "&File", "&Options", "&Help"
    UINT nID;           // 0 for a separator
    const char* text;   // text in the resource
    bool checked;       // state in the resource
    bool enabled;
};

// Items of the three popups in menu order, separators included.
std::span<const MenuItem> MainMenu();

struct MenuItemState {
    std::string text;
    bool enabled = true;
    bool checked = false;
};

// The state of an item before any update pass.
MenuItemState InitialState(const MenuItem& item);

// The update pass for one item as the framework runs it when the popup opens: a command
// whose handler does not set the enabled state is enabled, since every item has a handler.
void UpdateMenuItem(ICmdTarget& target, UINT nID, MenuItemState& state);
