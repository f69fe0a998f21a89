// The game's hook into the history: a game is kept exactly when its results are shown, with the
// numbers of the game window at that moment.
#include <algorithm>

#include "res/Resource.h"
#include "tests/game/GameFixture.h"

namespace {
// The game window's fields as the history should keep them, read independently of the hook.
void ExpectKeptFromFields(const KeptGame& kept, const CGameView& v)
{
    EXPECT_EQ(std::tuple(kept.started, kept.ended, kept.race, kept.width, kept.height),
              std::tuple(v.m_tStart, v.m_tEnd, v.m_strRace, std::int64_t{v.m_nWidth}, std::int64_t{v.m_nHeight}));
    EXPECT_EQ(std::tuple(kept.statistics, kept.noIntersect, kept.customKeys, kept.darkening, kept.sounds),
              std::tuple(v.m_bShowStatistics, v.m_bNoIntersect, v.m_bCustomKeys, v.m_bDarkening, v.m_bSounds));
    EXPECT_EQ(
        std::tuple(kept.score, kept.average, kept.best, kept.last, kept.accuracy, kept.useful, kept.misses),
        std::tuple(v.m_nScore, v.m_nApmAverage, v.m_nApmMax, v.m_nApm, v.m_nAccuracy, v.m_nUsefulTotal, v.m_nMisses));
    ASSERT_EQ(kept.samples.size(), static_cast<std::size_t>(v.m_nApmSamples));
    for (int i = 0; i < v.m_nApmSamples; ++i)
        EXPECT_EQ(kept.samples[i], v.m_anApmHistory[i]) << i;
}
}  // namespace

class HistoryHookTest : public GameTest {
protected:
    std::vector<KeptGame> Kept() { return m_platform.history.Games(); }
    // Hits the oldest circle, as often as asked, between ticks.
    void HitSome(int hits)
    {
        for (int i = 0; i < hits; ++i) {
            Tick(8);
            if (!View().m_listCircles.empty())
                Hit(View().m_listCircles.front());
        }
    }
};

TEST_F(HistoryHookTest, AGameIsKeptWhenItsResultsAreShownAndOnlyThen)
{
    // Closing the program mid-game shows no results and keeps nothing.
    StartGame();
    Tick(120);
    m_view.reset();
    EXPECT_TRUE(Kept().empty());

    // Stop from the menu after the first sample, with a hold of 10 s in the middle, and the
    // options mixed (the games of the end rule below have them all on).
    StartGame();
    View().m_bCustomKeys = 1;
    View().m_bShowStatistics = View().m_bDarkening = 0;
    HitSome(10);
    View().OnPauseGame();
    m_platform.clock.Advance(10'000);
    View().OnPauseGame();
    HitSome(10);
    Events();
    EXPECT_EQ(RunCommand(View(), ID_FILE_NEWSTOPGAME), CommandResult::Done);
    ASSERT_EQ(Kept().size(), 1u);
    ExpectKeptFromFields(Kept()[0], View());
    EXPECT_GT(Kept()[0].useful, 0);
    // The whole game less the hold, which counts one second more than it lasted.
    EXPECT_EQ(Kept()[0].playSeconds, View().m_tEnd - View().m_tStart - 11);
    EXPECT_EQ(Events(),
              (std::vector<std::string>{"killtimer 1", "invalidate 0 0 704 528", "sound res/applause.wav sync"}));

    // The end rule: kept once the tick that stopped the game is over, so the numbers are those
    // the result panel is painted with, also when that tick closed a slot after the stop and
    // changed them. Whether it does depends on the phase of the end counter's ticks, which a game
    // stopped from the menu leaves where it was: such games shift it until an end-rule game ends
    // on a tick that changed the numbers after the stop.
    auto numbers = [&] {
        const CGameView& v = View();
        return std::tuple(v.m_nApm, v.m_nApmAverage, v.m_nApmMax, v.m_nAccuracy, v.m_nUsefulTotal, v.m_nApmSamples);
    };
    bool changedAfterTheStop = false;
    View().m_bShowStatistics = View().m_bDarkening = 1;
    View().m_bNoIntersect = View().m_bCustomKeys = View().m_bSounds = 0;
    for (int shift = 0; shift < 21 && !changedAfterTheStop; ++shift) {
        // Without paints: the circles wait to be hit, and the games cost little.
        StartGame();
        while (!View().m_bHistoryStarted)
            Timer();
        Timer(shift);
        ASSERT_EQ(RunCommand(View(), ID_FILE_NEWSTOPGAME), CommandResult::Done);
        const std::size_t kept = Kept().size();
        StartGame();
        for (int tick = 0; View().m_bRunning; ++tick) {
            // A hit now and then, and one right before the tick that ends the game, so that the
            // slot that tick may close has useful actions in it.
            const CGameView& v = View();
            const bool lastTick = v.m_bHistoryStarted && v.Program().s_nEndTicks == 20 && v.m_nEndCounter + 1 > 20 &&
                                  v.m_nEndCounter + 1 > v.m_nApmMax;
            if ((tick % 30 == 0 || lastTick) && !v.m_listCircles.empty())
                Hit(v.m_listCircles.front());
            const auto before = numbers();
            Timer();
            if (!v.m_bRunning)
                changedAfterTheStop = v.Program().s_nSlotTicks == 0 && numbers() != before;
        }
        ASSERT_EQ(Kept().size(), kept + 1);
        ExpectKeptFromFields(Kept().back(), View());
        EXPECT_EQ(View().m_bShowResult, 1);
    }
    EXPECT_TRUE(changedAfterTheStop);
}
