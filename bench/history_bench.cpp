// The training history's costs: keeping one game in the SQLite file (the moment the results are
// shown), with and without a thousand actions, reading a long history back, and drawing its chart.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "platform/dc/Dc.h"
#include "platform/history/SqliteHistory.h"
#include "render/HistoryChart.h"

namespace {
KeptGame Game(std::int64_t i)
{
    KeptGame game;
    game.started = 1'767'614'400 + i * 600;
    game.ended = game.started + 300;
    game.playSeconds = 290;
    game.race = "hu";
    game.average = 60 + i % 40;
    game.best = game.average + 30;
    game.accuracy = 70 + i % 30;
    game.samples.assign(60, static_cast<int>(game.average));  // a five-minute game
    return game;
}

std::filesystem::path FreshFile()
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "orbicle-history-bench.sqlite3";
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix);
    return file;
}

void KeepOneGame(benchmark::State& state)
{
    SqliteHistory history(FreshFile());
    history.Keep(Game(0));  // opened and made before the measurement
    std::int64_t i = 1;
    for (auto _ : state)
        history.Keep(Game(i++));
    state.counters["problem"] = history.Problem().empty() ? 0 : 1;
}
BENCHMARK(KeepOneGame)->Unit(benchmark::kMillisecond);

// A long game's worth of actions: hits, keys, misses and escapes in turn.
std::vector<KeptAction> ThousandActions()
{
    std::vector<KeptAction> actions;
    for (int i = 0; i < 1000; ++i) {
        const auto kind = static_cast<KeptAction::Kind>(i % 4);
        actions.push_back(
            KeptAction{kind, kind == KeptAction::Kind::Key ? KeptAction::Button::None : KeptAction::Button::Left,
                       static_cast<unsigned char>(i % 3 ? 0 : 'A' + i % 26), 100 + i % 500, 80 + i % 400, i * 300,
                       kind == KeptAction::Kind::Hit ? 400 + i % 900 : -1, -1});
    }
    return actions;
}

void KeepOneGameWithThousandActions(benchmark::State& state)
{
    SqliteHistory history(FreshFile());
    history.Keep(Game(0));
    KeptGame game = Game(1);
    game.actions = ThousandActions();
    std::int64_t i = 1;
    for (auto _ : state) {
        game.started = Game(i++).started;
        history.Keep(game);
    }
    state.counters["problem"] = history.Problem().empty() ? 0 : 1;
}
BENCHMARK(KeepOneGameWithThousandActions)->Unit(benchmark::kMillisecond);

void ReadThousandGames(benchmark::State& state)
{
    SqliteHistory history(FreshFile());
    for (std::int64_t i = 0; i < 1000; ++i)
        history.Keep(Game(i));
    for (auto _ : state)
        benchmark::DoNotOptimize(history.Games());
}
BENCHMARK(ReadThousandGames)->Unit(benchmark::kMillisecond);

void DrawChartOfThousandGames(benchmark::State& state)
{
    std::vector<KeptGame> games;
    for (std::int64_t i = 0; i < 1000; ++i)
        games.push_back(Game(i));
    CBitmap bitmap;
    bitmap.CreateBitmap(720, 400);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    for (auto _ : state)
        DrawHistoryChart(dc, {720, 400}, games);
}
BENCHMARK(DrawChartOfThousandGames)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
