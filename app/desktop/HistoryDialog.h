// File > History...: the chart of every kept game, or the keys report of the selected game or of
// the last 10 games together; the table of games with the selected one's result graph, Watch
// (the selected game's replay), Export CSV..., Export Replay..., Import Replay..., Delete game
// and Close. Modal, so a running game is held while it is open, as with
// every dialog of the program.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <wx/dialog.h>
#include <wx/panel.h>

#include "app/HistoryView.h"
#include "platform/Files.h"
#include "platform/History.h"
#include "platform/Win.h"
#include "render/KeysReport.h"

class CDC;
class wxButton;
class wxListCtrl;
class wxListEvent;
class wxRadioButton;
class wxImage;
class wxStaticText;

// A bitmap's pixels as an image the toolkit draws.
wxImage ImageOf(const CBitmap& bitmap);

// A panel whose picture the device context draws at the panel's size.
class DcPicture : public wxPanel {
public:
    using Painter = std::function<void(CDC& dc, CSize size)>;
    DcPicture(wxWindow* parent, wxSize minSize, Painter painter);

private:
    void OnPaint(wxPaintEvent& event);
    Painter m_painter;
};

class HistoryDialog : public wxDialog {
public:
    // files: where the races' hotkey sets are read, for the keys of the report.
    HistoryDialog(wxWindow* parent, IHistory& history, IFiles& files);

private:
    // Reads the games again and shows them, newest first, the newest selected.
    void Reload();
    void ShowStatus();
    // The game of a table row (rows are newest first), or null.
    const KeptGame* GameAt(long row) const;
    void OnSelect(wxListEvent& event);
    void ShowView(history_view::View view);
    // Reads the actions the report needs, once per game shown.
    void UpdateReport();
    void OnExport(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    // The selected game, with its recording; null (after a message box saying it has none)
    // when there is none to play.
    const KeptGame* SelectedRecording(std::string& recording);
    void OnWatch(wxCommandEvent& event);
    void OnExportReplay(wxCommandEvent& event);
    void OnImportReplay(wxCommandEvent& event);

    IHistory& m_history;
    IFiles& m_files;
    std::vector<KeptGame> m_games;  // oldest first
    history_view::View m_view = history_view::View::Rates;
    KeysReport m_report;
    long m_selected = -1;
    std::string m_notice;  // told once, shown while the window is open
    DcPicture* m_chart = nullptr;
    DcPicture* m_result = nullptr;
    wxListCtrl* m_table = nullptr;
    wxStaticText* m_status = nullptr;
    wxButton* m_export = nullptr;
    wxButton* m_delete = nullptr;
    wxButton* m_watch = nullptr;
    wxButton* m_exportReplay = nullptr;
    wxRadioButton* m_viewButtons[3] = {};
};
