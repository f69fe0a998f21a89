// The History window's procedure: its controls filled from the store, laid out at every size,
// the views and the commands of its buttons.
#include "app/win32/HistoryWindow.h"

#include <commctrl.h>  // after windows.h
#include <commdlg.h>

#include <algorithm>
#include <filesystem>

#include "platform/win32/RaceDialogBox.h"

namespace hw = history_window;

namespace {
std::wstring Wide(const std::string& utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
    return text;
}

void SetText(HWND window, const std::string& utf8)
{
    SetWindowTextW(window, Wide(utf8).c_str());
}

int MessageBoxUtf8(HWND owner, const std::string& text, const char* caption, UINT type)
{
    return MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), type);
}

void Place(HWND control, const CRect& box)
{
    MoveWindow(control, box.left, box.top, box.Width(), box.Height(), TRUE);
}
}  // namespace

void HistoryWindow::Run(HWND owner)
{
    DcPicture::Register(m_instance);
    DialogBoxParamW(m_instance, MAKEINTRESOURCEW(hw::TemplateId), owner, Procedure, reinterpret_cast<LPARAM>(this));
    m_chart.reset();
    m_result.reset();
}

INT_PTR CALLBACK HistoryWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<HistoryWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->m_hwnd = window;
    }
    auto* self = reinterpret_cast<HistoryWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR HistoryWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInit(); return TRUE;
    case WM_SIZE: LayOut(); return TRUE;
    case WM_GETMINMAXINFO: OnMinimumSize(*reinterpret_cast<MINMAXINFO*>(lParam)); return TRUE;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return TRUE;
    case WM_NOTIFY: {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (change->hdr.idFrom != hw::TableId || change->hdr.code != LVN_ITEMCHANGED)
            return FALSE;
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
            !(change->uOldState & LVIS_SELECTED))
            OnSelect(change->iItem);
        return TRUE;
    }
    default: return FALSE;
    }
}

void HistoryWindow::OnInit()
{
    RECT base{0, 0, 4, 8};
    MapDialogRect(m_hwnd, &base);
    m_units = DialogUnits{base.right, base.bottom};

    m_chart = std::make_unique<DcPicture>(Item(hw::ChartId), UpperPainter(m_games, m_report));
    CheckRadioButton(m_hwnd, hw::RatesId, hw::RecentKeysId, hw::RatesId + static_cast<int>(m_view));
    m_result =
        std::make_unique<DcPicture>(Item(hw::ResultId), KeptResultPainter([this] { return GameAt(m_selected); }));

    HWND table = Item(hw::TableId);
    SendMessageW(table, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const history_view::Column& column : history_view::Columns) {
        std::wstring heading = Wide(column.heading);
        LVCOLUMNW entry{};
        entry.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        entry.fmt = column.right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        entry.cx = column.width * m_units.baseX / 6;  // the widths are those of a 6-pixel base unit
        entry.pszText = heading.data();
        SendMessageW(table, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&entry));
    }

    // The client area the window opens with, as far as the screen has room, centred over the frame.
    const CSize outer = OuterSize(history_layout::OpeningSize);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(m_hwnd, nullptr, 0, 0, std::min<LONG>(outer.cx, work.right - work.left),
                 std::min<LONG>(outer.cy, work.bottom - work.top), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CentreOverOwner(m_hwnd);

    m_notice = m_history.TakeNotice();
    Reload();
    LayOut();
}

void HistoryWindow::OnCommand(int id)
{
    switch (id) {
    case hw::ExportId: OnExport(); break;
    case hw::DeleteId: OnDelete(); break;
    case hw::CloseId: EndDialog(m_hwnd, hw::CloseId); break;
    case hw::RatesId:
    case hw::SelectedKeysId:
    case hw::RecentKeysId: ShowView(static_cast<history_view::View>(id - hw::RatesId)); break;
    default: break;  // Enter in the table (IDOK) does nothing
    }
}

void HistoryWindow::OnMinimumSize(MINMAXINFO& limits) const
{
    const CSize outer = OuterSize(history_layout::SmallestSize);
    limits.ptMinTrackSize = POINT{outer.cx, outer.cy};
}

CSize HistoryWindow::OuterSize(CSize client) const
{
    RECT outer{0, 0, m_units.X(client.cx), m_units.Y(client.cy)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)));
    return CSize{outer.right - outer.left, outer.bottom - outer.top};
}

void HistoryWindow::LayOut()
{
    if (!m_chart)
        return;  // before WM_INITDIALOG
    RECT client;
    GetClientRect(m_hwnd, &client);
    const HistoryLayout at = LayOutHistory(CSize{client.right, client.bottom}, m_units);
    for (int i = 0; i < 3; ++i)
        Place(Item(hw::RatesId + i), at.views[i]);
    Place(Item(hw::ChartId), at.chart);
    Place(Item(hw::TableId), at.table);
    Place(Item(hw::ResultId), at.result);
    Place(Item(hw::StatusId), at.status);
    Place(Item(hw::ExportId), at.exportButton);
    Place(Item(hw::DeleteId), at.deleteButton);
    Place(Item(hw::CloseId), at.closeButton);
}

const KeptGame* HistoryWindow::GameAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_games.size()))
        return nullptr;
    return &m_games[m_games.size() - 1 - static_cast<std::size_t>(row)];
}

void HistoryWindow::Reload()
{
    m_games = m_history.Games();
    HWND table = Item(hw::TableId);
    SendMessageW(table, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < static_cast<int>(m_games.size()); ++row) {
        const std::vector<std::string> texts = history_view::RowTexts(*GameAt(row));
        for (int column = 0; column < static_cast<int>(texts.size()); ++column) {
            std::wstring text = Wide(texts[static_cast<std::size_t>(column)]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.iSubItem = column;
            item.pszText = text.data();
            SendMessageW(table, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, column == 0 ? 0 : row,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    m_selected = m_games.empty() ? -1 : 0;
    if (m_selected >= 0) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(table, LVM_SETITEMSTATE, static_cast<WPARAM>(m_selected), reinterpret_cast<LPARAM>(&state));
    }
    EnableWindow(Item(hw::ExportId), !m_games.empty());
    EnableWindow(Item(hw::DeleteId), !m_games.empty());
    SetText(m_hwnd, history_view::Title(m_games.size()));
    ShowStatus();
    UpdateReport();
    m_chart->Redraw();
    m_result->Redraw();
}

void HistoryWindow::UpdateReport()
{
    m_report = ReportFor(m_view, m_history, m_files, m_games, GameAt(m_selected));
}

void HistoryWindow::ShowView(history_view::View view)
{
    if (view == m_view)
        return;
    m_view = view;
    UpdateReport();
    m_chart->Redraw();
}

void HistoryWindow::ShowStatus()
{
    SetText(Item(hw::StatusId), history_view::StatusText(m_history, m_notice));
}

void HistoryWindow::OnSelect(int row)
{
    m_selected = row;
    if (m_view == history_view::View::SelectedKeys) {
        UpdateReport();
        m_chart->Redraw();
    }
    m_result->Redraw();
}

void HistoryWindow::OnExport()
{
    wchar_t file[MAX_PATH] = L"orbicle-history.csv";
    OPENFILENAMEW save{};
    save.lStructSize = sizeof save;
    save.hwndOwner = m_hwnd;
    save.lpstrFilter = L"CSV files (*.csv)\0*.csv\0All files\0*.*\0";
    save.lpstrFile = file;
    save.nMaxFile = MAX_PATH;
    save.lpstrTitle = L"Export CSV";
    save.lpstrDefExt = L"csv";
    // The current folder stays: the run-time files are looked up there.
    save.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameW(&save))
        return;
    // The games in the file chosen, their actions beside it.
    const std::u8string name = std::filesystem::path(file).u8string();
    const std::string problem = history_view::Export(m_history, m_games, std::string(name.begin(), name.end()));
    if (!problem.empty())
        MessageBoxUtf8(m_hwnd, problem, history_view::Caption, MB_OK | MB_ICONERROR);
}

void HistoryWindow::OnDelete()
{
    const KeptGame* game = GameAt(m_selected);
    if (!game)
        return;
    if (MessageBoxUtf8(m_hwnd, history_view::DeleteQuestion(*game), "Delete game",
                       MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES)
        return;
    m_history.Delete(game->id);
    Reload();
}
