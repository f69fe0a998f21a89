// The tests of the desktop windows, run on a display (the test command starts Xvfb).
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new wxApp);  // the toolkit owns its application object
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no display for the window tests\n");
        return 1;
    }
    wxImage::AddHandler(new wxPNGHandler);
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
