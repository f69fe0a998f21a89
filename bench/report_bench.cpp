// The keys report's cost as the History window pays it: the statistics of the last ten games'
// actions (a thousand each) and the picture at its own size and at a large window's.
#include <benchmark/benchmark.h>

#include "platform/dc/Dc.h"
#include "render/KeysReport.h"

namespace {
std::vector<KeptAction> TenGamesOfActions()
{
    const char keys[] = "BVFKTWLGRCAMSHP1234567890pqr";
    std::vector<KeptAction> actions;
    for (int game = 0; game < 10; ++game) {
        for (int i = 0; i < 1000; ++i) {
            const bool labelled = i % 5 == 0;
            const auto key = static_cast<unsigned char>(labelled ? keys[(i / 5 + game) % (sizeof keys - 1)] : 0);
            const auto button = !labelled && i % 3 == 0 ? KeptAction::Button::Right : KeptAction::Button::Left;
            const auto kind = i % 17 == 0 ? KeptAction::Kind::Escape : KeptAction::Kind::Hit;
            actions.push_back(KeptAction{kind, button, key, 300, 200, i * 250, 300 + (i * 37 + game * 11) % 1500, -1});
        }
    }
    return actions;
}

void ReportOfTenGames(benchmark::State& state)
{
    const std::vector<KeptAction> actions = TenGamesOfActions();
    const CSize size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    CBitmap bitmap;
    bitmap.CreateBitmap(size.cx, size.cy);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    const std::vector<unsigned char> hotkeys = {'B', 'V', 'F', 'K', 'T', 'W', 'L', 'G', 'R', 'C', 'A', 'M', 'S', 'H',
                                                'P', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 'p', 'q', 'r'};
    for (auto _ : state) {
        const KeysReport report{"Keys and buttons of the last 10 games", CollectKeyStats(actions), hotkeys};
        DrawKeysReport(dc, size, report);
    }
}
BENCHMARK(ReportOfTenGames)->Args({760, 440})->Args({1280, 740})->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
