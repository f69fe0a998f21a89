// The history store on Windows, through the system's SQLite (under Wine the tests' stand-in):
// every function of the table is there, and the games are kept in %APPDATA%\Orbicle under a
// folder whose name the ANSI code page cannot spell.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/history/SqliteHistory.h"

namespace fs = std::filesystem;

namespace {
// A folder of its own under the temporary folder, with APPDATA pointing into it while the test
// runs; both are undone afterwards.
class AppData : public ::testing::Test {
protected:
    AppData()
        : m_folder(fs::temp_directory_path() /
                   (L"Orbicle \u03A9 \u6E2C\u8A66 " + std::to_wstring(std::random_device()())))
    {
        if (const wchar_t* old = _wgetenv(L"APPDATA"))
            m_old = old;
        fs::create_directories(m_folder);
        _wputenv_s(L"APPDATA", m_folder.c_str());
    }
    ~AppData() override
    {
        _wputenv_s(L"APPDATA", m_old.c_str());
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    fs::path m_folder;
    std::wstring m_old;
};
}  // namespace

TEST(WinSqliteTest, TheSystemSqliteHasEveryFunctionTheStoreCalls)
{
    const SqliteApi& api = SystemSqlite();
    EXPECT_TRUE(api.Usable()) << api.missing;
#define ORBICLE_SQLITE_PRESENT(result, name, parameters, arguments) EXPECT_NE(api.name, nullptr) << #name;
    ORBICLE_SQLITE_FUNCTIONS(ORBICLE_SQLITE_PRESENT)
#undef ORBICLE_SQLITE_PRESENT
}

TEST_F(AppData, GamesAreKeptInTheApplicationDataFolderWhateverItsName)
{
    const fs::path file = m_folder / L"Orbicle" / L"history.sqlite3";
    EXPECT_EQ(DefaultHistoryFile(), file);
    KeptGame game;
    game.started = 1'767'614'400;
    game.ended = game.started + 61;
    game.race = "ud";
    game.average = 77;
    game.samples = {12, 77};
    {
        const std::unique_ptr<IHistory> history = OpenDefaultHistory();
        history->Keep(game);
        EXPECT_EQ(history->Problem(), "");
        EXPECT_EQ(history->Location(), PathText(file));
    }
    EXPECT_TRUE(fs::exists(file)) << "not where the player is told";
    const std::vector<KeptGame> again = SqliteHistory(file).Games();
    ASSERT_EQ(again.size(), 1u);
    game.id = again[0].id;
    EXPECT_EQ(again[0], game);
}
