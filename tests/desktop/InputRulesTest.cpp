// Every press judged once, and the frame's activation as one state.
#include <gtest/gtest.h>

#include "platform/desktop/InputRules.h"

using Button = PressFilter::Button;

TEST(PressFilter, ADoubleClickRepeatingTheButtonDownJustReportedIsNotJudgedAgain)
{
    PressFilter presses;
    // A quick pair where the toolkit sends only the double click for the second press.
    EXPECT_TRUE(presses.Down(Button::Left, 1000));
    EXPECT_TRUE(presses.DoubleClick(Button::Left, 1120));
    // A quick pair where the second press comes both ways, with one time stamp.
    EXPECT_TRUE(presses.Down(Button::Left, 2000));
    EXPECT_TRUE(presses.Down(Button::Left, 2100));
    EXPECT_FALSE(presses.DoubleClick(Button::Left, 2100));
    // The other button with the same stamp is another press; a button-down is repeated once.
    EXPECT_TRUE(presses.Down(Button::Right, 3000));
    EXPECT_TRUE(presses.DoubleClick(Button::Left, 3000));
    EXPECT_TRUE(presses.Down(Button::Left, 4000));
    EXPECT_FALSE(presses.DoubleClick(Button::Left, 4000));
    EXPECT_TRUE(presses.DoubleClick(Button::Left, 4000)) << "only the button-down is repeated";
}

TEST(FrameActivation, ActiveOnlyAsTheActiveWindowNotMinimisedAndWithoutADialog)
{
    FrameActivation frame;
    EXPECT_FALSE(frame.IsActive()) << "not active until the window system says so";
    frame.SetActiveWindow(true);
    EXPECT_TRUE(frame.IsActive());
    // Minimising and restoring, in whatever order the reports come.
    frame.SetMinimized(true);
    EXPECT_FALSE(frame.IsActive());
    frame.SetActiveWindow(false);
    frame.SetMinimized(false);
    EXPECT_FALSE(frame.IsActive()) << "restored, but another window is active";
    frame.SetActiveWindow(true);
    EXPECT_TRUE(frame.IsActive());

    // A modal dialog holds it from its opening on; when the last one closes the frame is active
    // again at once, before the window system's late report.
    frame.DialogOpens();
    EXPECT_FALSE(frame.IsActive());
    frame.SetActiveWindow(false);
    frame.DialogOpens();
    frame.DialogCloses();
    EXPECT_FALSE(frame.IsActive());
    frame.DialogCloses();
    EXPECT_TRUE(frame.IsActive());
    frame.DialogCloses();  // one close too many changes nothing
    EXPECT_TRUE(frame.IsActive());
    frame.DialogOpens();  // and so with one dialog alone
    frame.SetActiveWindow(false);
    frame.DialogCloses();
    EXPECT_TRUE(frame.IsActive());

    // A dialog opened while the frame was away, or minimised, leaves it so.
    for (const bool minimized : {false, true}) {
        frame.SetActiveWindow(minimized);
        frame.SetMinimized(minimized);
        frame.DialogOpens();
        frame.SetActiveWindow(false);
        frame.SetMinimized(false);
        frame.DialogCloses();
        EXPECT_FALSE(frame.IsActive()) << minimized;
    }
}
