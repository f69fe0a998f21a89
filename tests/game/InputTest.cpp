// Key presses arm keys; clicks are judged as hits, wrong clicks or empty clicks.
#include <tuple>

#include <functional>

#include "tests/game/GameFixture.h"

namespace {
constexpr UINT VK_A = 65, VK_B = 66, VK_F1 = 112, VK_ESC = 27, VK_SHIFT = 16;
enum class Click { Left, Right, LeftDouble, RightDouble };
}  // namespace

class JudgeTest : public GameTest {
protected:
    void SetUp() override
    {
        StartGame();
        View().m_listCircles.clear();
        View().m_bCustomKeys = 1;
    }
    void Press(UINT vk) { View().OnKeyDown(vk, 1, 0); }
    void Do(Click click, CPoint at)
    {
        switch (click) {
        case Click::Left: View().OnLButtonDown(0, at); break;
        case Click::Right: View().OnRButtonDown(0, at); break;
        case Click::LeftDouble: View().OnLButtonDblClk(0, at); break;
        case Click::RightDouble: View().OnRButtonDblClk(0, at); break;
        }
    }
    int Useful() { return View().m_aSlots[View().m_nSlot].nUseful; }
};

// Each row: keys pressed, then one click on a field of five circles of radius 20 in a row:
// left (100), right (200), left "A" (300), left "p" (400), left "a" (500), all at y 100.
TEST_F(JudgeTest, EveryOutcomeOfAClickWithItsScoreMissesUsefulActionsAndSound)
{
    struct Case {
        const char* what;
        std::vector<UINT> keys;
        Click click;
        CPoint at;
        int scoreBefore, score, useful;
        const char* sound;
        std::string armedAfter;
    };
    const Case cases[] = {
        {"left hit", {}, Click::Left, {110, 105}, 30, 40, 1, "hit1", ""},
        {"right hit on the rim", {}, Click::Right, {200, 120}, 30, 40, 1, "hit2", ""},
        {"labelled hit", {VK_A}, Click::Left, {300, 100}, 30, 55, 2, "hit3", ""},
        {"F1 answers p", {VK_F1}, Click::Left, {400, 100}, 30, 55, 2, "hit3", ""},
        {"character code 97 answers a", {97}, Click::Left, {500, 100}, 30, 55, 2, "hit3", ""},
        {"a zero low byte arms nothing", {256}, Click::Left, {100, 100}, 30, 40, 1, "hit1", ""},
        {"empty click, just outside the rim", {}, Click::Left, {100, 121}, 30, 15, 0, "miss", ""},
        {"empty click keeps the armed key", {VK_A}, Click::Left, {600, 400}, 30, 15, 0, "miss", "A"},
        {"empty click never below zero", {}, Click::RightDouble, {600, 400}, 12, 0, 0, "miss", ""},
        {"wrong button", {}, Click::Left, {200, 100}, 30, 25, 0, "miss", ""},
        {"double click judged as a press", {}, Click::LeftDouble, {200, 100}, 3, 0, 0, "miss", ""},
        {"left double click hits a left circle", {}, Click::LeftDouble, {100, 100}, 30, 40, 1, "hit1", ""},
        {"right double click hits a right circle", {}, Click::RightDouble, {200, 100}, 30, 40, 1, "hit2", ""},
        {"right double click misses a left circle", {}, Click::RightDouble, {100, 100}, 30, 25, 0, "miss", ""},
        {"key armed on a mouse-only circle", {VK_A}, Click::Left, {100, 100}, 30, 25, 0, "miss", ""},
        {"Shift arms its own code", {VK_SHIFT}, Click::Left, {100, 100}, 30, 25, 0, "miss", ""},
        {"labelled circle without a key", {}, Click::Left, {300, 100}, 30, 25, 0, "miss", ""},
        {"labelled circle with another key", {VK_B}, Click::Left, {300, 100}, 30, 25, 0, "miss", ""},
        {"Escape disarms", {VK_A, VK_ESC}, Click::Left, {100, 100}, 30, 40, 1, "hit1", ""},
        {"letter A never answers a", {VK_A}, Click::Left, {500, 100}, 30, 25, 0, "miss", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        View().m_listCircles.clear();
        AddCircle(100, 100, 20.0, 1);
        AddCircle(200, 100, 20.0, 0);
        for (const auto& [x, label] : {std::pair{300, "A"}, {400, "p"}, {500, "a"}})
            AddCircle(x, 100, 20.0, 1, label);
        View().m_nScore = c.scoreBefore;
        View().m_nMisses = 0;
        View().m_aSlots[View().m_nSlot].nUseful = 0;
        View().m_strLastKey.clear();
        for (UINT key : c.keys)
            Press(key);
        Events();
        Do(c.click, c.at);
        const bool hit = std::string(c.sound) != "miss";
        EXPECT_EQ(View().m_nScore, c.score);
        EXPECT_EQ(Useful(), c.useful);
        EXPECT_EQ(View().m_nMisses, hit ? 0 : 1);
        EXPECT_EQ(View().m_listCircles.size(), hit ? 4u : 5u);
        EXPECT_EQ(Events(), (std::vector<std::string>{"sound res/" + std::string(c.sound) + ".wav async"}));
        EXPECT_EQ(View().m_strLastKey, c.armedAfter);
    }
    // The armed codes themselves: F1 is "p", Shift its own byte.
    Press(VK_F1);
    EXPECT_EQ(View().m_strLastKey, "p");
    Press(VK_SHIFT);
    EXPECT_EQ(View().m_strLastKey, std::string(1, '\x10'));
}

TEST_F(JudgeTest, OldestCircleUnderThePointerIsJudged)
{
    AddCircle(200, 200, 30.0, 0);  // older, wants the right button
    AddCircle(210, 200, 30.0, 1);  // newer, would match a left click
    View().OnLButtonDown(0, CPoint{205, 200});
    EXPECT_EQ(View().m_nMisses, 1);
    EXPECT_EQ(View().m_listCircles.size(), 2u);
    View().OnRButtonDown(0, CPoint{205, 200});
    ASSERT_EQ(View().m_listCircles.size(), 1u);
    EXPECT_EQ(View().m_listCircles.front().m_bLeftButton, 1);
}

TEST_F(JudgeTest, HeldOrKeylessGamesIgnoreInput)
{
    AddCircle(100, 100, 20.0, 1);
    View().m_nScore = 40;
    Events();
    // Paused, then deactivated (the frame lost the activation), each hold ended again.
    const std::pair<std::function<void()>, std::function<void()>> holds[] = {
        {[&] { View().OnPauseGame(); }, [&] { View().OnPauseGame(); }},
        {[&] { View().OnActivateChange(0); }, [&] { View().OnActivateChange(1); }},
    };
    for (const auto& [hold, release] : holds) {
        hold();
        Press(VK_A);
        View().OnLButtonDown(0, CPoint{100, 100});
        View().OnRButtonDown(0, CPoint{400, 400});
        release();
    }
    EXPECT_EQ(std::tuple(View().m_nScore, View().m_nMisses, View().m_listCircles.size(), View().m_strLastKey),
              std::tuple(40, 0, 1u, std::string()));
    EXPECT_TRUE(EventsMatching("sound").empty());

    View().m_bCustomKeys = 0;
    Press(VK_A);
    EXPECT_EQ(View().m_strLastKey, "");
}

TEST_F(GameTest, ClicksOutsideAGame)
{
    Make();
    View().m_strRace = "df";
    m_folder.Write("res/keys_df.txt", "A");
    // Idle: right clicks, double clicks and keys do nothing; a left click starts a game and
    // is not judged itself.
    View().OnRButtonDown(0, CPoint{5, 5});
    View().OnLButtonDblClk(0, CPoint{5, 5});
    View().OnKeyDown(65, 1, 0);
    EXPECT_EQ(View().m_bRunning, 0);
    EXPECT_TRUE(Events().empty());
    View().OnLButtonDown(0, CPoint{5, 5});
    EXPECT_EQ(View().m_bRunning, 1);
    EXPECT_EQ(View().m_nMisses, 0);
    // The second press of a double click, once the game runs, is an ordinary click.
    View().OnLButtonDblClk(0, CPoint{5, 5});
    EXPECT_EQ(View().m_nMisses, 1);
    // With a result on show a left click does nothing.
    View().StopGame(1);
    Events();
    View().OnLButtonDown(0, CPoint{5, 5});
    EXPECT_EQ(View().m_bRunning, 0);
    EXPECT_TRUE(Events().empty());
}
