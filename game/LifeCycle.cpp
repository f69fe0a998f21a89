// Starting, holding, resuming and stopping a game, and the time accounting of holds.
#include <algorithm>
#include <cmath>

#include "game/DlgSelect.h"
#include "game/GameView.h"

double CGameView::SecondsBetween(const time64& a, const time64& b)
{
    // Whole seconds from b to a. Only the difference of the two times is used, so a game
    // that runs over midnight keeps its true length.
    return static_cast<double>(a - b);
}

void CGameView::NewGame()
{
    if (m_strRace.empty()) {
        CDlgSelect dlg(m_sys.raceDialog);
        dlg.m_bCancelEnabled = 0;
        dlg.DoModal();
        m_strRace = dlg.m_strRace;
    }
    m_strLastKey.clear();

    m_dPausedMinutes = 0.0;
    m_nScore = 0;
    m_nApmSamples = 0;
    m_nSlot = 0;
    m_nApm = 0;
    m_nApmAverage = 0;
    m_nAccuracy = 0;
    m_nEndCounter = 0;
    m_nApmMax = 0;
    m_nUsefulTotal = 0;
    m_nUsefulWindow = 0;
    m_nMisses = 0;
    m_nKeys = 0;

    m_sys.random.srand(m_sys.clock.Time32());
    m_sys.random.rand();

    ReadHotkeySet();
    PreparePractise();
    PlaySound("res/welcome.wav", SoundMode::Sync);

    m_bRunning = 1;
    m_bShowResult = 0;
    m_bHistoryStarted = 0;
    m_tStart = m_sys.clock.Now();
    for (SLOT& slot : m_aSlots)
        slot = SLOT{m_tStart, 0, 0.0};
    // A new game is never paused and follows the frame: one that starts while the frame is
    // inactive is held from its own start.
    m_bPaused = 0;
    m_bActive = m_bFrameActive;
    if (IsHeld())
        m_program.s_tHoldStart = m_tStart;
    m_actions.Start(m_sys.clock.SteadyMs(), IsHeld() != 0);
    m_nTimerId = SetTimer(GameTimerId, TimerMs);
}

void CGameView::StopGame(const BOOL& bShowResult)
{
    EndGame(bShowResult);
    if (bShowResult)
        m_sys.history.Keep(KeptResult());
}

void CGameView::EndGame(const BOOL& bShowResult)
{
    KillTimer(m_nTimerId);
    m_listCircles.clear();
    m_actions.CirclesGone();
    m_bRunning = 0;
    m_tEnd = m_sys.clock.Now();
    if (bShowResult) {
        m_bShowResult = 1;
        InvalidateRect(FieldRect(), 0);
        PlaySound("res/applause.wav", SoundMode::Sync);
    }
}

KeptGame CGameView::KeptResult() const
{
    KeptGame game;
    game.started = m_tStart;
    game.ended = m_tEnd;
    // As the rates count it: the whole game less the holds (each a second longer than it lasted).
    const double seconds = SecondsBetween(m_tEnd, m_tStart) - m_dPausedMinutes / MinutesPerSecond;
    game.playSeconds = std::max<std::int64_t>(std::llround(seconds), 0);
    game.race = m_strRace;
    game.statistics = m_bShowStatistics != 0;
    game.noIntersect = m_bNoIntersect != 0;
    game.customKeys = m_bCustomKeys != 0;
    game.darkening = m_bDarkening != 0;
    game.sounds = m_bSounds != 0;
    game.width = m_nWidth;
    game.height = m_nHeight;
    game.score = m_nScore;
    game.average = m_nApmAverage;
    game.best = m_nApmMax;
    game.last = m_nApm;
    game.accuracy = m_nAccuracy;
    game.useful = m_nUsefulTotal;
    game.misses = m_nMisses;
    // The samples the result graph draws.
    game.samples.assign(m_anApmHistory.begin(), m_anApmHistory.begin() + m_nApmSamples);
    game.actions = m_actions.List();
    return game;
}

void CGameView::OnNewStopGame()
{
    if (m_bRunning)
        StopGame(1);
    else
        NewGame();
}

void CGameView::OnPauseGame()
{
    const BOOL wasHeld = IsHeld();
    m_bPaused = !m_bPaused;
    OnHoldChange(wasHeld);
}

void CGameView::OnActivateChange(BOOL bActive)
{
    m_bFrameActive = bActive ? 1 : 0;
    if (!m_bRunning || m_bActive == m_bFrameActive)
        return;
    const BOOL wasHeld = IsHeld();
    m_bActive = m_bFrameActive;
    OnHoldChange(wasHeld);
}

void CGameView::OnHoldChange(const BOOL& bWasHeld)
{
    // A hold is the whole time the game is held, whether by the pause, by the frame, or by
    // both in any order: it begins when the game becomes held and ends when it is free.
    if (bWasHeld == IsHeld())
        return;
    const time64 now = m_sys.clock.Now();
    const std::int64_t nowMs = m_sys.clock.SteadyMs();
    if (!bWasHeld) {
        m_program.s_tHoldStart = now;
        m_actions.HoldBegins(nowMs);
        return;
    }
    m_actions.HoldEnds(nowMs);
    // Each hold counts one second more than it lasted; a clock set back counts no time.
    const double seconds = std::max(SecondsBetween(now, m_program.s_tHoldStart), 0.0);
    const double d = (seconds + 1.0) * MinutesPerSecond;
    m_aSlots[m_nSlot].dPaused += d;
    m_dPausedMinutes += d;
}
