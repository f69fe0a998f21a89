// The hotkey sets: the keys a player of each race trains, one file per race.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

struct Hotkey {
    char key;             // the byte stored in the file
    const char* meaning;  // what the key does in a game of that race
};

struct HotkeySet {
    std::string race;  // "hu", "or", "ud", "ne" or "df"
    std::vector<Hotkey> keys;
    // The file's bytes: every key once, in order, with no line break.
    std::string Text() const;
};

std::vector<HotkeySet> MakeHotkeySets();

}  // namespace assetgen
