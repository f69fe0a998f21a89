// Double clicks by time and distance, and activation changes passed on once.
#include <gtest/gtest.h>

#include "platform/desktop/InputRules.h"

using Button = ClickClassifier::Button;

TEST(ClickClassifier, EachPressIsAnOrdinaryPressOrTheSecondOfADoubleClick)
{
    ClickClassifier clicks(500, 4, 4);
    EXPECT_FALSE(clicks.Press(Button::Left, 1000, {100, 100}));
    EXPECT_TRUE(clicks.Press(Button::Left, 1200, {101, 99})) << "quick and near: double";
    EXPECT_FALSE(clicks.Press(Button::Left, 1300, {101, 99})) << "a third press starts anew";
    EXPECT_TRUE(clicks.Press(Button::Left, 1800, {103, 101})) << "at the time and distance limits";
    EXPECT_FALSE(clicks.Press(Button::Left, 2000, {103, 101}));
    EXPECT_FALSE(clicks.Press(Button::Left, 2501, {103, 101})) << "one millisecond too late";
    EXPECT_FALSE(clicks.Press(Button::Left, 2600, {106, 101})) << "three pixels too far";
    EXPECT_FALSE(clicks.Press(Button::Right, 2700, {106, 101})) << "another button";
    EXPECT_TRUE(clicks.Press(Button::Right, 2800, {106, 103})) << "the right button alike";
    EXPECT_FALSE(clicks.Press(Button::Left, 2900, {106, 103}));
    EXPECT_FALSE(clicks.Press(Button::Left, 100, {106, 103})) << "time running backwards";
}

TEST(ActivationFilter, OnlyRealChangesOfANormalFrameReachTheGame)
{
    ActivationFilter filter;
    EXPECT_TRUE(filter.Report(true, false)) << "first activation";
    EXPECT_FALSE(filter.Report(true, false)) << "reported twice";
    EXPECT_TRUE(filter.Report(false, false));
    EXPECT_FALSE(filter.Report(false, false));
    EXPECT_TRUE(filter.Report(true, false));
    // Minimizing deactivates, and restoring activates, while the frame is minimized:
    // neither reaches the game, so a running game goes on as it was.
    EXPECT_FALSE(filter.Report(false, true));
    EXPECT_FALSE(filter.Report(true, true));
    EXPECT_FALSE(filter.Report(true, false)) << "no change once restored";
    EXPECT_TRUE(filter.Report(false, false));
}
