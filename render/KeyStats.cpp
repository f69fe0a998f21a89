// The statistics of reaction times: percentiles by nearest rank, per key and per button.
#include "render/KeyStats.h"

#include <algorithm>

int Percentile(std::span<const int> sorted, int percent)
{
    if (sorted.empty())
        return -1;
    const std::size_t n = sorted.size();
    const std::size_t rank = std::max<std::size_t>((static_cast<std::size_t>(percent) * n + 99) / 100, 1);
    return sorted[std::min(rank, n) - 1];
}

ReactionSummary Summarise(std::vector<int> times)
{
    std::sort(times.begin(), times.end());
    return ReactionSummary{static_cast<int>(times.size()), Percentile(times, 50), Percentile(times, 90),
                           Percentile(times, 1), Percentile(times, 99)};
}

KeyStats CollectKeyStats(std::span<const KeptAction> actions)
{
    KeyStats stats;
    std::map<unsigned char, std::vector<int>> keyTimes;
    std::vector<int> leftTimes, rightTimes;
    for (const KeptAction& action : actions) {
        using Kind = KeptAction::Kind;
        if (action.kind == Kind::Miss) {
            ++stats.misses;
            continue;
        }
        if (action.kind == Kind::Key) {
            ++stats.keyPresses;
            continue;
        }
        const bool labelled = action.key != 0;
        TargetStats& target = labelled                                     ? stats.keys[action.key]
                              : action.button == KeptAction::Button::Right ? stats.right
                                                                           : stats.left;
        ++target.shown;
        if (action.kind == Kind::Escape) {
            ++target.escaped;
            continue;
        }
        ++target.hit;
        if (action.reactionMs < 0)
            continue;  // a circle whose placement was not seen: hit, but with no time
        (labelled                                     ? keyTimes[action.key]
         : action.button == KeptAction::Button::Right ? rightTimes
                                                      : leftTimes)
            .push_back(action.reactionMs);
        stats.reactions.push_back(action.reactionMs);
    }
    for (auto& [key, times] : keyTimes)
        stats.keys[key].reaction = Summarise(std::move(times));
    stats.left.reaction = Summarise(std::move(leftTimes));
    stats.right.reaction = Summarise(std::move(rightTimes));
    std::sort(stats.reactions.begin(), stats.reactions.end());
    stats.all = Summarise(stats.reactions);
    return stats;
}

std::vector<int> PractiseWeights(const KeyStats& stats, std::span<const unsigned char> labels)
{
    auto median = [&](unsigned char label) {
        const auto found = stats.keys.find(label);
        return found == stats.keys.end() ? -1 : found->second.reaction.median;
    };
    int fastest = -1, slowest = -1;
    for (const unsigned char label : labels) {
        const int m = median(label);
        if (m < 0)
            continue;
        fastest = fastest < 0 ? m : std::min(fastest, m);
        slowest = std::max(slowest, m);
    }
    std::vector<int> weights;
    weights.reserve(labels.size());
    for (const unsigned char label : labels) {
        const int m = median(label);
        if (m < 0)
            weights.push_back(PractiseTopWeight);
        else if (slowest == fastest)
            weights.push_back(PractiseFloorWeight);
        else
            weights.push_back(PractiseFloorWeight +
                              static_cast<int>(static_cast<long long>(m - fastest) *
                                               (PractiseTopWeight - PractiseFloorWeight) / (slowest - fastest)));
    }
    return weights;
}

std::size_t WeightedIndex(std::span<const int> weights, int roll)
{
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (roll < weights[i])
            return i;
        roll -= weights[i];
    }
    return weights.empty() ? 0 : weights.size() - 1;
}
