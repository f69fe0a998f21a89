// The frame's menu bar (menu 128) and the update pass that gives each item the text, check
// mark and enabled state its command's update handler asks for.
#pragma once

#include <memory>

class ICmdTarget;
class wxMenu;
class wxMenuBar;

// The three popups with every item in resource order, texts and states as in the resource.
std::unique_ptr<wxMenuBar> BuildMenuBar();

// Runs the update pass over one popup's items, as the framework does when it opens.
void UpdateMenu(wxMenu& popup, ICmdTarget& target);
