// The race selection dialog as the platform shows it: a description in, the chosen race out.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Win.h"

// One control of the dialog, in tab order; its box in dialog units.
struct DialogControl {
    enum class Kind { RaceButton, CancelButton, GroupBox };
    Kind kind;
    int nID;  // -1 for the group box
    std::string text;
    std::string race;  // the race code a race button chooses
    CRect box;         // left, top, right, bottom in dialog units
};

struct RaceDialogDescription {
    UINT nIDTemplate = 0;
    std::string caption;
    CSize size;  // the client area in dialog units
    std::vector<DialogControl> controls;
    bool cancelEnabled = true;
};

class IRaceDialog {
public:
    virtual ~IRaceDialog() = default;
    // Shows the dialog modally. Returns the race code of the race button pressed, or nullopt
    // when it closed without one (Cancel, Escape, the close box: only while Cancel is enabled).
    virtual std::optional<std::string> Choose(const RaceDialogDescription& dialog) = 0;
};
