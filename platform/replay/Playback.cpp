// The playback cursor and the services that answer from it.
#include "platform/replay/Playback.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

MemoryScreen::MemoryScreen(int width, int height)
{
    m_bitmap.CreateBitmap(std::max(width, 1), std::max(height, 1));
    for (std::uint32_t& pixel : m_bitmap.GetPixels())
        pixel = PixelFromColor(Rgb(128, 128, 128));
    m_dc.CreateCompatibleDC(nullptr);
    m_dc.SelectObject(&m_bitmap);
}

CDC* MemoryScreen::BeginPaint(const CRect& box)
{
    m_dc.SelectClipRgn(nullptr);
    m_dc.IntersectClipRect(box);
    return &m_dc;
}

Playback::Playback(std::vector<ReplayEvent> events) : m_events(std::move(events)), m_ends(m_events.size())
{
    // Each waiting call's end; DecodeEvents has checked that they pair up.
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < m_events.size(); ++i) {
        if (IsBlocking(m_events[i].kind)) {
            open.push_back(i);
        } else if (IsEnd(m_events[i].kind)) {
            m_ends[open.back()] = i;
            open.pop_back();
        }
    }
}

std::string Playback::Where(const ReplayEvent& e) const
{
    char when[48];
    std::snprintf(when, sizeof when, "at %lld.%03lld s", static_cast<long long>(e.ms / 1000),
                  static_cast<long long>(std::abs(e.ms % 1000)));
    return when;
}

void Playback::Diverge(const std::string& reason)
{
    if (m_divergence.empty())
        m_divergence = reason;
}

namespace {
// Whether the recorded call asked what the game asks now; answers are not compared.
bool SameQuestion(const ReplayEvent& asked, const ReplayEvent& recorded)
{
    switch (asked.kind) {
    case EventKind::Seed:
    case EventKind::Sleep:
    case EventKind::Dialog:
    case EventKind::KillTimer: return asked.value == recorded.value;
    case EventKind::SetTimer: return asked.value == recorded.value && asked.extra == recorded.extra;
    case EventKind::Invalidate: return asked.value == recorded.value && asked.rect == recorded.rect;
    case EventKind::Open:
    case EventKind::Sound:
    case EventKind::SyncSound:
    case EventKind::MessageBox: return asked.text == recorded.text;
    default: return true;
    }
}

// What the game asked, for a person: the answers it waits for are not part of it.
std::string DescribeAsked(const ReplayEvent& asked)
{
    switch (asked.kind) {
    case EventKind::Now:
    case EventKind::Steady:
    case EventKind::Read:
    case EventKind::PaintBox: return KindName(asked.kind);
    case EventKind::SetTimer:
        return std::string("settimer ") + std::to_string(asked.value) + " " + std::to_string(asked.extra);
    case EventKind::Open: return "open " + asked.text;
    default: return Describe(asked);
    }
}
}  // namespace

std::size_t Playback::Skip(std::size_t i)
{
    return (IsBlocking(m_events[i].kind) ? m_ends[i] : i) + 1;
}

const ReplayEvent* Playback::NextInput() const
{
    for (std::size_t i = m_next; i < m_events.size(); i = (IsBlocking(m_events[i].kind) ? m_ends[i] : i) + 1) {
        if (IsInput(m_events[i].kind))
            return m_kept ? nullptr : &m_events[i];
    }
    return nullptr;
}

bool Playback::PlayNext()
{
    if (m_kept)
        return false;
    while (m_next < m_events.size() && !IsInput(m_events[m_next].kind)) {
        const ReplayEvent& left = m_events[m_next];
        Diverge(Where(left) + " the recording has " + Describe(left) + ", which the replay did not ask for");
        m_next = Skip(m_next);
    }
    if (m_next >= m_events.size())
        return false;
    const ReplayEvent& input = m_events[m_next++];
    m_inputMs = input.ms;
    if (m_dispatch)
        m_dispatch(input);
    return !m_kept;
}

const ReplayEvent* Playback::Take(const ReplayEvent& asked)
{
    if (m_closed)
        return nullptr;
    for (std::size_t i = m_next; i < m_events.size();) {
        const ReplayEvent& e = m_events[i];
        if (IsInput(e.kind) || IsEnd(e.kind))
            break;
        if (e.kind == asked.kind) {
            if (i != m_next)
                Diverge(Where(m_events[m_next]) + " the recording has " + Describe(m_events[m_next]) +
                        ", which the replay did not ask for");
            m_next = i + 1;
            if (!SameQuestion(asked, e))
                Diverge(Where(e) + " the replay asked for " + DescribeAsked(asked) + " where the recording has " +
                        Describe(e));
            return &e;
        }
        i = Skip(i);
    }
    const std::string where = m_next < m_events.size() ? Where(m_events[m_next]) + " " : "after the recording's end ";
    Diverge(where + "the replay asked for " + DescribeAsked(asked) + ", which the recording does not have there");
    return nullptr;
}

const ReplayEvent* Playback::Wait(const ReplayEvent& asked)
{
    if (!Take(asked))
        return nullptr;
    while (m_next < m_events.size()) {
        const ReplayEvent& e = m_events[m_next];
        if (IsEnd(e.kind)) {
            ++m_next;
            return &e;
        }
        if (IsInput(e.kind)) {
            ++m_next;
            m_inputMs = e.ms;
            if (m_dispatch)
                m_dispatch(e);
            continue;
        }
        Diverge(Where(e) + " the recording has " + Describe(e) + ", which the replay did not ask for");
        m_next = Skip(m_next);
    }
    return nullptr;
}

void Playback::Kept(const KeptGame& game)
{
    if (m_kept)
        return;
    m_kept = game;
    if (m_next < m_events.size())
        Diverge(Where(m_events[m_next]) + " the replayed game ended before the recording did");
}

namespace {
class PlaybackClock : public IClock {
public:
    PlaybackClock(Playback& playback, time64 firstNow, bool steadyReadings)
        : m_playback(playback), m_last(firstNow), m_steadyReadings(steadyReadings)
    {
    }
    time64 Now() const override
    {
        if (const ReplayEvent* e = m_playback.Take(MakeEvent(EventKind::Now)))
            m_last = e->value;
        return m_last;
    }
    std::int64_t SteadyMs() const override
    {
        if (!m_steadyReadings)
            return m_playback.InputMs();
        if (const ReplayEvent* e = m_playback.Take(MakeEvent(EventKind::Steady)))
            m_lastSteady = e->value;
        return m_lastSteady;
    }
    void Sleep(unsigned int ms) override { m_playback.Wait(MakeEvent(EventKind::Sleep, ms)); }

private:
    Playback& m_playback;
    mutable time64 m_last;
    bool m_steadyReadings;
    mutable std::int64_t m_lastSteady = 0;
};

class PlaybackRand : public CrtRand {
public:
    explicit PlaybackRand(Playback& playback) : m_playback(playback) {}
    void srand(unsigned int seed) override
    {
        m_playback.Take(MakeEvent(EventKind::Seed, seed));
        CrtRand::srand(seed);
    }

private:
    Playback& m_playback;
};

class PlaybackSound : public ISound {
public:
    explicit PlaybackSound(Playback& playback) : m_playback(playback) {}
    void Play(const std::string& file, SoundMode mode) override
    {
        if (mode == SoundMode::Async)
            m_playback.Take(MakeEvent(EventKind::Sound, 0, file));
        else
            m_playback.Wait(MakeEvent(EventKind::SyncSound, 0, file));
    }

private:
    Playback& m_playback;
};

class PlaybackReader : public IFileReader {
public:
    explicit PlaybackReader(Playback& playback) : m_playback(playback) {}
    std::size_t Read(void* buffer, std::size_t n) override
    {
        const ReplayEvent* recorded = m_playback.Take(MakeEvent(EventKind::Read));
        if (!recorded)
            return 0;
        if (recorded->text.size() > n)
            m_playback.Diverge("the replay read " + std::to_string(n) + " bytes where the recording has " +
                               std::to_string(recorded->text.size()));
        const std::size_t got = std::min(n, recorded->text.size());
        std::memcpy(buffer, recorded->text.data(), got);
        return got;
    }

private:
    Playback& m_playback;
};

class PlaybackFiles : public IFiles {
public:
    explicit PlaybackFiles(Playback& playback) : m_playback(playback) {}
    std::unique_ptr<IFileReader> OpenRead(const std::string& path) override
    {
        const ReplayEvent* recorded = m_playback.Take(MakeEvent(EventKind::Open, 1, path));
        if (!recorded || !recorded->value)
            return nullptr;
        return std::make_unique<PlaybackReader>(m_playback);
    }

private:
    Playback& m_playback;
};

class PlaybackMessageBox : public IMessageBox {
public:
    explicit PlaybackMessageBox(Playback& playback) : m_playback(playback) {}
    void Show(const std::string& text) override { m_playback.Wait(MakeEvent(EventKind::MessageBox, 0, text)); }

private:
    Playback& m_playback;
};

class PlaybackRaceDialog : public IRaceDialog {
public:
    explicit PlaybackRaceDialog(Playback& playback) : m_playback(playback) {}
    std::optional<std::string> Choose(const RaceDialogDescription& dialog) override
    {
        const ReplayEvent* answer = m_playback.Wait(MakeEvent(EventKind::Dialog, dialog.cancelEnabled ? 1 : 0));
        if (!answer || !answer->value)
            return std::nullopt;
        return answer->text;
    }

private:
    Playback& m_playback;
};

// The replay keeps no settings: every entry is absent, and writes go nowhere.
class NoProfile : public IProfile {
public:
    void SetRegistryKey(const std::string&) override {}
    std::string GetString(const std::string&, const std::string&, const std::string& def) override { return def; }
    void WriteString(const std::string&, const std::string&, const std::string&) override {}
    int GetInt(const std::string&, const std::string&, int def) override { return def; }
    void WriteInt(const std::string&, const std::string&, int) override {}
};

class PlaybackHistory : public IHistory {
public:
    explicit PlaybackHistory(Playback& playback) : m_playback(playback) {}
    void Keep(const KeptGame& game) override { m_playback.Kept(game); }
    std::vector<KeptGame> Games() override { return {}; }
    std::vector<KeptAction> Actions(std::int64_t) override { return {}; }
    std::string Recording(std::int64_t) override { return {}; }
    bool Delete(std::int64_t) override { return false; }
    std::string Problem() override { return {}; }
    std::string TakeNotice() override { return {}; }
    std::string Location() override { return "a replay"; }

private:
    Playback& m_playback;
};

class PlaybackHost : public IWindowHost {
public:
    PlaybackHost(Playback& playback, IPlaybackScreen& screen, CRect field)
        : m_playback(playback), m_screen(screen), m_field(field)
    {
    }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapseMs) override
    {
        ReplayEvent asked = MakeEvent(EventKind::SetTimer, static_cast<std::int64_t>(nIDEvent));
        asked.extra = nElapseMs;
        const ReplayEvent* recorded = m_playback.Take(asked);
        return recorded ? static_cast<UINT_PTR>(recorded->answer) : nIDEvent;
    }
    BOOL KillTimer(UINT_PTR nIDEvent) override
    {
        const ReplayEvent* recorded =
            m_playback.Take(MakeEvent(EventKind::KillTimer, static_cast<std::int64_t>(nIDEvent)));
        return recorded ? static_cast<BOOL>(recorded->answer) : 1;
    }
    void InvalidateRect(const CRect& rect, BOOL bErase) override
    {
        ReplayEvent asked = MakeEvent(EventKind::Invalidate, bErase ? 1 : 0);
        asked.rect = rect;
        m_playback.Take(asked);
    }
    CDC* BeginPaint(CRect& rcPaint) override
    {
        const ReplayEvent* recorded = m_playback.Take(MakeEvent(EventKind::PaintBox, 1));
        if (recorded && !recorded->value)
            return nullptr;
        rcPaint = recorded ? recorded->rect : m_field;
        m_painting = true;
        return m_screen.BeginPaint(rcPaint);
    }
    void EndPaint() override
    {
        if (m_painting)
            m_screen.EndPaint();
        m_painting = false;
    }

private:
    Playback& m_playback;
    IPlaybackScreen& m_screen;
    CRect m_field;
    bool m_painting = false;
};
}  // namespace

struct PlaybackServices::Parts {
    Parts(Playback& playback, IPlaybackScreen& screen, CRect field, time64 firstNow, bool steadyReadings)
        : clock(playback, firstNow, steadyReadings),
          random(playback),
          sound(playback),
          files(playback),
          messages(playback),
          raceDialog(playback),
          history(playback),
          host(playback, screen, field),
          services{clock, random, sound, files, messages, profile, raceDialog, history}
    {
    }
    PlaybackClock clock;
    PlaybackRand random;
    PlaybackSound sound;
    PlaybackFiles files;
    PlaybackMessageBox messages;
    NoProfile profile;
    PlaybackRaceDialog raceDialog;
    PlaybackHistory history;
    PlaybackHost host;
    GameServices services;
};

PlaybackServices::PlaybackServices(Playback& playback, IPlaybackScreen& screen, CRect field, time64 firstNow,
                                   bool steadyReadings)
    : m_parts(std::make_unique<Parts>(playback, screen, field, firstNow, steadyReadings))
{
}

PlaybackServices::~PlaybackServices() = default;

GameServices& PlaybackServices::Services()
{
    return m_parts->services;
}

IWindowHost& PlaybackServices::Host()
{
    return m_parts->host;
}
