// The message box through wxWidgets.
#include "platform/desktop/MessageBoxes.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

void WxMessageBox::Show(const std::string& text)
{
    wxWindow* owner = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    wxMessageBox(wxString(text.c_str(), wxConvISO8859_1, text.size()), "Orbicle", wxOK | wxICON_NONE, owner);
}
