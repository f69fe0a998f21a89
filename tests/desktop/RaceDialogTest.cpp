// The race dialog's window: template 159 in dialog units, its Cancel switch, its buttons.
#include <gtest/gtest.h>

#include <vector>

#include <wx/button.h>
#include <wx/dialog.h>

#include "options/desktop/RaceDialogWindow.h"
#include "platform/desktop/DialogUnits.h"
#include "tests/desktop/GuiHelpers.h"

namespace {
void PressEscape(wxDialog& dialog)
{
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(&dialog);
    dialog.ProcessWindowEvent(escape);
}

void Click(wxDialog& dialog, int id)
{
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_TRUE(button) << "button " << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

// Ends a dialog that a failed check left open, so that the test fails instead of hanging.
Later Guard()
{
    return Later(5000, [] {
        if (auto* dialog = FindTopLevel<wxDialog>(CDlgSelect::Caption))
            dialog->EndModal(-1);
    });
}
}  // namespace

TEST(RaceDialogWindow, TemplateLayoutWithCancelDisabledEndsOnlyByARace)
{
    RaceDialogWindow ui;
    CDlgSelect dlg(ui);
    dlg.m_bCancelEnabled = 0;
    bool inspected = false;
    const Later guard = Guard();
    const Later act(200, [&] {
        auto* dialog = FindTopLevel<wxDialog>(CDlgSelect::Caption);
        ASSERT_TRUE(dialog);
        inspected = true;
        const DialogBaseUnits base = BaseUnitsOf(*dialog, dialog->GetFont());
        const CRect client = DialogUnitsToPixels(0, 0, CDlgSelect::Width, CDlgSelect::Height, base);
        EXPECT_EQ(dialog->GetClientSize(), wxSize(client.Width(), client.Height()));

        std::vector<int> buttonOrder;
        for (wxWindow* child : dialog->GetChildren()) {
            if (dynamic_cast<wxButton*>(child))
                buttonOrder.push_back(child->GetId());
        }
        std::vector<int> templateOrder;
        for (const CDlgSelect::Control& c : CDlgSelect::Controls) {
            if (c.nID == -1)
                continue;  // the group box
            const CRect r = DialogUnitsToPixels(c.x, c.y, c.cx, c.cy, base);
            wxWindow* control = dialog->FindWindow(c.nID);
            templateOrder.push_back(c.nID);
            ASSERT_TRUE(control) << c.text;
            EXPECT_EQ(control->GetLabel(), c.text);
            EXPECT_EQ(control->GetPosition(), wxPoint(r.left, r.top)) << c.text;
            EXPECT_EQ(control->IsEnabled(), c.nID != CDlgSelect::IDCANCEL) << c.text;
        }
        EXPECT_EQ(buttonOrder, templateOrder) << "tab order is template order";

        PressEscape(*dialog);
        EXPECT_TRUE(dialog->IsModal()) << "Escape does not cancel a dialog that cannot be cancelled";
        Click(*dialog, 1001);  // Orc
    });
    EXPECT_EQ(dlg.DoModal(), CDlgSelect::IDOK);
    EXPECT_TRUE(inspected);
    EXPECT_EQ(dlg.m_strRace, "or");
}

TEST(RaceDialogWindow, EscapeAndCancelEndItWithoutARaceWhenAllowed)
{
    RaceDialogWindow ui;
    for (const bool byEscape : {true, false}) {
        CDlgSelect dlg(ui);
        const Later guard = Guard();
        const Later act(200, [&] {
            auto* dialog = FindTopLevel<wxDialog>(CDlgSelect::Caption);
            ASSERT_TRUE(dialog);
            EXPECT_TRUE(dialog->FindWindow(CDlgSelect::IDCANCEL)->IsEnabled());
            if (byEscape)
                PressEscape(*dialog);
            else
                Click(*dialog, CDlgSelect::IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), CDlgSelect::IDCANCEL) << (byEscape ? "Escape" : "Cancel");
        EXPECT_EQ(dlg.m_strRace, "");
    }
}
