// The desktop program: the wxWidgets application that runs COrbicleApp's start-up, opens
// its frame and does the application's own commands (About, Exit).
#pragma once

#include <memory>

#include <wx/app.h>

#include "app/App.h"

struct DesktopServices;
class FrameWindow;

class DesktopApp : public wxApp, public IAppShell {
public:
    DesktopApp();
    ~DesktopApp() override;

    // InitInstance as ordered: the profile's key and the frame with its game window (read
    // from the profile), then the native frame, its menu and game window, then shown.
    // The command line is not looked at.
    bool OnInit() override;
    int OnExit() override;

    void ShowAboutBox() override;
    void ShowHistory() override;
    void CloseMainWindow() override;

private:
    std::unique_ptr<DesktopServices> m_services;
    std::unique_ptr<COrbicleApp> m_core;
    FrameWindow* m_pFrame = nullptr;  // a top-level window: the toolkit deletes it
};
