// The resources of res/Orbicle.rc as Windows loads them, held against the tables the rest of
// the program reads: menu 128 and the menu table, dialog 159 and the race dialog's description,
// the History window's template and its controls, the cursors of the race table, the strings
// and the version.
#include <gtest/gtest.h>

#include <vector>

#include "app/App.h"
#include "app/HistoryView.h"
#include "app/Menu.h"
#include "app/win32/GameWindow.h"
#include "app/win32/HistoryWindow.h"
#include "game/DlgSelect.h"
#include "res/Races.h"
#include "res/Resource.h"

#include <commctrl.h>  // after windows.h

namespace {
HINSTANCE Instance()
{
    return GetModuleHandleA(nullptr);
}

std::string TextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct NoDialog : IRaceDialog {
    std::optional<std::string> Choose(const RaceDialogDescription&) override { return std::nullopt; }
};

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A dialog of the resources, made without showing it, destroyed with the object.
struct Dialog {
    explicit Dialog(UINT id) : hwnd(CreateDialogParamA(Instance(), MAKEINTRESOURCEA(id), nullptr, Quiet, 0)) {}
    ~Dialog() { DestroyWindow(hwnd); }
    // A box in dialog units, in pixels of the dialog's client area.
    RECT Pixels(const CRect& box) const
    {
        RECT r{box.left, box.top, box.right, box.bottom};
        MapDialogRect(hwnd, &r);
        return r;
    }
    HWND hwnd;
};

RECT ClientBox(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
}  // namespace

TEST(ResourcesTest, MenuHasTheItemsTextsAndStatesOfTheMenuTable)
{
    HMENU menu = LoadMenuA(Instance(), MAKEINTRESOURCEA(128));
    ASSERT_NE(menu, nullptr);
    int popupIndex = -1, itemIndex = 0;
    std::string popupTitle;
    for (const MenuItem& item : MainMenu()) {
        if (item.popup != popupTitle) {
            popupTitle = item.popup;
            ++popupIndex;
            itemIndex = 0;
            char title[64] = {};
            GetMenuStringA(menu, popupIndex, title, sizeof title, MF_BYPOSITION);
            EXPECT_EQ(title, popupTitle);
        }
        HMENU popup = GetSubMenu(menu, popupIndex);
        ASSERT_NE(popup, nullptr) << popupTitle;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoA(popup, itemIndex, TRUE, &info)) << popupTitle << " item " << itemIndex;
        EXPECT_EQ(info.wID, item.nID);
        EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, item.nID == 0);
        if (item.nID != 0) {
            char text[64] = {};
            GetMenuStringA(popup, itemIndex, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, item.text);
            EXPECT_EQ((info.fState & MFS_CHECKED) != 0, item.checked) << item.text;
            EXPECT_EQ((info.fState & MFS_DISABLED) == 0, item.enabled) << item.text;
        }
        ++itemIndex;
    }
    EXPECT_EQ(GetMenuItemCount(menu), popupIndex + 1);
    DestroyMenu(menu);
}

TEST(ResourcesTest, RaceDialogHasTheControlsOfItsDescriptionInTabOrder)
{
    NoDialog ui;
    const RaceDialogDescription description = CDlgSelect(ui).Description();
    const Dialog dialog(description.nIDTemplate);
    ASSERT_NE(dialog.hwnd, nullptr);
    EXPECT_EQ(TextOf(dialog.hwnd), description.caption);
    RECT client;
    GetClientRect(dialog.hwnd, &client);
    EXPECT_TRUE(client == dialog.Pixels(CRect{0, 0, description.size.cx, description.size.cy}));

    HWND control = GetWindow(dialog.hwnd, GW_CHILD);
    for (const DialogControl& expected : description.controls) {
        ASSERT_NE(control, nullptr) << "missing " << expected.text;
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(control)), expected.nID) << expected.text;
        EXPECT_EQ(TextOf(control), expected.text);
        EXPECT_TRUE(ClientBox(control) == dialog.Pixels(expected.box)) << expected.text;
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        const bool groupBox = expected.kind == DialogControl::Kind::GroupBox;
        EXPECT_EQ((style & BS_TYPEMASK) == BS_GROUPBOX, groupBox) << expected.text;
        EXPECT_EQ((style & WS_TABSTOP) != 0, !groupBox) << expected.text;
        EXPECT_NE(style & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "no button is the default one";
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "a control the description does not have";
}

TEST(ResourcesTest, HistoryWindowHasItsControlsInTabOrderAndAResizingFrame)
{
    InitCommonControls();
    ASSERT_TRUE(DcPicture::Register(Instance()));
    const Dialog history(history_window::TemplateId);
    ASSERT_NE(history.hwnd, nullptr);
    EXPECT_EQ(TextOf(history.hwnd), history_view::Caption);
    EXPECT_NE(GetWindowLongA(history.hwnd, GWL_STYLE) & WS_THICKFRAME, 0);
    HWND control = GetWindow(history.hwnd, GW_CHILD);
    for (const history_window::Control& expected : history_window::Controls) {
        ASSERT_NE(control, nullptr) << "missing control " << expected.id;
        EXPECT_EQ(GetDlgCtrlID(control), expected.id);
        wchar_t windowClass[64] = {};
        GetClassNameW(control, windowClass, 64);
        EXPECT_EQ(_wcsicmp(windowClass, expected.windowClass), 0) << expected.id;
        EXPECT_EQ(TextOf(control), expected.text);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        const bool picture = _wcsicmp(expected.windowClass, DcPicture::ClassName) == 0;
        const bool label = _wcsicmp(expected.windowClass, L"Static") == 0;
        const bool view = expected.id >= history_window::RatesId && expected.id <= history_window::RecentKeysId;
        if (view) {
            // One group of radio buttons, which the keys of its first one enter; the picture after
            // it starts the next group.
            EXPECT_EQ(style & BS_TYPEMASK, BS_AUTORADIOBUTTON) << expected.id;
            EXPECT_EQ((style & WS_GROUP) != 0, expected.id == history_window::RatesId) << expected.id;
            EXPECT_EQ((style & WS_TABSTOP) != 0, expected.id == history_window::RatesId) << expected.id;
        } else {
            EXPECT_EQ((style & WS_TABSTOP) != 0, !picture && !label) << expected.id;
        }
        if (expected.id == history_window::ChartId) {
            EXPECT_NE(style & WS_GROUP, 0) << "the views' group goes on past the radio buttons";
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "a control the window does not know";
}

TEST(ResourcesTest, AboutBoxShowsTheVersionAndADefaultOkButton)
{
    const Dialog about(IDD_ABOUTBOX);
    ASSERT_NE(about.hwnd, nullptr);
    EXPECT_EQ(TextOf(about.hwnd), "About Orbicle");
    HWND ok = GetDlgItem(about.hwnd, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(ClientBox(ok) == about.Pixels(CRect{178, 7, 178 + 50, 7 + 16}));
    bool version = false;
    for (HWND child = GetWindow(about.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        version = version || TextOf(child) == "Orbicle Version 0.80 beta";
    EXPECT_TRUE(version);
}

TEST(ResourcesTest, CursorsIconStringsAndVersionAreThere)
{
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    for (const Race& race : Races) {
        EXPECT_NE(LoadCursorA(Instance(), MAKEINTRESOURCEA(race.nCursorId)), nullptr) << race.code;
        EXPECT_NE(RaceCursor(Instance(), race.code), arrow) << race.code;
    }
    EXPECT_EQ(RaceCursor(Instance(), ""), arrow) << "no race: the arrow";
    EXPECT_EQ(RaceCursor(Instance(), "xx"), arrow) << "an unknown race: the arrow";
    EXPECT_NE(LoadIconA(Instance(), MAKEINTRESOURCEA(128)), nullptr);

    char text[64] = {};
    LoadStringA(Instance(), 128, text, sizeof text);
    EXPECT_STREQ(text, CMainFrame::TitleText);
    LoadStringA(Instance(), 57344, text, sizeof text);
    EXPECT_STREQ(text, COrbicleApp::AppName);

    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::vector<char> block(GetFileVersionInfoSizeA(path, nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
}
