// orbicle-wintext: what a window of another program shows, read through the window system, for
// the Windows tests under Wine: the texts of a dialog's controls, which no picture of the screen
// tells for sure, the rows of its list view and the places of its buttons.
//   orbicle-wintext TITLE
// One line for the window titled exactly TITLE, then one for each window inside it, in the order
// of the window tree:
//   ID CLASS LEFT TOP RIGHT BOTTOM enabled|disabled ITEMS "TEXT"
// in screen pixels, ITEMS the number of rows of a list view (else -1), the text in UTF-8 with
// line breaks as \n. Status 1 when no window has that title.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {
std::string Utf8(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), length, nullptr, nullptr);
    utf8.resize(utf8.empty() ? 0 : utf8.size() - 1);
    std::string escaped;
    for (const char c : utf8) {
        if (c == '\r')
            continue;
        escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return escaped;
}

void Describe(HWND window)
{
    wchar_t windowClass[64] = {};
    GetClassNameW(window, windowClass, 64);
    // Asked of the control itself: the system's copy of a control's text (GetWindowText) is not
    // what the player has typed into it since.
    wchar_t buffer[2048] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, &length);
    const std::wstring text = buffer;
    RECT box{};
    GetWindowRect(window, &box);
    const bool list = _wcsicmp(windowClass, WC_LISTVIEWW) == 0;
    const LRESULT items = list ? SendMessageW(window, LVM_GETITEMCOUNT, 0, 0) : -1;
    std::printf("%d %s %ld %ld %ld %ld %s %lld \"%s\"\n", GetDlgCtrlID(window), Utf8(windowClass).c_str(), box.left,
                box.top, box.right, box.bottom, IsWindowEnabled(window) ? "enabled" : "disabled",
                static_cast<long long>(items), Utf8(text).c_str());
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orbicle-wintext TITLE\n");
        return 2;
    }
    HWND window = FindWindowA(nullptr, argv[1]);
    if (!window) {
        std::fprintf(stderr, "orbicle-wintext: no window titled \"%s\"\n", argv[1]);
        return 1;
    }
    Describe(window);
    EnumChildWindows(
        window,
        [](HWND child, LPARAM) {
            Describe(child);
            return TRUE;
        },
        0);
    return 0;
}
