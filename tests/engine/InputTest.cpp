// Key presses arm keys; clicks are judged as hits, wrong clicks or empty clicks.
#include "tests/engine/GameFixture.h"

namespace {
constexpr UINT VK_A = 65, VK_B = 66, VK_F1 = 112, VK_ESC = 27, VK_SHIFT = 16;
}

class JudgeTest : public GameTest {
protected:
    void SetUp() override
    {
        Make();
        StartGame();
        View().m_listCircles.clear();
        View().m_bCustomKeys = 1;
    }
    void Press(UINT vk) { View().OnKeyDown(vk, 1, 0); }
    int Useful() { return View().m_aSlots[View().m_nSlot].nUseful; }
};

TEST_F(JudgeTest, HitsScoreSoundAndCountUsefulActions)
{
    AddCircle(100, 100, 20.0, 1);
    AddCircle(300, 100, 20.0, 0);
    AddCircle(500, 100, 20.0, 1, "A");

    View().OnLButtonDown(0, CPoint{110, 105});
    EXPECT_EQ(View().m_nScore, 10);
    EXPECT_EQ(Useful(), 1);
    View().OnRButtonDown(0, CPoint{300, 120});  // on the rim: inside
    EXPECT_EQ(View().m_nScore, 20);
    EXPECT_EQ(Useful(), 2);
    Press(VK_A);
    EXPECT_EQ(View().m_strLastKey, "A");
    View().OnLButtonDown(0, CPoint{500, 100});
    EXPECT_EQ(View().m_nScore, 45);
    EXPECT_EQ(Useful(), 4);
    EXPECT_EQ(View().m_strLastKey, "");
    EXPECT_TRUE(View().m_listCircles.empty());
    EXPECT_EQ(View().m_nMisses, 0);
    EXPECT_EQ(Events(), (std::vector<std::string>{"sound res/hit1.wav async", "sound res/hit2.wav async",
                                                  "sound res/hit3.wav async"}));
}

TEST_F(JudgeTest, WrongAndEmptyClicksLowerTheScoreNeverBelowZero)
{
    AddCircle(100, 100, 20.0, 0);
    View().m_nScore = 20;
    View().OnLButtonDown(0, CPoint{100, 121});  // just outside the rim: empty click
    EXPECT_EQ(View().m_nScore, 5);
    View().OnLButtonDown(0, CPoint{100, 100});  // right-button circle, left click
    EXPECT_EQ(View().m_nScore, 0);
    EXPECT_EQ(View().m_listCircles.size(), 1u);
    View().m_nScore = 3;
    View().OnLButtonDblClk(0, CPoint{100, 100});  // a double click is judged like a press
    EXPECT_EQ(View().m_nScore, 0);
    View().m_nScore = 12;
    View().OnRButtonDblClk(0, CPoint{400, 400});
    EXPECT_EQ(View().m_nScore, 0);
    EXPECT_EQ(View().m_nMisses, 4);
    EXPECT_EQ(Useful(), 0);
    EXPECT_EQ(EventsMatching("sound res/miss.wav async").size(), 4u);
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

TEST_F(JudgeTest, TheArmedKeyDecidesBetweenLabelledAndMouseOnlyCircles)
{
    AddCircle(100, 100, 20.0, 1);
    AddCircle(300, 100, 20.0, 1, "A");

    // A key armed, a mouse-only circle clicked: wrong click, and the key is gone.
    Press(VK_A);
    View().OnLButtonDown(0, CPoint{100, 100});
    EXPECT_EQ(View().m_nMisses, 1);
    EXPECT_EQ(View().m_strLastKey, "");
    // Labelled circle with no key, then with another key: wrong clicks.
    View().OnLButtonDown(0, CPoint{300, 100});
    Press(VK_B);
    View().OnLButtonDown(0, CPoint{300, 100});
    EXPECT_EQ(View().m_nMisses, 3);
    // An armed key survives an empty click and then hits.
    Press(VK_A);
    View().OnLButtonDown(0, CPoint{600, 400});
    EXPECT_EQ(View().m_strLastKey, "A");
    View().OnLButtonDown(0, CPoint{300, 100});
    EXPECT_EQ(View().m_listCircles.size(), 1u);
    // Escape disarms; Shift arms its own code and spoils a mouse-only click.
    Press(VK_A);
    Press(VK_ESC);
    EXPECT_EQ(View().m_strLastKey, "");
    Press(VK_SHIFT);
    EXPECT_EQ(View().m_strLastKey, std::string(1, '\x10'));
    View().OnLButtonDown(0, CPoint{100, 100});
    EXPECT_EQ(View().m_nMisses, 5);
    // With no key armed the mouse-only circle is hit.
    View().OnLButtonDown(0, CPoint{100, 100});
    EXPECT_TRUE(View().m_listCircles.empty());
}

TEST_F(JudgeTest, KeysAreCharacterCodes)
{
    AddCircle(100, 100, 20.0, 1, "p");
    AddCircle(300, 100, 20.0, 1, "a");
    Press(VK_F1);
    EXPECT_EQ(View().m_strLastKey, "p");
    View().OnLButtonDown(0, CPoint{100, 100});
    EXPECT_EQ(View().m_listCircles.size(), 1u);
    Press(VK_A);  // the letter A never answers "a", the keypad's 1
    View().OnLButtonDown(0, CPoint{300, 100});
    EXPECT_EQ(View().m_listCircles.size(), 1u);
    Press(97);
    View().OnLButtonDown(0, CPoint{300, 100});
    EXPECT_TRUE(View().m_listCircles.empty());
    // A code whose low byte is zero arms nothing.
    Press(256);
    EXPECT_EQ(View().m_strLastKey, "");
}

TEST_F(JudgeTest, HeldOrKeylessGamesIgnoreInput)
{
    AddCircle(100, 100, 20.0, 1);
    View().m_nScore = 40;
    View().OnPauseGame();
    Events();
    Press(VK_A);
    View().OnLButtonDown(0, CPoint{100, 100});
    View().OnRButtonDown(0, CPoint{400, 400});
    View().OnPauseGame();
    View().OnActivateChange();  // the frame lost the activation
    View().OnLButtonDown(0, CPoint{100, 100});
    View().OnActivateChange();
    EXPECT_EQ(View().m_nScore, 40);
    EXPECT_EQ(View().m_nMisses, 0);
    EXPECT_EQ(View().m_listCircles.size(), 1u);
    EXPECT_EQ(View().m_strLastKey, "");
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
    EXPECT_EQ(View().m_nScore, 0);
    // With a result on show a left click does nothing.
    View().StopGame(1);
    Events();
    View().OnLButtonDown(0, CPoint{5, 5});
    EXPECT_EQ(View().m_bRunning, 0);
    EXPECT_TRUE(Events().empty());
}
