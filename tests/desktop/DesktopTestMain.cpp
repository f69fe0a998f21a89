// The tests that need wxWidgets' base library but no display.
#include <gtest/gtest.h>

#include <wx/init.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const wxInitializer wx;
    if (!wx.IsOk())
        return 1;
    return RUN_ALL_TESTS();
}
