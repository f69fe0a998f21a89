// Key presses arm a key; clicks are judged as hits, wrong clicks or empty clicks.
#include <cstdint>

#include "game/GameView.h"

namespace {
constexpr UINT VK_ESCAPE_CODE = 27;

bool Contains(const CCircle& circle, CPoint point)
{
    // 64-bit differences: a click may come from anywhere, the test must not overflow.
    const double dx = static_cast<double>(std::int64_t{circle.m_nX} - point.x);
    const double dy = static_cast<double>(std::int64_t{circle.m_nY} - point.y);
    return dx * dx + dy * dy <= circle.m_dRadius * circle.m_dRadius;
}
}  // namespace

void CGameView::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (!m_bRunning || !m_bCustomKeys || !m_bActive || m_bPaused)
        return;
    if (nChar == VK_ESCAPE_CODE) {
        m_strLastKey.clear();
        return;
    }
    const auto code = static_cast<unsigned char>(nChar & 0xFF);
    m_strLastKey = CharString(code);
    m_actions.KeyArmed(code, m_sys.clock.SteadyMs());
}

void CGameView::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (m_bRunning)
        JudgeClick(point, 1);
    else if (!m_bShowResult)
        NewGame();
}

void CGameView::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    if (m_bRunning)
        JudgeClick(point, 1);
}

void CGameView::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (m_bRunning)
        JudgeClick(point, 0);
}

void CGameView::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    OnRButtonDown(nFlags, point);
}

void CGameView::JudgeClick(CPoint point, BOOL bLeftButton)
{
    if (IsHeld())
        return;
    const std::int64_t nowMs = m_sys.clock.SteadyMs();

    // The oldest circle under the pointer is the one judged.
    auto found = m_listCircles.begin();
    while (found != m_listCircles.end() && !Contains(*found, point))
        ++found;

    int penalty = 15;  // an empty click
    if (found != m_listCircles.end()) {
        const bool matches = (found->m_bLeftButton != 0) == (bLeftButton != 0) && found->m_strLabel == m_strLastKey;
        if (matches) {
            const bool labelled = !found->m_strLabel.empty();
            PlaySound(labelled               ? "res/hit3.wav"
                      : found->m_bLeftButton ? "res/hit1.wav"
                                             : "res/hit2.wav",
                      SoundMode::Async);
            m_nScore += labelled ? 25 : 10;
            m_aSlots[m_nSlot].nUseful += static_cast<int>(found->m_strLabel.size()) + 1;
            m_actions.Hit(*found, point, nowMs);
            m_listCircles.erase(found);
            m_strLastKey.clear();
            return;
        }
        m_actions.Miss(point, bLeftButton != 0, m_strLastKey, nowMs);
        m_strLastKey.clear();
        penalty = 5;  // a wrong click
    } else {
        m_actions.Miss(point, bLeftButton != 0, m_strLastKey, nowMs);
    }

    PlaySound("res/miss.wav", SoundMode::Async);
    m_nScore = m_nScore < penalty ? 0 : m_nScore - penalty;
    ++m_nMisses;
}
