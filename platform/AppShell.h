// What the running platform does for the application's own commands.
#pragma once

class IAppShell {
public:
    virtual ~IAppShell() = default;
    virtual void ShowAboutBox() = 0;     // dialog 100, modal
    virtual void ShowHistory() = 0;      // the History window, modal: it holds a running game
    virtual void CloseMainWindow() = 0;  // ends the program as closing the frame does
};
