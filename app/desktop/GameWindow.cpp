// The game window's messages: timer, paint, mouse and keys, each handed to the view.
#include "app/desktop/GameWindow.h"

#include <algorithm>
#include <utility>

#include <wx/dcclient.h>
#include <wx/rawbmp.h>
#ifdef __WXGTK3__
#include <cairo.h>
#include <wx/graphics.h>
#endif

#include "app/desktop/RaceCursor.h"
#include "platform/desktop/Trace.h"
#include "platform/desktop/VirtualKeys.h"

const wxColour GameWindow::Background(128, 128, 128);

namespace {
CRect Intersect(const CRect& a, const CRect& b)
{
    CRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.Width() > 0 && r.Height() > 0 ? r : CRect{};
}

bool IsEmpty(const CRect& r)
{
    return r.Width() <= 0 || r.Height() <= 0;
}

#ifdef __WXGTK3__
// GTK paints with cairo, whose RGB24 image format is the screen's own pixel format (32 bits,
// 0x00RRGGBB): the area goes to the window straight from the screen's pixels. False when the
// paint has no cairo context.
bool PaintWithCairo(wxDC& dc, std::span<const std::uint32_t> pixels, int width, int height, const CRect& area)
{
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    auto* cr = gc ? static_cast<cairo_t*>(gc->GetNativeContext()) : nullptr;
    const int stride = static_cast<int>(width * sizeof(std::uint32_t));
    if (!cr || cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width) != stride)
        return false;
    // cairo only reads a surface that is a paint's source.
    auto* data = reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(pixels.data()));
    cairo_surface_t* surface = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_RGB24, width, height, stride);
    cairo_save(cr);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_rectangle(cr, area.left, area.top, area.Width(), area.Height());
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(surface);
    return true;
}
#endif
}  // namespace

GameWindow::GameWindow(wxWindow* parent, CGameView& view, const DiskFiles& files)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE), m_pView(&view)
{
    // Every pixel is painted by OnPaint: no erasing by the toolkit, so no flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(Background);
    // Every paint's context takes the window's font and colours; set once, they are not looked
    // up in the toolkit's style for each frame.
    SetOwnFont(GetFont());
    SetOwnForegroundColour(GetForegroundColour());
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
    // Setting a timer again restarts it with the new interval, as on the original platform.
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
    wxPaintDC dc(this);
    const wxRect box = GetUpdateRegion().GetBox();
    m_paintBox = CRect{box.x, box.y, box.x + box.width, box.y + box.height};
    m_pPaintDc = &dc;
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
            Present(dc, m_paintBox);
    }
    m_pPaintDc = nullptr;
    if (!m_bPaintedOnce) {
        m_bPaintedOnce = true;
        TraceMilestone("first frame");
    }
}

bool GameWindow::EnsureScreen()
{
    if (m_screenBitmap.IsCreated())
        return true;
    if (!m_pView || m_pView->m_nWidth <= 0 || m_pView->m_nHeight <= 0)
        return false;
    const int width = m_pView->m_nWidth;
    const int height = m_pView->m_nHeight;
    if (!m_screenBitmap.CreateBitmap(width, height))
        return false;
    m_screenDc.CreateCompatibleDC(nullptr);
    m_screenDc.SelectObject(&m_screenBitmap);
    return true;
}

CDC* GameWindow::BeginPaint(CRect& rcPaint)
{
    if (!m_pPaintDc || !EnsureScreen())
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
    if (!m_pPaintDc || m_bPresented)
        return;
    Present(*m_pPaintDc, m_paintBox);
    m_bPresented = true;
}

void GameWindow::Present(wxDC& dc, const CRect& area)
{
    const CRect field =
        m_screenBitmap.IsCreated() ? CRect{0, 0, m_screenBitmap.GetWidth(), m_screenBitmap.GetHeight()} : CRect{};
    const CRect shown = Intersect(area, field);
    if (!IsEmpty(shown)) {
        const std::span<const std::uint32_t> pixels = std::as_const(m_screenBitmap).GetPixels();
#ifdef __WXGTK3__
        if (!PaintWithCairo(dc, pixels, field.right, field.bottom, shown))
#endif
            PaintConverted(dc, pixels, field, shown);
    }
    PaintBeyondField(dc, field);
}

void GameWindow::PaintConverted(wxDC& dc, std::span<const std::uint32_t> pixels, const CRect& field, const CRect& shown)
{
    // Only the repainted rows and columns are converted; the bitmap keeps the rest.
    if (!m_shown.IsOk() && !m_shown.Create(field.right, field.bottom, 24))
        return;
    wxNativePixelData data(m_shown, wxPoint(shown.left, shown.top), wxSize(shown.Width(), shown.Height()));
    if (data) {
        wxNativePixelData::Iterator row(data);
        for (int y = shown.top; y < shown.bottom; ++y) {
            wxNativePixelData::Iterator p = row;
            const std::uint32_t* source = pixels.data() + static_cast<std::size_t>(y) * field.right + shown.left;
            for (int x = shown.left; x < shown.right; ++x, ++p, ++source) {
                p.Red() = static_cast<unsigned char>(*source >> 16);
                p.Green() = static_cast<unsigned char>(*source >> 8);
                p.Blue() = static_cast<unsigned char>(*source);
            }
            row.OffsetY(data, 1);
        }
    }
    dc.DrawBitmap(m_shown, 0, 0);
}

void GameWindow::PaintBeyondField(wxDC& dc, const CRect& field)
{
    // Beyond the field (a frame made larger than the field) the window shows its background.
    const wxSize client = GetClientSize();
    if (client.x <= field.right && client.y <= field.bottom)
        return;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(Background));
    if (client.x > field.right)
        dc.DrawRectangle(field.right, 0, client.x - field.right, client.y);
    if (client.y > field.bottom)
        dc.DrawRectangle(0, field.bottom, std::min(client.x, field.right), client.y - field.bottom);
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
