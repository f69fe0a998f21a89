// Painting the field: the back buffer, the background picture, DrawScene's order of steps, the
// darkening grid and the result panel.
#include "game/GameView.h"
#include "platform/PaintDC.h"
#include "platform/Resources.h"
#include "platform/dc/Dc.h"
#include "render/ResultGraph.h"
#include "res/Resource.h"

void CGameView::OnPaint()
{
    CPaintDC paint(*this);
    CDC* pDC = paint.Get();
    if (!pDC)
        return;
    // The back buffer is made at the window's first paint and lives as long as the window.
    if (!m_pBackBitmap->IsCreated()) {
        m_pMemDC->CreateCompatibleDC(pDC);
        m_pBackBitmap->CreateCompatibleBitmap(pDC, m_nWidth, m_nHeight);
    }
    // Before any race, game or result there is nothing but the gray background.
    if (!m_bRunning && !m_bShowResult && m_strRace.empty())
        return;

    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    CDC pictureDC;
    pictureDC.CreateCompatibleDC(pDC);
    pictureDC.SelectObject(LoadBitmapResource(IDB_BACKGROUND));

    CBitmap* pOldBitmap = m_pMemDC->SelectObject(m_pBackBitmap.get());
    m_pMemDC->SelectClipRgn(nullptr);
    m_pMemDC->IntersectClipRect(rcClip);
    m_pMemDC->StretchBlt(0, 0, m_nWidth, m_nHeight, &pictureDC, 0, 0, BackgroundWidth, BackgroundHeight, SRCCOPY);
    DrawScene(m_pMemDC.get());
    pDC->BitBlt(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height(), m_pMemDC.get(), rcClip.left, rcClip.top,
                SRCCOPY);
    m_pMemDC->SelectObject(pOldBitmap);
}

void CGameView::DrawScene(CDC* pDC)
{
    if (m_bDarkening)
        DrawDarkening(pDC);

    // Newest first, so the oldest circle ends on top, where a click finds it first. Erasing
    // the current circle leaves `next` valid, and the walk goes on with the circle before it.
    // A held game's circles stand still: drawn as they are, neither growing nor escaping.
    const bool age = !IsHeld();
    for (auto next = m_listCircles.end(); next != m_listCircles.begin();) {
        auto current = std::prev(next);
        DrawCircle(pDC, *current);
        if (age && AgeCircle(*current))
            m_listCircles.erase(current);
        else
            next = current;
    }

    if (m_bShowResult)
        DrawResult(pDC);
    DrawHud(pDC);
}

void CGameView::DrawDarkening(CDC* pDC) const
{
    // Every third column and row turns black, from column and row 3 on.
    CPen black(PS_SOLID, 0, Rgb(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&black);
    for (int x = 3; x <= m_nWidth; x += 3) {
        pDC->MoveTo(x, 0);
        pDC->LineTo(x, m_nHeight);
    }
    for (int y = 3; y <= m_nHeight; y += 3) {
        pDC->MoveTo(0, y);
        pDC->LineTo(m_nWidth, y);
    }
    pDC->SelectObject(pOldPen);
}

void CGameView::DrawResult(CDC* pDC) const
{
    DrawResultGraph(pDC, ResultNumbers{m_nWidth, m_nHeight, std::span(m_anApmHistory.data(), m_nApmSamples), m_nApmMax,
                                       m_nApmAverage, static_cast<long long>(SecondsBetween(m_tEnd, m_tStart))});
}
