// Fuzz target: the settings file as the desktop program reads it (wxFileConfig from the
// file's bytes and the profile's Get functions), through the game's start and end: the frame
// is placed without overflow, what the game writes back at its end reads back the same, and
// the saved text, read and saved again, does not change.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <wx/debug.h>
#include <wx/init.h>
#include <wx/string.h>

#include "app/MainFrame.h"
#include "platform/desktop/ConfigProfile.h"
#include "platform/desktop/Placement.h"
#include "platform/headless/Headless.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {
const char* const Entries[] = {"Left", "Top", "Race", "Options"};

// An assert of the toolkit would be a box in the program: here it is a finding.
void AbortOnAssert(const wxString& file, int line, const wxString& /*func*/, const wxString& cond,
                   const wxString& /*msg*/)
{
    FuzzFail("wx assert " + cond.utf8_string() + " at " + file.utf8_string() + ":" + std::to_string(line));
}

struct Toolkit {
    wxInitializer wx;
    Toolkit() { wxSetAssertHandler(AbortOnAssert); }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Toolkit toolkit;
    ConfigProfile profile("Orbicle");
    profile.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
    HeadlessPlatform platform;
    GameServices services{platform.clock,    platform.random, platform.sound,      platform.files,
                          platform.messages, profile,         platform.raceDialog, platform.history};
    std::vector<std::string> written;
    {
        CMainFrame frame(services, nullptr);
        HeadlessFrame native(1024);
        frame.OnCreate(native, platform.window);
        const CRect displays[] = {{0, 0, 1920, 1080}};
        const CRect placed = KeepOnSomeDisplay(native.GetNormalRect(), displays);
        FuzzCheck(placed.Width() == 716 && placed.Height() == 588, "the frame keeps its size where it is placed");
        frame.OnDestroy();
    }
    for (const char* entry : Entries)
        written.push_back(profile.GetString(CGameView::SettingsSection, entry, "(none)"));

    const std::string saved = profile.Text();
    ConfigProfile next("Orbicle");
    FuzzCheck(next.LoadText(saved), "the saved text decodes");
    FuzzCheck(next.Text() == saved, "the saved text, read and saved again, stays the same");
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (next.GetString(CGameView::SettingsSection, Entries[i], "(none)") != written[i])
            FuzzFail(std::string("the saved ") + Entries[i] + " reads back the same");
    }
    return 0;
}
