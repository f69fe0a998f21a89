// The application object: start-up of the frame and the commands that reach it last
// (History, About and Exit).
#pragma once

#include <memory>

#include "app/MainFrame.h"
#include "platform/AppShell.h"

class COrbicleApp : public ICmdTarget {
public:
    static constexpr const char* RegistryKey = "Local AppWizard-Generated Applications";
    static constexpr const char* AppName = "Orbicle";

    COrbicleApp(GameServices& services, IAppShell& shell) : m_sys(services), m_shell(shell) {}

    // Sets the profile's key and constructs the frame (whose game window reads the options
    // and race). The native windows come next, through CMainFrame::OnCreate.
    BOOL InitInstance();
    // The frame's end: its position is stored, then the frame and its game window go, which
    // stores the race and the options.
    void DestroyMainFrame();

    BOOL OnCmdMsg(UINT nID, CCmdUI* pCmdUI) override;
    void OnAppAbout();

    std::unique_ptr<CMainFrame> m_pMainWnd;

private:
    GameServices& m_sys;
    IAppShell& m_shell;
};
