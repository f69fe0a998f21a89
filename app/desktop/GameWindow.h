// The game window on the desktop: a native child of the frame that hosts CGameView, giving it
// its timer, its paints, its mouse clicks and its key presses through the frame's GameInput.
#pragma once

#include <map>
#include <memory>

#include <wx/bitmap.h>
#include <wx/timer.h>
#include <wx/window.h>

#include "app/GameInput.h"
#include "game/GameView.h"
#include "platform/DiskFiles.h"
#include "platform/dc/Dc.h"
#include "platform/desktop/InputRules.h"

class GameWindow : public wxWindow, public IWindowHost {
public:
    // The class background of the field, RGB(128, 128, 128).
    static const wxColour Background;

    // Creates the window for the view (CGameView::Create attaches the view to it), whose
    // inputs go through input; the cursor follows the race the view holds now.
    GameWindow(wxWindow* parent, CGameView& view, GameInput& input, const DiskFiles& files);
    ~GameWindow() override;

    // The view is about to go: its timers stop and no message reaches it any more.
    void Detach();

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapseMs) override;
    BOOL KillTimer(UINT_PTR nIDEvent) override;
    void InvalidateRect(const CRect& rect, BOOL bErase) override;
    CDC* BeginPaint(CRect& rcPaint) override;
    void EndPaint() override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnButtonDown(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    class PaintTarget;

    // The screen the view paints into: the field's size, gray until painted.
    bool EnsureScreen();
    // Copies the area from the screen to the window, gray beyond the field.
    void Present(PaintTarget& target, const CRect& area);

    CGameView* m_pView;
    GameInput* m_pInput;
    std::map<UINT_PTR, std::unique_ptr<wxTimer>> m_timers;
    PressFilter m_presses;

    CDC m_screenDc;
    CBitmap m_screenBitmap;
    wxBitmap m_shown;                 // the screen converted for the toolkit where needed, kept across paints
    bool m_bErasePending = true;      // a new window is erased with the class background
    PaintTarget* m_pPaint = nullptr;  // only during a paint
    CRect m_paintBox;
    bool m_bPresented = false;
    bool m_bPaintedOnce = false;
};
