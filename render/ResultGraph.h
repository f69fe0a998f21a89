// The result panel of a finished game, drawn from its numbers: the game window's own panel and
// the History window's picture of a kept game are one drawing.
#pragma once

#include <span>

class CDC;

struct ResultNumbers {
    int width = 0;  // the field the panel lies on
    int height = 0;
    std::span<const int> samples;  // the rate curve
    int best = 0;
    int average = 0;
    long long seconds = 0;  // from start to end; below 0 shown as 0:00
};

void DrawResultGraph(CDC* pDC, const ResultNumbers& result);
