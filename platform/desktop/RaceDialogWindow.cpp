// The race selection dialog's window.
#include "platform/desktop/RaceDialogWindow.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/statbox.h>

#include "platform/desktop/DialogUnits.h"

namespace {
class SelectDialog : public wxDialog {
public:
    SelectDialog(wxWindow* owner, const RaceDialogDescription& description)
        : wxDialog(owner, wxID_ANY, description.caption, wxDefaultPosition, wxDefaultSize,
                   wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
          m_description(description)
    {
        SetFont(DialogFont());
        const DialogBaseUnits base = BaseUnitsOf(*this, GetFont());
        SetClientSize(DialogUnitsToPixels(0, 0, description.size.cx, description.size.cy, base).GetSize());
        // The group box goes first so that it lies beneath the buttons; it takes no focus,
        // so the buttons keep the template's tab order among themselves.
        using Kind = DialogControl::Kind;
        for (const bool groups : {true, false}) {
            for (const DialogControl& control : description.controls) {
                if ((control.kind == Kind::GroupBox) != groups)
                    continue;
                const CRect& b = control.box;
                const wxRect r = DialogUnitsToPixels(b.left, b.top, b.Width(), b.Height(), base);
                if (groups)
                    new wxStaticBox(this, wxID_ANY, control.text, r.GetPosition(), r.GetSize());
                else
                    new wxButton(this, control.nID, control.text, r.GetPosition(), r.GetSize());
            }
        }
        for (const DialogControl& control : description.controls) {
            if (control.kind == Kind::CancelButton)
                FindWindow(control.nID)->Enable(description.cancelEnabled);
        }
        Bind(wxEVT_BUTTON, &SelectDialog::OnButton, this);
        Bind(wxEVT_CHAR_HOOK, &SelectDialog::OnCharHook, this);
        Bind(wxEVT_CLOSE_WINDOW, &SelectDialog::OnCloseWindow, this);
        CentreOnParent();
    }

    const std::optional<std::string>& Chosen() const { return m_chosen; }

private:
    void OnButton(wxCommandEvent& event)
    {
        for (const DialogControl& control : m_description.controls) {
            if (control.nID != event.GetId())
                continue;
            if (control.kind == DialogControl::Kind::RaceButton)
                m_chosen = control.race;
            EndModal(event.GetId());
        }
    }

    void OnCharHook(wxKeyEvent& event)
    {
        if (event.GetKeyCode() != WXK_ESCAPE) {
            event.Skip();
            return;
        }
        if (m_description.cancelEnabled)
            EndModal(wxID_CANCEL);
    }

    void OnCloseWindow(wxCloseEvent& event)
    {
        if (m_description.cancelEnabled || !event.CanVeto())
            EndModal(wxID_CANCEL);
        else
            event.Veto();
    }

    const RaceDialogDescription& m_description;
    std::optional<std::string> m_chosen;
};
}  // namespace

std::optional<std::string> RaceDialogWindow::Choose(const RaceDialogDescription& dialog)
{
    wxWindow* owner = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    SelectDialog window(owner, dialog);
    window.ShowModal();
    return window.Chosen();
}
