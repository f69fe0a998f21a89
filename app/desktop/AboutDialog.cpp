// The About box laid out in dialog units, as its template places its controls.
#include "app/desktop/AboutDialog.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "platform/desktop/DialogUnits.h"

CAboutDlg::CAboutDlg(wxWindow* parent, const DiskFiles& files)
    : wxDialog(parent, wxID_ANY, Caption, wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    SetFont(DialogFont());
    const DialogBaseUnits base = BaseUnitsOf(*this, GetFont());
    const wxRect client = DialogUnitsToPixels(0, 0, 235, 55, base);
    SetClientSize(client.GetSize());

    const wxRect iconBox = DialogUnitsToPixels(11, 17, 20, 20, base);
    const std::filesystem::path iconFile = files.Find("res/icon/orbicle_32.png");
    wxImage icon;
    const wxLogNull quiet;  // no icon is no reason for a message
    if (!iconFile.empty() && icon.LoadFile(wxString(iconFile.string()), wxBITMAP_TYPE_PNG))
        new wxStaticBitmap(this, wxID_ANY, wxBitmap(icon), iconBox.GetPosition(), wxDefaultSize);

    const wxRect version = DialogUnitsToPixels(40, 10, 119, 8, base);
    new wxStaticText(this, wxID_ANY, VersionText, version.GetPosition(), version.GetSize(), wxST_NO_AUTORESIZE);
    const wxRect notice = DialogUnitsToPixels(40, 25, 119, 8, base);
    new wxStaticText(this, wxID_ANY, NoticeText, notice.GetPosition(), notice.GetSize(), wxST_NO_AUTORESIZE);
    const wxRect ok = DialogUnitsToPixels(178, 7, 50, 16, base);
    auto* button = new wxButton(this, wxID_OK, "OK", ok.GetPosition(), ok.GetSize());
    button->SetDefault();
    button->SetFocus();
    CentreOnParent();
}
