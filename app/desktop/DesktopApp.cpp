// Start-up and end of the desktop program.
#include "app/desktop/DesktopApp.h"

#include <iostream>

#include <wx/image.h>
#include <wx/stdpaths.h>

#include "app/desktop/AboutDialog.h"
#include "app/desktop/DesktopServices.h"
#include "app/desktop/FrameWindow.h"
#include "app/desktop/HistoryDialog.h"
#include "platform/desktop/ResourceLookup.h"

DesktopApp::DesktopApp() = default;

DesktopApp::~DesktopApp() = default;

bool DesktopApp::OnInit()
{
    // Windows programs prepare common controls and OLE first; this program needs neither.
    SetAppName(COrbicleApp::AppName);
    SetVendorName(COrbicleApp::RegistryKey);
    wxImage::AddHandler(new wxPNGHandler);  // the toolkit owns its handlers

    const std::filesystem::path program(wxStandardPaths::Get().GetExecutablePath().utf8_string());
    m_services = std::make_unique<DesktopServices>(ProgramResourceBases(program));
    m_core = std::make_unique<COrbicleApp>(m_services->game, *this);
    if (!m_core->InitInstance())
        return false;

    m_pFrame = new FrameWindow(*m_core, m_services->files);
    if (!m_pFrame->Create()) {
        // The game window could not be made: end cleanly instead of showing a broken frame.
        m_pFrame->Destroy();
        m_pFrame = nullptr;
        m_core.reset();
        m_services.reset();
        return false;
    }
    SetTopWindow(m_pFrame);
    m_pFrame->Show();
    m_pFrame->Update();
    return true;
}

int DesktopApp::OnExit()
{
    // The frame has gone and written the settings; they are saved in one step. No window
    // is left to show a failure in, so it is one line on the error output.
    m_core.reset();
    if (m_services) {
        if (const std::string problem = m_services->profile.Save(); !problem.empty())
            std::cerr << COrbicleApp::AppName << ": " << problem << std::endl;
    }
    // The audio device closes last.
    m_services.reset();
    return wxApp::OnExit();
}

void DesktopApp::ShowAboutBox()
{
    CAboutDlg about(m_pFrame, m_services->files);
    about.ShowModal();
}

void DesktopApp::ShowHistory()
{
    // Opened once the menu has closed: a modal window started inside the menu's own handling
    // is never painted under some window managers.
    if (FrameWindow* frame = m_pFrame) {
        frame->CallAfter([this, frame] {
            HistoryDialog history(frame, *m_services->history, m_services->files);
            history.ShowModal();
        });
    }
}

void DesktopApp::CloseMainWindow()
{
    // Closed once the command that asked for it has returned: closing destroys the frame
    // the command is running in.
    if (FrameWindow* frame = m_pFrame)
        frame->CallAfter([frame] { frame->Close(); });
}
