// The Windows program: its services, COrbicleApp's start-up, the frame, the message loop, and
// the application's own commands (About, History, Exit).
#pragma once

#include <memory>

#include "app/App.h"
#include "app/win32/FrameWindow.h"
#include "platform/DiskFiles.h"
#include "platform/history/SqliteHistory.h"
#include "platform/win32/RaceDialogBox.h"
#include "platform/win32/RegistryProfile.h"
#include "platform/win32/WinServices.h"

// Everything the game asks of the platform, in its Windows form.
struct WinGameServices {
    explicit WinGameServices(HINSTANCE instance) : raceDialog(instance) {}

    WinClock clock;
    CrtRand random;
    DiskFiles files{ProgramResourceBases()};
    WinSound sound{files};
    WinMessageBox messages{CMainFrame::TitleText};
    RegistryProfile profile{COrbicleApp::AppName};
    RaceDialogBox raceDialog;
    // %APPDATA%\Orbicle\history.sqlite3 through the system's SQLite (Windows 10 and later); on
    // an older Windows the games of a run stay in memory, and the History window says why.
    std::unique_ptr<IHistory> history = OpenDefaultHistory();
    GameServices game{clock, random, sound, files, messages, profile, raceDialog, *history};
};

class OrbicleWin : public IAppShell {
public:
    explicit OrbicleWin(HINSTANCE instance);
    ~OrbicleWin() override;

    // InitInstance as ordered: the profile's key and the frame with its game window (read from
    // the profile), then the native frame, its menu and game window, then shown. False when the
    // frame cannot be made; the program then ends.
    bool Start(int nCmdShow);
    // The message loop, until the frame is gone; the program's exit status.
    int Run();

    void ShowAboutBox() override;
    // The History window over the frame, until the player closes it.
    void ShowHistory() override;
    void CloseMainWindow() override;

private:
    HINSTANCE m_instance;
    std::unique_ptr<WinGameServices> m_services;
    std::unique_ptr<COrbicleApp> m_core;
    std::unique_ptr<FrameWindow> m_frame;
};
