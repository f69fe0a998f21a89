// The window of this thread whose title begins so, for the tests that answer a dialog from a
// thread timer inside the dialog's own message loop; null while there is none.
#pragma once

#include <string>

#include "platform/win32/WinApi.h"

inline HWND ThreadWindowTitled(const std::wstring& beginning)
{
    struct Search {
        const std::wstring& beginning;
        HWND found = nullptr;
    } search{beginning};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) {
            auto& search = *reinterpret_cast<Search*>(data);
            wchar_t title[128] = {};
            GetWindowTextW(window, title, 128);
            if (std::wstring(title).starts_with(search.beginning))
                search.found = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
