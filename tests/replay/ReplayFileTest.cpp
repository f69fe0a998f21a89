// The replay file and its event stream: every kind of event read back as written, and files
// that are no replays, come from a later format, are cut short, damaged or out of range,
// refused with their message.
#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>

#ifndef _WIN32
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/replay/ReplayFile.h"
#include "tests/TempDir.h"
#include "tests/replay/Reseal.h"

namespace {
ReplayEvent Make(EventKind kind, std::int64_t ms, std::int64_t value = 0, std::string text = {})
{
    ReplayEvent e = MakeEvent(kind, value, std::move(text));
    e.ms = ms;
    return e;
}

// One of each kind, with the values at the edges of their ranges, a dialog that waits while
// inputs arrive, repeated strings and rectangles, and times that go back.
std::vector<ReplayEvent> EveryKind()
{
    std::vector<ReplayEvent> events;
    ReplayEvent press = Make(EventKind::Press, 0, 1);
    press.extra = 1;
    press.point = CPoint{-2147483647 - 1, 2147483647};
    events.push_back(press);
    events.push_back(Make(EventKind::Dialog, 0, 0));
    events.push_back(Make(EventKind::Paint, 3));
    ReplayEvent box = Make(EventKind::PaintBox, 3, 1);
    box.rect = CRect{0, 0, 704, 528};
    events.push_back(box);
    events.push_back(Make(EventKind::Activate, 4, 0));
    events.push_back(Make(EventKind::Activate, 900, 1));
    events.push_back(Make(EventKind::DialogAnswer, 901, 1, "df"));
    events.push_back(Make(EventKind::Now, 901, 1767614400));
    events.push_back(Make(EventKind::Seed, 901, 4294967295));
    events.push_back(Make(EventKind::Steady, 901, 9'000'000'000'000));
    events.push_back(Make(EventKind::Steady, 901, 9'000'000'000'050));
    events.push_back(Make(EventKind::Open, 901, 1, "res\\keys_df.txt"));
    events.push_back(Make(EventKind::Read, 901, 0, std::string("Q\0", 2)));
    events.push_back(Make(EventKind::Read, 901, 0, ""));
    events.push_back(Make(EventKind::Open, 901, 0, "res\\keys_df.txt"));
    events.push_back(Make(EventKind::MessageBox, 901, 0, "Cannot open the file res\\keys_.txt"));
    events.push_back(Make(EventKind::Return, 5000));
    events.push_back(Make(EventKind::SyncSound, 5000, 0, "res/welcome.wav"));
    events.push_back(Make(EventKind::Return, 5000));
    ReplayEvent timer = Make(EventKind::SetTimer, 5000, 1);
    timer.extra = 50;
    timer.answer = 1;
    events.push_back(timer);
    events.push_back(Make(EventKind::Timer, 4950, 1));  // a clock set back
    events.push_back(Make(EventKind::Now, 4950, -5));
    events.push_back(Make(EventKind::Steady, 4950, -1));
    ReplayEvent invalid = Make(EventKind::Invalidate, 4950, 0);
    invalid.rect = CRect{0, 0, 704, 528};
    events.push_back(invalid);
    events.push_back(invalid);
    events.push_back(Make(EventKind::Paint, 4951));
    events.push_back(box);
    events.push_back(Make(EventKind::Paint, 4952));
    events.push_back(Make(EventKind::PaintBox, 4952, 0));
    events.push_back(Make(EventKind::Key, 5000, 4294967295));
    events.push_back(Make(EventKind::Sound, 5001, 0, "res/hit3.wav"));
    events.push_back(Make(EventKind::Sound, 5002, 0, "res/hit3.wav"));
    events.push_back(Make(EventKind::Command, 5003, 32788));
    events.push_back(Make(EventKind::Sleep, 5004, 750));
    events.push_back(Make(EventKind::Return, 5754));
    ReplayEvent kill = Make(EventKind::KillTimer, 9'000'000'000'000'000'000, 1);
    kill.answer = 1;
    events.push_back(kill);
    events.push_back(Make(EventKind::Dialog, -9'000'000'000'000'000'000, 1));
    events.push_back(Make(EventKind::DialogAnswer, -9'000'000'000'000'000'000, 0));
    return events;
}

std::string Encode(const std::vector<ReplayEvent>& events)
{
    EventWriter writer;
    for (const ReplayEvent& e : events)
        writer.Add(e);
    return writer.Bytes();
}

Replay Sample()
{
    Replay replay;
    replay.program = "1.0.0";
    replay.summary.started = 1767614400;
    replay.summary.ended = 1767614460;
    replay.summary.playSeconds = 59;
    replay.summary.race = "df";
    replay.summary.statistics = replay.summary.noIntersect = replay.summary.sounds = 1;
    replay.summary.width = 704;
    replay.summary.height = 528;
    replay.summary.score = 1234;
    replay.summary.average = 61;
    replay.summary.best = 80;
    replay.summary.last = -3;
    replay.summary.accuracy = 97;
    replay.summary.useful = 70;
    replay.summary.misses = 2;
    replay.summary.samples = {0, 40, 80, -2147483647 - 1};
    replay.start =
        ReplayStart{704, 528, {1, 1, 0, 1, -48}, "df", 5, 20, 1, -1767614400, 0, {0, 186, 154, 0, 12}, {4, 16, 255, 1}};
    replay.events = Encode(EveryKind());
    return replay;
}

std::string Problem(std::string_view bytes)
{
    const ReplayRead read = DecodeReplay(bytes, "F");
    EXPECT_FALSE(read.replay) << read.problem;
    return read.problem;
}
}  // namespace

TEST(ReplayEvents, EveryKindIsReadBackAsWritten)
{
    const std::vector<ReplayEvent> events = EveryKind();
    std::vector<ReplayEvent> read;
    std::string problem;
    ASSERT_TRUE(DecodeEvents(Encode(events), read, problem)) << problem;
    ASSERT_EQ(read.size(), events.size());
    for (std::size_t i = 0; i < events.size(); ++i)
        EXPECT_EQ(read[i], events[i]) << i << ": " << Describe(events[i]) << " read as " << Describe(read[i]);
    // Strings are written once: the second hit3 sound costs a few bytes.
    EXPECT_LT(
        Encode({Make(EventKind::Sound, 0, 0, "res/hit3.wav"), Make(EventKind::Sound, 0, 0, "res/hit3.wav")}).size(),
        2 * Encode({Make(EventKind::Sound, 0, 0, "res/hit3.wav")}).size());
}

TEST(ReplayEvents, StreamsThatAreNotWellFormedAreRefusedWithWhatIsWrong)
{
    auto refused = [](const std::string& bytes) {
        std::vector<ReplayEvent> events;
        std::string problem;
        EXPECT_FALSE(DecodeEvents(bytes, events, problem));
        return problem;
    };
    const std::string timer = Encode({Make(EventKind::Timer, 0, 1)});
    EXPECT_EQ(refused("\x07\x00"), "event 1 is not well formed");                      // no kind 7
    EXPECT_EQ(refused(timer + "\x01"), "event 2 is not well formed");                  // cut in the middle
    EXPECT_EQ(refused(std::string("\x06\x00\x02", 3)), "event 1 is not well formed");  // activate 2
    EXPECT_EQ(refused(std::string("\x13\x00\x01", 3)), "event 1 is not well formed");  // a string never written
    // A varint of eleven bytes, and one whose tenth byte overflows 64 bits.
    EXPECT_EQ(refused("\x01" + std::string(10, '\x80') + "\x01"), "event 1 is not well formed");
    EXPECT_EQ(refused(std::string("\x01\x00", 2) + std::string(9, '\xFF') + "\x02"), "event 1 is not well formed");
    EXPECT_EQ(refused(Encode({Make(EventKind::Return, 0)})), "event 1 ends a call that was not made");
    EXPECT_EQ(refused(Encode({Make(EventKind::Sleep, 0, 1), Make(EventKind::DialogAnswer, 0)})),
              "event 2 ends a call that was not made");
    EXPECT_EQ(refused(Encode({Make(EventKind::Dialog, 0), Make(EventKind::Paint, 0)})), "the events end inside a call");
    std::vector<ReplayEvent> deep(MaxCallDepth + 1, Make(EventKind::Sleep, 0, 1));
    EXPECT_EQ(refused(Encode(deep)), "calls nest deeper than 16");
    deep.pop_back();
    deep.insert(deep.end(), MaxCallDepth, Make(EventKind::Return, 0));
    std::vector<ReplayEvent> read;
    std::string problem;
    EXPECT_TRUE(DecodeEvents(Encode(deep), read, problem)) << problem;
}

TEST(ReplayFile, KeepsEverythingItIsGiven)
{
    const Replay replay = Sample();
    const std::string bytes = EncodeReplay(replay);
    EXPECT_EQ(bytes.substr(0, ReplayMagic.size()), ReplayMagic);
    EXPECT_EQ(bytes[ReplayMagic.size()], 2);  // format 2, little-endian
    const ReplayRead read = DecodeReplay(bytes);
    ASSERT_TRUE(read.replay) << read.problem;
    EXPECT_EQ(*read.replay, replay);
    // An empty recording is a recording too.
    Replay empty = replay;
    empty.events.clear();
    EXPECT_EQ(DecodeReplay(EncodeReplay(empty)).replay, empty);
}

TEST(ReplayFile, AFormatOneReplayStaysOneWithoutPractiseWeights)
{
    // Format 1 has no weights in its start: it is written and read as it was made.
    Replay old = Sample();
    old.format = 1;
    old.start.practiseWeights.clear();
    const std::string bytes = EncodeReplay(old);
    EXPECT_EQ(bytes[ReplayMagic.size()], 1);
    EXPECT_EQ(bytes.size(), EncodeReplay(Sample()).size() - 6);  // a count and four weights, one of two bytes
    const ReplayRead read = DecodeReplay(bytes);
    ASSERT_TRUE(read.replay) << read.problem;
    EXPECT_EQ(*read.replay, old);
}

TEST(ReplayFile, RefusesWhatIsNotAWholeReplayOfItsFormat)
{
    const std::string bytes = EncodeReplay(Sample());
    EXPECT_EQ(Problem(""), "F is not an Orbicle replay");
    EXPECT_EQ(Problem("\x89PNG\r\n\x1a\n......"), "F is not an Orbicle replay");
    std::string later = bytes;
    later[ReplayMagic.size()] = 3;
    EXPECT_EQ(Problem(later), "F was made by a newer Orbicle (replay format 3; this one reads 2)");
    std::string none = Resealed(bytes);
    none[ReplayMagic.size()] = 0;
    EXPECT_EQ(Problem(none), "F is damaged: it names replay format 0");
    EXPECT_EQ(Problem(bytes.substr(0, ReplayMagic.size() + 3)), "F is cut short: it ends within its first 20 bytes");
    // Cut anywhere after its head, it says how much of it is there.
    for (std::size_t size = ReplayMagic.size() + 6; size < bytes.size(); ++size)
        EXPECT_EQ(Problem(bytes.substr(0, size)), "F is cut short: it has " + std::to_string(size) + " of its " +
                                                      std::to_string(bytes.size()) + " bytes");
    EXPECT_EQ(Problem(bytes + "x"), "F is damaged: it is " + std::to_string(bytes.size() + 1) +
                                        " bytes long but says " + std::to_string(bytes.size()));
}

TEST(ReplayFile, AnyByteChangedWithoutItsChecksumIsRefused)
{
    const std::string bytes = EncodeReplay(Sample());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (const unsigned char flip : {0x01, 0x80, 0xFF}) {
            std::string damaged = bytes;
            damaged[i] = static_cast<char>(damaged[i] ^ flip);
            const ReplayRead read = DecodeReplay(damaged);
            EXPECT_FALSE(read.replay) << "byte " << i << " ^ " << int(flip);
            // Past the magic, the format and the length, it is the checksum that catches it.
            if (i >= ReplayMagic.size() + 6) {
                EXPECT_EQ(read.problem, "the replay is damaged: its checksum does not match its contents") << i;
            }
        }
    }
}

TEST(ReplayFile, ContentsOutOfTheirRangesAreRefusedEvenWithTheRightChecksum)
{
    auto problemOf = [](const Replay& replay) { return Problem(EncodeReplay(replay)); };
    Replay replay = Sample();
    replay.start.slotTicks = 6;  // the game counts 0 to 5
    EXPECT_EQ(problemOf(replay), "F is damaged: its header is out of range");
    replay = Sample();
    replay.start.width = 16385;
    EXPECT_EQ(problemOf(replay), "F is damaged: its header is out of range");
    replay = Sample();
    replay.summary.samples.assign(1025, 1);
    EXPECT_EQ(problemOf(replay), "F is damaged: its header is out of range");
    replay = Sample();
    replay.start.rateHistory.assign(1025, 1);
    EXPECT_EQ(problemOf(replay), "F is damaged: its header is out of range");
    replay = Sample();
    replay.start.practiseWeights.assign(1025, 4);  // a hotkey set has at most 1024 labels
    EXPECT_EQ(problemOf(replay), "F is damaged: its header is out of range");
    for (const int weight : {0, 256}) {
        replay = Sample();
        replay.start.practiseWeights[1] = weight;
        EXPECT_EQ(problemOf(replay), "F is damaged: its header is out of range") << weight;
    }
    replay = Sample();
    replay.events = "\x07";
    EXPECT_EQ(problemOf(replay), "F is damaged: event 1 is not well formed");

    // A recording that claims to unpack to far more than zlib can make of its bytes, or to
    // another size than it does, or whose packed bytes are no zlib stream.
    const std::string events = Sample().events;
    uLongf packedSize = compressBound(static_cast<uLong>(events.size()));
    std::string packed(packedSize, '\0');
    ASSERT_EQ(
        compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(events.data()),
                  static_cast<uLong>(events.size()), Z_BEST_COMPRESSION),
        Z_OK);
    packed.resize(packedSize);
    const std::string bytes = EncodeReplay(Sample());
    ASSERT_EQ(bytes.substr(bytes.size() - 4 - packed.size(), packed.size()), packed);
    auto varint = [](std::uint64_t v) {
        std::string out;
        for (; v >= 0x80; v >>= 7)
            out += static_cast<char>(v | 0x80);
        return out + static_cast<char>(v);
    };
    const std::size_t tail = varint(events.size()).size() + varint(packed.size()).size() + packed.size() + 4;
    const std::string head = bytes.substr(0, bytes.size() - tail);
    auto file = [&](std::uint64_t rawSize, const std::string& data) {
        return Resealed(head + varint(rawSize) + varint(data.size()) + data + "0000");
    };
    EXPECT_EQ(DecodeReplay(file(events.size(), packed)).replay, Sample());
    EXPECT_EQ(
        Problem(file(packed.size() * 1032 + 65, packed)),
        "F is damaged: its recording claims to unpack to " + std::to_string(packed.size() * 1032 + 65) + " bytes");
    EXPECT_EQ(Problem(file(events.size() + 1, packed)), "F is damaged: its recording does not unpack");
    EXPECT_EQ(Problem(file(events.size() - 1, packed)), "F is damaged: its recording does not unpack");
    EXPECT_EQ(Problem(file(events.size(), std::string(packed.size(), 'x'))),
              "F is damaged: its recording does not unpack");
    EXPECT_EQ(Problem(file(events.size(), packed + "x")), "F is damaged: its recording does not unpack");
}

#ifndef _WIN32
// A file that can be seen but not opened: its owner's permissions deny everyone, and the reader
// is the root of a user namespace of its own, which holds no rights over files it does not map.
// Skipped where the system allows no such namespace.
TEST(ReplayFile, AFileThatCannotBeOpenedIsNamedWithTheReason)
{
    TempDir folder;
    const std::string path = (folder.Path() / "locked.orbicle-replay").string();
    ASSERT_EQ(WriteReplayFile(path, Sample()), "");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const pid_t pid = fork();
    if (pid == 0) {
        if (getuid() != 0 || unshare(CLONE_NEWUSER) != 0)
            _exit(77);
        std::ofstream("/proc/self/setgroups") << "deny";
        std::ofstream("/proc/self/uid_map") << "0 54321 1";
        std::ofstream("/proc/self/gid_map") << "0 54321 1";
        _exit(ReadReplayFile(path).problem == "cannot read " + path + ": Permission denied" ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "not root, or no user namespace of its own on this system";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif

TEST(ReplayFile, IsWrittenAndReadOnDiskAndAMissingFileIsNamed)
{
    TempDir folder;
    const std::string path = (folder.Path() / "game.orbicle-replay").string();
    EXPECT_EQ(WriteReplayFile(path, Sample()), "");
    const ReplayRead read = ReadReplayFile(path);
    ASSERT_TRUE(read.replay) << read.problem;
    EXPECT_EQ(*read.replay, Sample());
    EXPECT_EQ(ReadReplayFile(path + ".none").problem.rfind("cannot read " + path + ".none: ", 0), 0u);
    EXPECT_EQ(ReadReplayFile(folder.Path().string()).problem.rfind("cannot read ", 0), 0u);
    // A file of the largest size a replay may have is read (these zeros are no replay); one
    // byte more is refused unread.
    const std::string large = (folder.Path() / "large.orbicle-replay").string();
    std::ofstream{large};
    std::filesystem::resize_file(large, MaxReplayFileBytes);
    EXPECT_EQ(ReadReplayFile(large).problem.find("too large"), std::string::npos) << ReadReplayFile(large).problem;
    std::filesystem::resize_file(large, MaxReplayFileBytes + 1);
    EXPECT_EQ(ReadReplayFile(large).problem,
              large + " is too large to be a replay (" + std::to_string(MaxReplayFileBytes + 1) + " bytes)");
    EXPECT_EQ(
        WriteReplayFile((folder.Path() / "no" / "such.orbicle-replay").string(), Sample()).rfind("cannot write ", 0),
        0u);
}
