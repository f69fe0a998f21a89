// The game window's messages, each handed to the game.
#include "app/win32/GameWindow.h"

#include <windowsx.h>

#include "res/Races.h"

namespace {
constexpr int PaneId = 59648;  // the first pane of a frame
}

GameWindow::~GameWindow()
{
    Detach();
    if (m_hwnd)
        DestroyWindow(m_hwnd);
    if (m_background)
        DeleteObject(m_background);
}

HCURSOR RaceCursor(HINSTANCE instance, const std::string& race)
{
    const Race* known = FindRace(race);
    HCURSOR cursor = known ? LoadCursorA(instance, MAKEINTRESOURCEA(known->nCursorId)) : nullptr;
    return cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
}

bool GameWindow::Create(HWND parent, const std::string& race)
{
    m_background = CreateSolidBrush(Background);
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = m_instance;
    windowClass.hCursor = RaceCursor(m_instance, race);
    windowClass.hbrBackground = m_background;
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassA(&windowClass))
        return false;
    // The frame lays the window out over its whole client area.
    CreateWindowExA(WS_EX_CLIENTEDGE, ClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(PaneId)), m_instance, this);
    return m_hwnd != nullptr;
}

void GameWindow::Detach()
{
    if (m_pView)
        m_pView->AttachHost(nullptr);
    m_pView = nullptr;
    m_pInput = nullptr;
}

LRESULT CALLBACK GameWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<GameWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hwnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<GameWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT GameWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!m_pInput)
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    switch (message) {
    case WM_TIMER: m_pInput->Timer(static_cast<UINT_PTR>(wParam)); return 0;
    case WM_PAINT: Paint(); return 0;
    // With CS_DBLCLKS the second press of a quick pair arrives as a double click alone.
    case WM_LBUTTONDOWN: m_pInput->Press(MouseButton::Left, false, point); return 0;
    case WM_LBUTTONDBLCLK: m_pInput->Press(MouseButton::Left, true, point); return 0;
    case WM_RBUTTONDOWN: m_pInput->Press(MouseButton::Right, false, point); return 0;
    case WM_RBUTTONDBLCLK: m_pInput->Press(MouseButton::Right, true, point); return 0;
    // Only plain keys: Alt, F10 and keys pressed with Alt (WM_SYSKEYDOWN) belong to the menu.
    case WM_KEYDOWN: m_pInput->Key(static_cast<UINT>(wParam)); return 0;
    default: return DefWindowProcA(m_hwnd, message, wParam, lParam);
    }
}

void GameWindow::Paint()
{
    m_pInput->Paint();
    // A view that did not paint still makes the window valid, or WM_PAINT would come again.
    if (GetUpdateRect(m_hwnd, nullptr, FALSE))
        ValidateRect(m_hwnd, nullptr);
}

UINT_PTR GameWindow::SetTimer(UINT_PTR nIDEvent, UINT nElapseMs)
{
    return m_hwnd ? ::SetTimer(m_hwnd, nIDEvent, nElapseMs, nullptr) : 0;
}

BOOL GameWindow::KillTimer(UINT_PTR nIDEvent)
{
    return m_hwnd ? ::KillTimer(m_hwnd, nIDEvent) : 0;
}

void GameWindow::InvalidateRect(const CRect& rect, BOOL bErase)
{
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    if (m_hwnd)
        ::InvalidateRect(m_hwnd, &area, bErase);
}

CDC* GameWindow::BeginPaint(CRect& rcPaint)
{
    if (!m_hwnd || m_painting)
        return nullptr;
    HDC hdc = ::BeginPaint(m_hwnd, &m_paint);
    if (!hdc)
        return nullptr;
    m_painting = true;
    rcPaint = CRect{m_paint.rcPaint.left, m_paint.rcPaint.top, m_paint.rcPaint.right, m_paint.rcPaint.bottom};
    return m_paintDc.Attach(hdc);
}

void GameWindow::EndPaint()
{
    if (!m_painting)
        return;
    m_paintDc.Detach();
    ::EndPaint(m_hwnd, &m_paint);
    m_painting = false;
}
