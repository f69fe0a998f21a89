// The race selection dialog (template 159): its race member, its Cancel switch and its
// layout; the platform's IRaceDialog shows it.
#pragma once

#include <string>

#include "platform/RaceDialog.h"
#include "platform/Win.h"

class CDlgSelect {
public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    explicit CDlgSelect(IRaceDialog& ui) : m_ui(ui) {}

    std::string m_strRace;      // code of the race button pressed; empty if none was
    BOOL m_bCancelEnabled = 1;  // whether Cancel is enabled when the dialog opens

    // Shows the dialog; IDOK once a race button was pressed (its handler has run), IDCANCEL
    // when it closed without one.
    int DoModal();

    // Template 159 as the platform shows it: its controls in tab order, Cancel enabled or not.
    RaceDialogDescription Description() const;

private:
    // The handler of every race button: its race becomes the dialog's.
    void OnRaceButton(int nID);

    IRaceDialog& m_ui;
};
