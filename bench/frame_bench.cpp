// Painting whole frames of the game on a 1320 x 990 field (screen 1920), copy to the screen
// included: a running game (picture, darkening grid, twelve labelled circles, heads-up display
// with statistics) and the result screen; beside them, a plain copy of a buffer of the frame's
// size as the baseline. Each frame reports "copies": its time in plain copies measured in the
// same process, the measure that carries from one machine to another.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "game/GameView.h"
#include "platform/headless/Headless.h"

namespace {
constexpr int Width = 1320;
constexpr int Height = 990;

// A plain copy of a frame-sized buffer.
class FrameCopy {
public:
    void Run()
    {
        std::copy(m_from.begin(), m_from.end(), m_to.begin());
        benchmark::DoNotOptimize(m_to.data());
        benchmark::ClobberMemory();
    }
    static constexpr long long Bytes = static_cast<long long>(Width) * Height * sizeof(std::uint32_t);

private:
    std::vector<std::uint32_t> m_from = std::vector<std::uint32_t>(Width * Height, 0x123456);
    std::vector<std::uint32_t> m_to = std::vector<std::uint32_t>(Width * Height);
};

// The CPU time of one plain copy, measured once per process as the mean of many.
double SecondsPerCopy()
{
    static const double seconds = [] {
        FrameCopy copy;
        constexpr int Warm = 20, Timed = 300;
        for (int i = 0; i < Warm; ++i)
            copy.Run();
        const std::clock_t start = std::clock();
        for (int i = 0; i < Timed; ++i)
            copy.Run();
        return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / Timed;
    }();
    return seconds;
}

// The CPU time per iteration of the loop that started at start, in plain copies.
void ReportCopies(benchmark::State& state, std::clock_t start)
{
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    state.counters["copies"] = seconds / static_cast<double>(state.iterations()) / SecondsPerCopy();
}

void BM_PlainCopyOfAFrame(benchmark::State& state)
{
    FrameCopy copy;
    const std::clock_t start = std::clock();
    for (auto _ : state)
        copy.Run();
    ReportCopies(state, start);
    state.SetBytesProcessed(state.iterations() * FrameCopy::Bytes);
}
BENCHMARK(BM_PlainCopyOfAFrame);

void BM_ComposeFrame(benchmark::State& state)
{
    HeadlessPlatform platform;
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
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        // Painting ages the circles: every frame gets the same twelve (a microsecond of the time).
        view.m_listCircles.assign(circles.begin(), circles.end());
        platform.window.Expose(view.FieldRect());
        view.OnPaint();
    }
    ReportCopies(state, start);
    state.SetBytesProcessed(state.iterations() * FrameCopy::Bytes);
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

void BM_ComposeResultFrame(benchmark::State& state)
{
    HeadlessPlatform platform;
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
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        platform.window.Expose(view.FieldRect());
        view.OnPaint();
    }
    ReportCopies(state, start);
}
BENCHMARK(BM_ComposeResultFrame)->Unit(benchmark::kMicrosecond);
}  // namespace
