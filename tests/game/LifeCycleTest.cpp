// Starting, holding and stopping games; the race prompt; the hold accounting.
#include <tuple>

#include "res/Resource.h"
#include "tests/game/GameFixture.h"

// What a new game forgets of the last one is in tests/sim (a new game against a fresh program's).
TEST_F(GameTest, StopShowsTheResultUntilTheNextGame)
{
    StartGame();
    CGameView& v = View();
    v.m_bSounds = 1;
    v.OnNewStopGame();  // stop: history is not started, but the command itself is not guarded
    EXPECT_EQ(Events(),
              (std::vector<std::string>{"killtimer 1", "invalidate 0 0 704 528", "sound res/applause.wav sync"}));
    EXPECT_EQ(std::tuple(v.m_bRunning, v.m_bShowResult), std::tuple(0, 1));
    EXPECT_EQ(v.m_tEnd, m_platform.clock.Now());

    const time64 firstEnd = v.m_tEnd;
    m_platform.clock.Advance(5000);
    v.m_bSounds = 0;  // and the next game starts without the welcome
    v.OnNewStopGame();
    EXPECT_EQ(Events(), (std::vector<std::string>{"settimer 1 50"}));
    EXPECT_EQ(std::tuple(v.m_bRunning, v.m_bShowResult, v.m_nTimerId), std::tuple(1, 0, UINT_PTR{1}));
    EXPECT_EQ(v.m_tStart, m_platform.clock.Now());
    EXPECT_EQ(v.m_tEnd, firstEnd);  // kept until the next stop
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

TEST_F(GameTest, PauseAndFocusMakeOneHoldInEitherOrder)
{
    StartGame();
    constexpr double second = CGameView::MinutesPerSecond;
    auto held = [this] { return std::tuple(View().m_bPaused, View().m_bActive, View().m_dPausedMinutes); };

    // Pause, lose the focus, get it back, unpause: one hold of 101 s, counted with its
    // extra second when the game is free again.
    View().OnPauseGame();
    At(100);
    View().OnActivateChange(0);
    At(101);
    View().OnActivateChange(1);
    EXPECT_EQ(held(), std::tuple(1, 1, 0.0));
    EXPECT_EQ(View().Program().s_tHoldStart, View().m_tStart);
    View().OnPauseGame();
    EXPECT_EQ(held(), std::tuple(0, 1, 102 * second));
    EXPECT_DOUBLE_EQ(View().m_aSlots[0].dPaused, 102 * second);

    // Focus lost, then paused, then unpaused while still away: held throughout, and the
    // unpause does not make the game active; the return of the focus ends the hold.
    At(110);
    View().OnActivateChange(0);
    At(115);
    View().OnPauseGame();
    At(120);
    View().OnPauseGame();
    EXPECT_EQ(held(), std::tuple(0, 0, 102 * second));
    EXPECT_EQ(View().Program().s_tHoldStart, View().m_tStart + 110);
    At(130);
    View().OnActivateChange(1);
    EXPECT_EQ(held(), std::tuple(0, 1, (102 + 21) * second));

    // A report that changes nothing does no accounting.
    View().OnActivateChange(1);
    EXPECT_EQ(held(), std::tuple(0, 1, (102 + 21) * second));
    // Nothing moves while held; the first running tick after a hold sleeps.
    View().OnActivateChange(0);
    const std::size_t circles = View().m_listCircles.size();
    Tick(40);
    EXPECT_EQ(View().m_listCircles.size(), circles);
    View().OnActivateChange(1);
    Events();
    Tick();
    EXPECT_EQ(EventsMatching("sleep"), (std::vector<std::string>{"sleep 750"}));
}

TEST_F(GameTest, ANewGameStartsUnpausedWithTheFramesActivation)
{
    Make();
    // Without a game the frame's activation changes nothing of the game's state ...
    View().OnActivateChange(0);
    EXPECT_EQ(View().m_bActive, 1);
    // ... but a game started now is held from its own start, and runs once the frame is
    // active again.
    StartGame();
    EXPECT_EQ(std::tuple(View().m_bPaused, View().m_bActive), std::tuple(0, 0));
    EXPECT_EQ(View().Program().s_tHoldStart, View().m_tStart);
    Tick(10);
    EXPECT_TRUE(View().m_listCircles.empty());
    At(3);
    View().OnActivateChange(1);
    EXPECT_DOUBLE_EQ(View().m_dPausedMinutes, 4 * CGameView::MinutesPerSecond);
    Tick(3);
    EXPECT_FALSE(View().m_listCircles.empty());

    // Stopped while paused, then a new game: it runs at once, with no hold of its own.
    View().OnPauseGame();
    View().StopGame(1);
    m_platform.clock.Advance(600'000);  // ten minutes on the result screen
    View().NewGame();
    EXPECT_EQ(std::tuple(View().m_bPaused, View().m_bActive, View().m_dPausedMinutes), std::tuple(0, 1, 0.0));
    Tick(3);
    EXPECT_FALSE(View().m_listCircles.empty());
    EXPECT_EQ(Update(View(), ID_FILE_PAUSEGAME).text, "&Pause Game");

    // Stopped while the frame was away and back since: the next game runs.
    View().OnActivateChange(0);
    View().StopGame(1);
    View().OnActivateChange(1);
    View().NewGame();
    EXPECT_EQ(View().m_bActive, 1);
}

TEST_F(GameTest, AClockSetBackDuringAPauseCountsNoTime)
{
    StartGame();
    At(30);
    View().OnPauseGame();
    m_platform.clock.Set((View().m_tStart - 86'400) * 1000);  // set back a day
    View().OnPauseGame();
    EXPECT_DOUBLE_EQ(View().m_dPausedMinutes, CGameView::MinutesPerSecond);
    // The rates go on updating: a hit counts in the next slot close.
    m_platform.clock.Set((View().m_tStart + 60) * 1000);
    AddCircle(100, 100, 20.0, 1);
    View().OnLButtonDown(0, CPoint{100, 100});
    Tick(6);
    EXPECT_GT(View().m_nApmAverage, 0);
}
