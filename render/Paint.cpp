// Painting the field: the paint handler and DrawScene, whose circle pass also ages the
// circles, one step per drawn frame, and lets shrunk ones escape.
#include <iterator>

#include "game/GameView.h"

void CGameView::OnPaint()
{
    // Before any race, game or result there is nothing but the gray background.
    if (!m_bRunning && !m_bShowResult && m_strRace.empty())
        return;
    DrawScene(nullptr);
}

void CGameView::DrawScene(CDC* /*pDC*/)
{
    // Newest first, so the oldest circle ends on top. Erasing the current circle leaves
    // `next` valid, and the walk goes on with the circle before it.
    for (auto next = m_listCircles.end(); next != m_listCircles.begin();) {
        auto current = std::prev(next);
        if (AgeCircle(*current))
            m_listCircles.erase(current);
        else
            next = current;
    }
}

bool CGameView::AgeCircle(CCircle& circle)
{
    // A labelled circle lives twice as many frames as a mouse-only one.
    const double step = m_dUnit * (circle.m_strLabel.empty() ? 1.0 / 36.0 : 1.0 / 72.0);
    if (circle.m_bGrowing) {
        if (circle.m_dRadius >= m_dUnit)
            circle.m_bGrowing = 0;
        circle.m_dRadius += step;
        return false;
    }
    if (circle.m_dRadius > m_dUnit * 0.1) {
        circle.m_dRadius -= step;
        return false;
    }
    // Shrunk away unhit: the circle escapes.
    PlaySound("res/goaway.wav", SoundMode::Async);
    m_nScore = m_nScore < 10 ? 0 : m_nScore - 10;
    return true;
}

std::string CGameView::GetKeyName(char ch, const std::string& label)
{
    switch (ch) {
    case 'p': return "F1";
    case 'q': return "F2";
    case 'r': return "F3";
    default: return label;
    }
}
