// Options > Practise Slow Keys: its menu item and settings entry, and the labels it draws toward
// the keys whose median reaction was slowest over the last kept games, none left out.
#include <map>

#include "res/Resource.h"
#include "tests/game/GameFixture.h"

class PractiseTest : public GameTest {
protected:
    // A kept game in which each key of the map was hit three times after that many ms.
    void KeepGame(const std::map<char, int>& reactions)
    {
        KeptGame game;
        for (const auto& [key, ms] : reactions) {
            for (int i = 0; i < 3; ++i) {
                game.actions.push_back(KeptAction{KeptAction::Kind::Hit, KeptAction::Button::Left,
                                                  static_cast<unsigned char>(key), 0, 0, 0, ms, ms / 2});
            }
        }
        m_platform.history.Keep(game);
    }
    // How often each label comes up in n labelled circles of a new game.
    std::map<std::string, int> Labels(int n)
    {
        View().NewGame();
        View().m_bNoIntersect = 0;
        std::map<std::string, int> counts;
        for (int i = 0; i < n; ++i) {
            View().SpawnCircle(1, 1);
            ++counts[View().m_listCircles.back().m_strLabel];
            View().m_listCircles.clear();
        }
        return counts;
    }
    void Practise(bool on)
    {
        if (View().PractiseSlowKeys() != on)
            View().OnCmdMsg(ID_OPTIONS_PRACTISESLOWKEYS, nullptr);
    }
};

TEST_F(PractiseTest, LabelsLeanTowardTheSlowestKeysOfTheLastTenGamesAndEveryKeyStays)
{
    m_platform.profile.WriteString(CGameView::SettingsSection, "Options", "11111");
    Make();
    m_folder.Write("res/keys_df.txt", "QWE");
    View().m_strRace = "df";
    // Older games said W was slow; the last ten say Q is (2 s), E is quick and W in between.
    for (int i = 0; i < 5; ++i)
        KeepGame({{'W', 4000}});
    for (int i = 0; i < 10; ++i)
        KeepGame({{'Q', 2000}, {'W', 1250}, {'E', 500}});

    Practise(true);
    const int n = 20'000;
    std::map<std::string, int> counts = Labels(n);
    // Weights 16, 10 and 4 of 30.
    EXPECT_NEAR(counts["Q"], n * 16 / 30, n / 50);
    EXPECT_NEAR(counts["W"], n * 10 / 30, n / 50);
    EXPECT_NEAR(counts["E"], n * 4 / 30, n / 50);

    // A key with no hit to judge counts as the slowest.
    m_folder.Write("res/keys_df.txt", "QWEZ");
    counts = Labels(n);
    EXPECT_NEAR(counts["Z"], n * 16 / 46, n / 50);
}

TEST_F(PractiseTest, OffTheGameDrawsTheSameLabelsAsWithoutTheOption)
{
    m_platform.profile.WriteString(CGameView::SettingsSection, "Options", "11111");
    Make();
    m_folder.Write("res/keys_df.txt", "QWERTp");
    View().m_strRace = "df";
    KeepGame({{'Q', 3000}, {'W', 200}});
    auto sequence = [&] {
        View().NewGame();
        View().m_bNoIntersect = 0;
        std::string labels;
        for (int i = 0; i < 300; ++i) {
            View().SpawnCircle(1, 1);
            labels += View().m_listCircles.back().m_strLabel;
        }
        View().m_listCircles.clear();
        return labels;
    };
    // The seed is the clock's second: the same second gives the same game.
    const std::string plain = sequence();
    Practise(true);
    const std::string practised = sequence();
    Practise(false);
    EXPECT_EQ(sequence(), plain);
    EXPECT_NE(practised, plain);
    // On, but a game started without Custom Keys keeps the game's own draw throughout.
    Practise(true);
    View().m_bCustomKeys = 0;
    View().NewGame();
    View().m_bCustomKeys = 1;
    View().m_bNoIntersect = 0;
    std::string labels;
    for (int i = 0; i < 300; ++i) {
        View().SpawnCircle(1, 1);
        labels += View().m_listCircles.back().m_strLabel;
    }
    EXPECT_EQ(labels, plain);
}

TEST_F(PractiseTest, TheMenuItemAndTheSettingsEntry)
{
    Make();
    UiState ui = Update(View(), ID_OPTIONS_PRACTISESLOWKEYS);
    EXPECT_TRUE(ui.enabled);
    EXPECT_FALSE(ui.checked);
    View().OnCmdMsg(ID_OPTIONS_PRACTISESLOWKEYS, nullptr);
    EXPECT_TRUE(Update(View(), ID_OPTIONS_PRACTISESLOWKEYS).checked);
    StartGame();
    EXPECT_FALSE(Update(View(), ID_OPTIONS_PRACTISESLOWKEYS).enabled);  // for the next game
    View().StopGame(1);
    EXPECT_TRUE(Update(View(), ID_OPTIONS_PRACTISESLOWKEYS).enabled);

    // Written when on, or when the profile had it; never added while off.
    auto exitWith = [&](const char* stored, bool toggle) {
        m_view.reset();
        m_platform.profile = MemoryProfile();
        if (stored)
            m_platform.profile.WriteString(CGameView::SettingsSection, CGameView::PractiseEntry, stored);
        Make();
        if (toggle)
            View().OnCmdMsg(ID_OPTIONS_PRACTISESLOWKEYS, nullptr);
        m_view.reset();
        return m_platform.profile.GetString(CGameView::SettingsSection, CGameView::PractiseEntry, "absent");
    };
    EXPECT_EQ(exitWith(nullptr, false), "absent");
    EXPECT_EQ(exitWith(nullptr, true), "1");
    EXPECT_EQ(exitWith("1", false), "1");
    EXPECT_EQ(exitWith("1", true), "0");
    EXPECT_EQ(exitWith("0", false), "0");
    EXPECT_EQ(exitWith("yes", false), "0");  // only "1" is on
    EXPECT_EQ(exitWith("", true), "1");
}
