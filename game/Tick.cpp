// The game timer's tick: spawning, the end rule, statistics slots and the repaint request.
#include <cmath>

#include "game/GameView.h"

namespace {
constexpr double AngleScale = 0.010956144901882993;      // 359 / 32767: radians from rand
constexpr double DistanceScale = 3.051850947599719e-05;  // 1 / 32767: 0..1 from rand
constexpr double InnerX = 12.0;
constexpr double InnerY = 9.0;
constexpr int MaxPlacements = 31;
constexpr unsigned ResumeSleepMs = 750;
// Below half a second of play a rate means nothing (and could overflow an int).
constexpr double MinMinutesForRate = 1.0 / 120.0;
}  // namespace

void CGameView::OnTimer(UINT_PTR /*nIDEvent*/)
{
    if (IsHeld()) {
        m_program.s_bWasHeld = 1;
        return;
    }

    if (static_cast<int>(m_listCircles.size()) < m_nApm / 30 + 1) {
        const int roll = m_sys.random.rand() % 1000;
        if (roll < 100)
            SpawnCircle(1, 1);
        else if (roll < 450)
            SpawnCircle(0, 0);
        else
            SpawnCircle(1, 0);
    }

    // The end rule shows the results at once, but the rest of the tick still runs and may
    // close a slot: the game is kept when the tick is over, with the numbers the panel shows.
    bool ended = false;
    if (m_bHistoryStarted) {
        if (m_program.s_nEndTicks == 20) {
            m_program.s_nEndTicks = 0;
            ++m_nEndCounter;
            if (m_nEndCounter > 20 && m_nEndCounter > m_nApmMax) {
                EndGame(1);
                ended = true;
            }
        } else {
            ++m_program.s_nEndTicks;
        }
    }

    if (m_program.s_nSlotTicks == 5) {
        m_program.s_nSlotTicks = 0;
        CloseSlot();
    } else {
        ++m_program.s_nSlotTicks;
    }

    InvalidateRect(FieldRect(), 0);

    if (m_program.s_bWasHeld) {
        m_sys.clock.Sleep(ResumeSleepMs);
        m_actions.Frozen(ResumeSleepMs);
        m_program.s_bWasHeld = 0;
    }
    if (ended)
        m_sys.history.Keep(KeptResult());
}

void CGameView::CloseSlot()
{
    const time64 now = m_sys.clock.Now();
    const int useful = m_aSlots[m_nSlot].nUseful;
    m_nUsefulWindow += useful;
    m_nUsefulTotal += useful;

    m_nSlot = (m_nSlot + 1) % SlotCount;
    SLOT& current = m_aSlots[m_nSlot];  // the oldest slot, about to be reused

    double pausedInWindow = 0.0;
    for (const SLOT& slot : m_aSlots)
        pausedInWindow += slot.dPaused;
    const double total = SecondsBetween(now, m_tStart) * MinutesPerSecond - m_dPausedMinutes;
    const double window = SecondsBetween(now, current.tStart) * MinutesPerSecond - pausedInWindow;

    if (window >= MinMinutesForRate)
        m_nApm = static_cast<int>(m_nUsefulWindow / window);
    if (total >= MinMinutesForRate)
        m_nApmAverage = static_cast<int>(m_nUsefulTotal / total);
    if (m_nApm > m_nApmMax)
        m_nApmMax = m_nApm;
    m_nAccuracy = m_nUsefulTotal != 0 ? m_nUsefulTotal * 100 / (m_nMisses + m_nUsefulTotal) : 0;

    if (m_nSlot % 16 == 0) {
        m_anApmHistory[m_nApmSamples] = m_nApm;
        m_nApmSamples = (m_nApmSamples + 1) % HistorySize;
        m_bHistoryStarted = 1;
    }

    m_nUsefulWindow -= current.nUseful;
    current = SLOT{now, 0, 0.0};
}

void CGameView::SpawnCircle(BOOL bLeftButton, BOOL bWantLabel)
{
    CCircle circle;
    const int halfW = m_nWidth / 2;
    const int halfH = m_nHeight / 2;
    const double spacing = 2.1 * m_dUnit;
    const double minDistance2 = spacing * spacing;

    for (int placements = 1;; ++placements) {
        const double angle = m_sys.random.rand() * AngleScale;
        const double s = m_sys.random.rand() * DistanceScale;
        circle.m_nX = halfW + static_cast<int>(std::cos(angle) * ((halfW - m_dUnit - InnerX) * s + InnerX));
        circle.m_nY = halfH + static_cast<int>(std::sin(angle) * ((halfH - m_dUnit - InnerY) * s + InnerY));
        if (!m_bNoIntersect)
            break;

        bool conflict = false;
        for (auto it = m_listCircles.rbegin(); it != m_listCircles.rend(); ++it) {
            const double dx = it->m_nX - circle.m_nX;
            const double dy = it->m_nY - circle.m_nY;
            if (minDistance2 >= dx * dx + dy * dy) {
                conflict = true;
                break;
            }
        }
        // On a crowded field the last placement is taken even if it overlaps.
        if (!conflict || placements == MaxPlacements)
            break;
    }

    circle.m_dRadius = 3.0;
    circle.m_bGrowing = 1;
    circle.m_bLeftButton = bLeftButton;
    // With no labels loaded a circle that wants one stays mouse-only.
    if (m_bCustomKeys && bWantLabel && m_nKeys > 0)
        circle.m_strLabel = DrawLabel();
    m_listCircles.push_back(std::move(circle));
    m_actions.Placed(m_listCircles.back(), m_sys.clock.SteadyMs());
}
