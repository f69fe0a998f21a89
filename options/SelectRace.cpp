// The Select Race command: the player picks a race, or cancels.
#include "game/GameView.h"
#include "options/DlgSelect.h"

void CGameView::OnSelectRace()
{
    CDlgSelect dlg(m_sys.raceDialog);
    dlg.m_bCancelEnabled = 1;
    if (dlg.DoModal() != CDlgSelect::IDOK)
        return;
    m_strRace = dlg.m_strRace;
    // Before the first game the field is drawn only once a race is set.
    InvalidateRect(FieldRect(), 0);
}
