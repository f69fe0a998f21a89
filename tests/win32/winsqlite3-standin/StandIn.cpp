// A stand-in for Windows' winsqlite3.dll, for the Windows tests under Wine only (Wine has no
// winsqlite3.dll): a Wine built-in DLL, built by wineg++, whose exports are the functions of
// platform/history/SqliteFunctions.h, each passing its call on to Debian's libsqlite3. The tests
// put it into their own Wine prefix's system folder; it is never installed and never packed.
#include <windows.h>  // CDECL (the Windows callers' calling convention), Wine's file names

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/history/SqliteFunctions.h"

namespace {
[[noreturn]] void Refuse(const char* what)
{
    std::fprintf(stderr, "winsqlite3 stand-in: %s cannot be passed on to Linux's SQLite\n", what);
    std::abort();
}

// Values go on as they are. A pointer to a function of the caller's would be called by SQLite
// with Linux's calling convention, so none may come: the store passes none, and a call that
// does stops the test loudly rather than crashing it somewhere later.
template <typename T>
T Pass(T value)
{
    return value;
}
using Callback = int (*)(void*, int, char**, char**);
Callback Pass(Callback callback)
{
    if (callback)
        Refuse("an sqlite3_exec callback");
    return nullptr;
}
using Destructor = void (*)(void*);
Destructor Pass(Destructor destructor)
{
    if (destructor != SQLITE_STATIC && destructor != SQLITE_TRANSIENT)
        Refuse("a destructor of a bound value");
    return destructor;
}

// A Windows file name (UTF-8, "C:\\users\\...") as the Linux file Wine keeps it in; SQLite's own
// names (":memory:", "" for a temporary database) stay as they are.
std::string UnixName(const char* name)
{
    if (!name || !*name || *name == ':')
        return name ? name : "";
    const int length = MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0);
    std::vector<WCHAR> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, name, -1, wide.data(), length);
    char* unix = wine_get_unix_file_name(wide.data());
    if (!unix)
        return name;  // no such place: SQLite says it cannot open it
    std::string text = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return text;
}

// Each export passes its call on as it came; opening a file first finds its Linux name.
template <auto Function>
struct Export {
    template <typename... Arguments>
    static auto Call(Arguments... arguments)
    {
        return Function(Pass(arguments)...);
    }
};
template <>
struct Export<&sqlite3_open_v2> {
    static int Call(const char* filename, sqlite3** db, int flags, const char* vfs)
    {
        return sqlite3_open_v2(UnixName(filename).c_str(), db, flags, vfs);
    }
};
}  // namespace

#define ORBICLE_ARGUMENTS(...) __VA_ARGS__
#define ORBICLE_STANDIN_EXPORT(result, name, parameters, arguments)        \
    extern "C" result CDECL standin_##name parameters                      \
    {                                                                      \
        return Export<&sqlite3_##name>::Call(ORBICLE_ARGUMENTS arguments); \
    }
ORBICLE_SQLITE_FUNCTIONS(ORBICLE_STANDIN_EXPORT)
