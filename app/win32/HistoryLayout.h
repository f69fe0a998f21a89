// Where the History window's parts go at a size of its client area. From the top: the row of
// views (Rates, Keys: selected game, Keys: last 10 games); the picture they choose, the chart of
// every game or the keys report, across the whole width; below it the table of games and, on its right, the
// selected game's result graph in the field's shape (4:3); the status lines; and the buttons
// along the bottom, Export CSV... and Delete game on the left, Close on the right. Measures are
// in dialog units, as Windows lays out dialogs, so the window grows with the dialog font.
#pragma once

#include "platform/Win.h"

// The dialog's base units, as MapDialogRect uses them: 4 horizontal and 8 vertical dialog
// units are one base unit.
struct DialogUnits {
    int baseX = 6;
    int baseY = 13;
    int X(int units) const { return units * baseX / 4; }
    int Y(int units) const { return units * baseY / 8; }
};

struct HistoryLayout {
    CRect views[3];  // in the order of history_view::View
    CRect chart;
    CRect table;
    CRect result;
    CRect status;
    CRect exportButton;
    CRect deleteButton;
    CRect closeButton;
};

namespace history_layout {
inline constexpr int Margin = 7;  // dialog units, round the edges and between the parts
inline constexpr int ButtonHeight = 14;
inline constexpr int ViewHeight = 10;
inline constexpr int ViewWidths[3] = {44, 92, 92};
inline constexpr int ExportWidth = 64;
inline constexpr int DeleteWidth = 56;
inline constexpr int CloseWidth = 50;
inline constexpr int StatusLines = 3;
inline constexpr int LineHeight = 8;
// The client area the window opens with and the smallest one it can be made.
inline constexpr CSize OpeningSize{600, 460};
inline constexpr CSize SmallestSize{300, 260};
}  // namespace history_layout

// The parts at a client area of this size, in pixels. Below the smallest size the parts keep the
// proportions of the smallest one and may be cut at the right and the bottom.
HistoryLayout LayOutHistory(CSize client, DialogUnits units);
