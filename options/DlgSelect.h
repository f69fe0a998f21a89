// The race selection dialog (template 159): its race member, its Cancel switch, its
// buttons and layout; the window itself is run by an IRaceDialog of the platform in use.
#pragma once

#include <array>
#include <string>

#include "platform/Win.h"

class CDlgSelect;

// Runs a CDlgSelect modally: shows the buttons, disables Cancel unless m_bCancelEnabled,
// calls the handler of the button pressed and returns the dialog's result.
class IRaceDialog {
public:
    virtual ~IRaceDialog() = default;
    virtual int DoModal(CDlgSelect& dlg) = 0;
};

class CDlgSelect {
public:
    static constexpr UINT IDD = 159;
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    // One control of the template, in tab order; position and size in dialog units.
    struct Control {
        int nID;  // -1 for the group box
        const char* text;
        const char* race;  // race code set by the button, null for Cancel and the group box
        int x, y, cx, cy;
    };
    static constexpr const char* Caption = "Select Race";
    static constexpr int Width = 172;
    static constexpr int Height = 108;
    static constexpr std::array<Control, 7> Controls = {{
        {2, "Cancel", nullptr, 108, 78, 50, 14},
        {1000, "Human", "hu", 66, 24, 84, 14},
        {1001, "Orc", "or", 48, 42, 84, 14},
        {1002, "Undead", "ud", 30, 60, 84, 14},
        {-1, "Select Your Race", nullptr, 6, 6, 158, 96},
        {1004, "Night Elves", "ne", 12, 78, 84, 14},
        {3, "Default", "df", 12, 24, 50, 14},
    }};

    explicit CDlgSelect(IRaceDialog& ui) : m_ui(ui) {}

    std::string m_strRace;      // code of the race button pressed; empty if none was
    BOOL m_bCancelEnabled = 1;  // whether Cancel is enabled when the dialog opens

    int DoModal()
    {
        m_nResult = IDCANCEL;
        return m_ui.DoModal(*this);
    }

    void OnDefault() { Choose("df"); }
    void OnHuman() { Choose("hu"); }
    void OnOrc() { Choose("or"); }
    void OnUndead() { Choose("ud"); }
    void OnNightElves() { Choose("ne"); }
    void OnCancel() { m_nResult = IDCANCEL; }
    // The handler of the button with this control id; false for an id that is no button.
    bool OnButton(int nID);

    // What the dialog ended with: IDOK after a race button, IDCANCEL otherwise.
    int Result() const { return m_nResult; }

private:
    void Choose(const char* code)
    {
        m_strRace = code;
        m_nResult = IDOK;
    }

    IRaceDialog& m_ui;
    int m_nResult = IDCANCEL;
};
