// The judged actions of a game and their times: time in play from the tick that placed a circle,
// holds (and the wait after one) left out, across new games and the wraps of the rings.
#include <tuple>

#include "res/Resource.h"
#include "tests/game/GameFixture.h"

namespace {
using Kind = KeptAction::Kind;
using Button = KeptAction::Button;
}  // namespace

class ActionsTest : public GameTest {
protected:
    // Clicks the oldest circle's centre with the button it wants.
    void HitOldest() { Hit(View().m_listCircles.front()); }
    void Advance(std::int64_t ms) { m_platform.clock.Advance(ms); }
    const std::vector<KeptAction>& Actions() { return View().Actions(); }
};

TEST_F(ActionsTest, AHoldBetweenPlacementAndHitDoesNotCountNorDoesTheWaitAfterIt)
{
    StartGame();
    Tick();  // 50 ms in: the first circle is placed
    ASSERT_EQ(View().m_listCircles.size(), 1u);
    Advance(200);
    View().OnPauseGame();
    Advance(5000);
    Tick();  // held: the next running tick waits 750 ms
    View().OnPauseGame();
    Tick();  // 50 ms more of play, then the wait
    EXPECT_EQ(EventsMatching("sleep"), std::vector<std::string>{"sleep 750"});
    Advance(100);
    HitOldest();
    ASSERT_EQ(Actions().size(), 1u);
    const KeptAction hit = Actions()[0];
    EXPECT_EQ(hit.kind, Kind::Hit);
    EXPECT_EQ(hit.playMs, 50 + 200 + 50 + 100);
    EXPECT_EQ(hit.reactionMs, 200 + 50 + 100);
    EXPECT_EQ(hit.keyMs, -1);

    // A hold by the frame's activation, begun and ended by other causes in turn, counts the same.
    Tick();  // the next circle
    ASSERT_EQ(View().m_listCircles.size(), 1u);
    const std::int64_t placedAt = 400 + 50;
    Advance(300);
    View().OnActivateChange(0);
    Advance(2000);
    View().OnPauseGame();  // held by both
    View().OnActivateChange(1);
    Advance(900);
    View().OnPauseGame();  // free again
    Advance(40);
    HitOldest();
    ASSERT_EQ(Actions().size(), 2u);
    EXPECT_EQ(Actions()[1].playMs, placedAt + 300 + 40);
    EXPECT_EQ(Actions()[1].reactionMs, 340);
}

TEST_F(ActionsTest, KeysMissesAndEscapesAreKeptWithTheirKeysButtonsAndTimes)
{
    StartGame("Q");
    View().m_bCustomKeys = 1;
    View().m_bNoIntersect = 0;
    View().SpawnCircle(1, 1);  // labelled "Q", placed at 0 ms of play
    const CCircle first = View().m_listCircles.front();
    ASSERT_EQ(first.m_strLabel, "Q");
    Advance(300);
    View().OnKeyDown('W', 1, 0);
    View().OnRButtonDown(0, {first.m_nX, first.m_nY});  // a wrong click
    View().OnKeyDown('Q', 1, 0);
    Advance(100);
    View().OnLButtonDown(0, {-500, -500});  // empty click: "Q" stays armed
    View().OnKeyDown(27, 1, 0);             // Escape disarms and is no action
    View().OnKeyDown('Q', 1, 0);
    Advance(200);
    HitOldest();

    // A key pressed before its circle appears is as quick as can be.
    View().OnKeyDown('Q', 1, 0);
    Advance(50);
    View().SpawnCircle(1, 1);
    const CCircle second = View().m_listCircles.front();
    Advance(450);
    HitOldest();

    const std::vector<KeptAction> expected = {
        {Kind::Key, Button::None, 'W', 0, 0, 300, -1, -1},
        {Kind::Miss, Button::Right, 'W', first.m_nX, first.m_nY, 300, -1, -1},
        {Kind::Key, Button::None, 'Q', 0, 0, 300, -1, -1},
        {Kind::Miss, Button::Left, 'Q', -500, -500, 400, -1, -1},
        {Kind::Key, Button::None, 'Q', 0, 0, 400, -1, -1},
        {Kind::Hit, Button::Left, 'Q', first.m_nX, first.m_nY, 600, 600, 400},
        {Kind::Key, Button::None, 'Q', 0, 0, 600, -1, -1},
        {Kind::Hit, Button::Left, 'Q', second.m_nX, second.m_nY, 1100, 450, 0},
    };
    EXPECT_EQ(Actions(), expected);

    // An escape: the circle's centre, its button and label, and its time on the field in play.
    View().SpawnCircle(0, 0);
    const CCircle circle = View().m_listCircles.front();
    int frames = 0;
    while (!View().m_listCircles.empty() && frames < 1000) {
        Advance(50);
        Paint();
        ++frames;
    }
    ASSERT_EQ(Actions().size(), expected.size() + 1);
    EXPECT_EQ(Actions().back(), (KeptAction{Kind::Escape, Button::Right, 0, circle.m_nX, circle.m_nY,
                                            1100 + frames * 50, frames * 50, -1}));
}

TEST_F(ActionsTest, AKeyTimeIsKeptForLabelledHitsOnlyFromAKeyPressedAtAnyTimeInPlay)
{
    // A key pressed at the very first moment of play, before its circle is placed.
    StartGame("Q");
    View().m_bCustomKeys = 1;
    View().m_bNoIntersect = 0;
    View().OnKeyDown('Q', 1, 0);
    Advance(100);
    View().SpawnCircle(1, 1);
    Advance(250);
    HitOldest();
    // Then a circle without a label, hit while that key press is still the last one.
    View().SpawnCircle(1, 0);
    Advance(300);
    HitOldest();
    ASSERT_EQ(Actions().size(), 3u);
    EXPECT_EQ(Actions()[0], (KeptAction{Kind::Key, Button::None, 'Q', 0, 0, 0, -1, -1}));
    EXPECT_EQ(std::tuple(Actions()[1].kind, Actions()[1].key, Actions()[1].reactionMs, Actions()[1].keyMs),
              std::tuple(Kind::Hit, 'Q', 250, 0));
    EXPECT_EQ(std::tuple(Actions()[2].kind, Actions()[2].key, Actions()[2].reactionMs, Actions()[2].keyMs),
              std::tuple(Kind::Hit, '\0', 300, -1));
}

TEST_F(ActionsTest, ANewGameStartsAFreshListAndClockAndForgetsTheOldCircles)
{
    StartGame();
    Tick(3);
    HitOldest();
    ASSERT_EQ(Actions().size(), 1u);
    View().StopGame(1);
    ASSERT_EQ(m_platform.history.Games().size(), 1u);
    EXPECT_EQ(m_platform.history.Actions(m_platform.history.Games()[0].id), Actions());  // kept with the game
    EXPECT_EQ(Actions().size(), 1u);  // the last game's, until the next starts

    Advance(60'000);
    // Started while the frame is inactive, the game is held from its start.
    View().OnActivateChange(0);
    View().NewGame();
    EXPECT_TRUE(Actions().empty());
    Advance(4000);
    View().OnActivateChange(1);
    Tick();  // placed at 50 ms of play
    Advance(250);
    HitOldest();
    ASSERT_EQ(Actions().size(), 1u);
    EXPECT_EQ(Actions()[0].playMs, 300);
    EXPECT_EQ(Actions()[0].reactionMs, 250);
}

TEST_F(ActionsTest, TimesRunOnThroughTheWrapsOfTheSlotRingAndTheActionList)
{
    StartGame();
    // 130 slot closes: the statistics ring of 128 wraps. No holds, so play time is clock time.
    const int ticks = 130 * 6;
    for (int t = 1; t <= ticks; ++t) {
        Tick();
        if (t % 7 == 0 && !View().m_listCircles.empty())
            HitOldest();
    }
    ASSERT_GT(Actions().size(), 50u);
    std::int64_t last = 0;
    for (const KeptAction& action : Actions()) {
        EXPECT_EQ(action.playMs % 50, 0);  // every press came right after a tick
        EXPECT_GE(action.playMs, last);
        EXPECT_GE(action.reactionMs, 0);
        last = action.playMs;
    }
    EXPECT_EQ(Actions().back().playMs, (ticks / 7 * 7) * 50);

    // A list that is full gives up its older half: the latest actions stay, in order.
    View().m_bCustomKeys = 1;
    const std::size_t before = Actions().size();
    const std::size_t presses = CActions::Limit + 10 - before;
    for (std::size_t i = 1; i <= presses; ++i) {
        Advance(1);
        View().OnKeyDown('A', 1, 0);
    }
    EXPECT_EQ(Actions().size(), CActions::Limit / 2 + 10);
    EXPECT_EQ(Actions().back().playMs, ticks * 50 + static_cast<std::int64_t>(presses));
    for (std::size_t i = 1; i < Actions().size(); ++i)
        EXPECT_EQ(Actions()[i].playMs, Actions()[i - 1].playMs + 1) << i;
}
