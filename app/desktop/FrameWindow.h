// The main frame on the desktop: the window with menu 128 around the game window. It is
// CMainFrame's native window: the frame logic stays in CMainFrame, this window gives it the
// screen, the placement, the menu, focus and activation.
#pragma once

#include <wx/frame.h>
#include <wx/modalhook.h>

#include "app/MainFrame.h"
#include "platform/DiskFiles.h"
#include "platform/desktop/FrameExtents.h"
#include "platform/desktop/InputRules.h"

class COrbicleApp;
class GameWindow;

class FrameWindow : public wxFrame, public IFrameHost {
public:
    FrameWindow(COrbicleApp& app, const DiskFiles& files);

    // Creates the game window and runs CMainFrame::OnCreate (field size and placement).
    // False when the frame cannot be made; the window is then to be destroyed.
    bool Create();

    int GetFullScreenWidth() override;
    CSize GetFieldRoom(CPoint corner) override;
    void SetNormalRect(const CRect& rect) override;
    CRect GetNormalRect() override;

    GameWindow* GetGameWindow() const { return m_pGameWindow; }

private:
    // Modal dialogs of the program deactivate the frame while they are open.
    class ModalDialogs : public wxModalDialogHook {
    public:
        explicit ModalDialogs(FrameWindow& frame) : m_frame(frame) {}

    protected:
        int Enter(wxDialog* /*dialog*/) override;
        void Exit(wxDialog* /*dialog*/) override;

    private:
        FrameWindow& m_frame;
    };

    CMainFrame* MainFrame() const;
    // Tells the frame logic the activation state, whenever it changed.
    void ReportActivation();
    void OnMenuOpen(wxMenuEvent& event);
    void OnMenuCommand(wxCommandEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnIconize(wxIconizeEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnMoveOrSize(wxEvent& event);
    void OnClose(wxCloseEvent& event);
    void RememberNormalRect();

    COrbicleApp& m_app;
    const DiskFiles& m_files;
    GameWindow* m_pGameWindow = nullptr;  // a child: the toolkit owns it
    FrameActivation m_activation;
    bool m_bReportedActive = true;  // as the game window assumes until told otherwise
    ModalDialogs m_modalDialogs{*this};
    const WindowSystem m_windowSystem = CurrentWindowSystem();
    CRect m_normal;  // the restored rectangle, kept while the frame is neither maximized nor minimized
};
