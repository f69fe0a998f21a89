// The event stream of a recorded game: its kinds, and writing and reading it.
#include "platform/replay/Replay.h"

#include <limits>

#include "platform/replay/Bytes.h"

namespace {
using replay_bytes::Reader;

constexpr std::int64_t IntMin = std::numeric_limits<int>::min();
constexpr std::int64_t IntMax = std::numeric_limits<int>::max();
constexpr std::int64_t UintMax = std::numeric_limits<unsigned int>::max();
constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();

// A rectangle: unchanged from the last one of its kind, or four numbers.
enum RectForm : std::uint8_t { SameRect = 0, NewRect = 1 };

struct KindInfo {
    EventKind kind;
    const char* name;
};
constexpr KindInfo Kinds[] = {
    {EventKind::Timer, "timer"},
    {EventKind::Paint, "paint"},
    {EventKind::Press, "press"},
    {EventKind::Key, "key"},
    {EventKind::Command, "command"},
    {EventKind::Activate, "activate"},
    {EventKind::Now, "now"},
    {EventKind::Seed, "seed"},
    {EventKind::Open, "open"},
    {EventKind::Read, "read"},
    {EventKind::SetTimer, "settimer"},
    {EventKind::KillTimer, "killtimer"},
    {EventKind::Invalidate, "invalidate"},
    {EventKind::PaintBox, "paintbox"},
    {EventKind::Sound, "sound"},
    {EventKind::Steady, "steady"},
    {EventKind::Sleep, "sleep"},
    {EventKind::SyncSound, "syncsound"},
    {EventKind::MessageBox, "messagebox"},
    {EventKind::Dialog, "dialog"},
    {EventKind::Return, "return"},
    {EventKind::DialogAnswer, "answer"},
};

// A clock reading as the difference from the last one of its clock, modulo 2^64.
void Reading(replay_bytes::Writer& out, std::int64_t value, std::int64_t& last)
{
    out.Signed(static_cast<std::int64_t>(static_cast<std::uint64_t>(value) - static_cast<std::uint64_t>(last)));
    last = value;
}

bool KnownKind(std::uint8_t byte)
{
    for (const KindInfo& info : Kinds) {
        if (static_cast<std::uint8_t>(info.kind) == byte)
            return true;
    }
    return false;
}

// Reads the stream back, mirroring EventWriter.
class EventReader {
public:
    explicit EventReader(std::string_view bytes) : m_in(bytes) {}

    bool Next(ReplayEvent& e)
    {
        const std::uint8_t byte = m_in.Byte();
        if (!KnownKind(byte)) {
            m_in.Fail();
            return false;
        }
        e = ReplayEvent{};
        e.kind = static_cast<EventKind>(byte);
        // Times and clock readings add up modulo 2^64, as they were taken apart.
        m_ms = static_cast<std::int64_t>(static_cast<std::uint64_t>(m_ms) + static_cast<std::uint64_t>(m_in.Signed()));
        e.ms = m_ms;
        switch (e.kind) {
        case EventKind::Timer: e.value = m_in.Within(0, Int64Max); break;
        case EventKind::Key:
        case EventKind::Command: e.value = m_in.Within(0, UintMax); break;
        case EventKind::Paint:
        case EventKind::Return: break;
        case EventKind::Press: {
            const std::int64_t flags = m_in.Within(0, 3);
            e.value = flags & 1;
            e.extra = flags >> 1;
            e.point = CPoint{static_cast<int>(m_in.SignedWithin(IntMin, IntMax)),
                             static_cast<int>(m_in.SignedWithin(IntMin, IntMax))};
            break;
        }
        case EventKind::Activate:
        case EventKind::Dialog: e.value = m_in.Within(0, 1); break;
        case EventKind::Now: e.value = Reading(m_now); break;
        case EventKind::Steady: e.value = Reading(m_steady); break;
        case EventKind::Seed:
        case EventKind::Sleep: e.value = m_in.Within(0, UintMax); break;
        case EventKind::Open:
            e.text = Text();
            e.value = m_in.Within(0, 1);
            break;
        case EventKind::Read:
        case EventKind::Sound:
        case EventKind::SyncSound:
        case EventKind::MessageBox: e.text = Text(); break;
        case EventKind::SetTimer:
            e.value = m_in.Within(0, Int64Max);
            e.extra = m_in.Within(0, UintMax);
            e.answer = m_in.Within(0, Int64Max);
            break;
        case EventKind::KillTimer:
            e.value = m_in.Within(0, Int64Max);
            e.answer = m_in.Within(0, 1);
            break;
        case EventKind::Invalidate:
            e.value = m_in.Within(0, 1);
            e.rect = Rect(m_lastInvalid);
            break;
        case EventKind::PaintBox:
            e.value = m_in.Within(0, 1);
            if (e.value)
                e.rect = Rect(m_lastBox);
            break;
        case EventKind::DialogAnswer:
            e.value = m_in.Within(0, 1);
            if (e.value)
                e.text = Text();
            break;
        }
        return !m_in.Failed();
    }

    bool AtEnd() const { return m_in.AtEnd(); }

private:
    // A clock reading: the difference from the last one of its clock, adding up modulo 2^64.
    std::int64_t Reading(std::int64_t& last)
    {
        last = static_cast<std::int64_t>(static_cast<std::uint64_t>(last) + static_cast<std::uint64_t>(m_in.Signed()));
        return last;
    }

    std::string Text()
    {
        const std::int64_t n = m_in.Within(0, static_cast<std::int64_t>(m_texts.size()));
        if (m_in.Failed())
            return {};
        if (static_cast<std::size_t>(n) == m_texts.size())
            m_texts.push_back(m_in.Text());
        return m_texts[static_cast<std::size_t>(n)];
    }

    CRect Rect(CRect& last)
    {
        if (m_in.Within(0, 1) == NewRect) {
            last = CRect{static_cast<int>(m_in.SignedWithin(IntMin, IntMax)),
                         static_cast<int>(m_in.SignedWithin(IntMin, IntMax)),
                         static_cast<int>(m_in.SignedWithin(IntMin, IntMax)),
                         static_cast<int>(m_in.SignedWithin(IntMin, IntMax))};
        }
        return last;
    }

    Reader m_in;
    std::int64_t m_ms = 0;
    std::int64_t m_now = 0;
    std::int64_t m_steady = 0;
    CRect m_lastInvalid;
    CRect m_lastBox;
    std::vector<std::string> m_texts;
};
}  // namespace

bool IsInput(EventKind kind)
{
    return kind >= EventKind::Timer && kind <= EventKind::Activate;
}

bool IsBlocking(EventKind kind)
{
    return kind == EventKind::Sleep || kind == EventKind::SyncSound || kind == EventKind::MessageBox ||
           kind == EventKind::Dialog;
}

bool IsEnd(EventKind kind)
{
    return kind == EventKind::Return || kind == EventKind::DialogAnswer;
}

const char* KindName(EventKind kind)
{
    for (const KindInfo& info : Kinds) {
        if (info.kind == kind)
            return info.name;
    }
    return "?";
}

bool ReplayEvent::operator==(const ReplayEvent& other) const
{
    return kind == other.kind && ms == other.ms && value == other.value && extra == other.extra &&
           answer == other.answer && point.x == other.point.x && point.y == other.point.y && rect == other.rect &&
           text == other.text;
}

ReplayEvent MakeEvent(EventKind kind, std::int64_t value, std::string text)
{
    ReplayEvent e;
    e.kind = kind;
    e.value = value;
    e.text = std::move(text);
    return e;
}

std::string Describe(const ReplayEvent& e)
{
    auto rect = [](const CRect& r) {
        return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
               std::to_string(r.bottom);
    };
    std::string text = KindName(e.kind);
    switch (e.kind) {
    case EventKind::Press:
        text += std::string(e.value ? " right" : " left") + (e.extra ? " double " : " ") + std::to_string(e.point.x) +
                " " + std::to_string(e.point.y);
        break;
    case EventKind::Paint:
    case EventKind::Return: break;
    case EventKind::Open: text += " " + e.text + (e.value ? "" : " (not found)"); break;
    case EventKind::Read: text += " " + std::to_string(e.text.size()) + " bytes"; break;
    case EventKind::Sound:
    case EventKind::SyncSound:
    case EventKind::MessageBox: text += " " + e.text; break;
    case EventKind::SetTimer:
        text += " " + std::to_string(e.value) + " " + std::to_string(e.extra) + " = " + std::to_string(e.answer);
        break;
    case EventKind::KillTimer: text += " " + std::to_string(e.value); break;
    case EventKind::Invalidate: text += " " + rect(e.rect); break;
    case EventKind::PaintBox: text += e.value ? " " + rect(e.rect) : " none"; break;
    case EventKind::DialogAnswer: text += e.value ? " " + e.text : " none"; break;
    default: text += " " + std::to_string(e.value); break;
    }
    return text;
}

void EventWriter::Clear()
{
    *this = EventWriter{};
}

void EventWriter::Text(const std::string& s)
{
    replay_bytes::Writer out;
    std::size_t n = 0;
    while (n < m_texts.size() && m_texts[n] != s)
        ++n;
    out.Unsigned(n);
    if (n == m_texts.size()) {
        m_texts.push_back(s);
        out.Text(s);
    }
    m_bytes += out.Bytes();
}

void EventWriter::Rect(const CRect& rect, CRect& last)
{
    replay_bytes::Writer out;
    if (rect == last) {
        out.Unsigned(SameRect);
    } else {
        out.Unsigned(NewRect);
        out.Signed(rect.left);
        out.Signed(rect.top);
        out.Signed(rect.right);
        out.Signed(rect.bottom);
        last = rect;
    }
    m_bytes += out.Bytes();
}

void EventWriter::Add(const ReplayEvent& e)
{
    replay_bytes::Writer out;
    out.Byte(static_cast<std::uint8_t>(e.kind));
    out.Signed(static_cast<std::int64_t>(static_cast<std::uint64_t>(e.ms) - static_cast<std::uint64_t>(m_lastMs)));
    m_lastMs = e.ms;
    switch (e.kind) {
    case EventKind::Timer:
    case EventKind::Key:
    case EventKind::Command:
    case EventKind::Activate:
    case EventKind::Dialog:
    case EventKind::Seed:
    case EventKind::Sleep: out.Unsigned(static_cast<std::uint64_t>(e.value)); break;
    case EventKind::Paint:
    case EventKind::Return: break;
    case EventKind::Press:
        out.Unsigned(static_cast<std::uint64_t>((e.value ? 1 : 0) | (e.extra ? 2 : 0)));
        out.Signed(e.point.x);
        out.Signed(e.point.y);
        break;
    case EventKind::Now: Reading(out, e.value, m_lastNow); break;
    case EventKind::Steady: Reading(out, e.value, m_lastSteady); break;
    case EventKind::SetTimer:
        out.Unsigned(static_cast<std::uint64_t>(e.value));
        out.Unsigned(static_cast<std::uint64_t>(e.extra));
        out.Unsigned(static_cast<std::uint64_t>(e.answer));
        break;
    case EventKind::KillTimer:
        out.Unsigned(static_cast<std::uint64_t>(e.value));
        out.Unsigned(static_cast<std::uint64_t>(e.answer));
        break;
    case EventKind::Invalidate:
    case EventKind::PaintBox:
    case EventKind::Open:
    case EventKind::Read:
    case EventKind::Sound:
    case EventKind::SyncSound:
    case EventKind::MessageBox:
    case EventKind::DialogAnswer: break;
    }
    m_bytes += out.Bytes();
    switch (e.kind) {
    case EventKind::Invalidate:
        m_bytes += static_cast<char>(e.value ? 1 : 0);
        Rect(e.rect, m_lastInvalid);
        break;
    case EventKind::PaintBox:
        m_bytes += static_cast<char>(e.value ? 1 : 0);
        if (e.value)
            Rect(e.rect, m_lastBox);
        break;
    case EventKind::Open:
        Text(e.text);
        m_bytes += static_cast<char>(e.value ? 1 : 0);
        break;
    case EventKind::Read:
    case EventKind::Sound:
    case EventKind::SyncSound:
    case EventKind::MessageBox: Text(e.text); break;
    case EventKind::DialogAnswer:
        m_bytes += static_cast<char>(e.value ? 1 : 0);
        if (e.value)
            Text(e.text);
        break;
    default: break;
    }
    ++m_count;
}

bool DecodeEvents(std::string_view bytes, std::vector<ReplayEvent>& events, std::string& problem)
{
    events.clear();
    EventReader reader(bytes);
    std::vector<EventKind> waiting;  // the calls that wait, innermost last
    while (!reader.AtEnd()) {
        ReplayEvent e;
        if (!reader.Next(e)) {
            problem = "event " + std::to_string(events.size() + 1) + " is not well formed";
            return false;
        }
        if (IsBlocking(e.kind)) {
            if (static_cast<int>(waiting.size()) == MaxCallDepth) {
                problem = "calls nest deeper than " + std::to_string(MaxCallDepth);
                return false;
            }
            waiting.push_back(e.kind);
        } else if (IsEnd(e.kind)) {
            const bool dialog = e.kind == EventKind::DialogAnswer;
            if (waiting.empty() || (waiting.back() == EventKind::Dialog) != dialog) {
                problem = "event " + std::to_string(events.size() + 1) + " ends a call that was not made";
                return false;
            }
            waiting.pop_back();
        }
        events.push_back(std::move(e));
    }
    if (!waiting.empty()) {
        problem = "the events end inside a call";
        return false;
    }
    return true;
}
