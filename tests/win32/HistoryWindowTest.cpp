// The History window on Windows: where its parts go at every size, and the window itself with
// the games of a store (title, rows newest first, buttons, status, the layout after a resize).
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "app/HistoryView.h"
#include "app/win32/HistoryWindow.h"
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
        const std::array parts{at.chart,        at.table,        at.result,     at.status,
                               at.exportButton, at.deleteButton, at.closeButton};
        for (std::size_t i = 0; i < parts.size(); ++i) {
            EXPECT_TRUE(Inside(parts[i], client)) << "part " << i;
            EXPECT_FALSE(parts[i].IsRectEmpty()) << "part " << i;
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                EXPECT_FALSE(Overlap(parts[i], parts[j])) << "parts " << i << " and " << j;
        }
        // The chart across the top; the table beside the result graph below it.
        EXPECT_EQ(at.chart.left, mx);
        EXPECT_EQ(at.chart.right, client.cx - mx);
        EXPECT_EQ(at.chart.top, my);
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
        HistoryWindow(GetModuleHandleW(nullptr), history).Run(nullptr);
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
