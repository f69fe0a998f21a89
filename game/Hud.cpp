// The heads-up display: five flat figures made of circular arcs (rate gauge, end gauge, key
// cap, accuracy gauge, score plate), the bars of the three gauges, the armed key and the score.
#include <array>
#include <cmath>
#include <cstdio>
#include <span>

#include "game/GameView.h"
#include "platform/dc/Dc.h"
#include "render/Fonts.h"

namespace {
constexpr double Degree = 0.017453292222222222;  // 3.1415926 / 180
constexpr int KeyFontHeight = 40;
constexpr int ScoreFontHeight = 26;

// One arc of a figure. Centres are given from the field's left or right edge and from its
// top or bottom edge, since the figures keep to the corners.
struct Arc {
    bool fromRight;
    int x;
    bool fromBottom;
    int y;
    int radius;
    double start;
    double sweep;
    int points;
};
constexpr bool L = false, R = true, T = false, B = true;

constexpr Arc RateFrame[] = {
    {L, 15, B, 390, 10, 180, 180, 8}, {L, 230, B, 240, 206, 180, -68, 12}, {L, 95, B, 45, 10, -90, -90, 8},
    {L, 65, B, 25, 20, 0, 90, 8},     {L, 25, B, 25, 20, 90, 90, 8},
};
constexpr Arc EndFrame[] = {
    {L, 230, B, 240, 206, 118.5, -20, 8},
    {L, 245, B, 20, 15, -90, 180, 8},
    {L, 155, B, 15, 10, 90, 90, 8},
};
constexpr Arc AccuracyFrame[] = {
    {R, 20, T, 49, 12, -90, 90, 8},
    {R, 20, T, 95, 12, 0, 180, 8},
    {R, 95, T, 95, 63, 0, -45, 12},
    {R, 57, T, 43, 6, 90, 180, 8},
};
constexpr Arc KeyCap[] = {
    {L, 100, B, 40, 10, 180, 90, 8},
    {L, 130, B, 40, 10, -90, 90, 8},
    {L, 130, B, 15, 10, 0, 90, 8},
    {L, 100, B, 15, 10, 90, 90, 8},
};
constexpr Arc ScorePlate[] = {
    {R, 20, T, 20, 15, -90, 180, 8},
    {R, 90, T, 20, 15, 90, 180, 8},
};

// Bar ends; index 0 is never used.
constexpr std::array<int, 43> RateBarRight = {0,  77, 77, 77, 77, 117, 102, 89, 78, 69, 62, 56, 50, 44, 39,
                                              35, 32, 28, 26, 24, 22,  20,  18, 18, 18, 18, 18, 18, 18, 18,
                                              18, 18, 18, 18, 18, 18,  18,  18, 18, 18, 18, 18, 18};
constexpr std::array<int, 16> EndBarTop = {0, 29, 29, 29, 29, 29, 29, 30, 31, 32, 33, 35, 37, 39, 41, 44};
constexpr std::array<int, 12> AccuracyBarLeft = {0, 52, 44, 40, 35, 33, 31, 29, 28, 27, 27, 27};

void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}
}  // namespace

void CGameView::GetArcPoints(int cx, int cy, int r, double start, double sweep, int n, CPoint* points)
{
    // Four degrees beyond each end of a positive sweep (inside each end of a negative one).
    const double first = start - 4.0;
    const double step = (sweep + 8.0) / (n - 1);
    for (int i = 0; i < n; ++i) {
        const double angle = (first + i * step) * Degree;
        points[i] = CPoint{static_cast<int>(cx + r * std::cos(angle)), static_cast<int>(cy + r * std::sin(angle))};
    }
}

namespace {
// The figure as one polygon, its arcs' points in order.
void DrawFigure(CDC* pDC, std::span<const Arc> arcs, int width, int height)
{
    std::array<CPoint, 64> points;
    int count = 0;
    for (const Arc& arc : arcs) {
        CGameView::GetArcPoints(arc.fromRight ? width - arc.x : arc.x, arc.fromBottom ? height - arc.y : arc.y,
                                arc.radius, arc.start, arc.sweep, arc.points, &points[count]);
        count += arc.points;
    }
    pDC->Polygon(points.data(), count);
}
}  // namespace

void CGameView::DrawHud(CDC* pDC) const
{
    const int W = m_nWidth, H = m_nHeight;
    auto statistics = [&] { return m_bRunning && m_bShowStatistics; };

    CGdiObject* pOldBrush = pDC->GetCurrentObject(OBJ_BRUSH);
    CGdiObject* pOldFont = pDC->GetCurrentObject(OBJ_FONT);
    CGdiObject* pOldPen = pDC->GetCurrentObject(OBJ_PEN);

    // The gauge frames lighten the picture in their shape; cap and plate are solid.
    CBrush figure(Rgb(96, 96, 128));
    pDC->SelectObject(&figure);
    pDC->SelectStockObject(NULL_PEN);
    pDC->SetROP2(R2_MERGEPEN);
    if (statistics()) {
        DrawFigure(pDC, RateFrame, W, H);
        DrawFigure(pDC, EndFrame, W, H);
    }
    DrawFigure(pDC, AccuracyFrame, W, H);
    pDC->SetROP2(R2_COPYPEN);
    if (statistics())
        DrawFigure(pDC, KeyCap, W, H);
    DrawFigure(pDC, ScorePlate, W, H);

    pDC->SetTextColor(Rgb(0, 255, 0));
    pDC->SetBkColor(Rgb(96, 96, 128));
    CFont keyFont;
    if (statistics() && !m_strLastKey.empty()) {
        CreateGameFont(keyFont, KeyFontHeight);
        pDC->SelectObject(&keyFont);
        pDC->TextOut(96, H - 47, GetKeyName(m_strLastKey[0], m_strLastKey));
    }
    CFont scoreFont;
    CreateGameFont(scoreFont, ScoreFontHeight);
    pDC->SelectObject(&scoreFont);
    char score[16];
    std::snprintf(score, sizeof score, "%10d", m_nScore);
    pDC->TextOut(W - 92, 7, score);

    // Rate gauge: a bar for every 5 actions a minute, 9 pixels apart, at most 43.
    CPen ratePen(PS_SOLID, 7, Rgb(0, 210, 0));
    if (statistics()) {
        pDC->SelectObject(&ratePen);
        if (m_nApm >= 5)
            Line(pDC, 20, H - 15, 72, H - 15);
        for (int i = 1; i < m_nApm / 5 && 9 * i < 387; ++i)
            Line(pDC, 13, H - 15 - 9 * i, RateBarRight[i], H - 15 - 9 * i);
    }
    // End gauge: full when the end counter passes the best rate.
    CPen endPen(PS_SOLID, 5, Rgb(255, 0, 255));
    if (statistics()) {
        pDC->SelectObject(&endPen);
        const int k = m_nEndCounter * 16 / (m_nApmMax + 1);
        if (k > 0)
            Line(pDC, 253, H - 15, 253, H - 25);
        for (int j = 1, x = 246; j < k && x > 141; ++j, x -= 7)
            Line(pDC, x, H - 12, x, H - EndBarTop[j]);
    }
    // Accuracy gauge: the top line from 10 %, then a bar for each 4.5 % above 50 %.
    CPen accuracyPen(PS_SOLID, 3, Rgb(255, 0, 0));
    pDC->SelectObject(&accuracyPen);
    if (m_nAccuracy >= 10)
        Line(pDC, W - 16, 41, W - 56, 41);
    for (int j = 1, y = 46; 50 + 4.5 * j < m_nAccuracy && y < 101; ++j, y += 5)
        Line(pDC, W - 13, y, W - AccuracyBarLeft[j], y);
    if (m_nAccuracy == 100)
        Line(pDC, W - 16, 101, W - 25, 101);

    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldFont);
    pDC->SelectObject(pOldPen);
}
