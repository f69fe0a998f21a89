// The race selection dialog on the desktop: a modal wxWidgets dialog laid out from its
// description in dialog units.
#pragma once

#include "platform/RaceDialog.h"

class RaceDialogWindow : public IRaceDialog {
public:
    // Shows the dialog owned by the program's main window: the controls at their dialog-unit
    // places in the system's dialog font, in tab order, Cancel disabled unless the
    // description enables it. A race button ends it with its race. Escape and the close box
    // cancel, unless Cancel is disabled, when only a race button ends the dialog.
    std::optional<std::string> Choose(const RaceDialogDescription& dialog) override;
};
