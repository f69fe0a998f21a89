// The race selection dialog's window.
#include "options/desktop/RaceDialogWindow.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/statbox.h>

#include "platform/desktop/DialogUnits.h"

namespace {
class SelectDialog : public wxDialog {
public:
    SelectDialog(wxWindow* owner, CDlgSelect& dlg)
        : wxDialog(owner, wxID_ANY, CDlgSelect::Caption, wxDefaultPosition, wxDefaultSize,
                   wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
          m_dlg(dlg)
    {
        SetFont(DialogFont());
        const DialogBaseUnits base = BaseUnitsOf(*this, GetFont());
        const CRect client = DialogUnitsToPixels(0, 0, CDlgSelect::Width, CDlgSelect::Height, base);
        SetClientSize(client.Width(), client.Height());
        // The group box goes first so that it lies beneath the buttons; it takes no focus,
        // so the buttons keep the template's tab order among themselves.
        for (const CDlgSelect::Control& control : CDlgSelect::Controls) {
            if (control.nID == -1)
                new wxStaticBox(this, wxID_ANY, control.text, Position(control, base), Size(control, base));
        }
        for (const CDlgSelect::Control& control : CDlgSelect::Controls) {
            if (control.nID != -1)
                new wxButton(this, control.nID, control.text, Position(control, base), Size(control, base));
        }
        if (wxWindow* cancel = FindWindow(CDlgSelect::IDCANCEL))
            cancel->Enable(dlg.m_bCancelEnabled != 0);
        Bind(wxEVT_BUTTON, &SelectDialog::OnButton, this);
        Bind(wxEVT_CHAR_HOOK, &SelectDialog::OnCharHook, this);
        Bind(wxEVT_CLOSE_WINDOW, &SelectDialog::OnCloseWindow, this);
        CentreOnParent();
    }

private:
    static wxPoint Position(const CDlgSelect::Control& c, DialogBaseUnits base)
    {
        const CRect r = DialogUnitsToPixels(c.x, c.y, c.cx, c.cy, base);
        return wxPoint(r.left, r.top);
    }
    static wxSize Size(const CDlgSelect::Control& c, DialogBaseUnits base)
    {
        const CRect r = DialogUnitsToPixels(c.x, c.y, c.cx, c.cy, base);
        return wxSize(r.Width(), r.Height());
    }

    bool CancelAllowed() const { return m_dlg.m_bCancelEnabled != 0; }

    void OnButton(wxCommandEvent& event)
    {
        if (m_dlg.OnButton(event.GetId()))
            EndModal(m_dlg.Result());
    }

    void OnCharHook(wxKeyEvent& event)
    {
        if (event.GetKeyCode() != WXK_ESCAPE) {
            event.Skip();
            return;
        }
        if (CancelAllowed())
            Cancel();
    }

    void OnCloseWindow(wxCloseEvent& event)
    {
        if (CancelAllowed() || !event.CanVeto())
            Cancel();
        else
            event.Veto();
    }

    void Cancel()
    {
        m_dlg.OnCancel();
        EndModal(m_dlg.Result());
    }

    CDlgSelect& m_dlg;
};
}  // namespace

int RaceDialogWindow::DoModal(CDlgSelect& dlg)
{
    wxWindow* owner = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    SelectDialog window(owner, dlg);
    window.ShowModal();
    return dlg.Result();
}
