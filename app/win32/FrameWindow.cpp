// The main frame's window procedure: creation, placement, menu, focus, activation and its end.
#include "app/win32/FrameWindow.h"

#include <string>
#include <vector>

#include "app/Menu.h"
#include "res/Resource.h"

namespace {
constexpr UINT MenuId = 128;
constexpr UINT IconId = 128;

// The outer size of a frame whose game window's client area has this size.
CSize FrameSizeFor(CSize field)
{
    RECT r{0, 0, field.cx, field.cy};
    AdjustWindowRectEx(&r, WS_CHILD, FALSE, WS_EX_CLIENTEDGE);
    AdjustWindowRectEx(&r, FrameWindow::Style, TRUE, 0);
    return CSize{r.right - r.left, r.bottom - r.top};
}

// A menu item's text, state and check mark as the menu has them now.
MenuItemState ReadItem(HMENU menu, UINT nID)
{
    char text[256] = {};
    GetMenuStringA(menu, nID, text, sizeof text, MF_BYCOMMAND);
    const UINT state = GetMenuState(menu, nID, MF_BYCOMMAND);
    return MenuItemState{text, (state & (MF_DISABLED | MF_GRAYED)) == 0, (state & MF_CHECKED) != 0};
}

void WriteItem(HMENU menu, UINT nID, const MenuItemState& state)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_STATE;
    std::string text = state.text;
    info.dwTypeData = text.data();
    info.fState = (state.enabled ? MFS_ENABLED : MFS_GRAYED) | (state.checked ? MFS_CHECKED : MFS_UNCHECKED);
    SetMenuItemInfoA(menu, nID, FALSE, &info);
}
}  // namespace

FrameWindow::~FrameWindow()
{
    if (m_hwnd)
        DestroyWindow(m_hwnd);
}

bool FrameWindow::Create()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconA(m_instance, MAKEINTRESOURCEA(IconId));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassExA(&windowClass))
        return false;
    HMENU menu = LoadMenuA(m_instance, MAKEINTRESOURCEA(MenuId));
    // Placed and sized by the frame logic from WM_CREATE on.
    CreateWindowExA(0, ClassName, CMainFrame::TitleText, Style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, nullptr, menu, m_instance, this);
    return m_hwnd != nullptr;
}

LRESULT CALLBACK FrameWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FrameWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hwnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FrameWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT FrameWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_SIZE:
        if (m_view)
            MoveWindow(m_view->Handle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        m_minimized = wParam == SIZE_MINIMIZED;
        ReportActivation();
        return 0;
    case WM_ACTIVATE:
        m_activeWindow = LOWORD(wParam) != WA_INACTIVE;
        m_minimized = HIWORD(wParam) != 0;
        ReportActivation();
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    case WM_SETFOCUS:
        // Key presses always go to the game window.
        if (m_view)
            SetFocus(m_view->Handle());
        return 0;
    case WM_INITMENUPOPUP: OnMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_COMMAND:
        if (lParam == 0)
            OnCommand(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        // While a dialog of the game is open, the game waits inside a handler for it.
        if (IsWindowEnabled(m_hwnd))
            DestroyWindow(m_hwnd);
        return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    default: return DefWindowProcA(m_hwnd, message, wParam, lParam);
    }
}

int FrameWindow::OnCreate()
{
    CMainFrame* frame = MainFrame();
    if (!frame)
        return -1;
    m_view = std::make_unique<GameWindow>(m_instance, frame->m_wndView);
    // The race read at start-up chooses the cursor for the whole run.
    if (!m_view->Create(m_hwnd, frame->m_wndView.Race()))
        return -1;
    return frame->OnCreate(*this, *m_view);
}

void FrameWindow::OnDestroy()
{
    // "Left" and "Top" first, then the game window's "Race" and "Options".
    if (m_view)
        m_view->Detach();
    m_app.DestroyMainFrame();
    PostQuitMessage(0);
}

void FrameWindow::OnMenuPopup(HMENU popup)
{
    CMainFrame* frame = MainFrame();
    if (!frame)
        return;
    for (int i = 0, n = GetMenuItemCount(popup); i < n; ++i) {
        const UINT nID = GetMenuItemID(popup, i);
        if (nID == 0 || nID == static_cast<UINT>(-1))
            continue;  // a separator or a submenu
        MenuItemState state = ReadItem(popup, nID);
        UpdateMenuItem(*frame, nID, state);
        WriteItem(popup, nID, state);
    }
}

void FrameWindow::OnCommand(UINT nID)
{
    if (CMainFrame* frame = MainFrame()) {
        // The update handler first: a command it disables does not run.
        RunCommand(*frame, nID);
        UpdateTitle();
    }
}

void FrameWindow::ReportActivation()
{
    if (CMainFrame* frame = MainFrame())
        frame->OnActivate(m_activeWindow ? WA_ACTIVE : WA_INACTIVE, m_minimized);
}

void FrameWindow::UpdateTitle()
{
    const CMainFrame* frame = MainFrame();
    if (!frame || !m_hwnd)
        return;
    const std::string title = frame->Title();
    char shown[64] = {};
    GetWindowTextA(m_hwnd, shown, sizeof shown);
    if (title != shown)
        SetWindowTextA(m_hwnd, title.c_str());
}

int FrameWindow::GetFullScreenWidth()
{
    return GetSystemMetrics(SM_CXFULLSCREEN);
}

CSize FrameWindow::GetFieldRoom(CPoint corner)
{
    // A corner off every display: the frame opens on the primary one.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(POINT{corner.x, corner.y}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const CSize extra = FrameSizeFor(CSize{0, 0});
    return CSize{monitor.rcWork.right - monitor.rcWork.left - extra.cx,
                 monitor.rcWork.bottom - monitor.rcWork.top - extra.cy};
}

void FrameWindow::SetNormalRect(const CRect& rect)
{
    const CMainFrame* frame = MainFrame();
    if (!frame)
        return;
    const CSize size = FrameSizeFor(frame->m_wndView.FieldSize());
    RECT placed{rect.left, rect.top, rect.left + size.cx, rect.top + size.cy};
    // A stored corner that no display shows opens the frame at the default corner instead.
    if (!MonitorFromRect(&placed, MONITOR_DEFAULTTONULL))
        placed = RECT{DefaultFrameCorner.x, DefaultFrameCorner.y, DefaultFrameCorner.x + size.cx,
                      DefaultFrameCorner.y + size.cy};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.flags = WPF_SETMINPOSITION;
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = placed;
    SetWindowPlacement(m_hwnd, &placement);
}

CRect FrameWindow::GetNormalRect()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!m_hwnd || !GetWindowPlacement(m_hwnd, &placement))
        return CRect{};
    const RECT& r = placement.rcNormalPosition;
    return CRect{r.left, r.top, r.right, r.bottom};
}
