// Recording games at the platform boundary and playing them back through the real game:
// every game of a session replays to its own numbers and its own state, a changed press is
// found out by the field it changes, a recording that goes otherwise says why, inputs that
// come while a dialog waits are played inside it, and orbicle-sim's record and replay.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "app/GameInput.h"
#include "app/ReplayPlayer.h"
#include "platform/replay/ReplayFile.h"
#include "tests/TempDir.h"
#include "tests/replay/AimedPlay.h"
#include "tests/sim/Script.h"

namespace {
// A replay as it was finished, with the game window's state at that moment.
struct Finished {
    Replay replay;
    std::string state;
    std::vector<KeptAction> actions;  // the game's judged actions
};

class ReplayTest : public ::testing::Test {
protected:
    ReplayTest()
    {
        m_folder.Write("res/keys_df.txt", "QWERp");
        m_folder.Write("res/keys_hu.txt", "ABC");
        m_session.Platform().files = DiskFiles({m_folder.Path()});
    }
    std::string Run(const std::string& script) { return RunScript(m_session, script, &m_ok); }
    // Keeps every replay the session finishes, with the state the game window has then.
    void Collect()
    {
        m_session.GameRecorder().Enable([this](Replay replay) {
            m_finished.push_back(
                Finished{std::move(replay), StateJson(*m_session.View()), m_session.View()->Actions()});
        });
    }
    // Hits the oldest circle (its key first) or, with aim false, presses beside it.
    void Hit(bool aim = true)
    {
        const CCircle c = m_session.View()->m_listCircles.front();
        if (!c.m_strLabel.empty())
            Run("key " + std::to_string(static_cast<unsigned char>(c.m_strLabel[0])) + "\n");
        Run("click " + std::to_string(c.m_nX + (aim ? 0 : 200)) + " " + std::to_string(c.m_nY) +
            (c.m_bLeftButton ? " left\n" : " right\n"));
    }
    // Runs the opening, hits the oldest circle every 6 ticks for as many rounds, and stops the
    // game from the menu.
    void PlayAndStop(const std::string& opening, int rounds)
    {
        Run(opening);
        for (int round = 0; round < rounds; ++round) {
            Run("tick 6\n");
            if (!m_session.View()->m_listCircles.empty())
                Hit();
        }
        Run("command 32784\n");
    }
    std::string File(const std::string& name) { return (m_folder.Path() / name).string(); }

    TempDir m_folder;
    SimSession m_session;
    std::vector<Finished> m_finished;
    bool m_ok = true;
};

std::vector<ReplayEvent> Events(const Replay& replay)
{
    std::vector<ReplayEvent> events;
    std::string problem;
    EXPECT_TRUE(DecodeEvents(replay.events, events, problem)) << problem;
    return events;
}

Replay WithEvents(Replay replay, const std::vector<ReplayEvent>& events)
{
    EventWriter writer;
    for (const ReplayEvent& e : events)
        writer.Add(e);
    replay.events = writer.Bytes();
    return replay;
}
}  // namespace

TEST_F(ReplayTest, EveryGameOfASessionReplaysToItsOwnNumbersAndState)
{
    Collect();
    // A first game with no race stored: the dialog answers; custom keys, hits with keys, wrong
    // and empty presses, a pause, the frame away and back, options changed during the game,
    // a double click; the end rule ends it.
    Run("profile Options 11111\nclock 1767600000\nstart\ndialog df\nclick 10 10 left\n");
    m_session.Platform().window.SetClientSize(1, 1);  // paints that cost next to nothing
    for (int round = 0; round < 40; ++round) {
        Run("tick 6\n");
        if (round % 7 == 3)
            Hit(false);
        else if (!m_session.View()->m_listCircles.empty())
            Hit();
        if (round == 10)
            Run("command 32788\ntick 3\nadvance 2500\ncommand 32788\n");
        if (round == 20)
            Run("deactivate\ntick 2\nclick 5 5 left\nactivate\nclick 1 1 right double\nkey 27\n");
        if (round == 25)
            Run("command 32779\ncommand 32793\ncommand 32776\nmenu\n");
    }
    Run("tick 8000\n");
    ASSERT_EQ(m_finished.size(), 1u);
    // A second game started from the menu while the first one's result is on show, with a race
    // whose hotkey set is missing (a message box), stopped from the menu while paused.
    Run("command 32780\ndialog ud\ncommand 32780\ncommand 32784\ntick 100\ncommand 32788\ncommand 32784\n");
    ASSERT_EQ(m_finished.size(), 2u);
    // A third game left running when the program ends: no results, no replay.
    Run("command 32780\ndialog hu\ncommand 32780\ncommand 32784\ntick 200\nexit\n");
    EXPECT_TRUE(m_ok);
    ASSERT_EQ(m_finished.size(), 2u);

    for (const Finished& game : m_finished) {
        EXPECT_EQ(game.replay.program, ProgramVersion());
        // Each recording starts with the input that started its game.
        const std::vector<ReplayEvent> events = Events(game.replay);
        ASSERT_FALSE(events.empty());
        EXPECT_TRUE(IsInput(events.front().kind)) << Describe(events.front());
        EXPECT_EQ(events.front().ms, 0);
        // Read back from its file, it plays the same game to the same numbers and the same
        // state of every field of the game window.
        const ReplayRead read = DecodeReplay(EncodeReplay(game.replay));
        ASSERT_TRUE(read.replay) << read.problem;
        MemoryScreen pixel(1, 1);
        ReplayPlayer player(*read.replay, pixel);
        const ReplayOutcome outcome = player.Finish();
        EXPECT_TRUE(outcome.verified) << outcome.field << ": " << outcome.reason;
        KeptGame numbers = outcome.result;
        numbers.actions.clear();
        EXPECT_EQ(numbers, game.replay.summary);
        EXPECT_EQ(outcome.result.actions, game.actions);
        EXPECT_EQ(StateJson(player.View()), game.state);
    }
    // What the two games went through.
    const std::vector<ReplayEvent> first = Events(m_finished[0].replay);
    auto has = [](const std::vector<ReplayEvent>& events, EventKind kind, const std::string& text = {}) {
        return std::any_of(events.begin(), events.end(),
                           [&](const ReplayEvent& e) { return e.kind == kind && (text.empty() || e.text == text); });
    };
    for (const EventKind kind : {EventKind::Dialog, EventKind::DialogAnswer, EventKind::Seed, EventKind::Read,
                                 EventKind::Sleep, EventKind::Key, EventKind::Activate, EventKind::Command})
        EXPECT_TRUE(has(first, kind)) << KindName(kind);
    EXPECT_TRUE(has(first, EventKind::Sound, "res/hit3.wav"));
    EXPECT_EQ(m_finished[0].replay.start.race, "");
    const std::vector<ReplayEvent> second = Events(m_finished[1].replay);
    EXPECT_TRUE(has(second, EventKind::MessageBox, "Cannot open the file res\\keys_ud.txt"));
    EXPECT_FALSE(has(second, EventKind::Dialog));
    EXPECT_EQ(m_finished[1].replay.start.race, "ud");
    // The second game took over the first one's tick count, statistics off and sounds off.
    EXPECT_EQ(m_finished[1].replay.start.options, (std::array<int, 5>{0, 1, 1, 0, 0}));
    // ... and the first one's rate curve up to its last rate above zero: the zeros after it,
    // to the end of the curve's storage, are not written.
    const std::vector<int>& curve = m_finished[0].replay.summary.samples;
    const std::vector<int>& carried = m_finished[1].replay.start.rateHistory;
    ASSERT_FALSE(carried.empty());
    EXPECT_NE(carried.back(), 0);
    ASSERT_LE(carried.size(), curve.size());
    EXPECT_TRUE(std::equal(carried.begin(), carried.end(), curve.begin()));
    EXPECT_TRUE(std::all_of(curve.begin() + carried.size(), curve.end(), [](int rate) { return rate == 0; }));
}

TEST_F(ReplayTest, ARaceDialogClosedWithoutARaceReplaysClosed)
{
    Collect();
    PlayAndStop("dialog cancel\nstart\ncommand 32784\n", 20);
    ASSERT_TRUE(m_ok);
    ASSERT_EQ(m_finished.size(), 1u);
    const std::vector<ReplayEvent> events = Events(m_finished[0].replay);
    const auto answer = std::find_if(events.begin(), events.end(),
                                     [](const ReplayEvent& e) { return e.kind == EventKind::DialogAnswer; });
    ASSERT_NE(answer, events.end());
    EXPECT_EQ(answer->value, 0);
    const ReplayOutcome outcome = VerifyReplay(m_finished[0].replay);
    EXPECT_TRUE(outcome.verified) << outcome.field << ": " << outcome.reason;
}

TEST_F(ReplayTest, ChangingOnePressMakesItVerifyAsZeroWithTheFieldThatDiffers)
{
    PlayAndStop("record " + File("game.orbicle-replay") + "\nprofile Race df\nstart\nclick 1 1 left\n", 30);
    ASSERT_TRUE(m_ok);
    EXPECT_EQ(Run("replay " + File("game.orbicle-replay") + "\n").substr(0, 18), "replay verified 1\n");

    // The tenth press moved off its circle: a miss instead of a hit.
    const Replay replay = *ReadReplayFile(File("game.orbicle-replay")).replay;
    std::vector<ReplayEvent> events = Events(replay);
    int presses = 0;
    for (ReplayEvent& e : events) {
        if (e.kind == EventKind::Press && ++presses == 10)
            e.point = CPoint{-100, -100};
    }
    ASSERT_GT(presses, 10);
    ASSERT_EQ(WriteReplayFile(File("changed.orbicle-replay"), WithEvents(replay, events)), "");
    const std::string out = Run("replay " + File("changed.orbicle-replay") + "\n");
    EXPECT_EQ(out.substr(0, out.find('\n')), "replay verified 0 score");
    EXPECT_NE(out.find("\"m_nMisses\":1,"), std::string::npos);
    // The player is told what went differently first.
    const ReplayOutcome outcome = VerifyReplay(WithEvents(replay, events));
    EXPECT_NE(outcome.reason.find("the replay asked for sound res/miss.wav"), std::string::npos) << outcome.reason;
    EXPECT_TRUE(m_ok);
}

TEST_F(ReplayTest, EachGameIsKeptInTheHistoryWithItsRecording)
{
    // The session's history in memory: the Windows sim has no SQLite (tests/history keeps
    // recordings in the file).
    PlayAndStop("record " + File("game.orbicle-replay") + "\nprofile Race df\nstart\nclick 1 1 left\n", 20);
    ASSERT_TRUE(m_ok);
    const std::vector<KeptGame> games = m_session.Platform().history.Games();
    ASSERT_EQ(games.size(), 1u);
    const std::string kept = m_session.Platform().history.Recording(games[0].id);
    // The history keeps the very file the game was written to.
    EXPECT_EQ(kept, FileText(File("game.orbicle-replay")));
    const ReplayRead read = DecodeReplay(kept);
    ASSERT_TRUE(read.replay) << read.problem;
    EXPECT_EQ(read.replay->summary.score, games[0].score);
    // `history` prints what it printed: no recording among the kept fields.
    EXPECT_EQ(Run("history\n").find("recording"), std::string::npos);
    EXPECT_TRUE(VerifyReplay(*read.replay).verified);
}

TEST_F(ReplayTest, AWatchedReplayEndsOnTheFramePlayerSawAndSaysWhetherItIsVerified)
{
    Collect();
    Run("profile Race df\nstart\nclick 1 1 left\n");
    for (int round = 0; round < 25; ++round) {
        Run("tick 6\n");
        if (!m_session.View()->m_listCircles.empty())
            Hit(round % 5 != 2);
    }
    Run("command 32784\ntick 3\n");
    ASSERT_EQ(m_finished.size(), 1u);
    const CBitmap& seen = m_session.Platform().window.Screen();

    const Replay& replay = m_finished[0].replay;
    MemoryScreen screen(replay.start.width, replay.start.height);
    ReplayPlayer player(replay, screen);
    const ReplayOutcome outcome = player.Finish();
    EXPECT_EQ(VerdictText(outcome), "Verified: the replay gives the same score, rates and graph");
    // The game's last frame before it was kept is not yet the result panel ...
    auto differing = [&] {
        const auto& a = seen.GetPixels();
        const auto& b = screen.Pixels().GetPixels();
        long n = 0;
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            n += a[i] != b[i];
        return n + static_cast<long>(a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
    };
    EXPECT_GT(differing(), 0);
    // ... the field painted once more is, pixel for pixel, and nothing is compared any more.
    player.PaintLastFrame();
    EXPECT_EQ(differing(), 0);
    EXPECT_TRUE(player.Finish().verified);

    // Not verified: the field that differs and why, for the player.
    Replay other = replay;
    other.summary.best += 1;
    EXPECT_EQ(VerdictText(VerifyReplay(other)), "Not verified: the replay gives another best");
    std::vector<ReplayEvent> events = Events(replay);
    events.pop_back();
    events.pop_back();
    const std::string text = VerdictText(VerifyReplay(WithEvents(replay, events)));
    EXPECT_EQ(text.rfind("Not verified: ", 0), 0u) << text;
    EXPECT_NE(text.find(" ("), std::string::npos) << text;
}

TEST_F(ReplayTest, RecordAndReplayAnswerErrorLinesForFilesTheyCannotUse)
{
    Run("record " + File("game.orbicle-replay") +
        "\nprofile Race df\nstart\nclick 1 1 left\ntick 100\n"
        "command 32784\n");
    ASSERT_TRUE(m_ok);
    const std::string bytes = FileText(File("game.orbicle-replay"));
    // Each of the file's refusals (tests/replay/ReplayFileTest) comes as the same error line.
    std::string flipped = bytes;
    flipped[bytes.size() / 2] ^= 0x10;
    const std::pair<std::string, std::string> refused[] = {
        {m_folder.Write("flipped", flipped).string(), " is damaged: its checksum does not match its contents"},
        {m_folder.Write("text", "replay verified 1\n").string(), " is not an Orbicle replay"},
    };
    for (const auto& [file, problem] : refused) {
        m_ok = true;
        EXPECT_EQ(Run("replay " + file + "\n"), "error: replay: " + file + problem + "\n");
        EXPECT_FALSE(m_ok);
    }
    const std::string missing = File("none.orbicle-replay");
    EXPECT_EQ(Run("replay " + missing + "\n").rfind("error: replay: cannot read " + missing + ": ", 0), 0u);
    EXPECT_EQ(Run("record " + File("later") + "\n"), "error: record: only before start\n");
    SimSession fresh;
    std::ostringstream out;
    EXPECT_FALSE(fresh.Execute("record " + File("no/such/folder/x"), out));
    EXPECT_EQ(out.str().rfind("error: record: cannot write " + File("no/such/folder/x") + ": ", 0), 0u);
    // A replay plays before start and after exit as well; the session's own game is untouched.
    m_ok = true;
    const std::string state = Run("state\n");
    EXPECT_EQ(Run("replay " + File("game.orbicle-replay") + "\n").substr(0, 18), "replay verified 1\n");
    EXPECT_EQ(Run("state\n"), state);
    EXPECT_EQ(fresh.Execute("replay " + File("game.orbicle-replay"), out), true);
}

TEST_F(ReplayTest, ARecordingThatGoesOtherwiseIsNotVerifiedAndSaysWhy)
{
    Collect();
    PlayAndStop("profile Race df\nstart\nclick 1 1 left\n", 30);
    ASSERT_EQ(m_finished.size(), 1u);
    const Replay replay = m_finished[0].replay;
    const std::vector<ReplayEvent> events = Events(replay);

    // Cut in the middle: the recording ends before the game does.
    const std::vector<ReplayEvent> half(events.begin(), events.begin() + events.size() / 2);
    ReplayOutcome outcome = VerifyReplay(WithEvents(replay, half));
    EXPECT_FALSE(outcome.verified);
    EXPECT_FALSE(outcome.field.empty());
    EXPECT_EQ(outcome.reason, "the recording ended before the replayed game did");

    // A sound that the game does not ask for there: the numbers agree, the events do not.
    std::vector<ReplayEvent> otherSound = events;
    const auto hit = std::find_if(otherSound.begin(), otherSound.end(), [](const ReplayEvent& e) {
        return e.kind == EventKind::Sound && e.text == "res/hit1.wav";
    });
    ASSERT_NE(hit, otherSound.end());
    hit->text = "res/hit9.wav";
    outcome = VerifyReplay(WithEvents(replay, otherSound));
    EXPECT_FALSE(outcome.verified);
    EXPECT_EQ(outcome.field, "events");
    EXPECT_NE(outcome.reason.find("the replay asked for sound res/hit1.wav where the recording has sound res/hit9.wav"),
              std::string::npos)
        << outcome.reason;

    // An invalidation of another area, or with the other erase flag: the game asks otherwise.
    for (const bool area : {true, false}) {
        std::vector<ReplayEvent> otherInvalidate = events;
        const auto invalidate = std::find_if(otherInvalidate.begin(), otherInvalidate.end(),
                                             [](const ReplayEvent& e) { return e.kind == EventKind::Invalidate; });
        ASSERT_NE(invalidate, otherInvalidate.end());
        if (area)
            invalidate->rect.right += 1;
        else
            invalidate->value = !invalidate->value;
        outcome = VerifyReplay(WithEvents(replay, otherInvalidate));
        EXPECT_FALSE(outcome.verified) << area;
        EXPECT_NE(outcome.reason.find("where the recording has invalidate"), std::string::npos) << outcome.reason;
    }

    // A clock reading taken out: the game asks for one the recording does not have there.
    std::vector<ReplayEvent> noReading = events;
    const auto now = std::find_if(noReading.begin() + 5, noReading.end(),
                                  [](const ReplayEvent& e) { return e.kind == EventKind::Now; });
    ASSERT_NE(now, noReading.end());
    noReading.erase(now);
    outcome = VerifyReplay(WithEvents(replay, noReading));
    EXPECT_FALSE(outcome.verified);
    EXPECT_NE(outcome.reason.find("the replay asked for now, which the recording does not have there"),
              std::string::npos)
        << outcome.reason;

    // A timer tick more at the end: the game ended before the recording did.
    std::vector<ReplayEvent> longer = events;
    ReplayEvent tick;
    tick.kind = EventKind::Timer;
    tick.ms = longer.back().ms + 50;
    tick.value = 1;
    longer.push_back(tick);
    outcome = VerifyReplay(WithEvents(replay, longer));
    EXPECT_FALSE(outcome.verified);
    EXPECT_EQ(outcome.field, "events");
    EXPECT_NE(outcome.reason.find("the replayed game ended before the recording did"), std::string::npos)
        << outcome.reason;

    // Played on a field no screen has, or none at all, it goes its own way but plays to the end.
    for (const int side : {0, 16384}) {
        Replay otherField = replay;
        otherField.start.width = otherField.start.height = side;
        outcome = VerifyReplay(DecodeReplay(EncodeReplay(otherField)).replay.value());
        EXPECT_FALSE(outcome.verified);
        EXPECT_EQ(outcome.result.width, side);
    }

    // The summary changed: the first field that differs is named.
    Replay otherSummary = replay;
    otherSummary.summary.accuracy += 1;
    otherSummary.summary.samples.push_back(1);
    outcome = VerifyReplay(otherSummary);
    EXPECT_EQ(outcome.field, "accuracy");
    EXPECT_EQ(outcome.reason, "");
    otherSummary.summary.accuracy -= 1;
    EXPECT_EQ(VerifyReplay(otherSummary).field, "samples");
}

namespace {
// A game window of its own on the platform, seen through a recording of the services given,
// with a 704 x 528 field painted into one pixel; play gets its frame and its front end's input.
// Returns the replays it finished.
std::vector<Replay> RecordGame(HeadlessPlatform& platform, GameServices services,
                               const std::function<void(CMainFrame&, GameInput&)>& play)
{
    GameRecording recording(services, [&] { return platform.clock.Milliseconds(); });
    std::vector<Replay> replays;
    recording.recorder.Enable([&](Replay replay) { replays.push_back(std::move(replay)); });
    CMainFrame frame(recording.Services(), nullptr);
    frame.m_wndView.Create(recording.Host(platform.window));
    frame.m_wndView.SetFieldSize(CSize{704, 528});
    platform.window.SetClientSize(1, 1);
    GameInput input(frame, &recording.recorder);
    play(frame, input);
    return replays;
}

// A race dialog that is modal the way the desktop's is: while it is open the game window is
// repainted and the frame loses the activation and gets it back, through the front end's input.
class ModalRaceDialog : public IRaceDialog {
public:
    GameInput* input = nullptr;
    std::optional<std::string> Choose(const RaceDialogDescription&) override
    {
        input->Activate(false);
        input->Paint();
        input->Activate(true);
        return "df";
    }
};
}  // namespace

TEST_F(ReplayTest, InputsThatCameWhileADialogWaitedArePlayedInsideItsWait)
{
    HeadlessPlatform platform;
    platform.files = DiskFiles({m_folder.Path()});
    ModalRaceDialog dialog;
    GameServices services{platform.clock,    platform.random,  platform.sound, platform.files,
                          platform.messages, platform.profile, dialog,         platform.history};
    const std::vector<Replay> replays = RecordGame(platform, services, [&](CMainFrame& frame, GameInput& input) {
        dialog.input = &input;
        input.Press(MouseButton::Left, false, CPoint{5, 5});
        for (int tick = 0; tick < 200; ++tick) {
            platform.clock.Advance(50);
            input.Timer(1);
            input.Paint();
            if (tick % 9 == 0 && !frame.m_wndView.m_listCircles.empty()) {
                const CCircle c = frame.m_wndView.m_listCircles.front();
                input.Press(c.m_bLeftButton ? MouseButton::Left : MouseButton::Right, false, CPoint{c.m_nX, c.m_nY});
            }
        }
        EXPECT_EQ(input.Command(32784), CommandResult::Done);
    });
    ASSERT_EQ(replays.size(), 1u);
    const std::vector<ReplayEvent> events = Events(replays[0]);
    std::vector<EventKind> opening;
    for (std::size_t i = 0; i < 7 && i < events.size(); ++i)
        opening.push_back(events[i].kind);
    EXPECT_EQ(opening,
              (std::vector<EventKind>{EventKind::Press, EventKind::Dialog, EventKind::Activate, EventKind::Paint,
                                      EventKind::PaintBox, EventKind::Activate, EventKind::DialogAnswer}));
    // Played step by step, as a replay shown at its own pace is: the inputs come in the order
    // and at the times they were recorded, those inside the dialog within its step.
    MemoryScreen pixel(1, 1);
    ReplayPlayer player(replays[0], pixel);
    const auto inputs =
        std::count_if(events.begin(), events.end(), [](const ReplayEvent& e) { return IsInput(e.kind); });
    std::int64_t last = 0;
    long steps = 0;
    std::vector<std::string> shown;  // each input as the watcher is told of it
    for (const ReplayEvent* next = player.NextInput(); next; next = player.NextInput()) {
        EXPECT_GE(next->ms, last);
        last = next->ms;
        ++steps;
        shown.push_back(std::to_string(next->ms) + " " + Describe(*next));
        player.Step();
    }
    EXPECT_EQ(steps, inputs - 3);
    EXPECT_EQ(last, 200 * 50);  // the menu's stop, after 200 ticks
    const ReplayOutcome outcome = player.Finish();
    EXPECT_TRUE(outcome.verified) << outcome.field << ": " << outcome.reason;
    EXPECT_GT(outcome.result.score, 0);

    // A call the game no longer makes, left between two inputs: stepping passes over it to the
    // next input, and the inputs still come in their order.
    std::vector<ReplayEvent> extra = events;
    const auto later = std::find_if(extra.begin() + static_cast<std::ptrdiff_t>(extra.size() / 2), extra.end(),
                                    [](const ReplayEvent& e) { return IsInput(e.kind); });
    ASSERT_NE(later, extra.end());
    ReplayEvent sound = MakeEvent(EventKind::Sound, 0, "res/none.wav");
    sound.ms = later->ms;
    extra.insert(later, sound);
    ReplayPlayer stepped(WithEvents(replays[0], extra), pixel);
    std::vector<std::string> shownAgain;
    for (const ReplayEvent* next = stepped.NextInput(); next; next = stepped.NextInput()) {
        shownAgain.push_back(std::to_string(next->ms) + " " + Describe(*next));
        stepped.Step();
    }
    EXPECT_EQ(shownAgain, shown);
    EXPECT_FALSE(stepped.Finish().verified);

    // Told that it has a race, the game asks for no dialog: the recorded one is passed over
    // whole, with the inputs that came while it waited, and the rest plays as recorded.
    Replay raced = replays[0];
    raced.start.race = "df";
    const ReplayOutcome skipped = VerifyReplay(raced);
    EXPECT_FALSE(skipped.verified);
    EXPECT_NE(skipped.reason.find("the recording has dialog"), std::string::npos) << skipped.reason;
    KeptGame numbers = skipped.result, kept = raced.summary;
    numbers.actions.clear();
    kept.actions.clear();
    EXPECT_EQ(numbers, kept);

    // Events that end inside a call are a damaged recording, and nothing of it is played.
    std::vector<ReplayEvent> cut(events.begin(), events.begin() + 3);
    const ReplayOutcome damaged = VerifyReplay(WithEvents(replays[0], cut));
    EXPECT_FALSE(damaged.verified);
    EXPECT_EQ(damaged.reason, "the recording is damaged: the events end inside a call");
}

// An input's end with no input under way leaves the recorder at the outermost level: the next
// input is one the game gets from its front end, not from inside another.
TEST(RecorderTest, AnEndWithNoInputUnderWayLeavesTheRecorderOutermost)
{
    Recorder recorder([] { return std::int64_t{0}; });
    recorder.Enable([](Replay) {});
    ReplayEvent click;
    click.kind = EventKind::Press;
    recorder.BeginInput(click);
    EXPECT_FALSE(recorder.Outermost());
    recorder.EndInput(std::nullopt, false);
    recorder.EndInput(std::nullopt, false);
    EXPECT_TRUE(recorder.Outermost());
    recorder.BeginInput(click);
    EXPECT_FALSE(recorder.Outermost());
}

// Each paint of a replay is clipped to its own box, not to what the boxes before it had in common.
TEST(MemoryScreenTest, EachPaintDrawsWithinItsOwnBox)
{
    MemoryScreen screen(40, 20);
    const COLORREF gray = Rgb(128, 128, 128), red = Rgb(255, 0, 0);
    for (const CRect box : {CRect{0, 0, 10, 10}, CRect{20, 5, 30, 15}}) {
        CDC* dc = screen.BeginPaint(box);
        ASSERT_NE(dc, nullptr);
        dc->FillSolidRect(CRect{0, 0, 40, 20}, red);
        screen.EndPaint();
    }
    auto at = [&](int x, int y) {
        return ColorFromPixel(screen.Pixels().GetPixels()[static_cast<std::size_t>(y) * 40 + x]);
    };
    EXPECT_EQ(at(5, 5), red);
    EXPECT_EQ(at(25, 10), red);
    EXPECT_EQ(at(15, 5), gray);
    EXPECT_EQ(at(35, 18), gray);
}

TEST_F(ReplayTest, NothingIsKeptWhileRecordingIsOffOfAGameStartedBeforeOrOfOneThatEndsWithoutResults)
{
    Run("profile Race df\nstart\nclick 1 1 left\ntick 100\ncommand 32784\n");
    EXPECT_EQ(m_session.GameRecorder().EventCount(), 0u);
    // A game already under way when recording is switched on is not recorded: its start is gone.
    Run("command 32784\ntick 50\n");
    Collect();
    Run("tick 50\ncommand 32784\n");
    EXPECT_TRUE(m_finished.empty());
    ASSERT_EQ(m_session.Platform().history.Games().size(), 2u);
    Run("command 32784\ntick 50\n");
    EXPECT_GT(m_session.GameRecorder().EventCount(), 100u);
    Run("exit\n");
    EXPECT_TRUE(m_finished.empty());
}

TEST_F(ReplayTest, AFiveMinuteGameAtThreeHundredActionsAMinuteTakesAtMost64KB)
{
    m_session.Platform().files = DiskFiles({ORBICLE_SOURCE_DIR});
    Run("record " + File("long.orbicle-replay") + "\n");
    const long actions = PlayAimedGame(m_session, AimedPlay{});
    ASSERT_TRUE(m_ok);
    EXPECT_GT(actions, 1400);  // about 300 a minute for 5 minutes
    const auto size = std::filesystem::file_size(File("long.orbicle-replay"));
    EXPECT_LE(size, 64u * 1024);
    RecordProperty("replay_bytes", std::to_string(size));
    EXPECT_EQ(Run("replay " + File("long.orbicle-replay") + "\n").substr(0, 18), "replay verified 1\n");
}

TEST(ReplayOfTheDesktopProgram, AGamePlayedWithRealInputVerifiesOnEverySystemAndInEveryVersion)
{
    // Recorded once by the desktop program with ORBICLE_RECORD under Xvfb, with xdotool: the race
    // dialog (the frame inactive while it was open), hits with and without keys, a miss, a
    // double press, a pause, the About box, File > Stop Game. A change to the game's rules makes
    // it fail; that is the point: every kept replay of earlier versions must still verify.
    const ReplayRead read = ReadReplayFile(ORBICLE_SOURCE_DIR "/tests/replay/data/desktop-game.orbicle-replay");
    ASSERT_TRUE(read.replay) << read.problem;
    const std::vector<ReplayEvent> events = Events(*read.replay);
    auto count = [&](EventKind kind) {
        return std::count_if(events.begin(), events.end(), [&](const ReplayEvent& e) { return e.kind == kind; });
    };
    EXPECT_EQ(events[1].kind, EventKind::Dialog);
    EXPECT_EQ(events[2].kind, EventKind::Activate);
    EXPECT_GE(count(EventKind::Sleep), 1);
    EXPECT_GE(count(EventKind::Key), 1);
    const ReplayOutcome outcome = VerifyReplay(*read.replay);
    EXPECT_TRUE(outcome.verified) << outcome.field << ": " << outcome.reason;
    EXPECT_EQ(outcome.result.race, "df");
}

namespace {
// The steady clock of a busy machine: unlike the script's clock it moves while the game handles
// an input, a few milliseconds at each reading.
class BusyClock : public IClock {
public:
    explicit BusyClock(HeadlessClock& clock) : m_clock(clock) {}
    time64 Now() const override { return m_clock.Now(); }
    std::int64_t SteadyMs() const override { return m_clock.SteadyMs() + (m_busyMs += 3); }
    void Sleep(unsigned int ms) override { m_clock.Sleep(ms); }

private:
    HeadlessClock& m_clock;
    mutable std::int64_t m_busyMs = 0;
};
}  // namespace

TEST_F(ReplayTest, TheSteadyClockIsReplayedSoEveryActionKeepsItsTimes)
{
    HeadlessPlatform platform;
    platform.files = DiskFiles({m_folder.Path()});
    platform.profile.WriteString(CGameView::SettingsSection, "Race", "df");
    platform.profile.WriteString(CGameView::SettingsSection, "Options", "11111");
    BusyClock clock(platform.clock);
    GameServices services{clock,
                          platform.random,
                          platform.sound,
                          platform.files,
                          platform.messages,
                          platform.profile,
                          platform.raceDialog,
                          platform.history};
    const std::vector<Replay> replays = RecordGame(platform, services, [&](CMainFrame& frame, GameInput& input) {
        input.Activate(true);
        input.Press(MouseButton::Left, false, CPoint{5, 5});
        for (int tick = 0; tick < 400; ++tick) {
            platform.clock.Advance(50 + tick % 7);
            input.Timer(1);
            input.Paint();
            const CGameView& view = frame.m_wndView;
            if (tick % 5 == 0 && !view.m_listCircles.empty()) {
                const CCircle c = view.m_listCircles.front();
                if (!c.m_strLabel.empty())
                    input.Key(static_cast<unsigned char>(c.m_strLabel[0]));
                input.Press(c.m_bLeftButton ? MouseButton::Left : MouseButton::Right, false, CPoint{c.m_nX, c.m_nY});
            }
            if (tick == 150) {  // a pause and the frame away: holds the actions' times leave out
                input.Command(32788);
                platform.clock.Advance(1500);
                input.Command(32788);
                input.Activate(false);
                platform.clock.Advance(700);
                input.Activate(true);
            }
        }
        EXPECT_EQ(input.Command(32784), CommandResult::Done);
    });
    ASSERT_EQ(replays.size(), 1u);
    const KeptGame kept = platform.history.Games().at(0);
    Replay replay = replays[0];
    replay.summary.actions = platform.history.Actions(kept.id);
    const auto timedHits = std::count_if(replay.summary.actions.begin(), replay.summary.actions.end(),
                                         [](const KeptAction& a) { return a.reactionMs > 0 && a.keyMs >= 0; });
    ASSERT_GE(timedHits, 5);

    // Every action replays to the millisecond, reaction and key times included.
    ReplayOutcome outcome = VerifyReplay(DecodeReplay(EncodeReplay(replay)).replay.value());
    EXPECT_TRUE(outcome.verified) << outcome.field << ": " << outcome.reason;  // no actions in the file
    outcome = VerifyReplay(replay);
    EXPECT_TRUE(outcome.verified) << outcome.field << ": " << outcome.reason;
    EXPECT_EQ(outcome.result.actions, replay.summary.actions);

    // One reading a millisecond later: the game's numbers agree, its actions do not.
    std::vector<ReplayEvent> events = Events(replay);
    const auto first =
        std::find_if(events.begin(), events.end(), [](const ReplayEvent& e) { return e.kind == EventKind::Steady; });
    ASSERT_NE(first, events.end());
    first->value += 1;
    outcome = VerifyReplay(WithEvents(replay, events));
    EXPECT_FALSE(outcome.verified);
    EXPECT_EQ(outcome.field, "actions");

    // A recording of format 1 was made before the game read a steady clock: its readings are
    // answered with the times of the inputs, and its numbers still verify.
    std::erase_if(events, [](const ReplayEvent& e) { return e.kind == EventKind::Steady; });
    Replay older = WithEvents(replay, events);
    older.format = 1;
    older.start.practiseWeights.clear();
    older.summary.actions.clear();
    outcome = VerifyReplay(DecodeReplay(EncodeReplay(older)).replay.value());
    EXPECT_TRUE(outcome.verified) << outcome.field << ": " << outcome.reason;
    EXPECT_EQ(outcome.result.score, kept.score);
}

TEST_F(ReplayTest, AGameWithPractiseSlowKeysReplaysWithItsWeightsWhateverTheWatchersHistory)
{
    // The last games say Q is slow, W quick and E in between; R and F1 were never hit.
    for (int game = 0; game < 10; ++game) {
        KeptGame kept;
        for (const auto& [key, ms] : {std::pair{'Q', 2000}, {'W', 300}, {'E', 800}}) {
            for (int i = 0; i < 3; ++i)
                kept.actions.push_back(KeptAction{KeptAction::Kind::Hit, KeptAction::Button::Left,
                                                  static_cast<unsigned char>(key), 0, 0, 0, ms, ms / 2});
        }
        m_session.Platform().history.Keep(kept);
    }
    Collect();
    Run("profile Options 11111\nprofile Race df\nprofile PractiseSlowKeys 1\nstart\nclick 1 1 left\n");
    m_session.Platform().window.SetClientSize(1, 1);
    int labelled = 0;
    for (int round = 0; round < 300 && m_session.View()->m_bRunning; ++round) {
        Run("tick 2\n");
        if (!m_session.View()->m_listCircles.empty()) {
            labelled += m_session.View()->m_listCircles.front().m_strLabel.empty() ? 0 : 1;
            Hit();
        }
    }
    Run("command 32784\n");
    ASSERT_TRUE(m_ok);
    ASSERT_EQ(m_finished.size(), 1u);
    ASSERT_GE(labelled, 20);
    Replay replay = m_finished[0].replay;
    // QWERp: the slowest and the never hit weigh 16, the quickest 4, E 4 + 500 * 12 / 1700.
    EXPECT_EQ(replay.start.practiseWeights, (std::vector<int>{16, 4, 7, 16, 16}));

    // Watched in a session with no history, and in this one, whose history has gained the game
    // itself since: the same game, field by field.
    ASSERT_EQ(WriteReplayFile(File("practise.orbicle-replay"), replay), "");
    SimSession watcher;
    std::ostringstream out;
    EXPECT_TRUE(watcher.Execute("replay " + File("practise.orbicle-replay"), out));
    EXPECT_EQ(out.str(), "replay verified 1\n" + m_finished[0].state + "\n");
    EXPECT_EQ(Run("replay " + File("practise.orbicle-replay") + "\n"), out.str());

    // Without its weights the labels are the game's own draw, and the replay goes otherwise.
    replay.start.practiseWeights.clear();
    const ReplayOutcome none = VerifyReplay(replay);
    EXPECT_FALSE(none.verified);
    EXPECT_FALSE(none.field.empty());
    // Weights that do not fit the hotkey set count as none: the game goes just as without them.
    replay.start.practiseWeights = {16, 4};
    const ReplayOutcome outcome = VerifyReplay(replay);
    EXPECT_EQ(std::tie(outcome.verified, outcome.field, outcome.reason),
              std::tie(none.verified, none.field, none.reason));
    EXPECT_EQ(outcome.result, none.result);
}
