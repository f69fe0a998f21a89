// The game window on Windows: the frame's only child, whose timer, paint, mouse and key
// messages drive CGameView, and which gives the view its timers, repaints and paint context.
#pragma once

#include <string>

#include "game/GameView.h"
#include "platform/dc/gdi/NativeDc.h"
#include "platform/win32/WinApi.h"

class GameWindow : public IWindowHost {
public:
    static constexpr const char* ClassName = "OrbicleGameWindow";
    static constexpr COLORREF Background = RGB(128, 128, 128);

    GameWindow(HINSTANCE instance, CGameView& view) : m_instance(instance), m_pView(&view) {}
    ~GameWindow() override;
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // Registers the window class (class style CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, the cursor
    // of the race, the gray brush) and creates the window with a sunken edge.
    bool Create(HWND parent, const std::string& race);
    // From now on messages no longer reach the view (it is about to go).
    void Detach();
    HWND Handle() const { return m_hwnd; }

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapseMs) override;
    BOOL KillTimer(UINT_PTR nIDEvent) override;
    void InvalidateRect(const CRect& rect, BOOL bErase) override;
    CDC* BeginPaint(CRect& rcPaint) override;
    void EndPaint() override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HINSTANCE m_instance;
    CGameView* m_pView;
    HWND m_hwnd = nullptr;
    HBRUSH m_background = nullptr;
    PAINTSTRUCT m_paint{};
    bool m_painting = false;
    CNativeDC m_paintDc;
};

// The cursor resource of a race code; IDC_ARROW's for none or an unknown one.
HCURSOR RaceCursor(HINSTANCE instance, const std::string& race);
