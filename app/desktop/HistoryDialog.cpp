// The History window on wxWidgets: pictures from the device context, a report list, buttons.
#include "app/desktop/HistoryDialog.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/HistoryView.h"
#include "app/desktop/WatchWindow.h"
#include "platform/dc/Dc.h"
#include "platform/replay/ReplayFile.h"
#include "render/HistoryChart.h"

namespace {
constexpr int ExportId = wxID_HIGHEST + 100;
constexpr int DeleteId = wxID_HIGHEST + 101;
constexpr int WatchId = wxID_HIGHEST + 102;
constexpr int ExportReplayId = wxID_HIGHEST + 103;
constexpr int ImportReplayId = wxID_HIGHEST + 104;
constexpr const char* ReplayFiles = "Orbicle replays (*.orbicle-replay)|*.orbicle-replay|All files|*";

wxString LocalDateTime(std::int64_t seconds)
{
    return wxString::FromUTF8(history_view::LocalDateTime(seconds));
}
}  // namespace

wxImage ImageOf(const CBitmap& bitmap)
{
    const int width = bitmap.GetWidth(), height = bitmap.GetHeight();
    wxImage image(width, height, false);
    unsigned char* rgb = image.GetData();
    for (const std::uint32_t pixel : bitmap.GetPixels()) {
        *rgb++ = static_cast<unsigned char>(pixel >> 16);
        *rgb++ = static_cast<unsigned char>(pixel >> 8);
        *rgb++ = static_cast<unsigned char>(pixel);
    }
    return image;
}

DcPicture::DcPicture(wxWindow* parent, wxSize minSize, Painter painter)
    : wxPanel(parent, wxID_ANY), m_painter(std::move(painter))
{
    SetMinSize(minSize);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &DcPicture::OnPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        Refresh();
        event.Skip();
    });
}

void DcPicture::OnPaint(wxPaintEvent& /*event*/)
{
    wxPaintDC paint(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    CBitmap bitmap;
    if (!bitmap.CreateBitmap(size.x, size.y))
        return;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    m_painter(dc, CSize{size.x, size.y});
    dc.DeleteDC();
    paint.DrawBitmap(wxBitmap(ImageOf(bitmap)), 0, 0);
}

HistoryDialog::HistoryDialog(wxWindow* parent, IHistory& history, IFiles& files)
    : wxDialog(parent, wxID_ANY, history_view::Caption, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_history(history),
      m_files(files)
{
    auto* views = new wxBoxSizer(wxHORIZONTAL);
    for (int i = 0; i < 3; ++i) {
        m_viewButtons[i] = new wxRadioButton(this, wxID_ANY, history_view::ViewTexts[i], wxDefaultPosition,
                                             wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
        m_viewButtons[i]->Bind(wxEVT_RADIOBUTTON,
                               [this, i](wxCommandEvent&) { ShowView(static_cast<history_view::View>(i)); });
        views->Add(m_viewButtons[i], 0, wxRIGHT, 16);
    }
    // The report keeps its shape (keys_report::DesignSize) and the chart takes what room there is.
    m_chart = new DcPicture(this, wxSize(720, 416), [this](CDC& dc, CSize size) {
        if (m_view == history_view::View::Rates)
            DrawHistoryChart(dc, size, m_games);
        else
            DrawKeysReport(dc, size, m_report);
    });
    m_table = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxLC_REPORT | wxLC_SINGLE_SEL);
    for (const history_view::Column& column : history_view::Columns)
        m_table->AppendColumn(column.heading, column.right ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT, column.width);
    // The result graph at a size where its figures (drawn 22 pixels high) have room.
    m_result = new DcPicture(this, wxSize(400, 300), [this](CDC& dc, CSize size) {
        if (const KeptGame* game = GameAt(m_selected))
            DrawKeptResult(dc, size, *game);
        else
            dc.FillSolidRect(CRect{0, 0, size.cx, size.cy}, Rgb(128, 128, 128));
    });
    m_status = new wxStaticText(this, wxID_ANY, "");
    m_export = new wxButton(this, ExportId, "&Export CSV...");
    m_delete = new wxButton(this, DeleteId, "&Delete game");
    m_watch = new wxButton(this, WatchId, "&Watch");
    m_exportReplay = new wxButton(this, ExportReplayId, "Export Re&play...");
    auto* importReplay = new wxButton(this, ImportReplayId, "&Import Replay...");
    auto* close = new wxButton(this, wxID_CLOSE, "&Close");
    SetEscapeId(wxID_CLOSE);

    auto* lower = new wxBoxSizer(wxHORIZONTAL);
    lower->Add(m_table, 1, wxEXPAND | wxRIGHT, 8);
    lower->Add(m_result, 0, wxALIGN_TOP);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(m_watch, 0, wxRIGHT, 8);
    buttons->Add(m_export, 0, wxRIGHT, 8);
    buttons->Add(m_exportReplay, 0, wxRIGHT, 8);
    buttons->Add(importReplay, 0, wxRIGHT, 8);
    buttons->Add(m_delete, 0);
    buttons->AddStretchSpacer();
    buttons->Add(close, 0);
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(views, 0, wxLEFT | wxRIGHT | wxTOP, 8);
    all->Add(m_chart, 3, wxEXPAND | wxALL, 8);
    all->Add(lower, 2, wxEXPAND | wxLEFT | wxRIGHT, 8);
    all->Add(m_status, 0, wxEXPAND | wxALL, 8);
    all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(all);

    m_table->Bind(wxEVT_LIST_ITEM_SELECTED, &HistoryDialog::OnSelect, this);
    Bind(wxEVT_BUTTON, &HistoryDialog::OnExport, this, ExportId);
    Bind(wxEVT_BUTTON, &HistoryDialog::OnDelete, this, DeleteId);
    Bind(wxEVT_BUTTON, &HistoryDialog::OnWatch, this, WatchId);
    Bind(wxEVT_BUTTON, &HistoryDialog::OnExportReplay, this, ExportReplayId);
    Bind(wxEVT_BUTTON, &HistoryDialog::OnImportReplay, this, ImportReplayId);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CLOSE); }, wxID_CLOSE);

    m_notice = m_history.TakeNotice();
    Reload();
    CentreOnParent();
}

const KeptGame* HistoryDialog::GameAt(long row) const
{
    if (row < 0 || row >= static_cast<long>(m_games.size()))
        return nullptr;
    return &m_games[m_games.size() - 1 - static_cast<std::size_t>(row)];
}

void HistoryDialog::Reload()
{
    m_games = m_history.Games();
    m_table->DeleteAllItems();
    for (long row = 0; row < static_cast<long>(m_games.size()); ++row) {
        const std::vector<std::string> texts = history_view::RowTexts(*GameAt(row));
        m_table->InsertItem(row, wxString::FromUTF8(texts[0]));
        for (int column = 1; column < static_cast<int>(texts.size()); ++column)
            m_table->SetItem(row, column, wxString::FromUTF8(texts[static_cast<std::size_t>(column)]));
    }
    m_selected = m_games.empty() ? -1 : 0;
    if (m_selected >= 0)
        m_table->SetItemState(m_selected, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                              wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_delete->Enable(!m_games.empty());
    m_export->Enable(!m_games.empty());
    m_watch->Enable(!m_games.empty());
    m_exportReplay->Enable(!m_games.empty());
    SetTitle(wxString::FromUTF8(history_view::Title(m_games.size())));
    ShowStatus();
    UpdateReport();
    m_chart->Refresh();
    m_result->Refresh();
}

void HistoryDialog::UpdateReport()
{
    if (m_view != history_view::View::Rates)
        m_report = history_view::ViewReport(m_view, m_history, m_files, m_games, GameAt(m_selected));
}

void HistoryDialog::ShowView(history_view::View view)
{
    m_view = view;
    UpdateReport();
    m_chart->Refresh();
}

void HistoryDialog::ShowStatus()
{
    const wxString text = wxString::FromUTF8(history_view::StatusText(m_history, m_notice));
    if (m_status->GetLabel() != text) {
        m_status->SetLabel(text);
        m_status->Wrap(GetClientSize().x - 16);
        Layout();
    }
}

void HistoryDialog::OnSelect(wxListEvent& event)
{
    m_selected = event.GetIndex();
    if (m_view == history_view::View::SelectedKeys) {
        UpdateReport();
        m_chart->Refresh();
    }
    m_result->Refresh();
}

void HistoryDialog::OnExport(wxCommandEvent& /*event*/)
{
    wxFileDialog save(this, "Export CSV", "", "orbicle-history.csv", "CSV files (*.csv)|*.csv|All files|*",
                      wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (save.ShowModal() != wxID_OK)
        return;
    // The games in the file chosen, their actions beside it.
    const std::string problem = history_view::Export(m_history, m_games, save.GetPath().utf8_string());
    if (!problem.empty())
        wxMessageBox(wxString::FromUTF8(problem), history_view::Caption, wxOK | wxICON_ERROR, this);
}

void HistoryDialog::OnDelete(wxCommandEvent& /*event*/)
{
    const KeptGame* game = GameAt(m_selected);
    if (!game)
        return;
    wxMessageDialog ask(this, wxString::FromUTF8(history_view::DeleteQuestion(*game)), "Delete game",
                        wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
    if (ask.ShowModal() != wxID_YES)
        return;
    m_history.Delete(game->id);
    Reload();
}

const KeptGame* HistoryDialog::SelectedRecording(std::string& recording)
{
    const KeptGame* game = GameAt(m_selected);
    if (!game)
        return nullptr;
    recording = m_history.Recording(game->id);
    if (recording.empty()) {
        wxMessageBox("The game of " + LocalDateTime(game->started) +
                         " has no recording: it was kept before Orbicle recorded its games.",
                     history_view::Caption, wxOK | wxICON_INFORMATION, this);
        return nullptr;
    }
    return game;
}

void HistoryDialog::OnWatch(wxCommandEvent& /*event*/)
{
    std::string recording;
    const KeptGame* game = SelectedRecording(recording);
    if (!game)
        return;
    ReplayRead read =
        DecodeReplay(recording, "The recording of the game of " + LocalDateTime(game->started).utf8_string());
    if (!read.replay) {
        wxMessageBox(wxString::FromUTF8(read.problem) + ".", history_view::Caption, wxOK | wxICON_ERROR, this);
        return;
    }
    // The replay must give the game as the history keeps it, its actions included.
    read.replay->summary = *game;
    read.replay->summary.actions = m_history.Actions(game->id);
    WatchWindow watch(this, *read.replay);
    watch.ShowModal();
}

void HistoryDialog::OnExportReplay(wxCommandEvent& /*event*/)
{
    std::string recording;
    const KeptGame* game = SelectedRecording(recording);
    if (!game)
        return;
    const wxString name = "orbicle-" + TimeText(game->started, "%Y-%m-%d-%H%M", false) + ".orbicle-replay";
    wxFileDialog save(this, "Export Replay", "", name, ReplayFiles, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (save.ShowModal() != wxID_OK)
        return;
    const std::string path = save.GetPath().utf8_string();
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    file << recording;
    file.close();
    if (!file)
        wxMessageBox("Cannot write the file " + wxString::FromUTF8(path) + ".", history_view::Caption,
                     wxOK | wxICON_ERROR, this);
}

void HistoryDialog::OnImportReplay(wxCommandEvent& /*event*/)
{
    wxFileDialog open(this, "Import Replay", "", "", ReplayFiles, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (open.ShowModal() != wxID_OK)
        return;
    // A file that cannot be played is refused with what is wrong; nothing changes.
    const ReplayRead read = ReadReplayFile(open.GetPath().utf8_string());
    if (!read.replay) {
        wxMessageBox(wxString::FromUTF8(read.problem) + ".\nNothing was imported.", history_view::Caption,
                     wxOK | wxICON_ERROR, this);
        return;
    }
    // Watched and verified; kept only when the player adds it.
    WatchWindow watch(this, *read.replay, [this](const KeptGame& game) { m_history.Keep(game); });
    watch.ShowModal();
    Reload();
}
