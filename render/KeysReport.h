// The keys report: what to practise, drawn with the program's device context from plain data
// so that it looks the same on every platform and can be made without a display. A keyboard
// with the hotkey set's keys in their places, coloured by median reaction time (fast green,
// slow red, on the scale of this report's own fastest and slowest), with hit rate and count;
// the two mouse buttons side by side; the five slowest keys; the spread of every reaction time
// as figures and a histogram.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/History.h"
#include "platform/dc/Dc.h"
#include "render/KeyStats.h"

struct KeysReport {
    std::string title;                   // what the report is of: "Game of 2026-01-05 13:00"
    KeyStats stats;                      // of its actions
    std::vector<unsigned char> hotkeys;  // the labels of the race's set: drawn bright, others dim
};

namespace keys_report {
// Everything is laid out for this size and scaled to the size drawn, keeping its shape.
inline constexpr CSize DesignSize{760, 440};
inline constexpr int HistogramBins = 24;

inline constexpr COLORREF Background = Rgb(255, 255, 255);
inline constexpr COLORREF Ink = Rgb(50, 50, 50);
inline constexpr COLORREF Faint = Rgb(150, 150, 150);
inline constexpr COLORREF DimKey = Rgb(242, 242, 242);  // not in the set, no actions
inline constexpr COLORREF DimInk = Rgb(190, 190, 190);
inline constexpr COLORREF UnseenKey = Rgb(222, 222, 222);  // in the set, never judged
inline constexpr COLORREF Outline = Rgb(160, 160, 160);
inline constexpr COLORREF Fast = Rgb(110, 200, 110);
inline constexpr COLORREF Middle = Rgb(250, 210, 80);
inline constexpr COLORREF Slow = Rgb(240, 100, 90);

// The colour of a median between the report's fastest and slowest (Fast, Middle, Slow).
COLORREF ReactionColour(int ms, int fastest, int slowest);
// The face of a key (by its label, the key's virtual-key code) on a report of this size;
// empty for a key the board does not show.
CRect KeyRect(CSize size, unsigned char code);
// The face of a mouse button.
CRect ButtonRect(CSize size, KeptAction::Button button);
// Where the histogram's bars stand (their bottoms on its bottom edge).
CRect HistogramPlot(CSize size);
// The width of a bar in milliseconds: the smallest of 10, 20, 25, 50, 100, 200, 250, 500 ms
// and whole seconds whose bars reach the slowest 1 %; slower times go in the last bar.
int BinMs(const ReactionSummary& all);
// How many reaction times each bar holds.
std::vector<int> Histogram(std::span<const int> sorted, int binMs);
// The five slowest keys with hits, slowest first (ties by label).
std::vector<unsigned char> SlowestKeys(const KeyStats& stats, std::size_t count = 5);
// "850 ms", "1,420 ms"; "-" for none.
std::string MsText(int ms);
}  // namespace keys_report

void DrawKeysReport(CDC& dc, CSize size, const KeysReport& report);
