// Reaction times summarised per key, per button and in all, from the actions of one game or of
// several: what orbicle-sim's keystats prints, what the keys report draws and what Practise
// Slow Keys weighs.
#pragma once

#include <map>
#include <span>
#include <vector>

#include "platform/History.h"

// The spread of a set of reaction times, in milliseconds; -1 where there are none.
struct ReactionSummary {
    int count = 0;
    int median = -1;   // the 50th percentile
    int p90 = -1;      // the 90th percentile
    int best = -1;     // the 1st percentile: the best 1 %
    int slowest = -1;  // the 99th percentile: the slowest 1 %

    bool operator==(const ReactionSummary&) const = default;
};

// The time at a percentile (1 to 100) of times sorted from fast to slow, by nearest rank: the
// smallest time that at least that share of the times reach. -1 for no times.
int Percentile(std::span<const int> sorted, int percent);
// The summary of the times, in any order.
ReactionSummary Summarise(std::vector<int> times);

// Circles of one key, or of one button, and how they ended. A circle still on the field when
// its game ended was never judged and counts nowhere.
struct TargetStats {
    int shown = 0;  // hit or escaped
    int hit = 0;
    int escaped = 0;
    ReactionSummary reaction;  // of the hits: from the placement to the press

    bool operator==(const TargetStats&) const = default;
};

struct KeyStats {
    std::map<unsigned char, TargetStats> keys;  // labelled circles, by label
    TargetStats left;                           // circles without a label, by the button they want
    TargetStats right;
    std::vector<int> reactions;  // every hit's reaction time, keys and buttons, fast to slow
    ReactionSummary all;         // of those
    int misses = 0;
    int keyPresses = 0;
};

KeyStats CollectKeyStats(std::span<const KeptAction> actions);

// Practise Slow Keys: a weight for each label of a hotkey set (in its order), from the floor
// for the key with the fastest median up to the top for the slowest; a key with no hit to
// judge counts as the slowest. Weights add up to at most labels × PractiseTopWeight, so one
// 15-bit rand draws among them.
inline constexpr int PractiseFloorWeight = 4;
inline constexpr int PractiseTopWeight = 16;
std::vector<int> PractiseWeights(const KeyStats& stats, std::span<const unsigned char> labels);
// The index whose weight holds roll (0 to the sum of the weights less 1).
std::size_t WeightedIndex(std::span<const int> weights, int roll);
