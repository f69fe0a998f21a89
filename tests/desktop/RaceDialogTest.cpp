// The race dialog's window: template 159 in dialog units, its Cancel switch, its buttons.
#include <gtest/gtest.h>

#include <vector>

#include <wx/button.h>
#include <wx/dialog.h>

#include "game/DlgSelect.h"
#include "platform/desktop/DialogUnits.h"
#include "platform/desktop/RaceDialogWindow.h"
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
        if (auto* dialog = FindTopLevel<wxDialog>("Select Race"))
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
        auto* dialog = FindTopLevel<wxDialog>("Select Race");
        ASSERT_TRUE(dialog);
        inspected = true;
        const DialogBaseUnits base = BaseUnitsOf(*dialog, dialog->GetFont());
        const RaceDialogDescription description = dlg.Description();
        EXPECT_EQ(dialog->GetClientSize(),
                  DialogUnitsToPixels(0, 0, description.size.cx, description.size.cy, base).GetSize());

        std::vector<int> buttonOrder;
        for (wxWindow* child : dialog->GetChildren()) {
            if (dynamic_cast<wxButton*>(child))
                buttonOrder.push_back(child->GetId());
        }
        std::vector<int> templateOrder;
        for (const DialogControl& c : description.controls) {
            if (c.kind == DialogControl::Kind::GroupBox)
                continue;
            const wxRect r = DialogUnitsToPixels(c.box.left, c.box.top, c.box.Width(), c.box.Height(), base);
            wxWindow* control = dialog->FindWindow(c.nID);
            templateOrder.push_back(c.nID);
            ASSERT_TRUE(control) << c.text;
            EXPECT_EQ(control->GetLabel(), c.text);
            EXPECT_EQ(control->GetPosition(), r.GetPosition()) << c.text;
            EXPECT_EQ(control->IsEnabled(), c.kind != DialogControl::Kind::CancelButton) << c.text;
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
            auto* dialog = FindTopLevel<wxDialog>("Select Race");
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
