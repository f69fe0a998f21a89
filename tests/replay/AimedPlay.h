// A steady player for orbicle-sim's session: a game of a given length at a given number of
// actions a minute, the oldest circle hit each time (its key pressed first), now and then a
// press beside it, and the ticks coming a few milliseconds late as a real event loop's do.
// Used to measure recordings at their size and speed.
#pragma once

#include <algorithm>
#include <random>
#include <string>

#include "res/Resource.h"
#include "tests/sim/Script.h"

struct AimedPlay {
    double minutes = 5;
    int actionsPerMinute = 300;
    int lateMs = 8;  // each tick up to this much later than its 50 ms
    unsigned seed = 1;
};

// Starts the program on the session (race df, every option on) unless it runs, plays one game
// as described and stops it from the menu; returns the number of actions (presses and keys).
inline long PlayAimedGame(SimSession& session, const AimedPlay& how)
{
    std::mt19937 random(how.seed);
    auto run = [&](const std::string& line) { RunScript(session, line); };
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; };
    if (!session.View()) {
        RunScript(session, "profile Race df\nprofile Options 11111\nstart\n");
        // Paints still age the circles; clipped to one pixel they cost next to nothing.
        session.Platform().window.SetClientSize(1, 1);
    }
    run("click 300 200 left");
    const long ticks = static_cast<long>(how.minutes * 60 * 1000 / CGameView::TimerMs);
    const double perTick = how.actionsPerMinute * (CGameView::TimerMs / 60000.0);
    long actions = 0;
    double owed = 0;
    for (long t = 0; t < ticks && session.View()->m_bRunning; ++t) {
        run("advance " + std::to_string(std::uniform_int_distribution<int>(0, how.lateMs)(random)));
        run("tick");
        owed = std::min(owed + perTick, 3.0);  // no burst after a time without circles
        const CGameView& view = *session.View();
        while (owed >= 1 && !view.m_listCircles.empty() && view.m_bRunning) {
            const CCircle circle = view.m_listCircles.front();
            if (!circle.m_strLabel.empty()) {
                run("key " + std::to_string(static_cast<unsigned char>(circle.m_strLabel[0])));
                ++actions;
                owed -= 1;
            }
            const int off = chance(0.1) ? 60 : 0;
            run("click " + std::to_string(circle.m_nX + off) + " " + std::to_string(circle.m_nY) +
                (circle.m_bLeftButton ? " left" : " right"));
            ++actions;
            owed -= 1;
        }
    }
    if (session.View()->m_bRunning)
        run("command " + std::to_string(ID_FILE_NEWSTOPGAME));
    return actions;
}
