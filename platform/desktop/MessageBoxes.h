// The game's message box: modal, an OK button and no icon, captioned with the title.
#pragma once

#include "platform/MessageBox.h"

class WxMessageBox : public IMessageBox {
public:
    // Owned by the program's main window while there is one. The text wraps to a readable
    // width (inside words too where it has to) and scrolls where it is taller than the
    // screen allows, so the box and its OK button stay on the screen whatever the length.
    void Show(const std::string& text) override;
};
