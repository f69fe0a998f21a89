// The Windows platform: the profile in the registry, the race dialog from its template, and
// where the run-time files are looked up.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "game/DlgSelect.h"
#include "platform/win32/RaceDialogBox.h"
#include "platform/win32/RegistryProfile.h"
#include "platform/win32/WinServices.h"
#include "tests/win32/ThreadWindow.h"

namespace {
// A vendor key of this test's own, removed afterwards.
class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() : m_vendor("Orbicle Tests " + std::to_string(std::random_device()())) {}
    ~RegistryTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + m_vendor).c_str()); }

    // Writes a raw value under section "Settings" of the test's key.
    void Raw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_profile.SectionKey("Settings").c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }

    std::string m_vendor;
    RegistryProfile m_profile{"Orbicle"};
};

// Answers the race dialog of this thread once it is open, as a player would: first Escape
// (which the dialog gets as IDCANCEL, like the close box) or Enter on the button that has the
// focus, then, if it is still open, a button. A thread timer runs inside the dialog's own
// message loop, where the keys go through the dialog's own keyboard handling.
struct Press {
    static inline int s_nID = 0;
    static inline UINT s_key = VK_ESCAPE;
    static inline bool s_escaped = false;
    static inline bool s_cancelWasEnabled = false;
    static inline int s_focused = 0;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = ThreadWindowTitled(L"Select Race");
        if (!dialog)
            return;
        if (!s_escaped) {
            s_escaped = true;
            s_cancelWasEnabled = IsWindowEnabled(GetDlgItem(dialog, IDCANCEL)) != 0;
            if (s_key == VK_ESCAPE) {
                SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            } else {
                HWND focus = GetFocus();
                s_focused = GetDlgCtrlID(focus);
                PostMessageA(focus, WM_KEYDOWN, s_key, 1);
                PostMessageA(focus, WM_KEYUP, s_key, 0xC0000001);
            }
        } else {
            SendMessageA(GetDlgItem(dialog, s_nID), BM_CLICK, 0, 0);
        }
    }
    static std::optional<std::string> Run(bool cancelEnabled, int nID, UINT key = VK_ESCAPE)
    {
        s_nID = nID;
        s_key = key;
        s_escaped = false;
        s_focused = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTimer);
        struct : IRaceDialog {
            std::optional<std::string> Choose(const RaceDialogDescription&) override { return std::nullopt; }
        } none;
        CDlgSelect select(none);
        select.m_bCancelEnabled = cancelEnabled;
        const std::optional<std::string> chosen = RaceDialogBox(GetModuleHandleA(nullptr)).Choose(select.Description());
        KillTimer(nullptr, timer);
        return chosen;
    }
};
}  // namespace

TEST_F(RegistryTest, EntriesLiveUnderTheVendorKeyAsStringsAndNumbers)
{
    m_profile.WriteString("Settings", "Race", "df");  // no key yet: nowhere to keep it
    EXPECT_EQ(m_profile.GetString("Settings", "Race", "none"), "none");
    m_profile.SetRegistryKey(m_vendor);
    EXPECT_EQ(m_profile.SectionKey("Settings"), "Software\\" + m_vendor + "\\Orbicle\\Settings");
    EXPECT_EQ(m_profile.GetString("Settings", "Race", "none"), "none");
    EXPECT_EQ(m_profile.GetInt("Settings", "Left", 120), 120);

    m_profile.WriteString("Settings", "Race", "ud");
    m_profile.WriteString("Settings", "Options", "");
    m_profile.WriteInt("Settings", "Left", -35);
    EXPECT_EQ(m_profile.GetString("Settings", "Race"), "ud");
    EXPECT_EQ(m_profile.GetString("Settings", "Options", "11011"), "") << "empty is a value";
    EXPECT_EQ(m_profile.GetInt("Settings", "Left", 120), -35);
    EXPECT_EQ(m_profile.GetString("Settings", "Left", "x"), "x") << "a number is no string";

    // What a hand in the registry editor may leave: decimal text counts, the rest does not.
    Raw("Top", REG_SZ, "90", 3);
    Raw("Bad", REG_SZ, "9O", 3);
    Raw("Blob", REG_BINARY, "\x01\x02", 2);
    Raw("Unended", REG_SZ, "hu", 2);
    EXPECT_EQ(m_profile.GetInt("Settings", "Top", 0), 90);
    EXPECT_EQ(m_profile.GetInt("Settings", "Bad", 7), 7);
    EXPECT_EQ(m_profile.GetInt("Settings", "Blob", 7), 7);
    EXPECT_EQ(m_profile.GetString("Settings", "Blob", "d"), "d");
    EXPECT_EQ(m_profile.GetString("Settings", "Unended"), "hu");
}

TEST(RaceDialogBoxTest, RaceButtonsChooseAndCancelClosesOnlyWhileEnabled)
{
    // Cancel disabled: Escape does nothing, Human then chooses.
    EXPECT_EQ(Press::Run(false, 1000), std::optional<std::string>("hu"));
    EXPECT_FALSE(Press::s_cancelWasEnabled);
    // Cancel enabled: Escape closes the dialog without a race.
    EXPECT_EQ(Press::Run(true, 3), std::nullopt);
    EXPECT_TRUE(Press::s_cancelWasEnabled);
}

TEST(RaceDialogBoxTest, EnterPicksTheRaceButtonThatHasTheFocus)
{
    // The dialog opens with the focus on its first race button (Cancel, before it, is disabled);
    // Default ends it only if Enter did not.
    EXPECT_EQ(Press::Run(false, 3, VK_RETURN), std::optional<std::string>("hu"));
    EXPECT_EQ(Press::s_focused, 1000);
}

TEST(WinServicesTest, RunTimeFilesComeFromTheCurrentFolderThenTheProgramsFolder)
{
    const std::vector<std::filesystem::path> bases = ProgramResourceBases();
    ASSERT_EQ(bases.size(), 2u);
    EXPECT_TRUE(bases[0].empty());
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    EXPECT_EQ(bases[1], std::filesystem::path(program).parent_path());
    EXPECT_FALSE(DiskFiles(bases).Find("res\\keys_df.txt").empty()) << "run from the repository root";
}
