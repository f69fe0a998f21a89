// The History window's pictures, drawn with the program's device context so that they look the
// same on every platform and can be made without a display.
#pragma once

#include <span>

#include "platform/History.h"
#include "platform/dc/Dc.h"

// The chart: one column per game, oldest on the left, evenly spaced (column i of n centred at
// Left + (i + 1/2) * plot width / n); a dotted line where the local date changes. Above, the
// rates on a scale from 0 to the highest best rate rounded up to the grid step: each game's
// average and best as dots, the average of the last ten games' averages as a line, and a ring
// round each best that beat every earlier one. Below, accuracy from 0 to 100 % as a line of
// dots. With no games, only a line that says how to get one.
namespace history_chart {
inline constexpr int Left = 56;  // room for the rate figures
inline constexpr int Right = 16;
inline constexpr int Top = 30;     // the legend
inline constexpr int Bottom = 24;  // the dates
inline constexpr int Gap = 26;     // between the rates and the accuracy
inline constexpr int DotRadius = 3;
inline constexpr int RingRadius = 7;
inline constexpr int MovingGames = 10;

inline constexpr COLORREF Background = Rgb(255, 255, 255);
inline constexpr COLORREF Grid = Rgb(222, 222, 222);
inline constexpr COLORREF Ink = Rgb(60, 60, 60);
inline constexpr COLORREF Average = Rgb(30, 90, 200);
inline constexpr COLORREF Best = Rgb(215, 45, 35);
inline constexpr COLORREF Moving = Rgb(15, 25, 90);
inline constexpr COLORREF Accuracy = Rgb(35, 145, 60);
inline constexpr COLORREF Record = Rgb(240, 165, 0);

inline constexpr const char* EmptyText = "No games yet: finish a game to see it here.";

// The rates' grid step and the top of their scale for the highest best rate.
int RateStep(int highest);
int RateTop(int highest);
}  // namespace history_chart

void DrawHistoryChart(CDC& dc, CSize size, std::span<const KeptGame> games);

// A kept game's result graph as the game window showed it: the same panel over the background
// picture, scaled to the size.
void DrawKeptResult(CDC& dc, CSize size, const KeptGame& game);
