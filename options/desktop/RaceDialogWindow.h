// The race selection dialog on the desktop: template 159 as a modal wxWidgets dialog.
#pragma once

#include "options/DlgSelect.h"

class RaceDialogWindow : public IRaceDialog {
public:
    // Shows the dialog owned by the program's main window: the controls at their
    // dialog-unit places in the system's dialog font, in template (tab) order, Cancel
    // disabled unless dlg.m_bCancelEnabled. A button calls dlg.OnButton; returns
    // dlg.Result(). Escape and the close box cancel, unless Cancel is disabled, when
    // only a race button ends the dialog.
    int DoModal(CDlgSelect& dlg) override;
};
