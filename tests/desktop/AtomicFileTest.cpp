// Replacing a file safely: the order of the calls that make it survive a crash, what the disk
// holds after each call that fails, the permissions kept, nothing left beside the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/desktop/AtomicFile.h"
#include "tests/TempDir.h"

namespace fs = std::filesystem;

namespace {
using Names = std::vector<std::string>;

// A folder for the file, a known file-creation mask, and no descriptor left open at the end.
class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override { m_mask = ::umask(022); }
    void TearDown() override
    {
        ::umask(m_mask);
        EXPECT_EQ(OpenDescriptors(), m_descriptors) << "a descriptor was left open";
    }

    static long OpenDescriptors() { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); }

    Names Folder() const
    {
        Names names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_tmp.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string Text(const fs::path& file)
    {
        std::string text;
        EXPECT_FALSE(ReadWholeFile(file, text)) << file;
        return text;
    }

    static unsigned Mode(const fs::path& file)
    {
        struct stat st {};
        ::stat(file.c_str(), &st);
        return st.st_mode & 07777;
    }

    // The system's calls with one of them failing with error; the rest pass.
    template <typename Call>
    static FileCalls Failing(Call FileCalls::*call, int error)
    {
        FileCalls calls = SystemFileCalls();
        calls.*call = [error](auto...) {
            errno = error;
            return -1;
        };
        return calls;
    }

    TempDir m_tmp;
    const fs::path m_file = m_tmp.Path() / "game.conf";
    mode_t m_mask = 0;
    long m_descriptors = OpenDescriptors();
};
}  // namespace

TEST_F(AtomicFileTest, TheContentIsWrittenAndSyncedBeforeTheRenameAndThePermissionsStay)
{
    // What reaches the disk, in order; writes go three bytes at a time, with an interruption
    // before each, as a signal may cut a write short.
    std::vector<std::string> seen;
    FileCalls calls = SystemFileCalls();
    auto say = [&seen](const std::string& what) {
        if (seen.empty() || seen.back() != what)
            seen.push_back(what);
    };
    bool interrupt = false;
    calls.write = [&](int fd, const void* bytes, std::size_t size) -> std::ptrdiff_t {
        say("write");
        errno = EINTR;
        return (interrupt = !interrupt) ? -1 : ::write(fd, bytes, std::min<std::size_t>(size, 3));
    };
    calls.fchmod = [&](int fd, unsigned mode) {
        say("chmod " + std::to_string(mode));
        return ::fchmod(fd, mode);
    };
    calls.fsync = [&](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        say(S_ISDIR(st.st_mode) ? "sync folder" : "sync file");
        return ::fsync(fd);
    };
    calls.rename = [&](const char* from, const char* to) {
        say("rename");
        return ::rename(from, to);
    };

    // A first save, into an empty folder: a new file with the mode that new files get. Each
    // step is reported once it is done.
    auto step = [&say](ReplaceStep reached) { say("step " + std::to_string(static_cast<int>(reached))); };
    EXPECT_FALSE(ReplaceFile(m_file, "[Settings]\nRace=hu\n", step, calls));
    EXPECT_EQ(seen,
              (Names{"step 0", "write", "step 1", "sync file", "step 2", "rename", "step 3", "sync folder", "step 4"}));
    EXPECT_EQ(Text(m_file), "[Settings]\nRace=hu\n");
    EXPECT_EQ(Mode(m_file), 0644u);
    // A file made private, read-only or executable keeps its mode.
    for (const unsigned mode : {0600u, 0444u, 0755u}) {
        ::chmod(m_file.c_str(), mode);
        seen.clear();
        EXPECT_FALSE(ReplaceFile(m_file, "[Settings]\nRace=" + std::to_string(mode) + "\n", {}, calls));
        EXPECT_EQ(seen, (Names{"write", "chmod " + std::to_string(mode), "sync file", "rename", "sync folder"}));
        EXPECT_EQ(Text(m_file), "[Settings]\nRace=" + std::to_string(mode) + "\n");
        EXPECT_EQ(Mode(m_file), mode);
    }
    EXPECT_EQ(Folder(), Names{"game.conf"});
    // A file named without a folder is in the current one.
    const CurrentDir here(m_tmp.Path());
    EXPECT_FALSE(ReplaceFile("game.conf", "here", {}, calls));
    EXPECT_EQ(Text(m_file), "here");
}

TEST_F(AtomicFileTest, ACallThatFailsBeforeTheRenameLeavesTheOldFileAsItWasAndNothingBeside)
{
    struct Fault {
        FileCalls calls;
        std::errc error;
        bool firstRunFails;  // a file that did not exist has no mode to keep
    };
    // A write that makes no progress (and leaves errno as an earlier call set it) for a while.
    FileCalls noProgress = SystemFileCalls();
    int stuck = 0;
    noProgress.write = [&stuck](int fd, const void* bytes, std::size_t size) -> std::ptrdiff_t {
        errno = EINTR;
        return ++stuck % 5 ? 0 : ::write(fd, bytes, size);
    };
    FileCalls fullAfterAWhile = SystemFileCalls();
    fullAfterAWhile.write = [](int fd, const void* bytes, std::size_t size) -> std::ptrdiff_t {
        errno = ENOSPC;
        return size > 20 ? ::write(fd, bytes, size - 20) : -1;
    };
    const Fault faults[] = {
        {Failing(&FileCalls::write, ENOSPC), std::errc::no_space_on_device, true},
        {fullAfterAWhile, std::errc::no_space_on_device, true},
        {noProgress, std::errc::io_error, true},
        {Failing(&FileCalls::fchmod, EPERM), std::errc::operation_not_permitted, false},
        {Failing(&FileCalls::fsync, EIO), std::errc::io_error, true},
        {Failing(&FileCalls::rename, EXDEV), std::errc::cross_device_link, true},
    };
    const std::string old = "[Other]\nKeep=yes\n";
    const std::string fresh = "[Other]\nKeep=yes\n[Settings]\nLeft=-2000\nTop=77\nRace=ne\n";
    for (const Fault& fault : faults) {
        SCOPED_TRACE(std::make_error_code(fault.error).message());
        m_tmp.Write("game.conf", old);
        ::chmod(m_file.c_str(), 0600);
        EXPECT_EQ(ReplaceFile(m_file, fresh, {}, fault.calls), fault.error);
        EXPECT_EQ(Text(m_file), old);
        EXPECT_EQ(Mode(m_file), 0600u);
        EXPECT_EQ(Folder(), Names{"game.conf"});

        fs::remove(m_file);
        const std::error_code firstRun = ReplaceFile(m_file, fresh, {}, fault.calls);
        EXPECT_EQ(firstRun, fault.firstRunFails ? std::make_error_code(fault.error) : std::error_code());
        EXPECT_EQ(Folder(), fault.firstRunFails ? Names{} : Names{"game.conf"});
    }
    EXPECT_EQ(ReplaceFile(m_tmp.Path() / "missing/game.conf", "new"), std::errc::no_such_file_or_directory);
}

TEST_F(AtomicFileTest, AFolderThatFailsToSyncIsReportedAfterTheRenameUnlessItCannotBeSyncedAtAll)
{
    m_tmp.Write("game.conf", "old");
    FileCalls calls = SystemFileCalls();
    int failure = EIO;
    calls.fsync = [&failure](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        errno = failure;
        return S_ISDIR(st.st_mode) ? -1 : 0;
    };
    EXPECT_EQ(ReplaceFile(m_file, "new", {}, calls), std::errc::io_error);
    EXPECT_EQ(Text(m_file), "new");
    failure = EINVAL;
    EXPECT_FALSE(ReplaceFile(m_file, "newer", {}, calls));
    EXPECT_EQ(Text(m_file), "newer");
    EXPECT_EQ(Folder(), Names{"game.conf"});
}

TEST_F(AtomicFileTest, AWholeFileIsReadThroughInterruptionsAndAFailedReadGivesNoText)
{
    const std::string big(10000, 'x');
    m_tmp.Write("game.conf", big + "end");
    FileCalls calls = SystemFileCalls();
    int reads = 0;
    calls.read = [&reads](int fd, void* buffer, std::size_t size) -> std::ptrdiff_t {
        errno = EINTR;
        return ++reads % 2 ? -1 : ::read(fd, buffer, std::min<std::size_t>(size, 1000));
    };
    std::string text = "before";
    EXPECT_FALSE(ReadWholeFile(m_file, text, calls));
    EXPECT_EQ(text, big + "end");

    calls.read = [&reads](int fd, void* buffer, std::size_t size) -> std::ptrdiff_t {
        errno = EIO;
        return ++reads < 5 ? ::read(fd, buffer, std::min<std::size_t>(size, 1000)) : -1;
    };
    reads = 0;
    EXPECT_EQ(ReadWholeFile(m_file, text, calls), std::errc::io_error);
    EXPECT_EQ(text, "") << "not the part read before the error";
    text = "before";
    EXPECT_EQ(ReadWholeFile(m_tmp.Path() / "missing.conf", text), std::errc::no_such_file_or_directory);
    EXPECT_EQ(text, "");
    EXPECT_EQ(ReadWholeFile(m_tmp.Path(), text), std::errc::is_a_directory);
}

TEST_F(AtomicFileTest, TemporaryFilesOfSavesThatDiedAreRemovedThoseOfALiveSaveAreNotTouched)
{
    // A process that has ended, and this one, which is alive.
    const pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string alive = std::to_string(::getpid());
    m_tmp.Write("game.conf.tmp" + std::to_string(dead) + "-0", "died while saving");
    m_tmp.Write("game.conf.tmp" + alive + "-0", "saving");
    m_tmp.Write("game.conf.tmpx", "not a save's");
    m_tmp.Write("other.conf.tmp" + std::to_string(dead) + "-0", "another file's");
    m_tmp.Write("game.conf", "old");
    EXPECT_FALSE(ReplaceFile(m_file, "new"));
    EXPECT_EQ(Text(m_file), "new");
    EXPECT_EQ(Text(m_tmp.Path() / ("game.conf.tmp" + alive + "-0")), "saving");
    EXPECT_EQ(Folder(), (Names{"game.conf", "game.conf.tmp" + alive + "-0", "game.conf.tmpx",
                               "other.conf.tmp" + std::to_string(dead) + "-0"}));
    // With every name this process may use taken, the save fails and changes nothing.
    for (int attempt = 1; attempt < 100; ++attempt)
        m_tmp.Write("game.conf.tmp" + alive + "-" + std::to_string(attempt), "saving");
    EXPECT_EQ(ReplaceFile(m_file, "newer"), std::errc::file_exists);
    EXPECT_EQ(Text(m_file), "new");
}

TEST_F(AtomicFileTest, AReplacementGoesThroughAsManyLinksAsTheSystemFollowsAndTheLinksStay)
{
    // Forty links, relative and absolute, the most the system follows; the file in a folder
    // of its own.
    m_tmp.Write("real/game.conf", "old");
    fs::path link = "real/game.conf";
    for (int i = 1; i <= 40; ++i) {
        const fs::path name = m_tmp.Path() / ("link" + std::to_string(i));
        fs::create_symlink(i % 2 ? link : m_tmp.Path() / link, name);
        link = name.filename();
    }
    const fs::path last = m_tmp.Path() / link;
    EXPECT_EQ(Text(last), "old");
    EXPECT_FALSE(ReplaceFile(last, "new"));
    EXPECT_EQ(Text(m_tmp.Path() / "real/game.conf"), "new");
    EXPECT_EQ(Folder().size(), 41u) << "every link is still there";
    EXPECT_TRUE(fs::is_symlink(last));

    // One more is a loop for the system: the file cannot be read.
    fs::create_symlink(link, m_tmp.Path() / "link41");
    std::string text;
    EXPECT_EQ(ReadWholeFile(m_tmp.Path() / "link41", text), std::errc::too_many_symbolic_link_levels);
}
