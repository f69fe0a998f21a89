// The races: the hotkey sets a player trains, each with its button in the race dialog (159),
// its cursor and its hotkey set file. Everything that names a race reads this table.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct Race {
    const char* code;        // names the hotkey set file and chooses the cursor
    const char* name;        // the race dialog button's text
    int nButtonId;           // the button's control id
    int x, y, cx, cy;        // the button's box in dialog units
    unsigned nCursorId;      // the cursor resource
    const char* cursorFile;  // the cursor's picture under res/
};

inline constexpr std::array<Race, 5> Races = {{
    {"df", "Default", 3, 12, 24, 50, 14, 169, "res/cursors/df.png"},
    {"hu", "Human", 1000, 66, 24, 84, 14, 164, "res/cursors/hu.png"},
    {"or", "Orc", 1001, 48, 42, 84, 14, 166, "res/cursors/or.png"},
    {"ud", "Undead", 1002, 30, 60, 84, 14, 167, "res/cursors/ud.png"},
    {"ne", "Night Elves", 1004, 12, 78, 84, 14, 165, "res/cursors/ne.png"},
}};

// The race of a code; null for an empty or unknown one.
inline const Race* FindRace(std::string_view code)
{
    for (const Race& race : Races) {
        if (code == race.code)
            return &race;
    }
    return nullptr;
}

// The hotkey set file of any race code, known or not, with the Windows separator the game
// names it with: "res\keys_" + code + ".txt".
inline std::string HotkeySetFile(std::string_view code)
{
    return "res\\keys_" + std::string(code) + ".txt";
}

// Every byte of a hotkey set file is one key label, up to this many; bytes beyond are ignored.
inline constexpr int MaxHotkeyLabels = 1024;
