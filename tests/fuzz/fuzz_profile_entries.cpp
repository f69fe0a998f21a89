// Fuzz target: the "Options", "Left", "Top" and "Race" entries as the game reads them from
// the profile (one line each, in that order). Whatever they hold, the frame's rectangle is
// computed without overflow and a five-character Options entry sets the five options.
#include <cstdint>
#include <sstream>

#include "app/MainFrame.h"
#include "platform/headless/Headless.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    HeadlessPlatform platform;
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    for (const char* entry : {"Options", "Left", "Top", "Race"}) {
        std::string value;
        if (std::getline(lines, value))
            platform.profile.WriteString(CGameView::SettingsSection, entry, value);
    }
    const std::string options = platform.profile.GetString(CGameView::SettingsSection, "Options", "");

    CMainFrame frame(platform.services, nullptr);
    HeadlessFrame native(1024);
    frame.OnCreate(native, platform.window);
    const CRect rect = native.GetNormalRect();
    FuzzCheck(rect.Width() == 704 + 12 && rect.Height() == 528 + 60, "the frame's size is the field's plus borders");

    const CGameView& view = frame.m_wndView;
    const BOOL fields[] = {view.m_bShowStatistics, view.m_bNoIntersect, view.m_bCustomKeys, view.m_bDarkening,
                           view.m_bSounds};
    const std::string used = options.size() == 5 ? options : "11011";
    for (int i = 0; i < 5; ++i)
        FuzzCheck(fields[i] == static_cast<signed char>(used[i]) - '0', "each option is its character less '0'");
    frame.OnDestroy();
    return 0;
}
