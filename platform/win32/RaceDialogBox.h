// The race selection dialog on Windows: the dialog template of the program's resources that the
// description names, with Cancel enabled or not, run modally over its owner.
#pragma once

#include "platform/RaceDialog.h"
#include "platform/win32/WinApi.h"

class RaceDialogBox : public IRaceDialog {
public:
    explicit RaceDialogBox(HINSTANCE instance) : m_instance(instance) {}
    void SetOwner(HWND owner) { m_owner = owner; }

    // A race button ends the dialog with its race: a click, or Space or Enter while it has the
    // focus. Cancel, Escape and the close box end it without one, but only while Cancel is
    // enabled.
    std::optional<std::string> Choose(const RaceDialogDescription& dialog) override;

private:
    HINSTANCE m_instance;
    HWND m_owner = nullptr;
};

// Centres a dialog over its owner (or the screen without one), kept inside the work area.
void CentreOverOwner(HWND dialog);
