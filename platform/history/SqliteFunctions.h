// The functions of SQLite's C interface the history store calls, listed once: for the table of
// pointers the store calls them through (SqliteApi.h), and for the Windows tests' stand-in for
// winsqlite3.dll, which exports the same list. Plain C, so that both can read it.
//
// X(result, name, parameters, arguments) for each function sqlite3_NAME, with SQLite's types;
// "arguments" names the parameters again, for a call that passes them on. To call one more
// function of SQLite, add its line here.
#pragma once

#define ORBICLE_SQLITE_FUNCTIONS(X)                                                                                \
    X(int, open_v2, (const char* filename, sqlite3** db, int flags, const char* vfs), (filename, db, flags, vfs))  \
    X(int, close_v2, (sqlite3 * db), (db))                                                                         \
    X(int, busy_timeout, (sqlite3 * db, int ms), (db, ms))                                                         \
    X(const char*, errmsg, (sqlite3 * db), (db))                                                                   \
    X(const char*, errstr, (int rc), (rc))                                                                         \
    X(int, extended_errcode, (sqlite3 * db), (db))                                                                 \
    X(int, exec,                                                                                                   \
      (sqlite3 * db, const char* sql, int (*callback)(void*, int, char**, char**), void* context, char** message), \
      (db, sql, callback, context, message))                                                                       \
    X(void, free, (void* memory), (memory))                                                                        \
    X(int, changes, (sqlite3 * db), (db))                                                                          \
    X(long long, last_insert_rowid, (sqlite3 * db), (db))                                                          \
    X(int, prepare_v2, (sqlite3 * db, const char* sql, int bytes, sqlite3_stmt** stmt, const char** tail),         \
      (db, sql, bytes, stmt, tail))                                                                                \
    X(int, finalize, (sqlite3_stmt * stmt), (stmt))                                                                \
    X(int, reset, (sqlite3_stmt * stmt), (stmt))                                                                   \
    X(int, step, (sqlite3_stmt * stmt), (stmt))                                                                    \
    X(int, bind_int64, (sqlite3_stmt * stmt, int index, long long value), (stmt, index, value))                    \
    X(int, bind_text, (sqlite3_stmt * stmt, int index, const char* text, int bytes, void (*destructor)(void*)),    \
      (stmt, index, text, bytes, destructor))                                                                      \
    X(int, bind_blob, (sqlite3_stmt * stmt, int index, const void* bytes, int size, void (*destructor)(void*)),    \
      (stmt, index, bytes, size, destructor))                                                                      \
    X(long long, column_int64, (sqlite3_stmt * stmt, int column), (stmt, column))                                  \
    X(const void*, column_blob, (sqlite3_stmt * stmt, int column), (stmt, column))                                 \
    X(const unsigned char*, column_text, (sqlite3_stmt * stmt, int column), (stmt, column))                        \
    X(int, column_bytes, (sqlite3_stmt * stmt, int column), (stmt, column))
