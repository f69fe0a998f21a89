// The one message box the game shows: modal, an OK button, captioned with the program's title.
#pragma once

#include <string>

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void Show(const std::string& text) = 0;
};
