// Our own command layout for each race. Every race shares the unit commands, the control
// groups and the hero keys, then adds the letters of its own buildings and abilities.
// Bytes are what the game compares with a key's code: capital letters, digits, and p, q, r
// for F1, F2, F3.
#include "tools/assetgen/Hotkeys.h"

namespace assetgen {

namespace {

std::vector<Hotkey> CommonKeys()
{
    return {
        {'A', "attack"},
        {'M', "move"},
        {'S', "stop"},
        {'H', "hold position"},
        {'P', "patrol"},
        {'1', "control group 1"},
        {'2', "control group 2"},
        {'3', "control group 3"},
        {'4', "control group 4"},
        {'5', "control group 5"},
        {'6', "control group 6"},
        {'7', "control group 7"},
        {'8', "control group 8"},
        {'9', "control group 9"},
        {'0', "control group 10"},
        {'p', "first hero (F1)"},
        {'q', "second hero (F2)"},
        {'r', "third hero (F3)"},
    };
}

HotkeySet WithCommon(std::string race, std::vector<Hotkey> own)
{
    HotkeySet set{std::move(race), CommonKeys()};
    set.keys.insert(set.keys.end(), own.begin(), own.end());
    return set;
}

}  // namespace

std::string HotkeySet::Text() const
{
    std::string s;
    for (const Hotkey& k : keys)
        s += k.key;
    return s;
}

std::vector<HotkeySet> MakeHotkeySets()
{
    return {
        WithCommon("hu", {{'B', "build"},
                          {'V', "build advanced"},
                          {'F', "farmstead"},
                          {'K', "keep upgrade"},
                          {'T', "watchtower"},
                          {'W', "workshop"},
                          {'L', "lumber mill"},
                          {'G', "gather"},
                          {'R', "repair"},
                          {'C', "call to arms"}}),
        WithCommon("or", {{'B', "build"},
                          {'V', "build advanced"},
                          {'W', "war camp"},
                          {'N', "beast den"},
                          {'T', "totem"},
                          {'O', "forge"},
                          {'L', "lair upgrade"},
                          {'G', "gather"},
                          {'X', "pillage"},
                          {'U', "battle roar"}}),
        WithCommon("ud", {{'B', "raise"},
                          {'V', "raise advanced"},
                          {'K', "catacomb"},
                          {'Y', "bone yard"},
                          {'O', "obelisk"},
                          {'G', "gather"},
                          {'D', "drain"},
                          {'X', "burst corpse"},
                          {'N', "night fog"},
                          {'I', "infect"}}),
        WithCommon("ne", {{'B', "grow"},
                          {'V', "grow advanced"},
                          {'E', "elder grove"},
                          {'J', "moon pool"},
                          {'N', "nest"},
                          {'Y', "yew hall"},
                          {'U', "uproot"},
                          {'G', "gather"},
                          {'I', "ivy snare"},
                          {'W', "wisp light"}}),
        WithCommon("df", {{'Q', "ability 1"},
                          {'W', "ability 2"},
                          {'E', "ability 3"},
                          {'R', "ability 4"},
                          {'T', "ability 5"},
                          {'D', "ability 6"},
                          {'F', "ability 7"},
                          {'G', "gather"},
                          {'B', "build"},
                          {'V', "build advanced"},
                          {'C', "ability 8"},
                          {'X', "ability 9"},
                          {'Z', "ability 10"}}),
    };
}

}  // namespace assetgen
