// Painting whole frames of the game on a 1320 x 990 field (screen 1920), copy to the screen
// included: a running game (picture, darkening grid, twelve labelled circles, heads-up display
// with statistics) and the result screen; beside them, a plain copy of a buffer of the frame's
// size as the baseline.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "game/GameView.h"
#include "platform/headless/Headless.h"

namespace {
constexpr int Width = 1320;
constexpr int Height = 990;

void BM_PlainCopyOfAFrame(benchmark::State& state)
{
    std::vector<std::uint32_t> from(Width * Height, 0x123456), to(Width * Height);
    for (auto _ : state) {
        std::copy(from.begin(), from.end(), to.begin());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(from.size() * sizeof from[0]));
}
BENCHMARK(BM_PlainCopyOfAFrame);

void BM_ComposeFrame(benchmark::State& state)
{
    HeadlessPlatform platform;
    CGameView::ResetProgramState();
    CGameView view(platform.services);
    view.Create(platform.window);
    view.SetFieldSize(CSize{Width, Height});
    platform.window.SetClientSize(Width, Height);
    view.m_strRace = "df";
    view.m_bRunning = 1;
    view.m_bSounds = 0;
    view.m_nApm = 180;
    view.m_nApmMax = 200;
    view.m_nEndCounter = 60;
    view.m_nAccuracy = 93;
    view.m_nScore = 123456;
    view.m_strLastKey = "p";
    std::vector<CCircle> circles;
    const char* labels = "QWERTYASDFpq";
    for (int i = 0; i < 12; ++i) {
        CCircle c;
        c.m_nX = 150 + (i % 4) * 300;
        c.m_nY = 200 + (i / 4) * 280;
        c.m_dRadius = 20.0 + i * 4.0;
        c.m_bLeftButton = i % 3 != 0;
        c.m_strLabel = std::string(1, labels[i]);
        c.m_bGrowing = 1;
        circles.push_back(c);
    }
    for (auto _ : state) {
        // Painting ages the circles: give every frame the same twelve.
        state.PauseTiming();
        view.m_listCircles.assign(circles.begin(), circles.end());
        platform.window.Expose(view.FieldRect());
        state.ResumeTiming();
        view.OnPaint();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(Width) * Height * 4);
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

void BM_ComposeResultFrame(benchmark::State& state)
{
    HeadlessPlatform platform;
    CGameView::ResetProgramState();
    CGameView view(platform.services);
    view.Create(platform.window);
    view.SetFieldSize(CSize{Width, Height});
    platform.window.SetClientSize(Width, Height);
    view.m_bShowResult = 1;
    view.m_nApmMax = 150;
    view.m_nApmAverage = 80;
    view.m_nApmSamples = 12;
    const int history[] = {10, 40, 60, 80, 100, 150, 120, 90, 60, 70, 80, 90};
    std::copy(std::begin(history), std::end(history), view.m_anApmHistory.begin());
    view.m_tEnd = view.m_tStart + 65;
    for (auto _ : state) {
        platform.window.Expose(view.FieldRect());
        view.OnPaint();
    }
}
BENCHMARK(BM_ComposeResultFrame)->Unit(benchmark::kMicrosecond);
}  // namespace
