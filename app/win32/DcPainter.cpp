// The back buffer of a picture window, and the History window's painters.
#include "app/win32/DcPainter.h"

#include "platform/dc/Dc.h"
#include "render/HistoryChart.h"
#include "render/KeysReport.h"

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

DcPainter UpperPainter(const std::vector<KeptGame>& games, const std::shared_ptr<const KeysReport>& report)
{
    return [&games, &report](CDC& dc, CSize size) {
        if (report)
            DrawKeysReport(dc, size, *report);
        else
            DrawHistoryChart(dc, size, games);
    };
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

std::shared_ptr<const KeysReport> ReportFor(history_view::View view, IHistory& history, IFiles& files,
                                            std::span<const KeptGame> games, const KeptGame* selected)
{
    if (view == history_view::View::Rates)
        return nullptr;
    return std::make_shared<const KeysReport>(history_view::ViewReport(view, history, files, games, selected));
}
