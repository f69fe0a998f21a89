// Start-up and end of the application object, and its two commands.
#include "app/App.h"

#include "res/Resource.h"

BOOL COrbicleApp::InitInstance()
{
    m_sys.profile.SetRegistryKey(RegistryKey);
    m_pMainWnd = std::make_unique<CMainFrame>(m_sys, this);
    return 1;
}

void COrbicleApp::DestroyMainFrame()
{
    if (!m_pMainWnd)
        return;
    m_pMainWnd->OnDestroy();
    m_pMainWnd.reset();
}

BOOL COrbicleApp::OnCmdMsg(UINT nID, CCmdUI* pCmdUI)
{
    if (nID == ID_APP_ABOUT) {
        if (!pCmdUI)
            OnAppAbout();
        return 1;
    }
    // History is open to every state of the game, also while one runs.
    if (nID == ID_FILE_HISTORY) {
        if (!pCmdUI)
            m_shell.ShowHistory();
        return 1;
    }
    if (nID == ID_APP_EXIT) {
        if (!pCmdUI)
            m_shell.CloseMainWindow();
        return 1;
    }
    return 0;
}

void COrbicleApp::OnAppAbout()
{
    m_shell.ShowAboutBox();
}
