// One tick of a running game on a crowded field with non-intersecting circles on: the spawn
// tries its 31 placements against every circle, and a statistics slot closes every sixth tick.
#include <benchmark/benchmark.h>

#include "game/GameView.h"
#include "platform/headless/Headless.h"

namespace {
// A window that only counts what it is asked, so the bench measures the game.
class QuietWindow : public IWindowHost {
public:
    UINT_PTR SetTimer(UINT_PTR id, UINT) override { return id; }
    BOOL KillTimer(UINT_PTR) override { return 1; }
    void InvalidateRect(const CRect&, BOOL) override { ++invalidated; }
    CDC* BeginPaint(CRect&) override { return nullptr; }
    void EndPaint() override {}
    long invalidated = 0;
};

void BM_TickCrowdedField(benchmark::State& state)
{
    const int circles = static_cast<int>(state.range(0));
    HeadlessPlatform platform;
    QuietWindow window;
    CGameView view(platform.services);
    view.Create(window);
    view.SetFieldSize(CSize{1320, 990});
    view.m_strRace = "df";
    view.m_bSounds = 0;
    view.m_bNoIntersect = 1;
    view.NewGame();
    // Fill the field; the cap then allows exactly one more circle.
    view.m_nApm = 30 * circles;
    while (static_cast<int>(view.m_listCircles.size()) < circles)
        view.SpawnCircle(1, 0);

    for (auto _ : state) {
        view.m_bHistoryStarted = 0;  // keep the end rule from ending the game
        view.OnTimer(1);
        view.m_listCircles.pop_back();  // make room for the next spawn
        view.m_nApm = 30 * circles;
    }
    state.counters["circles"] = circles;
    benchmark::DoNotOptimize(window.invalidated);
}
BENCHMARK(BM_TickCrowdedField)->Arg(12)->Arg(40)->Arg(100);
}  // namespace

BENCHMARK_MAIN();
