// The History window's layout: the views along the top; from the bottom up buttons, status, then
// the chart and the row of table and result graph share what is left, three parts to two.
#include "app/win32/HistoryLayout.h"

#include <algorithm>

namespace hl = history_layout;

HistoryLayout LayOutHistory(CSize client, DialogUnits units)
{
    const CSize smallest{units.X(hl::SmallestSize.cx), units.Y(hl::SmallestSize.cy)};
    const int width = std::max(client.cx, smallest.cx);
    const int height = std::max(client.cy, smallest.cy);
    const int mx = units.X(hl::Margin), my = units.Y(hl::Margin);
    const int left = mx, right = width - mx;

    HistoryLayout at;
    const int buttonTop = height - my - units.Y(hl::ButtonHeight);
    const int buttonBottom = height - my;
    at.exportButton = CRect{left, buttonTop, left + units.X(hl::ExportWidth), buttonBottom};
    at.deleteButton = CRect{at.exportButton.right + mx, buttonTop,
                            at.exportButton.right + mx + units.X(hl::DeleteWidth), buttonBottom};
    at.closeButton = CRect{right - units.X(hl::CloseWidth), buttonTop, right, buttonBottom};

    const int statusBottom = buttonTop - my;
    at.status = CRect{left, statusBottom - units.Y(hl::StatusLines * hl::LineHeight), right, statusBottom};

    int x = left;
    for (int i = 0; i < 3; ++i) {
        at.views[i] = CRect{x, my, x + units.X(hl::ViewWidths[i]), my + units.Y(hl::ViewHeight)};
        x = at.views[i].right + mx;
    }

    const int top = at.views[0].bottom + my, bottom = at.status.top - my;
    const int chartBottom = top + (bottom - top - my) * 3 / 5;
    at.chart = CRect{left, top, right, chartBottom};
    const int rowTop = chartBottom + my;
    const int rowHeight = bottom - rowTop;
    const int resultWidth = std::min(rowHeight * 4 / 3, (right - left - mx) / 2);
    const int resultHeight = resultWidth * 3 / 4;
    at.result = CRect{right - resultWidth, rowTop, right, rowTop + resultHeight};
    at.table = CRect{left, rowTop, at.result.left - mx, bottom};
    return at;
}
