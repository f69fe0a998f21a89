// Fuzz target: orbicle-sim's command interpreter, one script per input. Ticks, the screen and
// the painted area are held small so each run stays quick, and nothing is written to disk.
// Every line it prints is printable text, and the game keeps its invariants after every
// command.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tests/Invariants.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tools/sim/Sim.h"

namespace {
constexpr long TickBudget = 1000;
constexpr long LargestScreen = 1280;

// Whether the line may run within what is left of the budget (which it then takes).
bool WithinLimits(const std::string& line, long& ticksLeft)
{
    std::istringstream words(line);
    std::string verb, count;
    words >> verb >> count;
    // Nothing that writes a file: the snapshots and a history file.
    if (verb.rfind("snapshot", 0) == 0 || verb == "historydb")
        return false;
    const long n = count.empty() ? 1 : std::strtol(count.c_str(), nullptr, 10);
    if (verb == "screen")
        return n <= LargestScreen;
    if (verb != "tick" && verb != "timer")
        return true;
    if (n > ticksLeft)
        return false;
    ticksLeft -= n > 0 ? n : 0;
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SimSession session;
    session.Platform().files = DiskFiles({ORBICLE_SOURCE_DIR});
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    long ticksLeft = TickBudget;
    for (std::string line; std::getline(script, line);) {
        if (!WithinLimits(line, ticksLeft))
            continue;
        std::ostringstream out;
        session.Execute(line, out);
        std::string printed = out.str();
        std::erase(printed, '\n');
        if (PrintableBytes(printed) != printed)
            FuzzFail("unprintable output for '" + PrintableBytes(line) + "'");
        if (const CGameView* view = session.View()) {
            // Paints are clipped to one pixel: the drawing code runs, the pixels cost nothing.
            session.Platform().window.SetClientSize(1, 1);
            if (const std::string broken = invariants::Broken(*view, session.Platform().window.TimerSet());
                !broken.empty())
                FuzzFail(broken + " after '" + PrintableBytes(line) + "'");
        }
    }
    return 0;
}
