// Drawing with the program's device context for the Windows program's own windows, in plain
// types: windows.h defines many of the names platform/dc/Dc.h declares itself, so the two never
// meet in one source. The files that include this one see neither.
#pragma once

#include <functional>
#include <memory>
#include <span>

#include "app/HistoryView.h"
#include "platform/Files.h"
#include "platform/History.h"
#include "platform/Win.h"

class CDC;

// Draws a picture of the size given on the context given.
using DcPainter = std::function<void(CDC& dc, CSize size)>;

// The painter into a bitmap of the size, then one copy onto the target, so that a window never
// shows half a picture.
void PaintBuffered(CDC& target, CSize size, const DcPainter& painter);

// The History window's pictures: above, the keys report while there is one, otherwise the chart
// of the games (both read when drawn); below, the result graph of a kept game, which the
// function gives when asked (gray without one).
DcPainter UpperPainter(const std::vector<KeptGame>& games, const std::shared_ptr<const KeysReport>& report);
DcPainter KeptResultPainter(std::function<const KeptGame*()> game);
// The report of a keys view (history_view::ViewReport); none for Rates.
std::shared_ptr<const KeysReport> ReportFor(history_view::View view, IHistory& history, IFiles& files,
                                            std::span<const KeptGame> games, const KeptGame* selected);
