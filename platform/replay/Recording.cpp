// The recorder and the wrappers that feed it.
#include "platform/replay/Recording.h"

#include <algorithm>
#include <limits>

#include "platform/replay/ReplayFile.h"

namespace {
// Ids and answers as the stream keeps them (never negative).
std::int64_t Number(std::uint64_t v)
{
    return static_cast<std::int64_t>(std::min<std::uint64_t>(v, std::numeric_limits<std::int64_t>::max()));
}

class RecordingClock : public IClock {
public:
    RecordingClock(IClock& real, Recorder& recorder) : m_real(real), m_recorder(recorder) {}
    time64 Now() const override
    {
        const time64 now = m_real.Now();
        m_recorder.Call(MakeEvent(EventKind::Now, now));
        return now;
    }
    std::int64_t SteadyMs() const override
    {
        const std::int64_t ms = m_real.SteadyMs();
        m_recorder.Call(MakeEvent(EventKind::Steady, ms));
        return ms;
    }
    void Sleep(unsigned int ms) override
    {
        m_recorder.Call(MakeEvent(EventKind::Sleep, ms));
        m_real.Sleep(ms);
        m_recorder.Call(MakeEvent(EventKind::Return));
    }

private:
    IClock& m_real;
    Recorder& m_recorder;
};

class RecordingRand : public CrtRand {
public:
    explicit RecordingRand(Recorder& recorder) : m_recorder(recorder) {}
    void srand(unsigned int seed) override
    {
        m_recorder.Call(MakeEvent(EventKind::Seed, seed));
        CrtRand::srand(seed);
    }

private:
    Recorder& m_recorder;
};

class RecordingSound : public ISound {
public:
    RecordingSound(ISound& real, Recorder& recorder) : m_real(real), m_recorder(recorder) {}
    void Play(const std::string& file, SoundMode mode) override
    {
        if (mode == SoundMode::Async) {
            m_real.Play(file, mode);
            m_recorder.Call(MakeEvent(EventKind::Sound, 0, file));
            return;
        }
        m_recorder.Call(MakeEvent(EventKind::SyncSound, 0, file));
        m_real.Play(file, mode);
        m_recorder.Call(MakeEvent(EventKind::Return));
    }

private:
    ISound& m_real;
    Recorder& m_recorder;
};

class RecordingReader : public IFileReader {
public:
    RecordingReader(std::unique_ptr<IFileReader> real, Recorder& recorder)
        : m_real(std::move(real)), m_recorder(recorder)
    {
    }
    std::size_t Read(void* buffer, std::size_t n) override
    {
        const std::size_t got = m_real->Read(buffer, n);
        m_recorder.Call(MakeEvent(EventKind::Read, 0, std::string(static_cast<const char*>(buffer), got)));
        return got;
    }

private:
    std::unique_ptr<IFileReader> m_real;
    Recorder& m_recorder;
};

class RecordingFiles : public IFiles {
public:
    RecordingFiles(IFiles& real, Recorder& recorder) : m_real(real), m_recorder(recorder) {}
    std::unique_ptr<IFileReader> OpenRead(const std::string& path) override
    {
        std::unique_ptr<IFileReader> file = m_real.OpenRead(path);
        m_recorder.Call(MakeEvent(EventKind::Open, file ? 1 : 0, path));
        if (!file)
            return nullptr;
        return std::make_unique<RecordingReader>(std::move(file), m_recorder);
    }

private:
    IFiles& m_real;
    Recorder& m_recorder;
};

class RecordingMessageBox : public IMessageBox {
public:
    RecordingMessageBox(IMessageBox& real, Recorder& recorder) : m_real(real), m_recorder(recorder) {}
    void Show(const std::string& text) override
    {
        m_recorder.Call(MakeEvent(EventKind::MessageBox, 0, text));
        m_real.Show(text);
        m_recorder.Call(MakeEvent(EventKind::Return));
    }

private:
    IMessageBox& m_real;
    Recorder& m_recorder;
};

class RecordingRaceDialog : public IRaceDialog {
public:
    RecordingRaceDialog(IRaceDialog& real, Recorder& recorder) : m_real(real), m_recorder(recorder) {}
    std::optional<std::string> Choose(const RaceDialogDescription& dialog) override
    {
        m_recorder.Call(MakeEvent(EventKind::Dialog, dialog.cancelEnabled ? 1 : 0));
        std::optional<std::string> race = m_real.Choose(dialog);
        m_recorder.Call(MakeEvent(EventKind::DialogAnswer, race ? 1 : 0, race.value_or("")));
        return race;
    }

private:
    IRaceDialog& m_real;
    Recorder& m_recorder;
};

class RecordingHistory : public IHistory {
public:
    RecordingHistory(IHistory& real, Recorder& recorder) : m_real(real), m_recorder(recorder) {}
    // The game is kept with its recording.
    void Keep(const KeptGame& game) override
    {
        std::optional<Replay> replay = m_recorder.Kept(game);
        if (!replay) {
            m_real.Keep(game);
            return;
        }
        KeptGame recorded = game;
        recorded.recording = EncodeReplay(*replay);
        m_real.Keep(recorded);
    }
    // What the game reads of its history (Practise Slow Keys' weights at a game's start) is not
    // recorded: the start keeps the weights it gave (GameInput).
    std::vector<KeptGame> Games() override { return m_real.Games(); }
    std::vector<KeptAction> Actions(std::int64_t id) override { return m_real.Actions(id); }
    std::string Recording(std::int64_t id) override { return m_real.Recording(id); }
    bool Delete(std::int64_t id) override { return m_real.Delete(id); }
    std::string Problem() override { return m_real.Problem(); }
    std::string TakeNotice() override { return m_real.TakeNotice(); }
    std::string Location() override { return m_real.Location(); }

private:
    IHistory& m_real;
    Recorder& m_recorder;
};

class RecordingHost : public IWindowHost {
public:
    RecordingHost(IWindowHost& real, Recorder& recorder) : m_real(real), m_recorder(recorder) {}
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapseMs) override
    {
        const UINT_PTR id = m_real.SetTimer(nIDEvent, nElapseMs);
        ReplayEvent e = MakeEvent(EventKind::SetTimer, Number(nIDEvent));
        e.extra = nElapseMs;
        e.answer = Number(id);
        m_recorder.Call(std::move(e));
        return id;
    }
    BOOL KillTimer(UINT_PTR nIDEvent) override
    {
        const BOOL killed = m_real.KillTimer(nIDEvent);
        ReplayEvent e = MakeEvent(EventKind::KillTimer, Number(nIDEvent));
        e.answer = killed ? 1 : 0;
        m_recorder.Call(std::move(e));
        return killed;
    }
    void InvalidateRect(const CRect& rect, BOOL bErase) override
    {
        m_real.InvalidateRect(rect, bErase);
        ReplayEvent e = MakeEvent(EventKind::Invalidate, bErase ? 1 : 0);
        e.rect = rect;
        m_recorder.Call(std::move(e));
    }
    CDC* BeginPaint(CRect& rcPaint) override
    {
        CDC* dc = m_real.BeginPaint(rcPaint);
        ReplayEvent e = MakeEvent(EventKind::PaintBox, dc ? 1 : 0);
        if (dc)
            e.rect = rcPaint;
        m_recorder.Call(std::move(e));
        return dc;
    }
    void EndPaint() override { m_real.EndPaint(); }

private:
    IWindowHost& m_real;
    Recorder& m_recorder;
};
}  // namespace

void Recorder::Enable(Finished finished)
{
    m_finished = std::move(finished);
}

void Recorder::Disable()
{
    m_finished = nullptr;
    m_recording = false;
    m_writer.Clear();
}

void Recorder::Add(ReplayEvent event)
{
    event.ms = m_stamp() - m_origin;
    m_writer.Add(event);
}

void Recorder::BeginInput(ReplayEvent input)
{
    const bool outermost = m_depth++ == 0;
    if (!Enabled())
        return;
    // An outermost input is kept in the game being recorded, or on trial as the start of one.
    if (outermost && !m_recording) {
        m_writer.Clear();
        m_origin = m_stamp();
    }
    Add(std::move(input));
}

void Recorder::EndInput(const std::optional<ReplayStart>& startedFrom, bool running)
{
    if (m_depth > 0)
        --m_depth;
    if (m_depth > 0 || !Enabled())
        return;
    if (!m_recording && startedFrom) {
        m_recording = true;
        m_start = *startedFrom;
        return;
    }
    // A game that ended without being kept (the program closed) leaves no recording.
    if (m_recording && !running)
        m_recording = false;
    if (!m_recording)
        m_writer.Clear();
}

void Recorder::Call(ReplayEvent call)
{
    if (m_depth > 0 && Enabled())
        Add(std::move(call));
}

std::optional<Replay> Recorder::Kept(const KeptGame& game)
{
    if (!Enabled() || !m_recording)
        return std::nullopt;
    Replay replay{ProgramVersion(), game, m_start, m_writer.Bytes()};
    replay.summary.actions.clear();
    replay.summary.recording.clear();
    m_recording = false;
    m_writer.Clear();
    m_finished(replay);
    return replay;
}

struct GameRecording::Wrappers {
    Wrappers(GameServices& real, Recorder& recorder)
        : clock(real.clock, recorder),
          random(recorder),
          sound(real.sound, recorder),
          files(real.files, recorder),
          messages(real.messages, recorder),
          raceDialog(real.raceDialog, recorder),
          history(real.history, recorder),
          services{clock, random, sound, files, messages, real.profile, raceDialog, history}
    {
    }
    RecordingClock clock;
    RecordingRand random;
    RecordingSound sound;
    RecordingFiles files;
    RecordingMessageBox messages;
    RecordingRaceDialog raceDialog;
    RecordingHistory history;
    GameServices services;
    std::unique_ptr<RecordingHost> host;
};

GameRecording::GameRecording(GameServices& real, Recorder::Stamp stamp)
    : recorder(std::move(stamp)), m_wrappers(std::make_unique<Wrappers>(real, recorder))
{
}

GameRecording::~GameRecording() = default;

GameServices& GameRecording::Services()
{
    return m_wrappers->services;
}

IWindowHost& GameRecording::Host(IWindowHost& real)
{
    m_wrappers->host = std::make_unique<RecordingHost>(real, recorder);
    return *m_wrappers->host;
}

Recorder::Finished WriteReplaysTo(std::string path, std::function<void(const std::string&)> problem)
{
    return [path = std::move(path), problem = std::move(problem)](const Replay& replay) {
        if (const std::string failed = WriteReplayFile(path, replay); !failed.empty())
            problem(failed);
    };
}
