// Button dispatch of the race selection dialog.
#include "options/DlgSelect.h"

bool CDlgSelect::OnButton(int nID)
{
    switch (nID) {
    case 3: OnDefault(); return true;
    case 1000: OnHuman(); return true;
    case 1001: OnOrc(); return true;
    case 1002: OnUndead(); return true;
    case 1004: OnNightElves(); return true;
    case IDCANCEL: OnCancel(); return true;
    default: return false;
    }
}
