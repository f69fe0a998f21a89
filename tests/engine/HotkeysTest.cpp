// Hotkey set files: every byte is one label, up to 1024 of them.
#include "tests/engine/GameFixture.h"

TEST_F(GameTest, HotkeySetsAreReadByteByByte)
{
    Make();
    struct Case {
        std::string bytes;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {"QWER", {"Q", "W", "E", "R"}},
        {"QWER\r\n", {"Q", "W", "E", "R", "\r", "\n"}},
        {std::string("A\0p", 3), {"A", "", "p"}},  // a zero byte is an empty label
        {"", {}},
    };
    for (const Case& c : cases) {
        m_folder.Write("res/keys_ud.txt", c.bytes);
        View().m_strRace = "ud";
        View().NewGame();
        EXPECT_TRUE(EventsMatching("messagebox").empty());
        ASSERT_EQ(View().m_nKeys, static_cast<int>(c.labels.size()));
        for (std::size_t i = 0; i < c.labels.size(); ++i)
            EXPECT_EQ(View().m_astrKeys[i], c.labels[i]);
        View().StopGame(0);
    }
}

TEST_F(GameTest, LongHotkeySetsStopAtTheTableSize)
{
    Make();
    std::string bytes;
    for (int i = 0; i < 1500; ++i)
        bytes += static_cast<char>('A' + i % 26);
    m_folder.Write("res/keys_hu.txt", bytes);
    View().m_strRace = "hu";
    View().m_bCustomKeys = 1;
    View().NewGame();
    ASSERT_EQ(View().m_nKeys, 1024);
    EXPECT_EQ(View().m_astrKeys[1023], std::string(1, 'A' + 1023 % 26));

    // Every one of the 1024 labels can be drawn for a circle.
    std::vector<bool> seen(1024);
    CrtRand random;
    for (unsigned seed = 0; seed < 200000 && std::count(seen.begin(), seen.end(), false) > 0; ++seed) {
        random.srand(seed);
        seen[random.rand() % 1024] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0);
}

TEST_F(GameTest, MissingHotkeySetIsReportedAndTheGameStarts)
{
    Make();
    View().m_strRace = "ne";
    View().m_bCustomKeys = 1;
    for (int game = 0; game < 2; ++game) {
        View().NewGame();
        EXPECT_EQ(EventsMatching("messagebox"),
                  (std::vector<std::string>{"messagebox Cannot open the file res\\keys_ne.txt"}));
        EXPECT_EQ(View().m_bRunning, 1);
        EXPECT_EQ(View().m_nKeys, 0);
        View().StopGame(0);
    }
    // A race code from a hand-edited profile names its file unchanged.
    View().m_strRace = "zz";
    m_folder.Write("res/keys_zz.txt", "Z");
    View().NewGame();
    EXPECT_EQ(View().m_nKeys, 1);
}
