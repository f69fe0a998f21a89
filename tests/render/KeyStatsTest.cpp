// The statistics of reaction times: percentiles by nearest rank, targets by key and button, and
// the weights Practise Slow Keys draws with.
#include <gtest/gtest.h>

#include <numeric>

#include "render/KeyStats.h"

namespace {
using Kind = KeptAction::Kind;
using Button = KeptAction::Button;

KeptAction Hit(unsigned char key, Button button, int ms)
{
    return KeptAction{Kind::Hit, button, key, 0, 0, 0, ms, key ? ms / 2 : -1};
}
KeptAction Escape(unsigned char key, Button button, int ms)
{
    return KeptAction{Kind::Escape, button, key, 0, 0, 0, ms, -1};
}
}  // namespace

TEST(KeyStats, PercentilesAreTheNearestRankOfTheSortedTimes)
{
    // 1..100: the p-th percentile is p itself.
    std::vector<int> hundred(100);
    std::iota(hundred.begin(), hundred.end(), 1);
    EXPECT_EQ(Summarise(hundred), (ReactionSummary{100, 50, 90, 1, 99}));
    // Four times: the median is the lower middle one, the 90th and 99th the slowest.
    EXPECT_EQ(Summarise({400, 100, 300, 200}), (ReactionSummary{4, 200, 400, 100, 400}));
    EXPECT_EQ(Summarise({700}), (ReactionSummary{1, 700, 700, 700, 700}));
    EXPECT_EQ(Summarise({}), ReactionSummary{});
    const std::vector<int> ten = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    EXPECT_EQ(Percentile(ten, 1), 10);
    EXPECT_EQ(Percentile(ten, 11), 20);
    EXPECT_EQ(Percentile(ten, 100), 100);
    // The rank rounds up however little it passes a whole one: 99 % of 99 times is 98.01.
    EXPECT_EQ(Percentile(std::span(hundred).first(99), 99), 99);
}

TEST(KeyStats, LabelledCirclesCountByKeyTheOthersByButtonAndMissesAndKeysApart)
{
    const std::vector<KeptAction> actions = {
        Hit('Q', Button::Left, 900),
        Hit('Q', Button::Left, 500),
        Escape('Q', Button::Left, 6000),
        Hit('p', Button::Left, 1200),
        Hit(0, Button::Left, 300),
        Hit(0, Button::Right, 450),
        Escape(0, Button::Right, 3000),
        {Kind::Miss, Button::Left, 'Q', 5, 5, 100, -1, -1},
        {Kind::Key, Button::None, 'Q', 0, 0, 100, -1, -1},
        {Kind::Hit, Button::Left, 0, 0, 0, 0, -1, -1},  // a circle the game never placed: no time
    };
    const KeyStats stats = CollectKeyStats(actions);
    ASSERT_EQ(stats.keys.size(), 2u);
    EXPECT_EQ(stats.keys.at('Q'), (TargetStats{3, 2, 1, ReactionSummary{2, 500, 900, 500, 900}}));
    EXPECT_EQ(stats.keys.at('p'), (TargetStats{1, 1, 0, ReactionSummary{1, 1200, 1200, 1200, 1200}}));
    EXPECT_EQ(stats.left, (TargetStats{2, 2, 0, ReactionSummary{1, 300, 300, 300, 300}}));
    EXPECT_EQ(stats.right, (TargetStats{2, 1, 1, ReactionSummary{1, 450, 450, 450, 450}}));
    EXPECT_EQ(stats.reactions, (std::vector<int>{300, 450, 500, 900, 1200}));
    EXPECT_EQ(stats.all, (ReactionSummary{5, 500, 1200, 300, 1200}));
    EXPECT_EQ(stats.misses, 1);
    EXPECT_EQ(stats.keyPresses, 1);
}

TEST(KeyStats, PractiseWeightsRunFromTheFloorForTheFastestToTheTopForTheSlowest)
{
    const KeyStats stats =
        CollectKeyStats(std::vector<KeptAction>{Hit('A', Button::Left, 400), Hit('B', Button::Left, 1000),
                                                Hit('C', Button::Left, 1600), Escape('D', Button::Left, 5000)});
    const unsigned char labels[] = {'A', 'B', 'C', 'D', 'E'};
    // D was never hit and E never shown: both count as the slowest.
    EXPECT_EQ(PractiseWeights(stats, labels),
              (std::vector<int>{PractiseFloorWeight, (PractiseFloorWeight + PractiseTopWeight) / 2, PractiseTopWeight,
                                PractiseTopWeight, PractiseTopWeight}));
    // All alike: the floor for each judged key, so all are equally likely.
    const unsigned char same[] = {'A', 'A'};
    EXPECT_EQ(PractiseWeights(stats, same), (std::vector<int>{PractiseFloorWeight, PractiseFloorWeight}));
    // The most labels a set holds still draw with one 15-bit rand.
    EXPECT_LE(1024 * PractiseTopWeight, 32768);

    const int weights[] = {4, 10, 16};
    EXPECT_EQ(WeightedIndex(weights, 0), 0u);
    EXPECT_EQ(WeightedIndex(weights, 3), 0u);
    EXPECT_EQ(WeightedIndex(weights, 4), 1u);
    EXPECT_EQ(WeightedIndex(weights, 13), 1u);
    EXPECT_EQ(WeightedIndex(weights, 14), 2u);
    EXPECT_EQ(WeightedIndex(weights, 29), 2u);
}
