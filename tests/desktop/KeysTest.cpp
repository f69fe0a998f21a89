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

TEST(VirtualKeys, TheUsualTableOfOtherKeys)
{
    const std::pair<int, UINT> keys[] = {
        {WXK_ESCAPE, 27},
        {WXK_SHIFT, 16},
        {WXK_CONTROL, 17},
        {WXK_ALT, 18},
        {WXK_SPACE, 32},
        {WXK_RETURN, 13},
        {WXK_NUMPAD_ENTER, 13},
        {WXK_TAB, 9},
        {WXK_BACK, 8},
        {WXK_LEFT, 37},
        {WXK_UP, 38},
        {WXK_RIGHT, 39},
        {WXK_DOWN, 40},
        {WXK_PAGEUP, 33},
        {WXK_PAGEDOWN, 34},
        {WXK_END, 35},
        {WXK_HOME, 36},
        {WXK_INSERT, 45},
        {WXK_DELETE, 46},
        {WXK_PAUSE, 19},
        {WXK_CAPITAL, 20},
        {WXK_NUMLOCK, 144},
        {WXK_SCROLL, 145},
        {WXK_NUMPAD_MULTIPLY, 106},
        {WXK_NUMPAD_ADD, 107},
        {WXK_NUMPAD_SUBTRACT, 109},
        {WXK_NUMPAD_DECIMAL, 110},
        {WXK_NUMPAD_DIVIDE, 111},
        {WXK_NUMPAD_HOME, 36},
        {WXK_NUMPAD_INSERT, 45},
        {WXK_WINDOWS_LEFT, 91},
        {WXK_WINDOWS_MENU, 93},
        {';', 186},
        {':', 186},
        {'=', 187},
        {',', 188},
        {'-', 189},
        {'.', 190},
        {'/', 191},
        {'`', 192},
        {'[', 219},
        {'\\', 220},
        {']', 221},
        {'\'', 222},
        {'"', 222},
        {'!', '1'},
    };
    for (const auto& [wx, vk] : keys)
        EXPECT_EQ(VirtualKeyFromWx(wx), vk) << "wx key " << wx;
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
