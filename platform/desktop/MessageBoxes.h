// The game's message box: modal, an OK button and no icon, captioned with the title.
#pragma once

#include "platform/MessageBox.h"

class WxMessageBox : public IMessageBox {
public:
    // Owned by the program's main window while there is one.
    void Show(const std::string& text) override;
};
