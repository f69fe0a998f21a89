// The game window's messages: timer, paint, mouse and keys, each handed to the view.
#include "app/desktop/GameWindow.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include <wx/dcclient.h>
#include <wx/rawbmp.h>
#ifdef __WXGTK3__
#include <cairo.h>
#endif

#include "app/desktop/RaceCursor.h"
#include "platform/desktop/Trace.h"
#include "platform/desktop/VirtualKeys.h"

const wxColour GameWindow::Background(128, 128, 128);

// What a paint draws on: GTK's own cairo context where the toolkit paints with cairo, so that
// no toolkit DC (with a graphics context and the window's font) is made for every frame, and
// otherwise a toolkit DC.
class GameWindow::PaintTarget {
public:
    explicit PaintTarget(GameWindow& window) : m_window(window)
    {
#ifdef __WXGTK3__
        m_cr = window.GTKPaintContext();
        if (m_cr)
            return;
#endif
        m_dc.emplace(&window);
    }

    // The area of the field from its pixels (the field's rows, top row first).
    void Show(std::span<const std::uint32_t> pixels, const CRect& field, const CRect& area)
    {
#ifdef __WXGTK3__
        // cairo's RGB24 format is the field's own (32 bits, 0x00RRGGBB): it takes the pixels as
        // they are, and only reads a surface that is a paint's source.
        const int stride = static_cast<int>(field.right * sizeof(std::uint32_t));
        if (m_cr && cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, field.right) == stride) {
            auto* data = reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(pixels.data()));
            cairo_surface_t* surface =
                cairo_image_surface_create_for_data(data, CAIRO_FORMAT_RGB24, field.right, field.bottom, stride);
            cairo_save(m_cr);
            cairo_set_source_surface(m_cr, surface, 0, 0);
            cairo_rectangle(m_cr, area.left, area.top, area.Width(), area.Height());
            cairo_fill(m_cr);
            cairo_restore(m_cr);
            cairo_surface_destroy(surface);
            return;
        }
#endif
        ShowConverted(pixels, field, area);
    }

    void Fill(const CRect& r, const wxColour& colour)
    {
#ifdef __WXGTK3__
        if (m_cr) {
            cairo_save(m_cr);
            cairo_set_source_rgb(m_cr, colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0);
            cairo_rectangle(m_cr, r.left, r.top, r.Width(), r.Height());
            cairo_fill(m_cr);
            cairo_restore(m_cr);
            return;
        }
#endif
        wxDC& dc = Dc();
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(colour));
        dc.DrawRectangle(r.left, r.top, r.Width(), r.Height());
    }

private:
    wxDC& Dc()
    {
        if (!m_dc)
            m_dc.emplace(&m_window);
        return *m_dc;
    }

    // Through the window's bitmap: only the repainted rows and columns are converted, the
    // bitmap keeps the rest.
    void ShowConverted(std::span<const std::uint32_t> pixels, const CRect& field, const CRect& area)
    {
        wxBitmap& shown = m_window.m_shown;
        if (!shown.IsOk() && !shown.Create(field.right, field.bottom, 24))
            return;
        wxNativePixelData data(shown, wxPoint(area.left, area.top), wxSize(area.Width(), area.Height()));
        if (data) {
            wxNativePixelData::Iterator row(data);
            for (int y = area.top; y < area.bottom; ++y) {
                wxNativePixelData::Iterator p = row;
                const std::uint32_t* source = pixels.data() + static_cast<std::size_t>(y) * field.right + area.left;
                for (int x = area.left; x < area.right; ++x, ++p, ++source) {
                    p.Red() = static_cast<unsigned char>(*source >> 16);
                    p.Green() = static_cast<unsigned char>(*source >> 8);
                    p.Blue() = static_cast<unsigned char>(*source);
                }
                row.OffsetY(data, 1);
            }
        }
        Dc().DrawBitmap(shown, 0, 0);
    }

    GameWindow& m_window;
#ifdef __WXGTK3__
    cairo_t* m_cr = nullptr;
#endif
    std::optional<wxPaintDC> m_dc;
};

GameWindow::GameWindow(wxWindow* parent, CGameView& view, const DiskFiles& files)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE), m_pView(&view)
{
    // Every pixel is painted by OnPaint: no erasing by the toolkit, so no flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(Background);
    // The field fills its frame's whole client area: the frame need not paint a background
    // under it for every frame of the game.
    parent->SetBackgroundStyle(wxBG_STYLE_PAINT);
    // The cursor is chosen once, by the race the view read at start-up.
    SetCursor(RaceCursor(view.m_strRace, files));

    Bind(wxEVT_PAINT, &GameWindow::OnPaint, this);
    Bind(wxEVT_TIMER, &GameWindow::OnTimer, this);
    Bind(wxEVT_LEFT_DOWN, &GameWindow::OnButtonDown, this);
    Bind(wxEVT_RIGHT_DOWN, &GameWindow::OnButtonDown, this);
    Bind(wxEVT_LEFT_DCLICK, &GameWindow::OnDoubleClick, this);
    Bind(wxEVT_RIGHT_DCLICK, &GameWindow::OnDoubleClick, this);
    Bind(wxEVT_KEY_DOWN, &GameWindow::OnKeyDown, this);
}

GameWindow::~GameWindow()
{
    Detach();
}

void GameWindow::Detach()
{
    for (auto& [id, timer] : m_timers)
        timer->Stop();
    m_timers.clear();
    if (m_pView)
        m_pView->AttachHost(nullptr);
    m_pView = nullptr;
}

UINT_PTR GameWindow::SetTimer(UINT_PTR nIDEvent, UINT nElapseMs)
{
    // Setting a timer again restarts it with the new interval, as on Windows.
    std::unique_ptr<wxTimer>& timer = m_timers[nIDEvent];
    if (!timer)
        timer = std::make_unique<wxTimer>(this, static_cast<int>(nIDEvent));
    return timer->Start(static_cast<int>(nElapseMs)) ? nIDEvent : 0;
}

BOOL GameWindow::KillTimer(UINT_PTR nIDEvent)
{
    const auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end())
        return 0;
    it->second->Stop();
    m_timers.erase(it);
    return 1;
}

void GameWindow::InvalidateRect(const CRect& rect, BOOL bErase)
{
    if (bErase)
        m_bErasePending = true;
    const wxRect area(rect.left, rect.top, rect.Width(), rect.Height());
    RefreshRect(area, false);
}

void GameWindow::OnTimer(wxTimerEvent& event)
{
    if (m_pView)
        m_pView->OnTimer(static_cast<UINT_PTR>(event.GetId()));
}

void GameWindow::OnPaint(wxPaintEvent& /*event*/)
{
    PaintTarget target(*this);
    const wxRect box = GetUpdateRegion().GetBox();
    m_paintBox = CRect{box.x, box.y, box.x + box.width, box.y + box.height};
    m_pPaint = &target;
    m_bPresented = false;
    if (m_pView)
        m_pView->OnPaint();
    // A paint in which the view drew nothing shows what the screen holds: the gray
    // background before anything was drawn, the last frame after.
    if (!m_bPresented) {
        CRect area;
        if (BeginPaint(area))
            EndPaint();
        else
            Present(target, m_paintBox);
    }
    m_pPaint = nullptr;
    if (!m_bPaintedOnce) {
        m_bPaintedOnce = true;
        TraceMilestone("first frame");
    }
}

bool GameWindow::EnsureScreen()
{
    if (m_screenBitmap.IsCreated())
        return true;
    if (!m_pView)
        return false;
    const auto [width, height] = m_pView->FieldSize();
    if (width <= 0 || height <= 0)
        return false;
    if (!m_screenBitmap.CreateBitmap(width, height))
        return false;
    m_screenDc.CreateCompatibleDC(nullptr);
    m_screenDc.SelectObject(&m_screenBitmap);
    return true;
}

CDC* GameWindow::BeginPaint(CRect& rcPaint)
{
    if (!m_pPaint || !EnsureScreen())
        return nullptr;
    rcPaint = m_paintBox;
    m_screenDc.SelectClipRgn(nullptr);
    if (m_bErasePending) {
        m_bErasePending = false;
        m_screenDc.FillSolidRect(rcPaint, Rgb(Background.Red(), Background.Green(), Background.Blue()));
    }
    m_screenDc.IntersectClipRect(rcPaint);
    return &m_screenDc;
}

void GameWindow::EndPaint()
{
    m_screenDc.SelectClipRgn(nullptr);
    if (!m_pPaint || m_bPresented)
        return;
    Present(*m_pPaint, m_paintBox);
    m_bPresented = true;
}

void GameWindow::Present(PaintTarget& target, const CRect& area)
{
    const CRect field =
        m_screenBitmap.IsCreated() ? CRect{0, 0, m_screenBitmap.GetWidth(), m_screenBitmap.GetHeight()} : CRect{};
    CRect shown;
    if (shown.IntersectRect(area, field))
        target.Show(std::as_const(m_screenBitmap).GetPixels(), field, shown);
    // Beyond the field (a frame made larger than the field) the window shows its background.
    const wxSize client = GetClientSize();
    if (client.x > field.right)
        target.Fill(CRect{field.right, 0, client.x, client.y}, Background);
    if (client.y > field.bottom)
        target.Fill(CRect{0, field.bottom, std::min(client.x, field.right), client.y}, Background);
}

void GameWindow::OnButtonDown(wxMouseEvent& event)
{
    SetFocus();
    const bool left = event.GetEventType() == wxEVT_LEFT_DOWN;
    const PressFilter::Button button = left ? PressFilter::Button::Left : PressFilter::Button::Right;
    if (m_pView && m_presses.Down(button, event.GetTimestamp())) {
        const CPoint point{event.GetX(), event.GetY()};
        left ? m_pView->OnLButtonDown(0, point) : m_pView->OnRButtonDown(0, point);
    }
}

void GameWindow::OnDoubleClick(wxMouseEvent& event)
{
    // The second press of a quick pair: judged as a double click, once.
    const bool left = event.GetEventType() == wxEVT_LEFT_DCLICK;
    const PressFilter::Button button = left ? PressFilter::Button::Left : PressFilter::Button::Right;
    if (m_pView && m_presses.DoubleClick(button, event.GetTimestamp())) {
        const CPoint point{event.GetX(), event.GetY()};
        left ? m_pView->OnLButtonDblClk(0, point) : m_pView->OnRButtonDblClk(0, point);
    }
}

void GameWindow::OnKeyDown(wxKeyEvent& event)
{
    const UINT vk = VirtualKeyFromWx(event.GetKeyCode());
    if (!vk || !m_pView || IsSystemKey(event.GetKeyCode(), event.AltDown())) {
        event.Skip();
        return;
    }
    m_pView->OnKeyDown(vk, 1, 0);
}
