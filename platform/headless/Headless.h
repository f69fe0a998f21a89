// The platform without a window system: a settable clock, a recording window, sound and
// message box, a profile in memory, a scripted race dialog, and files from disk.
#pragma once

#include <climits>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/AppShell.h"
#include "platform/DiskFiles.h"
#include "platform/FrameHost.h"
#include "platform/GameServices.h"
#include "platform/History.h"
#include "platform/Window.h"
#include "platform/dc/Dc.h"
#include "platform/headless/EventLog.h"

// Milliseconds since 1970; Sleep moves it forward, as if the wait had passed. Moving it
// never wraps: at the end of its range it stands still.
class HeadlessClock : public IClock {
public:
    HeadlessClock(EventLog& log, std::int64_t ms) : m_log(log), m_ms(ms) {}
    time64 Now() const override;
    // The script's own milliseconds: a clock set back makes lengths of time short, never the
    // game's rules different.
    std::int64_t SteadyMs() const override { return m_ms; }
    void Sleep(unsigned int ms) override;
    void Advance(std::int64_t ms);
    void Set(std::int64_t ms) { m_ms = ms; }
    std::int64_t Milliseconds() const { return m_ms; }

private:
    EventLog& m_log;
    std::int64_t m_ms;
};

// A window whose screen is a pixel buffer of its client area, gray until painted.
class HeadlessWindow : public IWindowHost {
public:
    explicit HeadlessWindow(EventLog& log) : m_log(log) {}
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapseMs) override;
    BOOL KillTimer(UINT_PTR nIDEvent) override;
    void InvalidateRect(const CRect& rect, BOOL bErase) override;
    CDC* BeginPaint(CRect& rcPaint) override;
    void EndPaint() override;

    // The client area, filled with the window class's gray.
    void SetClientSize(int cx, int cy);
    bool TimerSet() const { return m_timerSet; }
    // Whether a paint is due, and of which area; a paint makes the window valid.
    bool Invalid() const { return m_invalid; }
    // Marks the area for the next paint without the game asking (the window was uncovered).
    void Expose(const CRect& rect);
    const CBitmap& Screen() const { return m_screenBitmap; }

private:
    void AddInvalid(const CRect& rect);

    EventLog& m_log;
    bool m_timerSet = false;
    UINT_PTR m_timerId = 0;
    bool m_invalid = false;
    CRect m_invalidArea;
    CDC m_screen;
    CBitmap m_screenBitmap;
};

class HeadlessSound : public ISound {
public:
    explicit HeadlessSound(EventLog& log) : m_log(log) {}
    void Play(const std::string& file, SoundMode mode) override;

private:
    EventLog& m_log;
};

class HeadlessMessageBox : public IMessageBox {
public:
    explicit HeadlessMessageBox(EventLog& log) : m_log(log) {}
    void Show(const std::string& text) override;

private:
    EventLog& m_log;
};

// Entries of every section in the order they were first written.
class MemoryProfile : public IProfile {
public:
    void SetRegistryKey(const std::string& key) override { m_key = key; }
    std::string GetString(const std::string& section, const std::string& entry, const std::string& def) override;
    void WriteString(const std::string& section, const std::string& entry, const std::string& value) override;
    int GetInt(const std::string& section, const std::string& entry, int def) override;
    void WriteInt(const std::string& section, const std::string& entry, int value) override;

    const std::string& RegistryKey() const { return m_key; }
    // The entries of one section, as (name, value) in order.
    std::vector<std::pair<std::string, std::string>> Section(const std::string& section) const;

private:
    struct Entry {
        std::string section, name, value;
    };
    Entry* Lookup(const std::string& section, const std::string& entry);
    std::string m_key;
    std::vector<Entry> m_entries;
};

// Answers race dialogs from a queue: a race code presses that race's button, nothing closes
// the dialog without one.
class ScriptedRaceDialog : public IRaceDialog {
public:
    explicit ScriptedRaceDialog(EventLog& log) : m_log(log) {}
    std::optional<std::string> Choose(const RaceDialogDescription& dialog) override;
    // A code of the dialog's buttons, or nullopt to close it without a race button.
    void Queue(std::optional<std::string> code) { m_answers.push_back(std::move(code)); }

private:
    EventLog& m_log;
    std::deque<std::optional<std::string>> m_answers;
};

class HeadlessFrame : public IFrameHost {
public:
    explicit HeadlessFrame(int cxFullScreen) : m_cxFullScreen(cxFullScreen) {}
    int GetFullScreenWidth() override { return m_cxFullScreen; }
    // The screen's height never limits the field here.
    CSize GetFieldRoom(CPoint /*corner*/) override { return CSize{INT_MAX, INT_MAX}; }
    void SetNormalRect(const CRect& rect) override { m_normal = rect; }
    CRect GetNormalRect() override { return m_normal; }

private:
    int m_cxFullScreen;
    CRect m_normal;
};

class HeadlessShell : public IAppShell {
public:
    explicit HeadlessShell(EventLog& log) : m_log(log) {}
    void ShowAboutBox() override { m_log.Add("dialog 100"); }
    void ShowHistory() override { m_log.Add("dialog history"); }
    void CloseMainWindow() override { m_closeRequested = true; }
    bool CloseRequested() const { return m_closeRequested; }

private:
    EventLog& m_log;
    bool m_closeRequested = false;
};

// The history of orbicle-sim and the tests: in memory unless another store is plugged in.
class HeadlessHistory : public IHistory {
public:
    void Use(std::unique_ptr<IHistory> store) { m_store = std::move(store); }
    void Keep(const KeptGame& game) override { m_store->Keep(game); }
    std::vector<KeptGame> Games() override { return m_store->Games(); }
    std::vector<KeptAction> Actions(std::int64_t id) override { return m_store->Actions(id); }
    bool Delete(std::int64_t id) override { return m_store->Delete(id); }
    std::string Problem() override { return m_store->Problem(); }
    std::string TakeNotice() override { return m_store->TakeNotice(); }
    std::string Location() override { return m_store->Location(); }

private:
    std::unique_ptr<IHistory> m_store = std::make_unique<MemoryHistory>();
};

// Everything the game needs, headless, with one event log.
struct HeadlessPlatform {
    static constexpr std::int64_t DefaultClockSeconds = 1767614400;

    EventLog log;
    HeadlessClock clock{log, DefaultClockSeconds * 1000};
    CrtRand random;
    HeadlessSound sound{log};
    DiskFiles files;
    HeadlessMessageBox messages{log};
    MemoryProfile profile;
    ScriptedRaceDialog raceDialog{log};
    HeadlessWindow window{log};
    HeadlessHistory history;
    GameServices services{clock, random, sound, files, messages, profile, raceDialog, history};
};
