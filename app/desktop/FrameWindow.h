// The main frame on the desktop: the window with menu 128 around the game window. It is
// CMainFrame's native window: the frame logic stays in CMainFrame, this window gives it the
// screen, the placement, the menu, focus and activation.
#pragma once

#include <wx/frame.h>
#include <wx/modalhook.h>

#include "app/MainFrame.h"
#include "platform/DiskFiles.h"
#include "platform/desktop/InputRules.h"

class COrbicleApp;
class GameWindow;

class FrameWindow : public wxFrame, public IFrameWindow {
public:
    FrameWindow(COrbicleApp& app, const DiskFiles& files);

    // Creates the game window and runs CMainFrame::OnCreate (field size and placement).
    // False when the frame cannot be made; the window is then to be destroyed.
    bool Create();

    int GetFullScreenWidth() override;
    void SetNormalRect(const CRect& rect) override;
    CRect GetNormalRect() override;

    GameWindow* GetGameWindow() const { return m_pGameWindow; }

private:
    // Modal dialogs of the program deactivate the frame while they are open. The window
    // system reports that late, after the dialog has closed and the game has gone on (a
    // game started after the race dialog would be held at once), so the frame reports it
    // itself as the dialog opens and closes; the late reports are then no change.
    class ModalDialogs : public wxModalDialogHook {
    public:
        explicit ModalDialogs(FrameWindow& frame) : m_frame(frame) {}

        bool AnyOpen() const { return m_nOpen > 0; }

    protected:
        int Enter(wxDialog* /*dialog*/) override;
        void Exit(wxDialog* /*dialog*/) override;

    private:
        FrameWindow& m_frame;
        int m_nOpen = 0;
        bool m_bFrameWasActive = false;
    };

    CMainFrame* MainFrame() const;
    void ReportActivation(bool active);  // null once the frame logic has gone
    void OnMenuOpen(wxMenuEvent& event);
    void OnMenuCommand(wxCommandEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnMoveOrSize(wxEvent& event);
    void OnClose(wxCloseEvent& event);
    void RememberNormalRect();

    COrbicleApp& m_app;
    const DiskFiles& m_files;
    GameWindow* m_pGameWindow = nullptr;  // a child: the toolkit owns it
    ActivationFilter m_activation;
    ModalDialogs m_modalDialogs{*this};
    CRect m_normal;  // the restored rectangle, kept while the frame is neither maximized nor minimized
};
