// The main frame's native window: placement, menu, focus, activation and its end.
#include "app/desktop/FrameWindow.h"

#include <vector>

#include <wx/display.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/menu.h>

#include "app/App.h"
#include "app/desktop/CommandIds.h"
#include "app/desktop/GameWindow.h"
#include "app/desktop/MainMenuBar.h"
#include "platform/desktop/FrameExtents.h"
#include "platform/desktop/Placement.h"
#include "platform/desktop/Trace.h"

namespace {
// The program's icon at the sizes the window system shows, from res/icon.
wxIconBundle ProgramIcons(const DiskFiles& files)
{
    wxIconBundle icons;
    const wxLogNull quiet;  // a missing icon leaves the system's default
    for (const char* name : {"res/icon/orbicle_16.png", "res/icon/orbicle_32.png", "res/icon/orbicle_48.png"}) {
        const std::filesystem::path found = files.Find(name);
        wxImage image;
        if (!found.empty() && image.LoadFile(wxString(found.string()), wxBITMAP_TYPE_PNG)) {
            wxIcon icon;
            icon.CopyFromBitmap(wxBitmap(image));
            icons.AddIcon(icon);
        }
    }
    return icons;
}

std::vector<CRect> Displays()
{
    std::vector<CRect> displays;
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        const wxRect r = wxDisplay(i).GetGeometry();
        displays.push_back(CRect{r.x, r.y, r.x + r.width, r.y + r.height});
    }
    return displays;
}
}  // namespace

FrameWindow::FrameWindow(COrbicleApp& app, const DiskFiles& files)
    : wxFrame(nullptr, wxID_ANY, CMainFrame::TitleText), m_app(app), m_files(files)
{
    SetIcons(ProgramIcons(files));
    SetMenuBar(BuildMenuBar().release());  // the frame owns its menu bar
    Bind(wxEVT_MENU_OPEN, &FrameWindow::OnMenuOpen, this);
    Bind(wxEVT_MENU, &FrameWindow::OnMenuCommand, this);
    Bind(wxEVT_ACTIVATE, &FrameWindow::OnActivate, this);
    Bind(wxEVT_ICONIZE, &FrameWindow::OnIconize, this);
    Bind(wxEVT_IDLE, &FrameWindow::OnIdle, this);
    Bind(wxEVT_SET_FOCUS, &FrameWindow::OnSetFocus, this);
    Bind(wxEVT_MOVE, &FrameWindow::OnMoveOrSize, this);
    Bind(wxEVT_SIZE, &FrameWindow::OnMoveOrSize, this);
    Bind(wxEVT_CLOSE_WINDOW, &FrameWindow::OnClose, this);
    m_modalDialogs.Register();
}

CMainFrame* FrameWindow::MainFrame() const
{
    return m_app.m_pMainWnd.get();
}

bool FrameWindow::Create()
{
    CMainFrame* frame = MainFrame();
    if (!frame)
        return false;
    // The game window is the frame's only child, so it fills the client area.
    m_pGameWindow = new GameWindow(this, frame->m_wndView, m_files);
    if (frame->OnCreate(*this, *m_pGameWindow) != 0)
        return false;
    ReportActivation();  // not active until the window system says so
    return true;
}

int FrameWindow::GetFullScreenWidth()
{
    // The work area of the primary display: the screen less the panels of the desktop.
    return wxDisplay().GetClientArea().width;
}

CSize FrameWindow::GetFieldRoom(CPoint corner)
{
    // A corner off every display, or a window system that places the frame itself: the frame
    // opens on the primary display.
    const int found =
        PlacesWindows(m_windowSystem) ? wxDisplay::GetFromPoint(wxPoint(corner.x, corner.y)) : wxNOT_FOUND;
    const wxRect area = wxDisplay(found == wxNOT_FOUND ? 0 : static_cast<unsigned>(found)).GetClientArea();
    // Before it is shown the frame knows its menu bar but not yet what the window system
    // puts around it: that is asked of the window system.
    const wxSize outer = GetSize();
    const wxSize client = GetClientSize();
    const FrameExtents frame = FrameDecorations(m_windowSystem);
    return CSize{area.width - (outer.x - client.x) - frame.left - frame.right,
                 area.height - (outer.y - client.y) - frame.top - frame.bottom};
}

void FrameWindow::SetNormalRect(const CRect& rect)
{
    // Here the client area is exactly the field, whatever the window system's borders are.
    if (CMainFrame* frame = MainFrame()) {
        const CSize field = frame->m_wndView.FieldSize();
        SetClientSize(field.cx, field.cy);
    }
    const wxSize size = GetSize();
    if (!PlacesWindows(m_windowSystem)) {
        // The compositor places the frame: the stored corner is kept as it was.
        m_normal = CRect{rect.left, rect.top, rect.left + size.x, rect.top + size.y};
        return;
    }
    const std::vector<CRect> displays = Displays();
    const CRect placed = KeepOnSomeDisplay(rect, displays);
    // The window system may place the frame elsewhere; the corner asked for is what counts.
    Move(placed.left, placed.top);
    m_normal = CRect{placed.left, placed.top, placed.left + size.x, placed.top + size.y};
}

CRect FrameWindow::GetNormalRect()
{
    RememberNormalRect();
    return m_normal;
}

void FrameWindow::RememberNormalRect()
{
    if (!IsShown() || IsMaximized() || IsIconized() || IsFullScreen())
        return;
    // Where the window system does not tell the frame's place, its corner stays the stored one.
    const wxRect r = GetRect();
    const CPoint corner = PlacesWindows(m_windowSystem) ? CPoint{r.x, r.y} : CPoint{m_normal.left, m_normal.top};
    m_normal = CRect{corner.x, corner.y, corner.x + r.width, corner.y + r.height};
}

void FrameWindow::OnMoveOrSize(wxEvent& event)
{
    RememberNormalRect();
    event.Skip();
}

void FrameWindow::OnMenuOpen(wxMenuEvent& event)
{
    event.Skip();
    CMainFrame* frame = MainFrame();
    if (!frame)
        return;
    if (wxMenu* popup = event.GetMenu()) {
        UpdateMenu(*popup, *frame);
        return;
    }
    for (size_t i = 0; i < GetMenuBar()->GetMenuCount(); ++i)
        UpdateMenu(*GetMenuBar()->GetMenu(i), *frame);
}

void FrameWindow::OnMenuCommand(wxCommandEvent& event)
{
    const UINT nID = CommandFromMenuId(event.GetId());
    CMainFrame* frame = MainFrame();
    if (!nID || !frame) {
        event.Skip();
        return;
    }
    // The update handler first: a command it disables does not run.
    RunCommand(*frame, nID);
}

void FrameWindow::ReportActivation()
{
    const bool active = m_activation.IsActive();
    if (active == m_bReportedActive)
        return;
    m_bReportedActive = active;
    if (CMainFrame* frame = MainFrame())
        frame->OnActivate(active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void FrameWindow::OnActivate(wxActivateEvent& event)
{
    event.Skip();
    m_activation.SetActiveWindow(event.GetActive());
    ReportActivation();
    if (event.GetActive() && m_pGameWindow)
        m_pGameWindow->SetFocus();
}

void FrameWindow::OnIconize(wxIconizeEvent& event)
{
    event.Skip();
    m_activation.SetMinimized(event.IsIconized());
    ReportActivation();
}

void FrameWindow::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    // The title follows the game's pause, whatever paused or resumed it.
    if (CMainFrame* frame = MainFrame()) {
        const wxString title = frame->Title();
        if (GetTitle() != title)
            SetTitle(title);
    }
}

int FrameWindow::ModalDialogs::Enter(wxDialog* /*dialog*/)
{
    m_frame.m_activation.DialogOpens();
    m_frame.ReportActivation();
    return wxID_NONE;  // the dialog is shown
}

void FrameWindow::ModalDialogs::Exit(wxDialog* /*dialog*/)
{
    m_frame.m_activation.DialogCloses();
    m_frame.ReportActivation();
}

void FrameWindow::OnSetFocus(wxFocusEvent& /*event*/)
{
    // Key presses always go to the game window.
    if (m_pGameWindow)
        m_pGameWindow->SetFocus();
}

void FrameWindow::OnClose(wxCloseEvent& event)
{
    // While a dialog of the game is open the game is inside a handler that waits for it.
    if (!IsEnabled() && event.CanVeto()) {
        event.Veto();
        return;
    }
    TraceMilestone("window closes");
    if (m_pGameWindow)
        m_pGameWindow->Detach();
    // "Left" and "Top" first, then the game window's "Race" and "Options".
    m_app.DestroyMainFrame();
    TraceMilestone("settings written");
    Destroy();
}
