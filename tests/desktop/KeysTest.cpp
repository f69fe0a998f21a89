// The key table: every key the game knows arrives with its Windows virtual-key code.
#include <gtest/gtest.h>

#include <wx/defs.h>

#include "platform/desktop/VirtualKeys.h"

TEST(VirtualKeys, LettersDigitsAndFunctionKeysKeepTheirCodes)
{
    for (int c = 'A'; c <= 'Z'; ++c) {
        EXPECT_EQ(VirtualKeyFromWx(c), static_cast<UINT>(c));
        EXPECT_EQ(VirtualKeyFromWx(c - 'A' + 'a'), static_cast<UINT>(c)) << "lower case " << char(c);
    }
    for (int c = '0'; c <= '9'; ++c)
        EXPECT_EQ(VirtualKeyFromWx(c), static_cast<UINT>(c));
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(VirtualKeyFromWx(WXK_F1 + i), 112u + i) << "F" << i + 1;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(VirtualKeyFromWx(WXK_NUMPAD0 + i), 96u + i) << "keypad " << i;
}

TEST(VirtualKeys, TheKeysTheGameNamesAndBothCharactersOfAKey)
{
    // Escape disarms; Shift and Ctrl arm like any key; Enter, also the keypad's, is one key.
    for (const auto& [wx, vk] : {std::pair<int, UINT>{WXK_ESCAPE, 27},
                                 {WXK_SHIFT, 16},
                                 {WXK_CONTROL, 17},
                                 {WXK_RETURN, 13},
                                 {WXK_NUMPAD_ENTER, 13}})
        EXPECT_EQ(VirtualKeyFromWx(wx), vk) << "wx key " << wx;
    // The toolkit may report a punctuation key by either of its characters: both give the key's
    // code, one of the layout's punctuation codes (186 to 222); the shifted digits give the digit.
    const char* pairs[] = {";:", "=+", ",<", "-_", ".>", "/?", "`~", "[{", "\\|", "]}", "'\"", "1!", "2@", "9(", "0)"};
    for (const char* pair : pairs) {
        const UINT code = VirtualKeyFromWx(pair[0]);
        EXPECT_EQ(VirtualKeyFromWx(pair[1]), code) << pair;
        EXPECT_TRUE((code >= 186 && code <= 222) || (code >= '0' && code <= '9')) << pair;
    }
}

TEST(VirtualKeys, KeysTheTableLacksAreIgnoredAndNoCodeExceedsAByte)
{
    for (const int wx : {static_cast<int>(WXK_NONE), static_cast<int>(WXK_SPECIAL1), static_cast<int>(WXK_LBUTTON),
                         0xE9, 0x20AC, -1, 100000})
        EXPECT_EQ(VirtualKeyFromWx(wx), 0u) << "wx key " << wx;
    // The game keeps the low byte of a key code, so a code must fit in it.
    for (int wx = 0; wx < 1000; ++wx)
        EXPECT_LE(VirtualKeyFromWx(wx), 254u) << "wx key " << wx;
}
