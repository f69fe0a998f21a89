// The profile through wxConfig: entries kept in memory, saved once into the user's settings
// file, which a failed save never damages (a kill at any moment: AtomicFileTest).
#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstdlib>

#include <sys/resource.h>
#include <sys/stat.h>
#include <wx/debug.h>
#include <wx/string.h>

#include "app/App.h"
#include "platform/desktop/ConfigProfile.h"
#include "tests/TempDir.h"

namespace {
// A home of its own for each test, so no real settings are read or touched.
class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("HOME", m_home.Path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (m_home.Path() / ".config").c_str(), 1);
        m_mask = ::umask(022);
    }
    void TearDown() override { ::umask(m_mask); }

    std::filesystem::path SettingsFile() const { return m_home.Path() / ".config/Orbicle/Orbicle.conf"; }

    // The profile as the program opens it, with the four entries it writes at exit.
    static std::unique_ptr<ConfigProfile> OpenAndWrite()
    {
        auto profile = std::make_unique<ConfigProfile>(COrbicleApp::AppName);
        profile->SetRegistryKey(COrbicleApp::RegistryKey);
        profile->WriteInt("Settings", "Left", -2000);
        profile->WriteInt("Settings", "Top", 77);
        profile->WriteString("Settings", "Race", "ne");
        profile->WriteString("Settings", "Options", "10101");
        return profile;
    }

    TempDir m_home;
    mode_t m_mask = 0;
};
}  // namespace

TEST_F(ProfileTest, EntriesAreSavedOnceAndSurviveIntoTheNextRunExactlyAsWritten)
{
    // A hand-edited file: a comment, an entry without a name, a section given twice. Its
    // entries are kept (written anew: not the comment, nor the line without a name), and none
    // of it is a toolkit assert (in the program, a box).
    static int asserts = 0;
    const wxAssertHandler_t previous =
        wxSetAssertHandler([](const wxString&, int, const wxString&, const wxString&, const wxString&) { ++asserts; });
    const std::string others = "; kept as it is\n[Other]\nKeep=yes\n=5\n[Other]\nMore=1\n";
    m_home.Write(".config/Orbicle/Orbicle.conf", others);
    {
        ConfigProfile profile(COrbicleApp::AppName);
        profile.SetRegistryKey(COrbicleApp::RegistryKey);
        EXPECT_EQ(profile.SettingsFile(), SettingsFile());
        EXPECT_EQ(profile.GetString("Settings", "Race", "hu"), "hu") << "a first run has no race";
        EXPECT_EQ(profile.GetInt("Settings", "Left", 120), 120);
        profile.WriteInt("Settings", "Left", -2000);
        profile.WriteString("Settings", "Top", "north");
        profile.WriteString("Settings", "Race", "");
        profile.WriteString("Settings", "Options", "1\xE9 $HOME ");
        EXPECT_EQ(FileText(SettingsFile()), others) << "nothing is written before the save";
        EXPECT_EQ(profile.Save(), "");
    }
    const std::string text = FileText(SettingsFile());
    EXPECT_EQ(text.rfind("[Other]\nKeep=yes\nMore=1\n[Settings]\nLeft=-2000\n", 0), 0u) << text;

    ConfigProfile next(COrbicleApp::AppName);
    next.SetRegistryKey(COrbicleApp::RegistryKey);
    EXPECT_EQ(next.GetInt("Settings", "Left", 120), -2000);
    EXPECT_EQ(next.GetInt("Settings", "Top", 90), 90) << "not a number: the default";
    EXPECT_EQ(next.GetString("Settings", "Race", "none"), "") << "an empty entry is not an absent one";
    EXPECT_EQ(next.GetString("Settings", "Options"), "1\xE9 $HOME ") << "bytes, blanks and no variables expanded";
    EXPECT_EQ(next.GetString("Other", "Keep") + next.GetString("Other", "More"), "yes1");
    EXPECT_EQ(next.Save(), "") << "nothing written, nothing to save";
    EXPECT_EQ(FileText(SettingsFile()), text);
    wxSetAssertHandler(previous);
    EXPECT_EQ(asserts, 0);
}

TEST_F(ProfileTest, AFirstRunSavesIntoAHomeWithoutAConfigurationFolder)
{
    // Where XDG_CONFIG_HOME is not set, or is no absolute path, the folder is ~/.config.
    for (const char* xdg : {"", "relative/config", static_cast<const char*>(nullptr)}) {
        xdg ? ::setenv("XDG_CONFIG_HOME", xdg, 1) : ::unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(m_home.Path() / ".config");
        EXPECT_EQ(OpenAndWrite()->Save(), "");
        ConfigProfile next(COrbicleApp::AppName);
        next.SetRegistryKey(COrbicleApp::RegistryKey);
        EXPECT_EQ(next.GetInt("Settings", "Left", 0), -2000) << xdg;
        EXPECT_EQ(next.GetString("Settings", "Race"), "ne") << xdg;
        EXPECT_EQ(std::filesystem::status(SettingsFile()).permissions(), std::filesystem::perms(0644)) << xdg;
    }
    // A number beyond int is none the game wrote: the default.
    ConfigProfile numbers(COrbicleApp::AppName);
    numbers.LoadText("[N]\nMax=2147483647\nMin=-2147483648\nBig=2147483648\nSmall=-2147483649\n");
    for (const auto& [entry, value] : {std::pair{"Max", INT_MAX}, {"Min", INT_MIN}, {"Big", 7}, {"Small", 7}})
        EXPECT_EQ(numbers.GetInt("N", entry, 7), value) << entry;
}

TEST_F(ProfileTest, BeforeTheKeyIsSetNothingIsReadOrWritten)
{
    ConfigProfile profile(COrbicleApp::AppName);
    EXPECT_EQ(profile.GetInt("Settings", "Top", 90), 90);
    profile.WriteString("Settings", "Race", "or");
    profile.WriteInt("Settings", "Top", 5);
    EXPECT_EQ(profile.GetString("Settings", "Race"), "");
    EXPECT_EQ(profile.Text(), "");
    EXPECT_EQ(profile.Save(), "");
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

TEST_F(ProfileTest, ASaveThatFailsSaysWhereAndWhyInOneLineAndDamagesNothing)
{
    // The settings file is a folder; the settings folder is a plain file; the settings are in
    // no known encoding; the disk is full.
    auto failure = [&](const std::string& reason) {
        const std::string problem = OpenAndWrite()->Save();
        EXPECT_NE(problem.find(SettingsFile().string()), std::string::npos) << problem;
        EXPECT_NE(problem.find(reason), std::string::npos) << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
    };
    m_home.Write(".config/Orbicle/Orbicle.conf/mine", "x");
    failure("Is a directory");
    EXPECT_EQ(FileText(SettingsFile() / "mine"), "x");

    std::filesystem::remove_all(SettingsFile().parent_path());
    m_home.Write(".config/Orbicle", "a file");
    failure("Not a directory");
    EXPECT_EQ(FileText(SettingsFile().parent_path()), "a file");

    // A mark for UTF-16, then half a character: no text at all, and left as it is.
    std::filesystem::remove(SettingsFile().parent_path());
    const std::string undecodable("\xFF\xFE[\0S\0]", 7);
    m_home.Write(".config/Orbicle/Orbicle.conf", undecodable);
    failure("encoding");
    EXPECT_EQ(FileText(SettingsFile()), undecodable);
    // Only a mark for UTF-8: an empty file.
    m_home.Write(".config/Orbicle/Orbicle.conf", "\xEF\xBB\xBF");
    EXPECT_EQ(OpenAndWrite()->Save(), "");

    // Files may grow to 100 bytes: the first write is cut short, the next one fails.
    const std::string old = "[Other]\nKeep=" + std::string(4000, 'x') + "\n";
    m_home.Write(".config/Orbicle/Orbicle.conf", old);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{100, limit.rlim_max};
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string problem = OpenAndWrite()->Save();
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, signal);
    EXPECT_NE(problem.find("File too large"), std::string::npos) << problem;
    EXPECT_EQ(FileText(SettingsFile()), old);
}
