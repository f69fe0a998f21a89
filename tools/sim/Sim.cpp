// The command language of orbicle-sim.
#include "tools/sim/Sim.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "app/ReplayPlayer.h"
#include "platform/dc/Png.h"
#include "platform/history/SqliteHistory.h"
#include "platform/replay/ReplayFile.h"
#include "render/HistoryChart.h"
#include "render/KeysReport.h"
#include "res/Races.h"
#include "res/Resource.h"

namespace {
// A bad command or argument; its message becomes the "error:" line.
struct SimError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

template <typename T>
T ParseNumber(const std::string& text, T lo, T hi, const char* what)
{
    T value{};
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last || value < lo || value > hi)
        throw SimError(std::string("bad ") + what + " '" + text + "'");
    return value;
}

void ExpectArgs(const std::vector<std::string>& args, std::size_t lo, std::size_t hi, const char* usage)
{
    if (args.size() < lo || args.size() > hi)
        throw SimError(std::string("usage: ") + usage);
}

// tick and timer repeat at most this often in one command.
constexpr long MaxRepeat = 10'000'000;
// The clock stays within this many seconds either side of 1970, so it never overflows.
constexpr std::int64_t ClockLimitSeconds = 1'000'000'000'000LL;
constexpr std::int64_t ClockLimitMs = ClockLimitSeconds * 1000;
}  // namespace

std::string PrintableBytes(const std::string& s)
{
    std::string text;
    for (const char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte <= 0x7E) {
            text += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text;
}

SimSession::SimSession()
{
    SetTextBoxLog(&m_textBoxes);
}

SimSession::~SimSession()
{
    // The program may end without an exit command; its frame then goes without a word.
    m_input.reset();
    if (m_app)
        m_app->DestroyMainFrame();
    SetTextBoxLog(nullptr);
}

CGameView* SimSession::View()
{
    return m_app && m_app->m_pMainWnd ? &m_app->m_pMainWnd->m_wndView : nullptr;
}

bool SimSession::Execute(const std::string& rawLine, std::ostream& out)
{
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    std::istringstream words(line);
    std::string verb;
    if (!(words >> verb) || verb[0] == '#')
        return true;
    Args args;
    for (std::string word; words >> word;)
        args.push_back(word);
    try {
        if (!Dispatch(verb, args, line, out))
            throw SimError("unknown command '" + verb + "'");
        if (!m_recordProblem.empty())
            throw SimError("record: " + std::exchange(m_recordProblem, {}));
        return true;
    } catch (const SimError& error) {
        out << "error: " << PrintableBytes(error.what()) << '\n';
        return false;
    }
}

bool SimSession::Dispatch(const std::string& verb, const Args& args, const std::string& line, std::ostream& out)
{
    const bool running = m_started && !m_exited;
    auto requireRunning = [&] {
        if (!running)
            throw SimError(verb + ": the program is not running (" + (m_exited ? "after exit" : "before start") + ")");
    };
    auto requireBeforeStart = [&] {
        if (m_started)
            throw SimError(verb + ": only before start");
    };

    if (verb == "screen") {
        ExpectArgs(args, 1, 1, "screen CX");
        requireBeforeStart();
        m_cxScreen = ParseNumber<int>(args[0], 32, 8192, "screen width");
    } else if (verb == "profile") {
        ExpectArgs(args, 1, SIZE_MAX, "profile NAME VALUE");
        requireBeforeStart();
        // The value is the rest of the line after the name and one blank, possibly empty.
        const std::size_t nameAt = line.find(args[0], line.find("profile") + 7);
        const std::size_t valueAt = nameAt + args[0].size() + 1;
        m_platform.profile.WriteString(CGameView::SettingsSection, args[0],
                                       valueAt < line.size() ? line.substr(valueAt) : "");
    } else if (verb == "historydb") {
        ExpectArgs(args, 1, 1, "historydb FILE");
        requireBeforeStart();
        m_platform.history.Use(std::make_unique<SqliteHistory>(args[0]));
    } else if (verb == "history") {
        ExpectArgs(args, 0, 0, "history");
        for (const KeptGame& game : m_platform.history.Games())
            out << KeptGameJson(game) << '\n';
        if (const std::string problem = m_platform.history.Problem(); !problem.empty())
            throw SimError("history: " + problem);
    } else if (verb == "snapshot-history") {
        ExpectArgs(args, 1, 1, "snapshot-history FILE");
        SnapshotHistory(args[0]);
    } else if (verb == "actions") {
        ExpectArgs(args, 0, 0, "actions");
        requireRunning();
        for (const KeptAction& action : View()->Actions())
            out << ActionJson(action) << '\n';
    } else if (verb == "keystats") {
        ExpectArgs(args, 0, 0, "keystats");
        requireRunning();
        out << KeyStatsJson(CollectKeyStats(View()->Actions())) << '\n';
    } else if (verb == "snapshot-keys") {
        ExpectArgs(args, 1, 1, "snapshot-keys FILE");
        requireRunning();
        SnapshotKeys(args[0]);
    } else if (verb == "clock") {
        ExpectArgs(args, 1, 1, "clock SECONDS");
        m_platform.clock.Set(ParseNumber<std::int64_t>(args[0], -ClockLimitSeconds, ClockLimitSeconds, "seconds") *
                             1000);
    } else if (verb == "start") {
        ExpectArgs(args, 0, 0, "start");
        requireBeforeStart();
        Start();
    } else if (verb == "advance") {
        ExpectArgs(args, 1, 1, "advance MS");
        const auto ms = ParseNumber<std::int64_t>(args[0], 0, ClockLimitMs, "milliseconds");
        if (ms > ClockLimitMs - m_platform.clock.Milliseconds())
            throw SimError("advance: the clock would pass " + std::to_string(ClockLimitSeconds) + " seconds");
        m_platform.clock.Advance(ms);
    } else if (verb == "tick" || verb == "timer") {
        ExpectArgs(args, 0, 1, "tick|timer [N]");
        requireRunning();
        Tick(args.empty() ? 1 : ParseNumber<long>(args[0], 0, MaxRepeat, "count"), verb == "tick");
    } else if (verb == "paint") {
        ExpectArgs(args, 0, 0, "paint");
        requireRunning();
        Paint();
    } else if (verb == "snapshot") {
        ExpectArgs(args, 1, 1, "snapshot FILE");
        requireRunning();
        const CGameView& view = *View();
        const std::string problem = WritePng(m_platform.window.Screen(), view.m_nWidth, view.m_nHeight, args[0]);
        if (!problem.empty())
            throw SimError("snapshot: " + problem);
    } else if (verb == "click") {
        ExpectArgs(args, 3, 4, "click X Y left|right [double]");
        requireRunning();
        const CPoint point{ParseNumber<int>(args[0], -1'000'000, 1'000'000, "x"),
                           ParseNumber<int>(args[1], -1'000'000, 1'000'000, "y")};
        if (args[2] != "left" && args[2] != "right")
            throw SimError("bad button '" + args[2] + "'");
        if (args.size() == 4 && args[3] != "double")
            throw SimError("bad click kind '" + args[3] + "'");
        m_input->Press(args[2] == "left" ? MouseButton::Left : MouseButton::Right, args.size() == 4, point);
    } else if (verb == "key") {
        ExpectArgs(args, 1, 1, "key CODE");
        requireRunning();
        m_input->Key(ParseNumber<UINT>(args[0], 0, 255, "key code"));
    } else if (verb == "deactivate" || verb == "activate") {
        ExpectArgs(args, 0, 0, "activate|deactivate");
        requireRunning();
        const bool active = verb == "activate";
        if (active != m_frameActive) {
            m_frameActive = active;
            m_input->Activate(active);
        }
    } else if (verb == "command") {
        ExpectArgs(args, 1, 1, "command ID");
        requireRunning();
        RunMenuCommand(ParseNumber<UINT>(args[0], 0, 65535, "command id"), out);
    } else if (verb == "dialog") {
        ExpectArgs(args, 1, 1, "dialog CODE|cancel");
        if (args[0] == "cancel")
            m_platform.raceDialog.Queue(std::nullopt);
        else if (FindRace(args[0]))
            m_platform.raceDialog.Queue(args[0]);
        else
            throw SimError("bad race code '" + args[0] + "' (hu, or, ud, ne, df or cancel)");
    } else if (verb == "state") {
        ExpectArgs(args, 0, 0, "state");
        requireRunning();
        out << StateJson(*View()) << '\n';
    } else if (verb == "menu") {
        ExpectArgs(args, 0, 0, "menu");
        requireRunning();
        PrintMenu(out);
    } else if (verb == "textboxes") {
        ExpectArgs(args, 0, 0, "textboxes");
        requireRunning();
        PrintTextBoxes(out);
    } else if (verb == "events") {
        ExpectArgs(args, 0, 0, "events");
        PrintEvents(out);
    } else if (verb == "record") {
        ExpectArgs(args, 1, 1, "record FILE");
        requireBeforeStart();
        Record(args[0]);
    } else if (verb == "replay") {
        ExpectArgs(args, 1, 1, "replay FILE");
        PlayReplay(args[0], out);
    } else if (verb == "exit") {
        ExpectArgs(args, 0, 0, "exit");
        requireRunning();
        Exit(out);
    } else {
        return false;
    }
    return true;
}

void SimSession::Start()
{
    m_started = true;
    m_app = std::make_unique<COrbicleApp>(m_recording.Services(), m_shell);
    m_app->InitInstance();
    m_frame = std::make_unique<HeadlessFrame>(m_cxScreen);
    m_app->m_pMainWnd->OnCreate(*m_frame, m_recording.Host(m_platform.window));
    m_input = std::make_unique<GameInput>(*m_app->m_pMainWnd, &m_recording.recorder);
    // The game window fills the frame's client area, which is the field.
    m_platform.window.SetClientSize(View()->m_nWidth, View()->m_nHeight);
    // Shown and activated; the activation of a frame with no game changes nothing.
    m_frameActive = true;
    m_input->Activate(true);
    for (const MenuItem& item : MainMenu())
        m_menu.push_back(InitialState(item));
}

void SimSession::Tick(long count, bool paint)
{
    for (long i = 0; i < count; ++i) {
        m_platform.clock.Advance(CGameView::TimerMs);
        if (m_platform.window.TimerSet())
            m_input->Timer(CGameView::GameTimerId);
        if (paint && m_platform.window.Invalid()) {
            m_textBoxes.clear();
            m_input->Paint();
        }
    }
}

void SimSession::Paint()
{
    const CGameView& view = *View();
    m_platform.window.Expose(view.FieldRect());
    m_textBoxes.clear();
    m_input->Paint();
}

void SimSession::RunMenuCommand(UINT nID, std::ostream& out)
{
    switch (m_input->Command(nID)) {
    case CommandResult::Unhandled: throw SimError("unknown command id " + std::to_string(nID));
    case CommandResult::Disabled: out << "disabled " << nID << '\n'; return;
    case CommandResult::Done: break;
    }
    if (m_shell.CloseRequested())
        Exit(out);
}

void SimSession::Exit(std::ostream& out)
{
    m_input.reset();
    m_app->DestroyMainFrame();
    m_exited = true;
    std::string json = "{";
    for (const auto& [name, value] : m_platform.profile.Section(CGameView::SettingsSection)) {
        if (json.size() > 1)
            json += ',';
        json += JsonString(name) + ':' + JsonString(value);
    }
    out << json << "}\n";
}

void SimSession::SnapshotHistory(const std::string& file)
{
    CBitmap bitmap;
    bitmap.CreateBitmap(HistorySnapshotSize.cx, HistorySnapshotSize.cy);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    const std::vector<KeptGame> games = m_platform.history.Games();
    DrawHistoryChart(dc, HistorySnapshotSize, games);
    dc.DeleteDC();
    const std::string problem = WritePng(bitmap, HistorySnapshotSize.cx, HistorySnapshotSize.cy, file);
    if (!problem.empty())
        throw SimError("snapshot-history: " + problem);
}

void SimSession::Record(const std::string& file)
{
    // The file is made now, so that one that cannot be written is named at once.
    if (!std::ofstream(std::filesystem::path(file), std::ios::binary | std::ios::trunc))
        throw SimError("record: cannot write " + file + ": " + std::strerror(errno));
    m_recording.recorder.Enable(
        WriteReplaysTo(file, [this](const std::string& problem) { m_recordProblem = problem; }));
}

void SimSession::PlayReplay(const std::string& file, std::ostream& out)
{
    const ReplayRead read = ReadReplayFile(file);
    if (!read.replay)
        throw SimError("replay: " + read.problem);
    // The replay's paints are no paints of this session: they list no text boxes.
    SetTextBoxLog(nullptr);
    MemoryScreen pixel(1, 1);
    ReplayPlayer player(*read.replay, pixel);
    const ReplayOutcome outcome = player.Finish();
    SetTextBoxLog(&m_textBoxes);
    out << "replay verified " << (outcome.verified ? "1" : "0 " + outcome.field) << '\n'
        << StateJson(player.View()) << '\n';
}

KeysReport LastGameReport(const CGameView& view)
{
    KeysReport report{"Keys and buttons of the last game", CollectKeyStats(view.Actions()), {}};
    for (int i = 0; i < view.m_nKeys; ++i) {
        const std::string& label = view.m_astrKeys[static_cast<std::size_t>(i)];
        if (!label.empty())
            report.hotkeys.push_back(static_cast<unsigned char>(label[0]));
    }
    return report;
}

void SimSession::SnapshotKeys(const std::string& file)
{
    const CSize size = keys_report::DesignSize;
    CBitmap bitmap;
    bitmap.CreateBitmap(size.cx, size.cy);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    // `textboxes` now lists the report's texts, for comparing its pictures without them.
    m_textBoxes.clear();
    DrawKeysReport(dc, size, LastGameReport(*View()));
    dc.DeleteDC();
    const std::string problem = WritePng(bitmap, size.cx, size.cy, file);
    if (!problem.empty())
        throw SimError("snapshot-keys: " + problem);
}

void SimSession::PrintMenu(std::ostream& out)
{
    const auto items = MainMenu();
    for (std::size_t i = 0; i < items.size(); ++i) {
        // History and Practise Slow Keys are left out: the ten lines stay those of the game's own menu.
        if (items[i].nID == 0 || items[i].nID == ID_FILE_HISTORY || items[i].nID == ID_OPTIONS_PRACTISESLOWKEYS)
            continue;
        MenuItemState& state = m_menu[i];
        UpdateMenuItem(*m_app->m_pMainWnd, items[i].nID, state);
        out << items[i].nID << " \"" << state.text << "\" " << (state.enabled ? "enabled" : "disabled")
            << (state.checked ? " checked" : "") << '\n';
    }
}

void SimSession::PrintTextBoxes(std::ostream& out)
{
    for (const TextBox& shown : m_textBoxes)
        out << "textbox " << shown.box.left << ' ' << shown.box.top << ' ' << shown.box.right << ' ' << shown.box.bottom
            << '\n';
}

void SimSession::PrintEvents(std::ostream& out)
{
    for (const std::string& line : m_platform.log.Take())
        out << PrintableBytes(line) << '\n';
}
