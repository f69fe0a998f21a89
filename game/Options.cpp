// The option commands, Select Race, the menu state of every game command, and the options and
// race kept in the profile.
#include <cstdio>

#include "game/DlgSelect.h"
#include "game/GameView.h"
#include "res/Resource.h"

namespace {
const char* const DefaultOptions = "11011";

void Toggle(BOOL& option)
{
    option = option == 0 ? 1 : 0;
}
}  // namespace

BOOL CGameView::OnCmdMsg(UINT nID, CCmdUI* pCmdUI)
{
    using Command = void (CGameView::*)();
    using Update = void (CGameView::*)(CCmdUI*);
    struct Entry {
        UINT nID;
        Command command;
        Update update;
    };
    static constexpr Entry Map[] = {
        {ID_FILE_NEWSTOPGAME, &CGameView::OnNewStopGame, &CGameView::OnUpdateNewStopGame},
        {ID_FILE_PAUSEGAME, &CGameView::OnPauseGame, &CGameView::OnUpdatePauseGame},
        {ID_FILE_SELECTRACE, &CGameView::OnSelectRace, &CGameView::OnUpdateSelectRace},
        {ID_OPTIONS_SHOWSTATISTICS, &CGameView::OnShowStatistics, &CGameView::OnUpdateShowStatistics},
        {ID_OPTIONS_NOINTERSECT, &CGameView::OnNoIntersect, &CGameView::OnUpdateNoIntersect},
        {ID_OPTIONS_CUSTOMKEYS, &CGameView::OnCustomKeys, &CGameView::OnUpdateCustomKeys},
        {ID_OPTIONS_DARKENING, &CGameView::OnDarkening, &CGameView::OnUpdateDarkening},
        {ID_OPTIONS_SOUNDS, &CGameView::OnSounds, &CGameView::OnUpdateSounds},
        {ID_OPTIONS_PRACTISESLOWKEYS, &CGameView::OnPractiseSlowKeys, &CGameView::OnUpdatePractiseSlowKeys},
    };
    for (const Entry& entry : Map) {
        if (entry.nID != nID)
            continue;
        if (pCmdUI)
            (this->*entry.update)(pCmdUI);
        else
            (this->*entry.command)();
        return 1;
    }
    return 0;
}

void CGameView::OnShowStatistics()
{
    Toggle(m_bShowStatistics);
    // The display appears or goes at once, also while the game is held.
    InvalidateRect(FieldRect(), 0);
}

void CGameView::OnNoIntersect()
{
    Toggle(m_bNoIntersect);
}
void CGameView::OnCustomKeys()
{
    Toggle(m_bCustomKeys);
}
void CGameView::OnDarkening()
{
    Toggle(m_bDarkening);
}
void CGameView::OnSounds()
{
    Toggle(m_bSounds);
}

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

void CGameView::OnUpdateNewStopGame(CCmdUI* pCmdUI)
{
    // A running game can be stopped only once its first rate sample is taken.
    pCmdUI->Enable(!m_bRunning || m_bHistoryStarted);
    pCmdUI->SetText(m_bRunning ? "&Stop Game" : "&New Game");
}

void CGameView::OnUpdatePauseGame(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bRunning);
    pCmdUI->SetText(m_bPaused ? "Un&pause Game" : "&Pause Game");
}

void CGameView::OnUpdateSelectRace(CCmdUI* pCmdUI)
{
    // Whenever no game runs, also while a result is on show.
    pCmdUI->Enable(!m_bRunning);
}

void CGameView::OnUpdateShowStatistics(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bShowStatistics != 0);
}

void CGameView::OnUpdateNoIntersect(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bRunning);
    pCmdUI->SetCheck(m_bNoIntersect != 0);
}

void CGameView::OnUpdateCustomKeys(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_bRunning);
    pCmdUI->SetCheck(m_bCustomKeys != 0);
}

void CGameView::OnUpdateDarkening(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bDarkening != 0);
    // The update runs right before the command too, so the paint after a toggle shows the
    // new state even when no game is running.
    InvalidateRect(FieldRect(), 0);
}

void CGameView::OnUpdateSounds(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bSounds != 0);
}

void CGameView::OnPractiseSlowKeys()
{
    m_practiseSlowKeys = !m_practiseSlowKeys;
}

void CGameView::OnUpdatePractiseSlowKeys(CCmdUI* pCmdUI)
{
    // It weighs the labels of the next game, as Custom Keys gives them.
    pCmdUI->Enable(!m_bRunning);
    pCmdUI->SetCheck(m_practiseSlowKeys);
}

void CGameView::LoadSettings()
{
    m_strRace = m_sys.profile.GetString(SettingsSection, "Race");
    std::string options = m_sys.profile.GetString(SettingsSection, "Options");
    if (options.size() != 5)
        options = DefaultOptions;
    // Each character less '0', unchecked: any value but 0 counts as on.
    BOOL* const fields[] = {&m_bShowStatistics, &m_bNoIntersect, &m_bCustomKeys, &m_bDarkening, &m_bSounds};
    for (int i = 0; i < 5; ++i)
        *fields[i] = static_cast<signed char>(options[i]) - '0';

    // Its own entry, "1" for on; a profile without it stays without it while the option is off.
    const std::string absent(1, '\0');  // no stored text holds a zero byte
    const std::string practise = m_sys.profile.GetString(SettingsSection, PractiseEntry, absent);
    m_practiseStored = practise != absent;
    m_practiseSlowKeys = practise == "1";
}

void CGameView::SaveSettings()
{
    m_sys.profile.WriteString(SettingsSection, "Race", m_strRace);
    char options[64];
    std::snprintf(options, sizeof options, "%d%d%d%d%d", m_bShowStatistics, m_bNoIntersect, m_bCustomKeys, m_bDarkening,
                  m_bSounds);
    m_sys.profile.WriteString(SettingsSection, "Options", options);
    if (m_practiseSlowKeys || m_practiseStored)
        m_sys.profile.WriteString(SettingsSection, PractiseEntry, m_practiseSlowKeys ? "1" : "0");
}
