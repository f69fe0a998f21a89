// Where each device context reports the box of a TextOut (see SetTextBoxLog in Dc.h).
#pragma once

#include "platform/dc/Dc.h"

namespace dc_detail {
// Whether a list is set (measuring the text costs a context with its own metrics a call).
bool TextBoxLogging();
// Adds the box and its text to the list set by SetTextBoxLog, if one is set.
void LogTextBox(const CRect& box, std::string_view text);
}  // namespace dc_detail
