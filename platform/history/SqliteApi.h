// The part of SQLite's C interface the history store calls, as one table of function pointers:
// on Linux they are Debian's libsqlite3 itself; on Windows they are found at run time in the
// system's winsqlite3.dll (Windows 10 and later ship it), so that the same store and the same
// SQL serve both systems. The functions are those of SqliteFunctions.h.
#pragma once

#include <cstdint>
#include <string>

// SQLite's own opaque types, by the names its header gives them.
struct sqlite3;
struct sqlite3_stmt;

#include "platform/history/SqliteFunctions.h"

// The result codes and flags the store uses, with SQLite's values.
namespace sqlite {
inline constexpr int Ok = 0;
inline constexpr int Corrupt = 11;
inline constexpr int NotADatabase = 26;
inline constexpr int Row = 100;
inline constexpr int Done = 101;
inline constexpr int OpenReadWrite = 0x2;
inline constexpr int OpenCreate = 0x4;
// A bound text that SQLite copies before the call returns (SQLITE_TRANSIENT).
inline void (*const Transient)(void*) = reinterpret_cast<void (*)(void*)>(static_cast<std::intptr_t>(-1));
}  // namespace sqlite

struct SqliteApi {
#define ORBICLE_SQLITE_POINTER(result, name, parameters, arguments) result(*name) parameters = nullptr;
    ORBICLE_SQLITE_FUNCTIONS(ORBICLE_SQLITE_POINTER)
#undef ORBICLE_SQLITE_POINTER

    // Empty when every function is there; otherwise why the history cannot be kept, for the
    // player, and no pointer may be called.
    std::string missing;

    bool Usable() const
    {
        return missing.empty();
    }
};

// The system's SQLite, looked for once per run.
const SqliteApi& SystemSqlite();
