// The result panel of a finished game: the rate curve over the whole game on a dash-dotted
// grid, the best and average rates, and the game's length.
#include <cstdio>

#include "platform/dc/Dc.h"
#include "render/Fonts.h"
#include "render/ResultGraph.h"

namespace {
constexpr int PanelFontHeight = 22;

std::string Format3d(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%3d", value);
    return text;
}

// "m:ss", minutes unlimited, a leading blank below ten minutes.
std::string ClockText(long long seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%2lld:%lld%lld", seconds / 60, seconds % 60 / 10, seconds % 60 % 10);
    return text;
}
}  // namespace

void DrawResultGraph(CDC* pDC, const ResultNumbers& result)
{
    const int x0 = result.width / 8, y0 = result.height / 8;
    const int x1 = 7 * result.width / 8, y1 = 7 * result.height / 8;
    const int gw = x1 - x0, gh = y1 - y0;
    const int samples = static_cast<int>(result.samples.size());
    const double sx = samples > 0 ? static_cast<double>(gw) / samples : 0.0;
    // With no rate at all the curve lies on the axis instead of dividing by zero.
    const double sy = result.best != 0 ? static_cast<double>(gh) / result.best : 0.0;
    auto height = [&](int rate) { return y1 - static_cast<int>(rate * sy); };

    CGdiObject* pOldPen = pDC->GetCurrentObject(OBJ_PEN);
    CGdiObject* pOldFont = pDC->GetCurrentObject(OBJ_FONT);

    CPen curve(PS_SOLID, 3, Rgb(255, 0, 0));
    pDC->SelectObject(&curve);
    pDC->MoveTo(x0, y1);
    for (int i = 0; i < samples; ++i)
        pDC->LineTo(static_cast<int>((i + 1) * sx + x0), height(result.samples[i]));

    CFont font;
    CreateGameFont(font, PanelFontHeight);
    CPen grid(PS_DASHDOT, 1, Rgb(0, 0, 128));
    pDC->SelectObject(&font);
    pDC->SelectObject(&grid);
    pDC->SetTextColor(Rgb(255, 255, 255));
    pDC->SetBkColor(Rgb(128, 128, 128));
    for (int j = 1; j <= 10; ++j) {
        const int x = x0 + j * gw / 10;
        pDC->MoveTo(x, y0 - 5);
        pDC->LineTo(x, y1 + 5);
    }
    for (int v = 20; v < result.best; v += 20) {
        const int y = height(v);
        pDC->MoveTo(x0 - 5, y);
        pDC->LineTo(x1 + 5, y);
        pDC->TextOut(x0 + 7, y - 3, Format3d(v));
    }
    pDC->TextOut(x0 - 30, height(result.average), Format3d(result.average));
    pDC->TextOut(x1 - 20, y0 - 15, Format3d(result.best));
    // A clock set back during the game would give a negative length: shown as 0:00.
    pDC->TextOut(x1 - 40, y1 + 8, ClockText(result.seconds > 0 ? result.seconds : 0));

    CPen axis(PS_SOLID, 5, Rgb(128, 128, 128));
    pDC->SelectObject(&axis);
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x0, y1);
    pDC->LineTo(x1, y1);
    pDC->MoveTo(x0 - 3, y0 + 25);
    pDC->LineTo(x0, y0);
    pDC->LineTo(x0 + 3, y0 + 25);
    pDC->MoveTo(x1 - 25, y1 - 3);
    pDC->LineTo(x1, y1);
    pDC->LineTo(x1 - 25, y1 + 3);

    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldFont);
}
