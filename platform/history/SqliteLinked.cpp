// The table of SQLite's functions on Linux: Debian's libsqlite3, linked into the program.
#include <sqlite3.h>

#include "platform/history/SqliteApi.h"

static_assert(sqlite::Ok == SQLITE_OK && sqlite::Corrupt == SQLITE_CORRUPT && sqlite::NotADatabase == SQLITE_NOTADB);
static_assert(sqlite::Row == SQLITE_ROW && sqlite::Done == SQLITE_DONE);
static_assert(sqlite::OpenReadWrite == SQLITE_OPEN_READWRITE && sqlite::OpenCreate == SQLITE_OPEN_CREATE);

const SqliteApi& SystemSqlite()
{
    // Each assignment compiles only while the list's types are those of sqlite3.h.
    static const SqliteApi api = [] {
        SqliteApi linked;
#define ORBICLE_SQLITE_LINK(result, name, parameters, arguments) linked.name = &::sqlite3_##name;
        ORBICLE_SQLITE_FUNCTIONS(ORBICLE_SQLITE_LINK)
#undef ORBICLE_SQLITE_LINK
        return linked;
    }();
    return api;
}
