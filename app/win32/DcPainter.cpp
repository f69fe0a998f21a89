// The back buffer of a picture window, and the History window's painters.
#include "app/win32/DcPainter.h"

#include "platform/dc/Dc.h"
#include "render/HistoryChart.h"

void PaintBuffered(CDC& target, CSize size, const DcPainter& painter)
{
    CDC buffer;
    CBitmap bitmap;
    buffer.CreateCompatibleDC(&target);
    if (!bitmap.CreateCompatibleBitmap(&target, size.cx, size.cy))
        return;
    CBitmap* old = buffer.SelectObject(&bitmap);
    painter(buffer, size);
    target.BitBlt(0, 0, size.cx, size.cy, &buffer, 0, 0, SRCCOPY);
    buffer.SelectObject(old);
}

DcPainter HistoryChartPainter(const std::vector<KeptGame>& games)
{
    return [&games](CDC& dc, CSize size) { DrawHistoryChart(dc, size, games); };
}

DcPainter KeptResultPainter(std::function<const KeptGame*()> game)
{
    return [game = std::move(game)](CDC& dc, CSize size) {
        if (const KeptGame* kept = game())
            DrawKeptResult(dc, size, *kept);
        else
            dc.FillSolidRect(CRect{0, 0, size.cx, size.cy}, Rgb(128, 128, 128));
    };
}
