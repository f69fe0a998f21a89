// The soak: orbicle-sim's session plays hours of random valid play (hits, misses, keys,
// pauses, focus changes, new games, option commands), checks the game's invariants after
// every tick and prints the resident memory and the heap in use every simulated hour. Every
// second game is recorded, played without the bursts of pauses that can make a game last for
// hours and stopped from the menu after a few minutes, and replayed: it must verify.
//   orbicle-soak [HOURS [SEED]]   HOURS may be a fraction; default 10
// Fails when an invariant breaks, a command fails, a replay does not verify, the heap grows,
// no game was replayed, or a run of two hours or more never saw a game long enough to wrap
// its rate history.
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <vector>

#include "app/ReplayPlayer.h"
#include "res/Resource.h"
#include "tests/Invariants.h"
#include "tools/sim/Sim.h"

// The sanitizer runtime's count of the bytes in use, where it is linked in.
extern "C" __attribute__((weak)) std::size_t __sanitizer_get_current_allocated_bytes();

namespace {
constexpr long TicksPerHour = 60L * 60 * 1000 / CGameView::TimerMs;
// A recorded game is stopped within this many ticks in play: the recording of a game that runs
// for hours would be taken for a growing heap.
constexpr long LongestRecordedTicks = 5L * 60 * 1000 / CGameView::TimerMs;

double ResidentMegabytes()
{
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident * ::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// Exact, where the resident size also counts what the allocator keeps back (AddressSanitizer
// keeps freed blocks for a while, for one).
double HeapMegabytes()
{
    const std::size_t bytes =
        __sanitizer_get_current_allocated_bytes ? __sanitizer_get_current_allocated_bytes() : mallinfo2().uordblks;
    return static_cast<double>(bytes) / (1 << 20);
}

class Soak {
public:
    long games = 0, hits = 0, misses = 0, slotWraps = 0, historyWraps = 0, longestGame = 0, replays = 0;
    std::string failed;

    explicit Soak(unsigned seed) : m_random(seed)
    {
        m_session.Platform().files = DiskFiles({ORBICLE_SOURCE_DIR});
        for (const char* line : {"profile Race df", "profile Options 11111", "start"})
            Run(line);
        // Paints still age the circles; clipped to one pixel they cost next to nothing.
        m_session.Platform().window.SetClientSize(1, 1);
    }

    // One tick of play, then the invariants; false when one broke or a command failed.
    bool Step()
    {
        CGameView& v = *m_session.View();
        if (!v.m_bRunning && Chance(2)) {
            m_recorded = games % 2 == 0;
            m_stopAt = 1000 + Below(LongestRecordedTicks - 1000);
            Record(m_recorded);
            Command(ID_FILE_NEWSTOPGAME);
            ++games;
            m_gameTicks = 0;
        }
        if (m_recorded && v.m_bRunning && m_gameTicks >= m_stopAt) {
            Command(ID_FILE_NEWSTOPGAME);
            m_recorded = false;
        }
        if (v.m_bRunning)
            Play(v);
        const int slot = v.m_nSlot, samples = v.m_nApmSamples;
        const bool sampling = v.m_bRunning && v.m_bHistoryStarted;
        Run("tick");
        slotWraps += v.m_bRunning && v.m_nSlot < slot;
        historyWraps += sampling && v.m_bRunning && v.m_nApmSamples < samples;
        m_gameTicks += v.m_bRunning && !v.IsHeld();
        longestGame = std::max(longestGame, m_gameTicks);
        if (failed.empty())
            failed = invariants::BrokenOnField(v, m_session.Platform().window.TimerSet());
        return failed.empty();
    }

private:
    // Records the games that start from now on, or none; each recorded game is replayed when
    // it is kept.
    void Record(bool on)
    {
        if (!on) {
            m_session.GameRecorder().Disable();
            return;
        }
        m_session.GameRecorder().Enable([this](const Replay& replay) {
            const ReplayOutcome outcome = VerifyReplay(replay);
            ++replays;
            if (!outcome.verified && failed.empty())
                failed = "the replay of game " + std::to_string(games) + " verifies as 0 (" + outcome.field +
                         "): " + outcome.reason;
        });
    }

    bool Chance(double percent) { return std::uniform_real_distribution<double>(0, 100)(m_random) < percent; }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    void Command(UINT nID) { Run("command " + std::to_string(nID)); }
    void Click(int x, int y, bool left, bool dbl)
    {
        Run("click " + std::to_string(x) + " " + std::to_string(y) + (left ? " left" : " right") +
            (dbl ? " double" : ""));
    }
    void Run(const std::string& line)
    {
        std::ostringstream out;
        if (!m_session.Execute(line, out) && failed.empty())
            failed = line + ": " + out.str();
    }

    void Play(CGameView& v)
    {
        // Aim at the oldest circle, mostly with its key and its button.
        if (!v.m_listCircles.empty() && Chance(30)) {
            const CCircle c = v.m_listCircles.front();
            if (!c.m_strLabel.empty() && Chance(95))
                Run("key " + std::to_string(static_cast<unsigned char>(c.m_strLabel[0])));
            const int score = v.m_nScore;
            Click(c.m_nX + Below(7) - 3, c.m_nY + Below(7) - 3, Chance(92) == (c.m_bLeftButton != 0), Chance(10));
            (v.m_nScore > score ? hits : misses)++;
        }
        if (Chance(1))
            Click(Below(v.m_nWidth), Below(v.m_nHeight), false, false);
        if (Chance(2))
            Run("key " + std::to_string(Below(256)));
        // Short pauses and absences. Now and then the pause key is hit again and again: every
        // hold takes a second more than it lasted out of the rate's minutes, so the rate leaps,
        // and the end counter, which has to pass the best rate, lets the game run for hours.
        if (v.m_bPaused ? Chance(20) : Chance(0.4))
            Command(ID_FILE_PAUSEGAME);
        for (int n = !v.m_bPaused && !m_recorded && Chance(0.02) ? 40 + Below(40) : 0; n > 0; --n)
            Command(ID_FILE_PAUSEGAME);
        if (m_active ? Chance(0.3) : Chance(10)) {
            m_active = !m_active;
            Run(m_active ? "activate" : "deactivate");
        }
        static constexpr UINT options[] = {ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_NOINTERSECT, ID_OPTIONS_DARKENING,
                                           ID_OPTIONS_SOUNDS, ID_OPTIONS_CUSTOMKEYS};
        if (Chance(0.3))
            Command(options[Below(5)]);
        if (Chance(0.002))
            Command(ID_FILE_NEWSTOPGAME);
        Run("events");  // the log is read as a player's driver would, so it never piles up
    }

    SimSession m_session;
    std::mt19937 m_random;
    long m_gameTicks = 0;
    bool m_active = true;
    bool m_recorded = false;  // the running game is recorded, and stopped after m_stopAt ticks
    long m_stopAt = 0;
};
}  // namespace

int main(int argc, char** argv)
{
    const double hours = argc > 1 ? std::atof(argv[1]) : 10.0;
    const long ticks = static_cast<long>(hours * TicksPerHour);
    Soak soak(argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 20261206u);
    std::vector<double> heap{HeapMegabytes()};
    std::printf("start: resident %.1f MB, heap %.3f MB\n", ResidentMegabytes(), heap.back());
    for (long t = 1; t <= ticks; ++t) {
        if (!soak.Step()) {
            std::printf("FAIL at tick %ld: %s\n", t, soak.failed.c_str());
            return 1;
        }
        if (t % TicksPerHour == 0 || t == ticks) {
            heap.push_back(HeapMegabytes());
            std::printf(
                "%.2f h: resident %.1f MB, heap %.3f MB, %ld games, %ld hits, %ld misses, longest game %ld "
                "ticks, %ld slot-ring and %ld history wraps, %ld games replayed\n",
                double(t) / TicksPerHour, ResidentMegabytes(), heap.back(), soak.games, soak.hits, soak.misses,
                soak.longestGame, soak.slotWraps, soak.historyWraps, soak.replays);
        }
    }
    // From the first sample on, when every buffer has its size, the heap stays where it is (a
    // circle or two more or less on the field).
    if (*std::max_element(heap.begin() + 1, heap.end()) > heap[1] + 0.25) {
        std::printf("FAIL: the heap grew from %.3f to %.3f MB\n", heap[1], heap.back());
        return 1;
    }
    if (soak.replays == 0 && hours >= 0.5) {
        std::printf("FAIL: no game was recorded and replayed\n");
        return 1;
    }
    if (soak.hits == 0 || soak.slotWraps == 0 || (hours >= 2 && soak.historyWraps == 0)) {
        std::printf("FAIL: the play never wrapped the slot ring or, in two hours, the rate history\n");
        return 1;
    }
    std::printf("PASS\n");
    return 0;
}
