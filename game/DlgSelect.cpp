// The race selection dialog: its template and its buttons.
#include "game/DlgSelect.h"

#include "res/Races.h"
#include "res/Resource.h"

namespace {
// Template 159, in dialog units. The race buttons' boxes come from the race table; Cancel and
// the group box are the template's own, and the tab order is the template's.
constexpr CSize TemplateSize{172, 108};
constexpr int GroupBoxId = -1;
constexpr int TabOrder[] = {CDlgSelect::IDCANCEL, 1000, 1001, 1002, GroupBoxId, 1004, 3};
constexpr CRect CancelBox{108, 78, 108 + 50, 78 + 14};
constexpr CRect GroupBox{6, 6, 6 + 158, 6 + 96};

const Race* RaceOfButton(int nID)
{
    for (const Race& race : Races) {
        if (race.nButtonId == nID)
            return &race;
    }
    return nullptr;
}

DialogControl ControlFor(int nID)
{
    using Kind = DialogControl::Kind;
    if (nID == CDlgSelect::IDCANCEL)
        return {Kind::CancelButton, nID, "Cancel", "", CancelBox};
    if (nID == GroupBoxId)
        return {Kind::GroupBox, nID, "Select Your Race", "", GroupBox};
    const Race& race = *RaceOfButton(nID);
    return {Kind::RaceButton, nID, race.name, race.code, CRect{race.x, race.y, race.x + race.cx, race.y + race.cy}};
}
}  // namespace

RaceDialogDescription CDlgSelect::Description() const
{
    RaceDialogDescription dialog{IDD_SELECT, "Select Race", TemplateSize, {}, m_bCancelEnabled != 0};
    for (const int nID : TabOrder)
        dialog.controls.push_back(ControlFor(nID));
    return dialog;
}

int CDlgSelect::DoModal()
{
    const std::optional<std::string> chosen = m_ui.Choose(Description());
    for (const Race& race : Races) {
        if (chosen && *chosen == race.code) {
            OnRaceButton(race.nButtonId);
            return IDOK;
        }
    }
    return IDCANCEL;
}

void CDlgSelect::OnRaceButton(int nID)
{
    if (const Race* race = RaceOfButton(nID))
        m_strRace = race->code;
}
