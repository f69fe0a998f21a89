// The History window on Windows: where its parts go at every size, and the window itself with
// the games of a store (title, rows newest first, buttons, status, the layout after a resize,
// the views' pictures).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/HistoryView.h"
#include "app/win32/HistoryWindow.h"
#include "platform/DiskFiles.h"
#include "tests/win32/ThreadWindow.h"

#include <commctrl.h>  // after windows.h

namespace hw = history_window;
namespace hl = history_layout;

namespace {
bool Overlap(const CRect& a, const CRect& b)
{
    CRect both;
    return both.IntersectRect(a, b);
}

bool Inside(const CRect& part, CSize client)
{
    return part.left >= 0 && part.top >= 0 && part.right <= client.cx && part.bottom <= client.cy;
}
}  // namespace

TEST(HistoryLayoutTest, EveryPartHasItsPlaceAtEverySize)
{
    const DialogUnits units{7, 15};
    const int mx = units.X(hl::Margin), my = units.Y(hl::Margin);
    const CSize smallest{units.X(hl::SmallestSize.cx), units.Y(hl::SmallestSize.cy)};
    for (const CSize client : {smallest, CSize{units.X(hl::OpeningSize.cx), units.Y(hl::OpeningSize.cy)},
                               CSize{2400, 700}, CSize{900, 1600}}) {
        SCOPED_TRACE(std::to_string(client.cx) + " x " + std::to_string(client.cy));
        const HistoryLayout at = LayOutHistory(client, units);
        const std::array parts{at.views[0], at.views[1], at.views[2],     at.chart,        at.table,
                               at.result,   at.status,   at.exportButton, at.deleteButton, at.closeButton};
        for (std::size_t i = 0; i < parts.size(); ++i) {
            EXPECT_TRUE(Inside(parts[i], client)) << "part " << i;
            EXPECT_FALSE(parts[i].IsRectEmpty()) << "part " << i;
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                EXPECT_FALSE(Overlap(parts[i], parts[j])) << "parts " << i << " and " << j;
        }
        // The views in a row along the top, in their order; the chart across the width below
        // them; the table beside the result graph below it.
        EXPECT_EQ(at.views[0].left, mx);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(at.views[i].top, my);
            EXPECT_EQ(at.views[i].Height(), units.Y(hl::ViewHeight));
            if (i > 0) {
                EXPECT_EQ(at.views[i].left, at.views[i - 1].right + mx);
            }
        }
        EXPECT_EQ(at.chart.left, mx);
        EXPECT_EQ(at.chart.right, client.cx - mx);
        EXPECT_EQ(at.chart.top, at.views[0].bottom + my);
        EXPECT_EQ(at.table.top, at.chart.bottom + my);
        EXPECT_EQ(at.result.top, at.table.top);
        EXPECT_EQ(at.result.right, client.cx - mx);
        EXPECT_EQ(at.table.right + mx, at.result.left);
        EXPECT_NEAR(at.result.Width() * 3, at.result.Height() * 4, 4) << "the field's shape";
        EXPECT_GT(at.chart.Height(), at.table.Height()) << "three parts to two";
        // The status lines, then one row of buttons along the bottom, Close on the right.
        EXPECT_EQ(at.status.top, at.table.bottom + my);
        EXPECT_EQ(at.status.Height(), units.Y(hl::StatusLines * hl::LineHeight));
        for (const CRect& button : {at.exportButton, at.deleteButton, at.closeButton}) {
            EXPECT_EQ(button.bottom, client.cy - my);
            EXPECT_EQ(button.Height(), units.Y(hl::ButtonHeight));
        }
        EXPECT_EQ(at.exportButton.left, mx);
        EXPECT_EQ(at.deleteButton.left, at.exportButton.right + mx);
        EXPECT_EQ(at.closeButton.right, client.cx - mx);
    }
    // Smaller than the smallest: the parts stay where the smallest window has them.
    const HistoryLayout small = LayOutHistory(CSize{10, 10}, units);
    EXPECT_EQ(small.closeButton.right, LayOutHistory(smallest, units).closeButton.right);
    EXPECT_EQ(small.chart.bottom, LayOutHistory(smallest, units).chart.bottom);
}

namespace {
// Looks at the History window of this thread once it is open, as the player would see it, then
// closes it: a thread timer runs inside the window's own message loop.
struct Examine {
    static inline std::function<void(HWND)> s_look;
    static inline bool s_seen = false;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND window = ThreadWindowTitled(L"Orbicle History");
        if (!window || s_seen)
            return;
        s_seen = true;
        s_look(window);
        PostMessageW(window, WM_COMMAND, hw::CloseId, 0);
    }
    static void Run(IHistory& history, std::function<void(HWND)> look)
    {
        s_look = std::move(look);
        s_seen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTimer);
        DiskFiles files;  // the tests run in the repository's root: res\keys_*.txt
        HistoryWindow(GetModuleHandleW(nullptr), history, files).Run(nullptr);
        KillTimer(nullptr, timer);
        EXPECT_TRUE(s_seen) << "the window never opened";
    }
};

std::string Text(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

std::string Cell(HWND table, int row, int column)
{
    wchar_t text[128] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(table, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    char utf8[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

CRect PlaceOf(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return CRect{r.left, r.top, r.right, r.bottom};
}

KeptGame Game(std::int64_t started, std::string race, std::int64_t average)
{
    KeptGame game;
    game.started = started;
    game.ended = started + 75;
    game.race = std::move(race);
    game.average = average;
    game.best = average + 10;
    game.samples = {10, 20};
    return game;
}
}  // namespace

TEST(HistoryWindowTest, ShowsTheGamesNewestFirstAndLaysItselfOutAnewWhenResized)
{
    InitCommonControls();
    MemoryHistory history;
    history.Keep(Game(1'767'614'400, "hu", 80));
    history.Keep(Game(1'767'700'000, "q\xE9", 95));
    Examine::Run(history, [](HWND window) {
        EXPECT_EQ(Text(window), "Orbicle History - 2 games");
        HWND table = GetDlgItem(window, hw::TableId);
        ASSERT_EQ(SendMessageW(table, LVM_GETITEMCOUNT, 0, 0), 2);
        EXPECT_EQ(Cell(table, 0, 1), "q\xC3\xA9") << "the newest first, its code as it was kept";
        EXPECT_EQ(Cell(table, 0, 3), "95");
        EXPECT_EQ(Cell(table, 1, 1), "Human");
        EXPECT_EQ(Cell(table, 1, 2), "1:15");
        EXPECT_EQ(SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, hw::ExportId)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, hw::DeleteId)));
        EXPECT_EQ(Text(GetDlgItem(window, hw::StatusId)), "Games are kept in memory, for as long as the program runs.");

        SetWindowPos(window, nullptr, 0, 0, 1300, 900, SWP_NOMOVE | SWP_NOZORDER);
        RECT client, base{0, 0, 4, 8};
        GetClientRect(window, &client);
        MapDialogRect(window, &base);
        const HistoryLayout at =
            LayOutHistory(CSize{client.right, client.bottom}, DialogUnits{base.right, base.bottom});
        EXPECT_EQ(PlaceOf(GetDlgItem(window, hw::ChartId)).right, at.chart.right);
        EXPECT_EQ(PlaceOf(GetDlgItem(window, hw::TableId)).bottom, at.table.bottom);
        EXPECT_EQ(PlaceOf(GetDlgItem(window, hw::ResultId)).left, at.result.left);
        EXPECT_EQ(PlaceOf(GetDlgItem(window, hw::CloseId)).top, at.closeButton.top);
    });

    MemoryHistory none;
    Examine::Run(none, [](HWND window) {
        EXPECT_EQ(Text(window), "Orbicle History - 0 games");
        EXPECT_EQ(SendMessageW(GetDlgItem(window, hw::TableId), LVM_GETITEMCOUNT, 0, 0), 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, hw::ExportId)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, hw::DeleteId)));
    });
}

namespace {
// What a picture window paints: its pixels (0x00RRGGBB), printed into a bitmap of ours.
std::vector<std::uint32_t> Pixels(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(client.right) * client.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    for (std::uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

long Count(const std::vector<std::uint32_t>& pixels, std::uint32_t rgb)
{
    return std::count(pixels.begin(), pixels.end(), rgb);
}

// The keys report's colours (keys_report in render/KeysReport.h): a key outside the race's set,
// and the faces of the report's fastest and slowest medians.
constexpr std::uint32_t DimKey = 0xF2F2F2, Fast = 0x6EC86E, Slow = 0xF0645A;

// A game of the Default set whose labelled circles were hit with these reaction times.
KeptGame Timed(std::int64_t started, std::initializer_list<std::pair<unsigned char, int>> hits)
{
    KeptGame game = Game(started, "df", 60);
    for (const auto& [key, ms] : hits)
        game.actions.push_back({KeptAction::Kind::Hit, KeptAction::Button::Left, key, 100, 100, 1000, ms, ms / 2});
    return game;
}
}  // namespace

TEST(HistoryWindowTest, TheViewsShowTheChartOrTheKeysOfTheSelectedGameOrOfTheLastGames)
{
    InitCommonControls();
    MemoryHistory history;
    history.Keep(Timed(1'767'614'400, {{'Q', 250}, {'W', 2000}}));
    history.Keep(Timed(1'767'700'000, {{'E', 300}, {'R', 400}, {'E', 320}}));
    Examine::Run(history, [](HWND window) {
        HWND chart = GetDlgItem(window, hw::ChartId);
        const auto click = [window](int id) {
            SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
            return IsDlgButtonChecked(window, id) == BST_CHECKED;
        };
        EXPECT_EQ(IsDlgButtonChecked(window, hw::RatesId), BST_CHECKED);
        const std::vector<std::uint32_t> rates = Pixels(chart);
        EXPECT_EQ(Count(rates, DimKey), 0) << "the chart draws no keyboard";

        ASSERT_TRUE(click(hw::SelectedKeysId));
        EXPECT_EQ(IsDlgButtonChecked(window, hw::RatesId), BST_UNCHECKED);
        const std::vector<std::uint32_t> newest = Pixels(chart);
        EXPECT_GT(Count(newest, DimKey), static_cast<long>(newest.size() / 50)) << "a keyboard, most keys dim";
        EXPECT_GT(Count(newest, Fast), 100) << "E, the newest game's fastest key";
        EXPECT_GT(Count(newest, Slow), 100) << "R, its slowest";

        // The older game selected: its own keys, Q fast and W slow, in other places.
        HWND table = GetDlgItem(window, hw::TableId);
        LVITEMW select{};
        select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        select.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(table, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
        const std::vector<std::uint32_t> older = Pixels(chart);
        EXPECT_GT(Count(older, Fast), 100);
        EXPECT_GT(Count(older, Slow), 100);
        EXPECT_NE(older, newest);

        // Both games together: E and Q between the fastest and the slowest now.
        ASSERT_TRUE(click(hw::RecentKeysId));
        const std::vector<std::uint32_t> recent = Pixels(chart);
        EXPECT_GT(Count(recent, DimKey), static_cast<long>(recent.size() / 50));
        EXPECT_NE(recent, older);
        EXPECT_NE(recent, newest);

        ASSERT_TRUE(click(hw::RatesId));
        EXPECT_EQ(Pixels(chart), rates) << "the chart again";
    });
}
