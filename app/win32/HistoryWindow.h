// File > History... on Windows: the History window, dialog 200 of the program's resources. Above,
// the choice of Rates (the chart of every kept game), Keys: selected game and Keys: last 10 games
// (the keys report); the chart, the report and the selected game's result graph are the drawings
// of render/ (DcPicture); the table a list view of the games newest first; Export CSV..., Delete
// game (which asks first) and Close. Modal over the frame, so a running game is held while it is
// open, as with every dialog of the program; it can be resized, and lays its parts out anew.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/HistoryView.h"
#include "app/win32/DcPicture.h"
#include "app/win32/HistoryLayout.h"
#include "platform/Files.h"
#include "platform/History.h"

namespace history_window {
// The dialog template and its controls, in tab order (the test holds res/Orbicle.rc to this).
inline constexpr unsigned TemplateId = 200;
struct Control {
    int id;
    const wchar_t* windowClass;
    const char* text;
};
inline constexpr int RatesId = 1016;  // the views, in the order of history_view::View
inline constexpr int SelectedKeysId = 1017;
inline constexpr int RecentKeysId = 1018;
inline constexpr int ChartId = 1010;
inline constexpr int TableId = 1011;
inline constexpr int ResultId = 1012;
inline constexpr int StatusId = 1013;
inline constexpr int ExportId = 1014;
inline constexpr int DeleteId = 1015;
inline constexpr int CloseId = 2;  // IDCANCEL: Escape and the close box close the window too
inline constexpr Control Controls[] = {
    {RatesId, L"Button", history_view::ViewTexts[0]},
    {SelectedKeysId, L"Button", history_view::ViewTexts[1]},
    {RecentKeysId, L"Button", history_view::ViewTexts[2]},
    {ChartId, DcPicture::ClassName, ""},
    {TableId, L"SysListView32", ""},
    {ResultId, DcPicture::ClassName, ""},
    {StatusId, L"Static", ""},
    {ExportId, L"Button", "&Export CSV..."},
    {DeleteId, L"Button", "&Delete game"},
    {CloseId, L"Button", "&Close"},
};
}  // namespace history_window

class HistoryWindow {
public:
    // files: where the races' hotkey sets are read, for the keys of the report.
    HistoryWindow(HINSTANCE instance, IHistory& history, IFiles& files)
        : m_instance(instance), m_history(history), m_files(files)
    {
    }
    HistoryWindow(const HistoryWindow&) = delete;
    HistoryWindow& operator=(const HistoryWindow&) = delete;

    // Shows the window over its owner until the player closes it.
    void Run(HWND owner);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInit();
    void OnCommand(int id);
    void OnMinimumSize(MINMAXINFO& limits) const;
    // The window's outer size for a client area of this size in dialog units.
    CSize OuterSize(CSize client) const;
    // Places the parts at the client area's size.
    void LayOut();
    // Reads the games again and shows them, newest first, the newest selected.
    void Reload();
    void ShowStatus();
    // The game of a table row (rows are newest first), or null.
    const KeptGame* GameAt(int row) const;
    void OnSelect(int row);
    void ShowView(history_view::View view);
    // Reads the actions the report needs, once per game shown.
    void UpdateReport();
    void OnExport();
    void OnDelete();
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }

    HINSTANCE m_instance;
    IHistory& m_history;
    IFiles& m_files;
    HWND m_hwnd = nullptr;
    DialogUnits m_units;
    std::vector<KeptGame> m_games;  // oldest first
    int m_selected = -1;
    history_view::View m_view = history_view::View::Rates;
    std::shared_ptr<const KeysReport> m_report;  // of the keys view shown; none for the chart
    std::string m_notice;                        // told once, shown while the window is open
    std::unique_ptr<DcPicture> m_chart;
    std::unique_ptr<DcPicture> m_result;
};
