// The training history in an SQLite file: versioned schema, write-ahead log, and games that
// wait in memory while the file cannot be written, so that none is lost and the game never
// stops for it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/History.h"
#include "platform/history/SqliteApi.h"

class SqliteHistory : public IHistory {
public:
    // The schema this program writes (PRAGMA user_version); a file of a later one is left alone.
    static constexpr int SchemaVersion = 3;
    // How long a write waits for another copy of the program to finish its own.
    static constexpr int BusyTimeoutMs = 250;

    // Nothing is opened before the first call that needs the file. Without a usable SQLite
    // (api.missing says why) the games are kept in memory, and Problem says why.
    explicit SqliteHistory(std::filesystem::path file, const SqliteApi& api = SystemSqlite());
    ~SqliteHistory() override;
    SqliteHistory(const SqliteHistory&) = delete;
    SqliteHistory& operator=(const SqliteHistory&) = delete;

    void Keep(const KeptGame& game) override;
    std::vector<KeptGame> Games() override;
    std::vector<KeptAction> Actions(std::int64_t id) override;
    std::string Recording(std::int64_t id) override;
    bool Delete(std::int64_t id) override;
    std::string Problem() override;
    std::string TakeNotice() override;
    std::string Location() override;

    // The name a damaged file is moved to: its own with ".corrupt-" and the local date and time.
    static std::filesystem::path AsideName(const std::filesystem::path& file, std::int64_t now);

    // One open database file; defined where it is used.
    class Connection;

private:
    // Opens the file and brings its schema up to date, once; a damaged file is moved aside and
    // a new one started. False (with m_problem set) when the file cannot be used now.
    bool Open();
    bool OpenOnce();
    // False (with m_problem set) when the file cannot be moved.
    bool MoveAside();
    // Writes the waiting games in one transaction.
    void Flush();
    // A part of one game kept beside it (its actions, its recording): from a game that waits,
    // or read from the file by select.
    template <typename Part, typename Select>
    Part ReadPart(std::int64_t id, Part KeptGame::*part, Select select);
    // Records a failure; a damaged file closes the connection so that the next call starts anew.
    void Fail(const std::string& what);

    const SqliteApi& m_api;
    std::filesystem::path m_file;
    std::unique_ptr<Connection> m_db;
    std::vector<KeptGame> m_waiting;  // not yet written (with their actions), ids below 0
    std::int64_t m_nextWaitingId = -1;
    std::string m_problem;
    std::string m_notice;
    bool m_damaged = false;  // the last failure said the file is no database, or a broken one
};

// A path in UTF-8, as SQLite takes file names and as the player is shown them.
std::string PathText(const std::filesystem::path& path);

// $XDG_DATA_HOME/Orbicle/history.sqlite3 (~/.local/share/Orbicle by default); on Windows the
// user's application data folder. Empty when no such folder is known.
std::filesystem::path DefaultHistoryFile();

// The player's history: the file of DefaultHistoryFile(), or memory for as long as the program
// runs where no such folder is known.
std::unique_ptr<IHistory> OpenDefaultHistory();
