// The SQLite store of the training history: a small RAII wrapper over the C interface (through
// the table of SqliteApi.h), the schema's migrations, and the handling of files that cannot be
// used.
#include "platform/history/SqliteHistory.h"

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <system_error>
#include <utility>

namespace {
// Each step brings the schema from its index to the next version; steps are never changed
// once released, only added.
const char* const Migrations[] = {
    // 0 -> 1: one row per game, the rate samples as blank-separated numbers.
    "CREATE TABLE games ("
    " id INTEGER PRIMARY KEY,"
    " started INTEGER NOT NULL, ended INTEGER NOT NULL, play_seconds INTEGER NOT NULL,"
    " statistics INTEGER NOT NULL, no_intersect INTEGER NOT NULL, custom_keys INTEGER NOT NULL,"
    " darkening INTEGER NOT NULL, sounds INTEGER NOT NULL,"
    " width INTEGER NOT NULL, height INTEGER NOT NULL, score INTEGER NOT NULL,"
    " average INTEGER NOT NULL, best INTEGER NOT NULL, last INTEGER NOT NULL,"
    " accuracy INTEGER NOT NULL, useful INTEGER NOT NULL, misses INTEGER NOT NULL,"
    " race TEXT NOT NULL, samples TEXT NOT NULL);"
    "CREATE INDEX games_by_start ON games(started, id);",
    // 1 -> 2: the judged actions of each game, one line each (ActionLines); games kept before
    // have none.
    "CREATE TABLE actions (game INTEGER PRIMARY KEY, count INTEGER NOT NULL, lines TEXT NOT NULL);",
    // 2 -> 3: each game's recording, the bytes of its .orbicle-replay file; games kept before
    // have none.
    "CREATE TABLE recordings (game INTEGER PRIMARY KEY, replay BLOB NOT NULL);",
};
static_assert(std::size(Migrations) == SqliteHistory::SchemaVersion);

// A failed call of the C interface: its message and whether it means a damaged file.
struct SqliteError {
    std::string message;
    bool damaged;
};

bool IsDamage(int rc)
{
    return (rc & 0xFF) == sqlite::Corrupt || (rc & 0xFF) == sqlite::NotADatabase;
}

// The column list of the kept fields after id, in KeptNumbers order, then race and samples.
std::string ColumnList()
{
    std::string columns;
    for (const KeptNumber& number : KeptNumbers) {
        if (number.field != &KeptGame::id)
            columns += std::string(number.name) + ',';
    }
    return columns + "race,samples";
}
constexpr int KeptColumns = static_cast<int>(std::size(KeptNumbers)) - 1 + 2;

// A file beside another, its name with more at the end ("history.sqlite3-wal"), in the
// system's own characters (on Windows a name need not fit the ANSI code page).
std::filesystem::path WithSuffix(std::filesystem::path file, const std::string& suffix)
{
    file += suffix;
    return file;
}
}  // namespace

// One open database file.
class SqliteHistory::Connection {
public:
    class Statement {
    public:
        Statement(const SqliteApi& api, sqlite3* db, const std::string& sql) : m_api(api), m_db(db)
        {
            Check(m_api.prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr));
        }
        ~Statement() { m_api.finalize(m_stmt); }
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;

        void Bind(int index, std::int64_t value) { Check(m_api.bind_int64(m_stmt, index, value)); }
        void Bind(int index, const std::string& text)
        {
            Check(m_api.bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), sqlite::Transient));
        }
        // Bytes, kept as they are (a text may not hold every byte).
        void BindBlob(int index, const std::string& bytes)
        {
            Check(m_api.bind_blob(m_stmt, index, bytes.data(), static_cast<int>(bytes.size()), sqlite::Transient));
        }
        // Ready to run again with new values.
        void Reset() { m_api.reset(m_stmt); }
        // True while there is a row to read.
        bool Step()
        {
            const int rc = m_api.step(m_stmt);
            if (rc == sqlite::Row)
                return true;
            if (rc != sqlite::Done)
                Check(rc);
            return false;
        }
        std::int64_t Int(int column) const { return m_api.column_int64(m_stmt, column); }
        std::string Text(int column) const
        {
            const auto* text = reinterpret_cast<const char*>(m_api.column_text(m_stmt, column));
            return text ? std::string(text, static_cast<std::size_t>(m_api.column_bytes(m_stmt, column))) : "";
        }
        std::string Blob(int column) const
        {
            const auto* bytes = static_cast<const char*>(m_api.column_blob(m_stmt, column));
            return bytes ? std::string(bytes, static_cast<std::size_t>(m_api.column_bytes(m_stmt, column))) : "";
        }

    private:
        void Check(int rc) const
        {
            if (rc != sqlite::Ok)
                throw SqliteError{m_api.errmsg(m_db), IsDamage(m_api.extended_errcode(m_db)) || IsDamage(rc)};
        }
        const SqliteApi& m_api;
        sqlite3* m_db;
        sqlite3_stmt* m_stmt = nullptr;
    };

    Connection(const SqliteApi& api, const std::filesystem::path& file) : m_api(api)
    {
        // SQLite takes file names in UTF-8 on every system.
        const int rc =
            m_api.open_v2(PathText(file).c_str(), &m_db, sqlite::OpenReadWrite | sqlite::OpenCreate, nullptr);
        if (rc != sqlite::Ok) {
            SqliteError error{m_db ? m_api.errmsg(m_db) : m_api.errstr(rc), IsDamage(rc)};
            m_api.close_v2(m_db);
            throw error;
        }
        m_api.busy_timeout(m_db, BusyTimeoutMs);
    }
    ~Connection() { m_api.close_v2(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Exec(const std::string& sql)
    {
        char* message = nullptr;
        const int rc = m_api.exec(m_db, sql.c_str(), nullptr, nullptr, &message);
        if (rc != sqlite::Ok) {
            SqliteError error{message ? message : m_api.errstr(rc), IsDamage(rc)};
            m_api.free(message);
            throw error;
        }
    }
    Statement Prepare(const std::string& sql) { return Statement(m_api, m_db, sql); }
    std::int64_t Scalar(const std::string& sql)
    {
        Statement statement = Prepare(sql);
        return statement.Step() ? statement.Int(0) : 0;
    }
    // The first column of the first row as text.
    std::string Line(const std::string& sql)
    {
        Statement statement = Prepare(sql);
        return statement.Step() ? statement.Text(0) : "";
    }
    int Changes() const { return m_api.changes(m_db); }
    std::int64_t LastId() const { return m_api.last_insert_rowid(m_db); }

    // Runs the work in one write transaction, rolled back if it throws.
    template <typename Work>
    void Transaction(Work work)
    {
        Exec("BEGIN IMMEDIATE");
        try {
            work();
            Exec("COMMIT");
        } catch (...) {
            m_api.exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }

private:
    const SqliteApi& m_api;
    sqlite3* m_db = nullptr;
};

namespace {
// The tables of actions (schema 2) and recordings (schema 3), kept apart from the games' own
// statements. A game's actions are one row, a line of text each, so that keeping a long game's
// thousands of them costs one insert; its recording is one row.
using Connection = SqliteHistory::Connection;

void InsertExtras(Connection& db, std::int64_t game, const KeptGame& kept)
{
    if (!kept.actions.empty()) {
        auto insert = db.Prepare("INSERT INTO actions(game,count,lines) VALUES(?,?,?)");
        insert.Bind(1, game);
        insert.Bind(2, static_cast<std::int64_t>(kept.actions.size()));
        insert.Bind(3, ActionLines(kept.actions));
        insert.Step();
    }
    if (!kept.recording.empty()) {
        auto insert = db.Prepare("INSERT INTO recordings(game,replay) VALUES(?,?)");
        insert.Bind(1, game);
        insert.BindBlob(2, kept.recording);
        insert.Step();
    }
}

std::vector<KeptAction> SelectActions(Connection& db, std::int64_t game)
{
    auto select = db.Prepare("SELECT lines FROM actions WHERE game=?");
    select.Bind(1, game);
    return select.Step() ? ParseActionLines(select.Text(0)) : std::vector<KeptAction>{};
}

std::string SelectRecording(Connection& db, std::int64_t game)
{
    auto select = db.Prepare("SELECT replay FROM recordings WHERE game=?");
    select.Bind(1, game);
    return select.Step() ? select.Blob(0) : std::string{};
}

void DeleteExtras(Connection& db, std::int64_t game)
{
    for (const char* table : {"actions", "recordings"}) {
        auto remove = db.Prepare(std::string("DELETE FROM ") + table + " WHERE game=?");
        remove.Bind(1, game);
        remove.Step();
    }
}
}  // namespace

SqliteHistory::SqliteHistory(std::filesystem::path file, const SqliteApi& api) : m_api(api), m_file(std::move(file)) {}

SqliteHistory::~SqliteHistory() = default;

std::filesystem::path SqliteHistory::AsideName(const std::filesystem::path& file, std::int64_t now)
{
    const std::string stamp = TimeText(now, "%Y%m%d-%H%M%S", false);
    return WithSuffix(file, ".corrupt-" + (stamp.empty() ? "unknown" : stamp));
}

void SqliteHistory::Fail(const std::string& what)
{
    m_problem = what;
    if (m_damaged)
        m_db.reset();
}

bool SqliteHistory::Open()
{
    if (m_db)
        return true;
    if (!m_api.Usable())
        return false;
    if (OpenOnce())
        return true;
    // A damaged file that stays in place would fail again the same way: its problem is that it
    // cannot be moved aside.
    return m_damaged && MoveAside() && OpenOnce();
}

bool SqliteHistory::OpenOnce()
{
    m_damaged = false;
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    if (ec) {
        m_problem = "Cannot make the folder " + PathText(m_file.parent_path()) + ": " + ec.message() + ".";
        return false;
    }
    try {
        auto db = std::make_unique<Connection>(m_api, m_file);
        // Reading the schema's version finds a file that is no database at all.
        const std::int64_t version = db->Scalar("PRAGMA user_version");
        if (version > SchemaVersion) {
            m_problem = "The history file " + PathText(m_file) + " was written by a later version of Orbicle.";
            return false;
        }
        if (db->Line("PRAGMA quick_check") != "ok")
            throw SqliteError{"the file is damaged", true};
        db->Exec("PRAGMA journal_mode=WAL");
        db->Exec("PRAGMA synchronous=NORMAL");
        db->Transaction([&] {
            // Read again inside the transaction: another copy may have migrated meanwhile.
            for (auto v = db->Scalar("PRAGMA user_version"); v < SchemaVersion; ++v)
                db->Exec(Migrations[v]);
            db->Exec("PRAGMA user_version=" + std::to_string(SchemaVersion));
        });
        m_db = std::move(db);
        m_problem.clear();
        return true;
    } catch (const SqliteError& error) {
        m_damaged = error.damaged;
        m_problem = "Cannot open the history file " + PathText(m_file) + ": " + error.message + ".";
        return false;
    }
}

bool SqliteHistory::MoveAside()
{
    const std::filesystem::path aside = AsideName(m_file, std::time(nullptr));
    std::error_code ec;
    std::filesystem::rename(m_file, aside, ec);
    if (ec) {
        m_problem =
            "The history file " + PathText(m_file) + " is damaged and cannot be moved aside: " + ec.message() + ".";
        return false;
    }
    // Its log belongs to it, not to the new file.
    std::filesystem::rename(WithSuffix(m_file, "-wal"), WithSuffix(aside, "-wal"), ec);
    std::filesystem::remove(WithSuffix(m_file, "-shm"), ec);
    m_notice = "The history file was damaged. It was moved aside to " + PathText(aside) + " and a new one started.";
    std::cerr << "Orbicle: " << m_notice << '\n';
    return true;
}

void SqliteHistory::Flush()
{
    if (m_waiting.empty() || !Open())
        return;
    std::string values = "?";
    for (int i = 1; i < KeptColumns; ++i)
        values += ",?";
    try {
        m_db->Transaction([&] {
            auto insert = m_db->Prepare("INSERT INTO games(" + ColumnList() + ") VALUES(" + values + ")");
            for (const KeptGame& game : m_waiting) {
                int index = 1;
                for (const KeptNumber& number : KeptNumbers) {
                    if (number.field != &KeptGame::id)
                        insert.Bind(index++, game.*number.field);
                }
                insert.Bind(index++, game.race);
                insert.Bind(index, SamplesText(game.samples));
                insert.Step();
                insert.Reset();
                InsertExtras(*m_db, m_db->LastId(), game);
            }
        });
        m_waiting.clear();
        m_problem.clear();
    } catch (const SqliteError& error) {
        m_damaged = error.damaged;
        Fail("Cannot write to the history file " + PathText(m_file) + ": " + error.message + ".");
    }
}

void SqliteHistory::Keep(const KeptGame& game)
{
    m_waiting.push_back(game);
    m_waiting.back().id = m_nextWaitingId--;
    Flush();
}

std::vector<KeptGame> SqliteHistory::Games()
{
    Flush();
    std::vector<KeptGame> games;
    if (Open()) {
        try {
            auto select = m_db->Prepare("SELECT id," + ColumnList() + " FROM games ORDER BY started, id");
            while (select.Step()) {
                KeptGame& game = games.emplace_back();
                int column = 0;
                for (const KeptNumber& number : KeptNumbers)
                    game.*number.field = select.Int(column++);
                game.race = select.Text(column++);
                game.samples = ParseSamples(select.Text(column));
            }
        } catch (const SqliteError& error) {
            games.clear();
            m_damaged = error.damaged;
            Fail("Cannot read the history file " + PathText(m_file) + ": " + error.message + ".");
        }
    }
    for (const KeptGame& waiting : m_waiting) {
        games.push_back(waiting);
        games.back().actions.clear();
        games.back().recording.clear();
    }
    return games;
}

template <typename Part, typename Select>
Part SqliteHistory::ReadPart(std::int64_t id, Part KeptGame::*part, Select select)
{
    if (id < 0) {
        for (const KeptGame& game : m_waiting) {
            if (game.id == id)
                return game.*part;
        }
        return {};
    }
    if (!Open())
        return {};
    try {
        return select(*m_db, id);
    } catch (const SqliteError& error) {
        m_damaged = error.damaged;
        Fail("Cannot read the history file " + PathText(m_file) + ": " + error.message + ".");
        return {};
    }
}

std::vector<KeptAction> SqliteHistory::Actions(std::int64_t id)
{
    return ReadPart(id, &KeptGame::actions, SelectActions);
}

std::string SqliteHistory::Recording(std::int64_t id)
{
    return ReadPart(id, &KeptGame::recording, SelectRecording);
}

bool SqliteHistory::Delete(std::int64_t id)
{
    if (id < 0)
        return std::erase_if(m_waiting, [id](const KeptGame& game) { return game.id == id; }) > 0;
    if (!Open())
        return false;
    try {
        bool deleted = false;
        m_db->Transaction([&] {
            auto remove = m_db->Prepare("DELETE FROM games WHERE id=?");
            remove.Bind(1, id);
            remove.Step();
            deleted = m_db->Changes() > 0;
            DeleteExtras(*m_db, id);
        });
        return deleted;
    } catch (const SqliteError& error) {
        m_damaged = error.damaged;
        Fail("Cannot delete from the history file " + PathText(m_file) + ": " + error.message + ".");
        return false;
    }
}

std::string SqliteHistory::Problem()
{
    if (!m_api.Usable())
        return m_api.missing;
    if (m_waiting.empty())
        return m_problem;
    const std::size_t n = m_waiting.size();
    return m_problem + (m_problem.empty() ? "" : " ") + std::to_string(n) + (n == 1 ? " game waits" : " games wait") +
           " to be written; it is kept while the program runs.";
}

std::string SqliteHistory::Location()
{
    // Without SQLite the games wait in memory for as long as the program runs.
    return m_api.Usable() ? PathText(m_file) : MemoryHistory::Where;
}

std::string SqliteHistory::TakeNotice()
{
    return std::exchange(m_notice, {});
}

std::string PathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::filesystem::path DefaultHistoryFile()
{
#ifdef _WIN32
    // In the system's own characters: a user's folder name need not fit the ANSI code page.
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return appData && *appData ? std::filesystem::path(appData) / "Orbicle" / "history.sqlite3"
                               : std::filesystem::path();
#else
    // XDG: a relative XDG_DATA_HOME is invalid and ignored.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/')
        return std::filesystem::path(dataHome) / "Orbicle" / "history.sqlite3";
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return std::filesystem::path(home) / ".local" / "share" / "Orbicle" / "history.sqlite3";
#endif
}

std::unique_ptr<IHistory> OpenDefaultHistory()
{
    const std::filesystem::path file = DefaultHistoryFile();
    if (file.empty())
        return std::make_unique<MemoryHistory>();
    return std::make_unique<SqliteHistory>(file);
}
