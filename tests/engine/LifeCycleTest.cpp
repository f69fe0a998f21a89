// Starting, holding and stopping games; the race prompt; the hold accounting.
#include <tuple>

#include "tests/engine/GameFixture.h"

TEST_F(GameTest, StopKeepsTheResultsAndNewGameResetsThePerGameState)
{
    StartGame();
    View().m_nScore = 50;
    View().m_nApmSamples = 9;
    View().m_anApmHistory[0] = 77;
    View().m_strLastKey = "Q";
    View().m_aSlots[5].nUseful = 4;
    View().OnNewStopGame();  // stop: history is not started, but the command itself is not guarded
    EXPECT_EQ(Events(), (std::vector<std::string>{"killtimer 1", "invalidate 0 0 704 528",
                                                  "sound res/applause.wav sync"}));
    // Running, result on show, score, misses, samples.
    auto state = [this] {
        const CGameView& v = View();
        return std::tuple(v.m_bRunning, v.m_bShowResult, v.m_nScore, v.m_nMisses, v.m_nApmSamples);
    };
    EXPECT_EQ(state(), std::tuple(0, 1, 50, 0, 9));
    const time64 firstEnd = View().m_tEnd;

    // With sounds off the next game starts without the welcome.
    m_platform.clock.Advance(5000);
    View().m_bSounds = 0;
    View().m_nMisses = 3;
    View().OnNewStopGame();
    EXPECT_EQ(Events(), (std::vector<std::string>{"settimer 1 50"}));
    EXPECT_EQ(state(), std::tuple(1, 0, 0, 0, 0));
    EXPECT_EQ(View().m_anApmHistory[0], 77);  // hidden by the sample count, not cleared
    EXPECT_EQ(View().m_strLastKey, "");
    EXPECT_EQ(View().m_nKeys, 5);
    EXPECT_EQ(View().m_tStart, m_platform.clock.Now());
    EXPECT_EQ(View().m_tEnd, firstEnd);  // kept until the next stop
    for (const SLOT& slot : View().m_aSlots) {
        EXPECT_EQ(slot.tStart, View().m_tStart);
        EXPECT_EQ(slot.nUseful, 0);
    }

    // Closing the window or the session stops without results and plays nothing.
    View().m_bSounds = 1;
    Tick(3);
    Events();
    View().OnClose();
    EXPECT_EQ(Events(), (std::vector<std::string>{"killtimer 1"}));
    EXPECT_EQ(View().m_bShowResult, 0);
    EXPECT_TRUE(View().m_listCircles.empty());
    StartGame();
    EXPECT_EQ(View().OnQueryEndSession(), 1);
    EXPECT_EQ(View().m_bRunning, 0);
}

TEST_F(GameTest, RacePromptOfNewGame)
{
    Make();
    m_folder.Write("res/keys_df.txt", "AB");
    m_platform.raceDialog.Queue("df");
    View().OnLButtonDown(0, CPoint{5, 5});
    EXPECT_EQ(Events(), (std::vector<std::string>{"dialog 159 cancel=0 result=df", "sound res/welcome.wav sync",
                                                  "settimer 1 50"}));
    EXPECT_EQ(View().m_strRace, "df");
    EXPECT_EQ(View().m_nKeys, 2);
    EXPECT_EQ(View().m_bRunning, 1);

    // A known race is never questioned; a dialog closed without a race leaves it empty and
    // the game starts without labels.
    View().StopGame(0);
    View().NewGame();
    EXPECT_TRUE(EventsMatching("dialog").empty());
    View().StopGame(0);
    View().m_strRace.clear();
    Events();
    View().NewGame();
    EXPECT_EQ(Events(), (std::vector<std::string>{"dialog 159 cancel=0 result=none",
                                                  "messagebox Cannot open the file res\\keys_.txt",
                                                  "sound res/welcome.wav sync", "settimer 1 50"}));
    EXPECT_EQ(View().m_strRace, "");
    EXPECT_EQ(View().m_bRunning, 1);
}

TEST_F(GameTest, HoldAccountingByPauseAndActivation)
{
    StartGame();
    const time64 start = View().m_tStart;
    constexpr double second = CGameView::MinutesPerSecond;

    View().OnPauseGame();
    m_platform.clock.Set((start + 9) * 1000 + 700);
    View().OnPauseGame();
    // Nine whole seconds plus the extra one.
    EXPECT_DOUBLE_EQ(View().m_dPausedMinutes, 10 * second);
    EXPECT_DOUBLE_EQ(View().m_aSlots[0].dPaused, 10 * second);

    // Activation toggles; a deactivation is a hold, and its end sets m_bActive again.
    View().OnActivateChange();
    EXPECT_EQ(View().m_bActive, 0);
    m_platform.clock.Set((start + 12) * 1000);
    View().OnActivateChange();
    EXPECT_EQ(View().m_bActive, 1);
    EXPECT_DOUBLE_EQ(View().m_dPausedMinutes, (10 + 4) * second);

    // A pause during a deactivation: one hold start, overwritten; the unpause ends the hold
    // and makes the game active again.
    View().OnActivateChange();
    m_platform.clock.Set((start + 20) * 1000);
    View().OnPauseGame();
    m_platform.clock.Set((start + 25) * 1000);
    View().OnPauseGame();
    EXPECT_DOUBLE_EQ(View().m_dPausedMinutes, (10 + 4 + 6) * second);
    EXPECT_EQ(View().m_bActive, 1);
    EXPECT_EQ(View().m_bPaused, 0);

    // Without a game, activation changes nothing.
    View().StopGame(0);
    View().OnActivateChange();
    EXPECT_EQ(View().m_bActive, 1);
}

TEST_F(GameTest, AGameStartedStillPausedHoldsFromItsOwnStart)
{
    StartGame();
    View().OnPauseGame();
    View().StopGame(1);
    m_platform.clock.Advance(600'000);  // ten minutes on the result screen
    View().NewGame();
    EXPECT_EQ(View().m_bPaused, 1);
    Tick(10);
    EXPECT_TRUE(View().m_listCircles.empty());  // nothing moves while held
    m_platform.clock.Advance(4000);
    View().OnPauseGame();
    // 4.5 s since this game's start, counted as 4 whole seconds plus one.
    EXPECT_DOUBLE_EQ(View().m_dPausedMinutes, 5 * CGameView::MinutesPerSecond);
}
