// Fuzz target: the replay reader and player. The input is read as a replay file as it is, then
// with its length and checksum made to fit (so that the fuzzer gets past them to the contents),
// and as a recording's event stream under a header of our own. A replay that reads is written
// and read back to the same replay, and played through the game to its verification.
#include <cstdint>
#include <string>

#include "app/ReplayPlayer.h"
#include "platform/replay/ReplayFile.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/replay/Reseal.h"

namespace {
// Larger fields and longer recordings are read but not played, so each run stays quick.
constexpr int LargestPlayedSide = 1024;
constexpr std::size_t MostPlayedEvents = 20000;

void Play(const Replay& replay)
{
    std::vector<ReplayEvent> events;
    std::string problem;
    FuzzCheck(DecodeEvents(replay.events, events, problem), "a replay that reads has a well-formed recording");
    if (replay.start.width > LargestPlayedSide || replay.start.height > LargestPlayedSide ||
        events.size() > MostPlayedEvents)
        return;
    const ReplayOutcome outcome = VerifyReplay(replay);
    FuzzCheck(outcome.verified == outcome.field.empty(), "a replay is verified exactly when no field is named");
}

void ReadAndPlay(const std::string& bytes)
{
    const ReplayRead read = DecodeReplay(bytes);
    FuzzCheck(read.replay.has_value() == read.problem.empty(), "a file reads or says why not");
    if (!read.replay)
        return;
    const ReplayRead again = DecodeReplay(EncodeReplay(*read.replay));
    FuzzCheck(again.replay && *again.replay == *read.replay, "a replay read is written back to the same replay");
    Play(*read.replay);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ReadAndPlay(bytes);
    ReadAndPlay(Resealed(bytes));

    std::vector<ReplayEvent> events;
    std::string problem;
    if (DecodeEvents(bytes, events, problem)) {
        Replay replay;
        replay.program = ProgramVersion();
        replay.start = ReplayStart{352, 264, {1, 1, 1, 1, 1}, "df", 0, 0, 0, 0, 1, {}, {}};
        replay.events = bytes;
        Play(replay);
    }
    return 0;
}
