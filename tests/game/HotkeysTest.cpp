// Hotkey set files: every byte is one label, up to 1024 of them.
#include "tests/game/GameFixture.h"

TEST_F(GameTest, HotkeySetsAreReadByteByByteUpToTheTableSize)
{
    Make();
    View().m_strRace = "ud";
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
        View().NewGame();
        EXPECT_TRUE(EventsMatching("messagebox").empty());
        ASSERT_EQ(View().m_nKeys, static_cast<int>(c.labels.size()));
        for (std::size_t i = 0; i < c.labels.size(); ++i)
            EXPECT_EQ(View().m_astrKeys[i], c.labels[i]);
        View().StopGame(0);
    }
    // 1024 labels at most; the bytes beyond them are ignored.
    for (int size : {1024, 1025, 1500}) {
        std::string bytes;
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>('A' + i % 26);
        m_folder.Write("res/keys_ud.txt", bytes);
        View().NewGame();
        ASSERT_EQ(View().m_nKeys, 1024) << size;
        EXPECT_EQ(View().m_astrKeys[1023], std::string(1, 'A' + 1023 % 26)) << size;
        View().StopGame(0);
    }
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
