// The table of SQLite's functions on Windows: the system's winsqlite3.dll, loaded from the
// system folder alone (never from the program's folder or the current one, where another file
// of that name could lie) when the history is first used. Windows 10 and later ship it; on an
// older Windows the table says so, and the game keeps its games in memory instead. (windows.h
// directly: the history store includes no other platform implementation.)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform/history/SqliteApi.h"

// winsqlite3.dll's functions use __stdcall on 32-bit Windows; on x64 there is one calling
// convention, that of the pointers in the table.
static_assert(sizeof(void*) == 8, "the Windows program is built for x64 only");

namespace {
constexpr const char* NeedsWindows10 =
    "The training history needs Windows 10 or later: this Windows has no SQLite (winsqlite3.dll) in its system folder.";

SqliteApi Load()
{
    SqliteApi api;
    // Loaded for the whole run and never freed: the store may call it until the program ends.
    HMODULE module = LoadLibraryExW(L"winsqlite3.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) {
        api.missing = NeedsWindows10;
        return api;
    }
    // Through void (*)(), which every function pointer may be cast to and from.
#define ORBICLE_SQLITE_FIND(result, name, parameters, arguments)                                                      \
    api.name =                                                                                                        \
        reinterpret_cast<decltype(api.name)>(reinterpret_cast<void (*)()>(GetProcAddress(module, "sqlite3_" #name))); \
    if (!api.name && api.missing.empty())                                                                             \
        api.missing =                                                                                                 \
            "The training history cannot use the system's SQLite (winsqlite3.dll): it has no "                        \
            "sqlite3_" #name ".";
    ORBICLE_SQLITE_FUNCTIONS(ORBICLE_SQLITE_FIND)
#undef ORBICLE_SQLITE_FIND
    return api;
}
}  // namespace

const SqliteApi& SystemSqlite()
{
    static const SqliteApi api = Load();
    return api;
}
