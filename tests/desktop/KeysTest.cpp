// The key table: every key the game knows arrives with its Windows virtual-key code, and the
// keys Windows keeps for the menu bar never arrive.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

TEST(VirtualKeys, EveryOtherKeyAndItsKeypadTwinGiveTheWindowsCode)
{
    // Windows' codes come in runs: VK_BACK, VK_TAB; VK_CLEAR, VK_RETURN; VK_SHIFT to VK_CAPITAL;
    // VK_ESCAPE; VK_SPACE to VK_HELP; VK_LWIN to VK_APPS; VK_MULTIPLY to VK_DIVIDE; VK_F1 to
    // VK_F4 (the keypad's); VK_NUMLOCK, VK_SCROLL.
    const std::pair<UINT, std::vector<int>> runs[] = {
        {0x08, {WXK_BACK, WXK_TAB}},
        {0x0C, {WXK_CLEAR, WXK_RETURN}},
        {0x10, {WXK_SHIFT, WXK_CONTROL, WXK_ALT, WXK_PAUSE, WXK_CAPITAL}},
        {0x1B, {WXK_ESCAPE}},
        {0x20,
         {WXK_SPACE, WXK_PAGEUP, WXK_PAGEDOWN, WXK_END, WXK_HOME, WXK_LEFT, WXK_UP, WXK_RIGHT, WXK_DOWN, WXK_SELECT,
          WXK_PRINT, WXK_EXECUTE, WXK_SNAPSHOT, WXK_INSERT, WXK_DELETE, WXK_HELP}},
        {0x5B, {WXK_WINDOWS_LEFT, WXK_WINDOWS_RIGHT, WXK_WINDOWS_MENU}},
        {0x6A, {WXK_MULTIPLY, WXK_ADD, WXK_SEPARATOR, WXK_SUBTRACT, WXK_DECIMAL, WXK_DIVIDE}},
        {0x70, {WXK_NUMPAD_F1, WXK_NUMPAD_F2, WXK_NUMPAD_F3, WXK_NUMPAD_F4}},
        {0x90, {WXK_NUMLOCK, WXK_SCROLL}}};
    for (const auto& [first, run] : runs) {
        for (std::size_t i = 0; i < run.size(); ++i)
            EXPECT_EQ(VirtualKeyFromWx(run[i]), first + i) << "wx key " << run[i];
    }
    // The keypad's keys, and WXK_MENU (Alt), are twins of main keys: key, twin, key, twin...
    const int twins[] = {WXK_TAB,      WXK_NUMPAD_TAB,      WXK_CLEAR,     WXK_NUMPAD_BEGIN,
                         WXK_RETURN,   WXK_NUMPAD_ENTER,    WXK_ALT,       WXK_MENU,
                         WXK_SPACE,    WXK_NUMPAD_SPACE,    WXK_PAGEUP,    WXK_NUMPAD_PAGEUP,
                         WXK_PAGEDOWN, WXK_NUMPAD_PAGEDOWN, WXK_END,       WXK_NUMPAD_END,
                         WXK_HOME,     WXK_NUMPAD_HOME,     WXK_LEFT,      WXK_NUMPAD_LEFT,
                         WXK_UP,       WXK_NUMPAD_UP,       WXK_RIGHT,     WXK_NUMPAD_RIGHT,
                         WXK_DOWN,     WXK_NUMPAD_DOWN,     WXK_INSERT,    WXK_NUMPAD_INSERT,
                         WXK_DELETE,   WXK_NUMPAD_DELETE,   WXK_MULTIPLY,  WXK_NUMPAD_MULTIPLY,
                         WXK_ADD,      WXK_NUMPAD_ADD,      WXK_SEPARATOR, WXK_NUMPAD_SEPARATOR,
                         WXK_SUBTRACT, WXK_NUMPAD_SUBTRACT, WXK_DECIMAL,   WXK_NUMPAD_DECIMAL,
                         WXK_DIVIDE,   WXK_NUMPAD_DIVIDE,   '=',           WXK_NUMPAD_EQUAL};
    for (std::size_t i = 0; i < std::size(twins); i += 2)
        EXPECT_EQ(VirtualKeyFromWx(twins[i + 1]), VirtualKeyFromWx(twins[i])) << "wx key " << twins[i + 1];
    // The toolkit may report a punctuation key by either of its characters: both give the
    // key's code in the US layout (VK_OEM_1 to VK_OEM_7); the shifted digits give the digit.
    const std::pair<const char*, UINT> characters[] = {
        {";:", 0xBA}, {"=+", 0xBB},  {",<", 0xBC}, {"-_", 0xBD},  {".>", 0xBE}, {"/?", 0xBF}, {"`~", 0xC0},
        {"[{", 0xDB}, {"\\|", 0xDC}, {"]}", 0xDD}, {"'\"", 0xDE}, {"0)", '0'},  {"1!", '1'},  {"2@", '2'},
        {"3#", '3'},  {"4$", '4'},   {"5%", '5'},  {"6^", '6'},   {"7&", '7'},  {"8*", '8'},  {"9(", '9'}};
    for (const auto& [pair, vk] : characters) {
        EXPECT_EQ(VirtualKeyFromWx(pair[0]), vk) << pair;
        EXPECT_EQ(VirtualKeyFromWx(pair[1]), vk) << pair;
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

TEST(VirtualKeys, AltF10AndEveryKeyPressedWithAltAreTheMenuBarsNotTheGames)
{
    // Without Alt held, only Alt itself (either key) and F10 are the menu bar's; F9, F11 and
    // every other key are the game's. With Alt held every key is the menu bar's.
    std::vector<int> menuBars;
    for (int wx = 0; wx <= WXK_SPECIAL20 + 1; ++wx) {
        if (IsSystemKey(wx, false))
            menuBars.push_back(wx);
        EXPECT_TRUE(IsSystemKey(wx, true)) << "wx key " << wx << " with Alt";
    }
    std::vector<int> expected{WXK_ALT, WXK_MENU, WXK_F10};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(menuBars, expected);
}
