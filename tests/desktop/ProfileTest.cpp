// The profile through wxConfig: entries kept in the user's configuration folder between runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

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
    }

    std::filesystem::path SettingsFile() const { return m_home.Path() / ".config/Orbicle/Orbicle.conf"; }

    std::string FileText() const
    {
        std::ifstream in(SettingsFile());
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempDir m_home;
};
}  // namespace

TEST_F(ProfileTest, EntriesSurviveIntoTheNextRunExactlyAsTheGameWroteThem)
{
    {
        ConfigProfile profile(COrbicleApp::AppName);
        profile.SetRegistryKey(COrbicleApp::RegistryKey);
        EXPECT_EQ(profile.SettingsFile(), SettingsFile());
        EXPECT_EQ(profile.GetString("Settings", "Race"), "") << "a first run has no race";
        EXPECT_EQ(profile.GetInt("Settings", "Left", 120), 120);
        profile.WriteInt("Settings", "Left", -2000);
        profile.WriteString("Settings", "Top", "north");
        profile.WriteString("Settings", "Race", "");
        profile.WriteString("Settings", "Options", "1\xE9 $HOME ");
    }
    const std::string text = FileText();
    EXPECT_NE(text.find("[Settings]"), std::string::npos) << text;
    EXPECT_NE(text.find("Left=-2000"), std::string::npos) << text;

    ConfigProfile next(COrbicleApp::AppName);
    next.SetRegistryKey(COrbicleApp::RegistryKey);
    EXPECT_EQ(next.GetInt("Settings", "Left", 120), -2000);
    EXPECT_EQ(next.GetInt("Settings", "Top", 90), 90) << "not a number: the default";
    EXPECT_EQ(next.GetString("Settings", "Race", "none"), "") << "an empty entry is not an absent one";
    EXPECT_EQ(next.GetString("Settings", "Options"), "1\xE9 $HOME ") << "bytes, blanks and no variables expanded";
    EXPECT_EQ(next.GetString("Elsewhere", "Race", "dflt"), "dflt");
}

TEST_F(ProfileTest, BeforeTheKeyIsSetNothingIsReadOrWritten)
{
    ConfigProfile profile(COrbicleApp::AppName);
    EXPECT_EQ(profile.GetInt("Settings", "Top", 90), 90);
    profile.WriteString("Settings", "Race", "or");
    EXPECT_EQ(profile.GetString("Settings", "Race"), "");
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}
