// Replays of a five-minute game at 300 actions a minute (tests/replay/AimedPlay.h, ticks up to
// 8 ms late): the file's size, reading it, and playing it through the game to its verification.
// "game_s_per_s" is how many seconds of play are replayed in one second.
#include <benchmark/benchmark.h>

#include "app/ReplayPlayer.h"
#include "platform/replay/ReplayFile.h"
#include "tests/replay/AimedPlay.h"

namespace {
struct Recorded {
    Replay replay;
    std::string file;
    std::size_t events = 0;
    double seconds = 0;
};

const Recorded& FiveMinuteGame()
{
    static const Recorded recorded = [] {
        Recorded r;
        SimSession session;
        session.Platform().files = DiskFiles({ORBICLE_SOURCE_DIR});
        session.GameRecorder().Enable([&](Replay replay) { r.replay = std::move(replay); });
        PlayAimedGame(session, AimedPlay{});
        r.file = EncodeReplay(r.replay);
        std::vector<ReplayEvent> events;
        std::string problem;
        DecodeEvents(r.replay.events, events, problem);
        r.events = events.size();
        r.seconds = events.empty() ? 0 : events.back().ms / 1000.0;
        return r;
    }();
    return recorded;
}

void BM_ReadReplayFile(benchmark::State& state)
{
    const Recorded& game = FiveMinuteGame();
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeReplay(game.file));
    state.counters["file_bytes"] = static_cast<double>(game.file.size());
    state.counters["stream_bytes"] = static_cast<double>(game.replay.events.size());
    state.counters["events"] = static_cast<double>(game.events);
    state.counters["game_s"] = game.seconds;
}
BENCHMARK(BM_ReadReplayFile)->Unit(benchmark::kMillisecond);

void BM_VerifyReplay(benchmark::State& state)
{
    const Recorded& game = FiveMinuteGame();
    bool verified = true;
    for (auto _ : state)
        verified = VerifyReplay(game.replay).verified && verified;
    if (!verified)
        state.SkipWithError("the replay did not verify");
    state.counters["game_s_per_s"] =
        benchmark::Counter(game.seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VerifyReplay)->Unit(benchmark::kMillisecond);

// With every frame drawn on a screen of the field's size, as watching shows it.
void BM_ReplayEveryFrame(benchmark::State& state)
{
    const Recorded& game = FiveMinuteGame();
    for (auto _ : state) {
        MemoryScreen screen(game.replay.start.width, game.replay.start.height);
        ReplayPlayer player(game.replay, screen);
        benchmark::DoNotOptimize(player.Finish());
    }
    state.counters["game_s_per_s"] =
        benchmark::Counter(game.seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReplayEveryFrame)->Unit(benchmark::kMillisecond)->Iterations(2);
}  // namespace

BENCHMARK_MAIN();
