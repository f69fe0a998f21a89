// The Watch window on wxWidgets: the replayed game's frames in a panel of the field's size, the
// controls below them, a timer that hands the recorded inputs to the game at their times.
#include "app/desktop/WatchWindow.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/desktop/HistoryDialog.h"
#include "platform/replay/ReplayFile.h"

namespace {
constexpr int PauseId = wxID_HIGHEST + 200;
constexpr int AddId = wxID_HIGHEST + 201;
// How often the window looks whether inputs are due: a quarter of the game's tick.
constexpr int TickMs = 12;
// The window's frame is not known before it is shown: room left for a title bar and borders.
constexpr int FrameAllowance = 48;

wxString MinutesSeconds(std::int64_t ms)
{
    const std::int64_t seconds = std::max<std::int64_t>(ms, 0) / 1000;
    return wxString::Format("%lld:%02lld", static_cast<long long>(seconds / 60), static_cast<long long>(seconds % 60));
}
}  // namespace

void WatchWindow::FitScreen(wxWindow* parent)
{
    // A field recorded on a larger screen than this one (or one that leaves no room for the
    // controls) is shown smaller, the whole picture scaled alike; otherwise pixel for pixel.
    const int display = wxDisplay::GetFromWindow(parent);
    const wxRect room = wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
    const wxSize field(std::max(m_replay.start.width, 1), std::max(m_replay.start.height, 1));
    // What the controls take besides the field, from the sizer (the window's own size is
    // already held to the screen).
    const wxSize around = GetSizer()->CalcMin() - field;
    const double scale = std::min({1.0, static_cast<double>(room.width - around.x - FrameAllowance) / field.x,
                                   static_cast<double>(room.height - around.y - FrameAllowance) / field.y});
    if (scale >= 1 || scale <= 0)
        return;
    m_scale = scale;
    m_field->SetMinSize(wxSize(static_cast<int>(field.x * scale), static_cast<int>(field.y * scale)));
    Fit();
}

wxString WatchWindow::TitleFor(bool verified)
{
    return wxString(Caption) + (verified ? " - Verified" : " - Not verified");
}

WatchWindow::WatchWindow(wxWindow* parent, const Replay& replay, Add add)
    : wxDialog(parent, wxID_ANY, Caption),
      m_replay(replay),
      m_add(std::move(add)),
      m_screen(replay.start.width, replay.start.height),
      m_timer(this)
{
    m_player = std::make_unique<ReplayPlayer>(m_replay, m_screen);
    // The frames at the field's own size, the player's pixels one for one, at the window's corner.
    m_field = new wxPanel(this, wxID_ANY);
    m_field->SetMinSize(wxSize(std::max(m_replay.start.width, 1), std::max(m_replay.start.height, 1)));
    m_field->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_field->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(m_field);
        if (m_scale < 1)
            dc.SetUserScale(m_scale, m_scale);
        dc.DrawBitmap(wxBitmap(ImageOf(m_screen.Pixels())), 0, 0);
    });

    m_pause = new wxButton(this, PauseId, "&Pause");
    auto* controls = new wxBoxSizer(wxHORIZONTAL);
    controls->Add(m_pause, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
    const char* const speeds[] = {"&1x", "&2x", "&4x"};
    for (int i = 0; i < 3; ++i) {
        auto* speed =
            new wxRadioButton(this, wxID_ANY, speeds[i], wxDefaultPosition, wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
        speed->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) { m_speed = 1 << i; });
        controls->Add(speed, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    }
    m_status = new wxStaticText(this, wxID_ANY, "");
    controls->Add(m_status, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    if (m_add) {
        m_addButton = new wxButton(this, AddId, "&Add to history");
        m_addButton->Disable();
        controls->Add(m_addButton, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    }
    controls->Add(new wxButton(this, wxID_CLOSE, "&Close"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    SetEscapeId(wxID_CLOSE);

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(m_field, 0);
    all->Add(controls, 0, wxEXPAND | wxALL, 8);
    SetSizerAndFit(all);
    FitScreen(parent);

    Bind(wxEVT_TIMER, &WatchWindow::OnTick, this);
    Bind(wxEVT_BUTTON, &WatchWindow::OnPause, this, PauseId);
    Bind(wxEVT_BUTTON, &WatchWindow::OnAdd, this, AddId);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CLOSE); }, wxID_CLOSE);

    ShowTime();
    m_lastTick = Clock::now();
    m_timer.Start(TickMs);
    CentreOnParent();
}

WatchWindow::~WatchWindow()
{
    m_timer.Stop();
}

void WatchWindow::OnTick(wxTimerEvent& /*event*/)
{
    const Clock::time_point now = Clock::now();
    const double wallMs = std::chrono::duration<double, std::milli>(now - m_lastTick).count();
    m_lastTick = now;
    if (m_paused || m_outcome)
        return;
    m_replayMs += wallMs * m_speed;
    PlayUpTo(static_cast<std::int64_t>(m_replayMs));
}

void WatchWindow::PlayUpTo(std::int64_t ms)
{
    bool played = false;
    const ReplayEvent* next = m_player->NextInput();
    for (; next && next->ms <= ms; next = m_player->NextInput()) {
        m_player->Step();
        played = true;
    }
    if (!next) {
        Judge();
        return;
    }
    if (played)
        m_field->Refresh(false);
    ShowTime();
}

void WatchWindow::Judge()
{
    m_timer.Stop();
    m_outcome = m_player->Finish();
    m_player->PaintLastFrame();
    m_field->Refresh(false);
    m_pause->Disable();
    m_status->SetLabel(wxString::FromUTF8(VerdictText(*m_outcome)));
    m_status->Wrap(GetClientSize().x - 16);
    if (m_addButton)
        m_addButton->Enable(m_outcome->verified);
    SetTitle(TitleFor(m_outcome->verified));
    Layout();
}

void WatchWindow::OnPause(wxCommandEvent& /*event*/)
{
    m_paused = !m_paused;
    m_pause->SetLabel(m_paused ? "&Play" : "&Pause");
    ShowTime();
}

void WatchWindow::OnAdd(wxCommandEvent& /*event*/)
{
    if (!m_outcome || !m_outcome->verified || m_added)
        return;
    // The game as it was kept, with the actions the replay gave it and its recording.
    KeptGame game = m_replay.summary;
    game.id = 0;
    game.actions = m_outcome->result.actions;
    game.recording = EncodeReplay(m_replay);
    m_add(game);
    m_added = true;
    m_addButton->Disable();
    m_status->SetLabel(m_status->GetLabel() + ". Added to the history.");
}

void WatchWindow::ShowTime()
{
    const wxString text =
        (m_paused ? "Paused at " : "Playing: ") + MinutesSeconds(static_cast<std::int64_t>(m_replayMs));
    if (m_status->GetLabel() != text)
        m_status->SetLabel(text);
}
