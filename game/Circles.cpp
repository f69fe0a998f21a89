// Drawing one circle with its key label, and ageing it: circles grow to the size unit,
// shrink, and escape with a penalty when they have shrunk away unhit.
#include "game/GameView.h"
#include "platform/dc/Dc.h"
#include "render/Fonts.h"

namespace {
constexpr int LabelFontHeight = 20;
}

void CGameView::DrawCircle(CDC* pDC, const CCircle& circle) const
{
    const double r = circle.m_dRadius;
    const bool left = circle.m_bLeftButton != 0;
    CPen pen(PS_SOLID, static_cast<int>(r * 0.1 + 2.0), left ? Rgb(0, 255, 0) : Rgb(0, 0, 255));
    CBrush brush(left ? Rgb(240, 255, 240) : Rgb(240, 240, 255));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Ellipse(static_cast<int>(circle.m_nX - r), static_cast<int>(circle.m_nY - r),
                 static_cast<int>(circle.m_nX + r), static_cast<int>(circle.m_nY + r));
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);

    if (circle.m_strLabel.empty())
        return;  // nothing to write
    // Both kinds get the greenish text box.
    pDC->SetTextColor(Rgb(0, 0, 0));
    pDC->SetBkColor(Rgb(240, 255, 240));
    CFont font;
    CreateGameFont(font, LabelFontHeight);
    CFont* pOldFont = pDC->SelectObject(&font);
    // The shown text is centred as if each of its characters were as wide as the stored
    // label: "F1" for 'p' spans two widths of 'p'.
    const CSize size = pDC->GetTextExtent(circle.m_strLabel);
    const std::string shown = GetKeyName(circle.m_strLabel[0], circle.m_strLabel);
    const int x = circle.m_nX - static_cast<int>(shown.size()) * size.cx / 2;
    const int y = circle.m_nY - size.cy / 2;
    pDC->TextOut(x, y, shown);
    pDC->SelectObject(pOldFont);
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
    m_actions.Escaped(circle, m_sys.clock.SteadyMs());
    PlaySound("res/goaway.wav", SoundMode::Async);
    m_nScore = m_nScore < 10 ? 0 : m_nScore - 10;
    return true;
}

std::string CGameView::GetKeyName(char ch, const std::string& label)
{
    // Only the first character decides; the function keys are named, the rest shown as stored.
    switch (ch) {
    case 'p':
    case 'q':
    case 'r': return KeyLabelName(static_cast<unsigned char>(ch));
    default: return label;
    }
}
