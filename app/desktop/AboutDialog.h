// The About box, dialog 100: the icon, the version line, the notice and an OK button.
#pragma once

#include <wx/dialog.h>

#include "platform/DiskFiles.h"

class CAboutDlg : public wxDialog {
public:
    static constexpr const char* Caption = "About Orbicle";
    static constexpr const char* VersionText = "Orbicle Version 0.80 beta";
    static constexpr const char* NoticeText = "Copyright (C) 2004";

    // The icon comes from res/icon; without it the box shows the rest.
    CAboutDlg(wxWindow* parent, const DiskFiles& files);
};
