// The table from wxWidgets key codes to Windows virtual-key codes.
#include "platform/desktop/VirtualKeys.h"

#include <array>
#include <utility>

#include <wx/defs.h>

namespace {
// Keys whose code is not simply their character. Both characters of a punctuation key
// are listed, since the toolkit may report the shifted one.
constexpr auto Table = std::to_array<std::pair<int, UINT>>({
    {WXK_BACK, 8},
    {WXK_TAB, 9},
    {WXK_NUMPAD_TAB, 9},
    {WXK_CLEAR, 12},
    {WXK_NUMPAD_BEGIN, 12},
    {WXK_RETURN, 13},
    {WXK_NUMPAD_ENTER, 13},
    {WXK_SHIFT, 16},
    {WXK_CONTROL, 17},
    {WXK_ALT, 18},
    {WXK_MENU, 18},
    {WXK_PAUSE, 19},
    {WXK_CAPITAL, 20},
    {WXK_ESCAPE, 27},
    {WXK_SPACE, 32},
    {WXK_NUMPAD_SPACE, 32},
    {WXK_PAGEUP, 33},
    {WXK_NUMPAD_PAGEUP, 33},
    {WXK_PAGEDOWN, 34},
    {WXK_NUMPAD_PAGEDOWN, 34},
    {WXK_END, 35},
    {WXK_NUMPAD_END, 35},
    {WXK_HOME, 36},
    {WXK_NUMPAD_HOME, 36},
    {WXK_LEFT, 37},
    {WXK_NUMPAD_LEFT, 37},
    {WXK_UP, 38},
    {WXK_NUMPAD_UP, 38},
    {WXK_RIGHT, 39},
    {WXK_NUMPAD_RIGHT, 39},
    {WXK_DOWN, 40},
    {WXK_NUMPAD_DOWN, 40},
    {WXK_SELECT, 41},
    {WXK_PRINT, 42},
    {WXK_EXECUTE, 43},
    {WXK_SNAPSHOT, 44},
    {WXK_INSERT, 45},
    {WXK_NUMPAD_INSERT, 45},
    {WXK_DELETE, 46},
    {WXK_NUMPAD_DELETE, 46},
    {WXK_HELP, 47},
    {WXK_WINDOWS_LEFT, 91},
    {WXK_WINDOWS_RIGHT, 92},
    {WXK_WINDOWS_MENU, 93},
    {WXK_NUMPAD0, 96},
    {WXK_NUMPAD1, 97},
    {WXK_NUMPAD2, 98},
    {WXK_NUMPAD3, 99},
    {WXK_NUMPAD4, 100},
    {WXK_NUMPAD5, 101},
    {WXK_NUMPAD6, 102},
    {WXK_NUMPAD7, 103},
    {WXK_NUMPAD8, 104},
    {WXK_NUMPAD9, 105},
    {WXK_MULTIPLY, 106},
    {WXK_NUMPAD_MULTIPLY, 106},
    {WXK_ADD, 107},
    {WXK_NUMPAD_ADD, 107},
    {WXK_SEPARATOR, 108},
    {WXK_NUMPAD_SEPARATOR, 108},
    {WXK_SUBTRACT, 109},
    {WXK_NUMPAD_SUBTRACT, 109},
    {WXK_DECIMAL, 110},
    {WXK_NUMPAD_DECIMAL, 110},
    {WXK_DIVIDE, 111},
    {WXK_NUMPAD_DIVIDE, 111},
    {WXK_NUMPAD_F1, 112},
    {WXK_NUMPAD_F2, 113},
    {WXK_NUMPAD_F3, 114},
    {WXK_NUMPAD_F4, 115},
    {WXK_NUMLOCK, 144},
    {WXK_SCROLL, 145},
    {';', 186},
    {':', 186},
    {'=', 187},
    {'+', 187},
    {WXK_NUMPAD_EQUAL, 187},
    {',', 188},
    {'<', 188},
    {'-', 189},
    {'_', 189},
    {'.', 190},
    {'>', 190},
    {'/', 191},
    {'?', 191},
    {'`', 192},
    {'~', 192},
    {'[', 219},
    {'{', 219},
    {'\\', 220},
    {'|', 220},
    {']', 221},
    {'}', 221},
    {'\'', 222},
    {'"', 222},
    // The shifted digits of the US layout are the digit keys.
    {')', '0'},
    {'!', '1'},
    {'@', '2'},
    {'#', '3'},
    {'$', '4'},
    {'%', '5'},
    {'^', '6'},
    {'&', '7'},
    {'*', '8'},
    {'(', '9'},
});
}  // namespace

UINT VirtualKeyFromWx(int wxKeyCode)
{
    if (wxKeyCode >= 'A' && wxKeyCode <= 'Z')
        return static_cast<UINT>(wxKeyCode);
    if (wxKeyCode >= 'a' && wxKeyCode <= 'z')
        return static_cast<UINT>(wxKeyCode - 'a' + 'A');
    if (wxKeyCode >= '0' && wxKeyCode <= '9')
        return static_cast<UINT>(wxKeyCode);
    if (wxKeyCode >= WXK_F1 && wxKeyCode <= WXK_F24)
        return static_cast<UINT>(112 + (wxKeyCode - WXK_F1));
    for (const auto& [wx, vk] : Table) {
        if (wx == wxKeyCode)
            return vk;
    }
    return 0;
}

bool IsSystemKey(int wxKeyCode, bool altDown)
{
    return altDown || wxKeyCode == WXK_ALT || wxKeyCode == WXK_MENU || wxKeyCode == WXK_F10;
}
