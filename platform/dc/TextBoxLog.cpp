// The list of text boxes that TextOut adds to while one is set (see SetTextBoxLog).
#include "platform/dc/TextBoxLog.h"

namespace {
std::vector<TextBox>* g_textBoxes = nullptr;
}

void SetTextBoxLog(std::vector<TextBox>* log)
{
    g_textBoxes = log;
}

bool dc_detail::TextBoxLogging()
{
    return g_textBoxes != nullptr;
}

void dc_detail::LogTextBox(const CRect& box, std::string_view text)
{
    if (g_textBoxes)
        g_textBoxes->push_back(TextBox{box, std::string(text)});
}
