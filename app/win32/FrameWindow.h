// The main frame on Windows: the window with menu 128 around the game window. It is
// CMainFrame's native window: the frame logic stays in CMainFrame; this window gives it the
// screen, the placement, the menu, focus and activation.
#pragma once

#include <memory>

#include "app/App.h"
#include "app/win32/GameWindow.h"
#include "platform/FrameHost.h"
#include "platform/win32/WinApi.h"

class FrameWindow : public IFrameHost {
public:
    static constexpr const char* ClassName = "OrbicleFrame";
    static constexpr DWORD Style = WS_OVERLAPPEDWINDOW;

    FrameWindow(HINSTANCE instance, COrbicleApp& app) : m_instance(instance), m_app(app) {}
    ~FrameWindow() override;
    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;

    // Creates the frame with menu 128 and, inside WM_CREATE, the game window and the frame
    // logic's start (field size and placement). False when either cannot be made.
    bool Create();
    HWND Handle() const { return m_hwnd; }

    int GetFullScreenWidth() override;
    CSize GetFieldRoom(CPoint corner) override;
    // The corner as given; the size such that the game window's client area is the field.
    void SetNormalRect(const CRect& rect) override;
    CRect GetNormalRect() override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    CMainFrame* MainFrame() const { return m_app.m_pMainWnd.get(); }
    int OnCreate();
    void OnDestroy();
    void OnMenuPopup(HMENU popup);
    void OnCommand(UINT nID);
    // Tells the frame logic the activation state: the active window, and not minimised.
    void ReportActivation();
    void UpdateTitle();

    HINSTANCE m_instance;
    COrbicleApp& m_app;
    HWND m_hwnd = nullptr;
    std::unique_ptr<GameWindow> m_view;
    bool m_activeWindow = false;
    bool m_minimized = false;
};
