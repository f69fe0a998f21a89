// The soak: orbicle-sim's session plays hours of random valid play (hits, misses, keys,
// pauses, focus changes, new games, option commands) and checks the game's invariants after
// every tick, printing the resident memory once every simulated hour.
//   orbicle-soak [HOURS [SEED]]   HOURS may be a fraction; default 10
// Exits 1 when an invariant breaks, a command fails, the memory grows, or a run of two hours
// or more never saw a game long enough to wrap its rate history.
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "res/Resource.h"
#include "tests/Invariants.h"
#include "tools/sim/Sim.h"

#if defined(__SANITIZE_ADDRESS__)
#define ORBICLE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORBICLE_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef ORBICLE_ADDRESS_SANITIZER
// The sanitizer runtime's count of the bytes in use (GCC installs no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {
constexpr long TicksPerHour = 60L * 60 * 1000 / CGameView::TimerMs;

double ResidentMegabytes()
{
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The heap in use: exact, where the resident size also counts what the allocator keeps back
// (AddressSanitizer's quarantine of freed blocks, for one).
double HeapMegabytes()
{
#ifdef ORBICLE_ADDRESS_SANITIZER
    const double bytes = static_cast<double>(__sanitizer_get_current_allocated_bytes());
#else
    const double bytes = static_cast<double>(mallinfo2().uordblks);
#endif
    return bytes / (1024.0 * 1024.0);
}

// What the run saw, for its report.
struct Tally {
    long games = 0, hits = 0, misses = 0, pauses = 0, focusChanges = 0, options = 0;
    long slotWraps = 0, historyWraps = 0, longestGame = 0;
};

class Soak {
public:
    explicit Soak(unsigned seed) : m_random(seed)
    {
        m_session.Platform().files = DiskFiles({ORBICLE_SOURCE_DIR});
        Run("profile Race df");
        Run("profile Options 11111");
        Run("start");
        // Paints still age the circles; clipped to one pixel they cost next to nothing.
        m_session.Platform().window.SetClientSize(1, 1);
    }

    // One tick of play, then the invariants; false (with the reason printed) when one broke.
    bool Step()
    {
        CGameView& v = *m_session.View();
        if (!v.m_bRunning && Chance(2)) {
            Run("command " + std::to_string(ID_FILE_NEWSTOPGAME));
            ++m_tally.games;
            m_gameTicks = 0;
        }
        if (v.m_bRunning)
            Play(v);
        const int slot = v.m_nSlot, samples = v.m_nApmSamples;
        const bool sampling = v.m_bRunning && v.m_bHistoryStarted;
        Run("tick");
        m_tally.slotWraps += v.m_bRunning && v.m_nSlot < slot;
        m_tally.historyWraps += sampling && v.m_bRunning && v.m_nApmSamples < samples;
        m_gameTicks += v.m_bRunning && !v.IsHeld();
        m_tally.longestGame = std::max(m_tally.longestGame, m_gameTicks);
        const std::string broken = invariants::BrokenOnField(v, m_session.Platform().window.TimerSet());
        if (!broken.empty())
            std::printf("broken: %s\n", broken.c_str());
        return broken.empty() && m_failed.empty();
    }

    const Tally& Seen() const { return m_tally; }
    const std::string& Failed() const { return m_failed; }

private:
    bool Chance(double percent) { return std::uniform_real_distribution<double>(0, 100)(m_random) < percent; }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    void Run(const std::string& line)
    {
        std::ostringstream out;
        if (!m_session.Execute(line, out) && m_failed.empty())
            m_failed = line + ": " + out.str();
    }

    void Play(CGameView& v)
    {
        // Aim at the oldest circle, mostly with its key and its button.
        if (!v.m_listCircles.empty() && Chance(30)) {
            const CCircle c = v.m_listCircles.front();
            if (!c.m_strLabel.empty() && Chance(95))
                Run("key " + std::to_string(static_cast<unsigned char>(c.m_strLabel[0])));
            const bool left = Chance(92) == (c.m_bLeftButton != 0);
            const int score = v.m_nScore;
            Run("click " + std::to_string(c.m_nX + Below(7) - 3) + " " + std::to_string(c.m_nY + Below(7) - 3) +
                (left ? " left" : " right") + (Chance(10) ? " double" : ""));
            (v.m_nScore > score ? m_tally.hits : m_tally.misses)++;
        }
        if (Chance(1))
            Run("click " + std::to_string(Below(v.m_nWidth)) + " " + std::to_string(Below(v.m_nHeight)) + " right");
        if (Chance(2))
            Run("key " + std::to_string(Below(256)));
        // Short pauses and absences. Now and then the pause key is hit again and again: every
        // hold takes a second more than it lasted out of the rate's minutes, so the rate leaps,
        // and the end counter, which has to pass the best rate, lets the game run for hours.
        if (v.m_bPaused ? Chance(20) : Chance(0.4)) {
            Run("command " + std::to_string(ID_FILE_PAUSEGAME));
            m_tally.pauses += v.m_bPaused;
        }
        if (!v.m_bPaused && Chance(0.02)) {
            for (int n = 20 + Below(20); n > 0; --n) {
                Run("command " + std::to_string(ID_FILE_PAUSEGAME));
                Run("command " + std::to_string(ID_FILE_PAUSEGAME));
                ++m_tally.pauses;
            }
        }
        if (m_active ? Chance(0.3) : Chance(10)) {
            m_active = !m_active;
            Run(m_active ? "activate" : "deactivate");
            ++m_tally.focusChanges;
        }
        if (Chance(0.3)) {
            static constexpr UINT options[] = {ID_OPTIONS_SHOWSTATISTICS, ID_OPTIONS_NOINTERSECT, ID_OPTIONS_DARKENING,
                                               ID_OPTIONS_SOUNDS, ID_OPTIONS_CUSTOMKEYS};
            Run("command " + std::to_string(options[Below(5)]));
            ++m_tally.options;
        }
        if (Chance(0.002))
            Run("command " + std::to_string(ID_FILE_NEWSTOPGAME));
        Run("events");  // the log is read as a player's driver would, so it never piles up
    }

    SimSession m_session;
    std::mt19937 m_random;
    Tally m_tally;
    long m_gameTicks = 0;
    bool m_active = true;
    std::string m_failed;
};
}  // namespace

int main(int argc, char** argv)
{
    const double hours = argc > 1 ? std::atof(argv[1]) : 10.0;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 20261206u;
    const long ticks = static_cast<long>(hours * TicksPerHour);
    Soak soak(seed);
    std::vector<double> heap{HeapMegabytes()};
    std::printf("start: resident %.1f MB, heap %.3f MB\n", ResidentMegabytes(), heap.back());
    for (long t = 1; t <= ticks; ++t) {
        if (!soak.Step()) {
            std::printf("FAIL at tick %ld (%.2f h) %s\n", t, t / double(TicksPerHour), soak.Failed().c_str());
            return 1;
        }
        if (t % TicksPerHour == 0 || t == ticks) {
            heap.push_back(HeapMegabytes());
            const Tally& s = soak.Seen();
            std::printf(
                "%.2f h: resident %.1f MB, heap %.3f MB, %ld games, %ld hits, %ld misses, longest game %ld "
                "ticks, %ld slot-ring and %ld history wraps\n",
                t / double(TicksPerHour), ResidentMegabytes(), heap.back(), s.games, s.hits, s.misses, s.longestGame,
                s.slotWraps, s.historyWraps);
        }
    }
    const Tally& s = soak.Seen();
    std::printf("%ld pauses, %ld focus changes, %ld option commands\n", s.pauses, s.focusChanges, s.options);
    // After the first sample, when every buffer has its size, the heap stays where it is (a
    // circle or two more or less on the field).
    const double settled = heap[std::min<std::size_t>(1, heap.size() - 1)];
    if (*std::max_element(heap.begin() + 1, heap.end()) > settled + 0.25) {
        std::printf("FAIL: the heap grew from %.3f to %.3f MB\n", settled, heap.back());
        return 1;
    }
    if (s.games == 0 || s.hits == 0 || s.slotWraps == 0 || (hours >= 2 && s.historyWraps == 0)) {
        std::printf("FAIL: the play did not reach %s\n",
                    s.slotWraps == 0 ? "a wrap of the slot ring" : "a wrap of the rate history");
        return 1;
    }
    std::printf("PASS\n");
    return 0;
}
