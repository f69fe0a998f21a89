// The headless platform's services, each recording what it was asked.
#include "platform/headless/Headless.h"

#include <algorithm>
#include <charconv>
#include <limits>

time64 HeadlessClock::Now() const
{
    // Whole seconds, rounded down also before 1970.
    return m_ms / 1000 - (m_ms % 1000 < 0 ? 1 : 0);
}

void HeadlessClock::Sleep(unsigned int ms)
{
    m_log.Add("sleep " + std::to_string(ms));
    Advance(ms);
}

void HeadlessClock::Advance(std::int64_t ms)
{
    if (__builtin_add_overflow(m_ms, ms, &m_ms))
        m_ms = ms > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

UINT_PTR HeadlessWindow::SetTimer(UINT_PTR nIDEvent, UINT nElapseMs)
{
    m_log.Add("settimer " + std::to_string(nIDEvent) + " " + std::to_string(nElapseMs));
    m_timerSet = true;
    m_timerId = nIDEvent;
    return nIDEvent;
}

BOOL HeadlessWindow::KillTimer(UINT_PTR nIDEvent)
{
    m_log.Add("killtimer " + std::to_string(nIDEvent));
    const bool wasSet = m_timerSet && nIDEvent == m_timerId;
    if (wasSet)
        m_timerSet = false;
    return wasSet;
}

void HeadlessWindow::InvalidateRect(const CRect& rect, BOOL /*bErase*/)
{
    m_log.Add("invalidate " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
              std::to_string(rect.right) + " " + std::to_string(rect.bottom));
    AddInvalid(rect);
}

void HeadlessWindow::Expose(const CRect& rect)
{
    AddInvalid(rect);
}

void HeadlessWindow::AddInvalid(const CRect& rect)
{
    if (!m_invalid) {
        m_invalidArea = rect;
    } else {
        m_invalidArea.left = std::min(m_invalidArea.left, rect.left);
        m_invalidArea.top = std::min(m_invalidArea.top, rect.top);
        m_invalidArea.right = std::max(m_invalidArea.right, rect.right);
        m_invalidArea.bottom = std::max(m_invalidArea.bottom, rect.bottom);
    }
    m_invalid = true;
}

void HeadlessWindow::SetClientSize(int cx, int cy)
{
    m_screen.DeleteDC();  // a selected bitmap cannot be deleted
    m_screenBitmap.DeleteObject();
    m_screenBitmap.CreateBitmap(cx, cy);
    for (std::uint32_t& pixel : m_screenBitmap.GetPixels())
        pixel = PixelFromColor(Rgb(128, 128, 128));
    m_screen.CreateCompatibleDC(nullptr);
    m_screen.SelectObject(&m_screenBitmap);
}

CDC* HeadlessWindow::BeginPaint(CRect& rcPaint)
{
    // A paint nobody asked for covers the whole client area.
    rcPaint = m_invalid ? m_invalidArea : CRect{0, 0, m_screenBitmap.GetWidth(), m_screenBitmap.GetHeight()};
    m_invalid = false;
    m_screen.SelectClipRgn(nullptr);
    m_screen.IntersectClipRect(rcPaint);
    return &m_screen;
}

void HeadlessWindow::EndPaint() {}

void HeadlessSound::Play(const std::string& file, SoundMode mode)
{
    m_log.Add("sound " + file + (mode == SoundMode::Sync ? " sync" : " async"));
}

void HeadlessMessageBox::Show(const std::string& text)
{
    m_log.Add("messagebox " + text);
}

MemoryProfile::Entry* MemoryProfile::Lookup(const std::string& section, const std::string& entry)
{
    for (Entry& e : m_entries) {
        if (e.section == section && e.name == entry)
            return &e;
    }
    return nullptr;
}

std::string MemoryProfile::GetString(const std::string& section, const std::string& entry, const std::string& def)
{
    const Entry* e = Lookup(section, entry);
    return e ? e->value : def;
}

void MemoryProfile::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    if (Entry* e = Lookup(section, entry))
        e->value = value;
    else
        m_entries.push_back(Entry{section, entry, value});
}

int MemoryProfile::GetInt(const std::string& section, const std::string& entry, int def)
{
    const Entry* e = Lookup(section, entry);
    if (!e)
        return def;
    int value = 0;
    const char* first = e->value.data();
    const char* last = first + e->value.size();
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && first != last ? value : def;
}

void MemoryProfile::WriteInt(const std::string& section, const std::string& entry, int value)
{
    WriteString(section, entry, std::to_string(value));
}

std::vector<std::pair<std::string, std::string>> MemoryProfile::Section(const std::string& section) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (const Entry& e : m_entries) {
        if (e.section == section)
            entries.emplace_back(e.name, e.value);
    }
    return entries;
}

std::optional<std::string> ScriptedRaceDialog::Choose(const RaceDialogDescription& dialog)
{
    std::optional<std::string> answer;
    if (!m_answers.empty()) {
        answer = std::move(m_answers.front());
        m_answers.pop_front();
    }
    // Only a race button of this dialog can be pressed.
    std::optional<std::string> chosen;
    for (const DialogControl& control : dialog.controls) {
        if (answer && control.kind == DialogControl::Kind::RaceButton && control.race == *answer)
            chosen = control.race;
    }
    m_log.Add("dialog " + std::to_string(dialog.nIDTemplate) + " cancel=" + (dialog.cancelEnabled ? "1" : "0") +
              " result=" + chosen.value_or("none"));
    return chosen;
}
