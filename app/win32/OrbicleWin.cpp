// Start-up, message loop and end of the Windows program.
#include "app/win32/OrbicleWin.h"

#include "app/win32/HistoryWindow.h"
#include "res/Resource.h"

namespace {
INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    if (message == WM_INITDIALOG) {
        CentreOverOwner(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

OrbicleWin::OrbicleWin(HINSTANCE instance)
    : m_instance(instance), m_services(std::make_unique<WinGameServices>(instance))
{
}

OrbicleWin::~OrbicleWin()
{
    // The frame goes first (storing the settings if it has not yet), the services last.
    m_frame.reset();
    m_core.reset();
}

bool OrbicleWin::Start(int nCmdShow)
{
    m_core = std::make_unique<COrbicleApp>(m_services->game, *this);
    if (!m_core->InitInstance())
        return false;
    m_frame = std::make_unique<FrameWindow>(m_instance, *m_core);
    if (!m_frame->Create())
        return false;
    m_services->messages.SetOwner(m_frame->Handle());
    m_services->raceDialog.SetOwner(m_frame->Handle());
    // The frame logic has shown the frame restored at its place; the show command is
    // not looked at.
    (void)nCmdShow;
    ShowWindow(m_frame->Handle(), SW_SHOW);
    UpdateWindow(m_frame->Handle());
    return true;
}

int OrbicleWin::Run()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void OrbicleWin::ShowAboutBox()
{
    DialogBoxParamA(m_instance, MAKEINTRESOURCEA(IDD_ABOUTBOX), m_frame ? m_frame->Handle() : nullptr, AboutProcedure,
                    0);
}

void OrbicleWin::ShowHistory()
{
    HistoryWindow(m_instance, *m_services->history, m_services->files).Run(m_frame ? m_frame->Handle() : nullptr);
}

void OrbicleWin::CloseMainWindow()
{
    // Closed once the command that asked for it has returned: closing destroys the frame
    // the command is running in.
    if (m_frame && m_frame->Handle())
        PostMessageA(m_frame->Handle(), WM_CLOSE, 0, 0);
}
