// Replacing a file safely: the order of the calls that make it survive a crash, what the disk
// holds after each call that fails, the permissions kept, nothing left beside the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/desktop/AtomicFile.h"
#include "tests/TempDir.h"

namespace fs = std::filesystem;

namespace {
using Names = std::vector<std::string>;

bool IsFolder(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Octal(unsigned mode)
{
    char text[16];
    std::snprintf(text, sizeof text, "%o", mode);
    return text;
}

// The system's calls with one of them failing with error.
template <typename Call>
FileCalls Failing(Call FileCalls::*call, int error)
{
    FileCalls calls = SystemFileCalls();
    calls.*call = [error](auto...) { return errno = error, -1; };
    return calls;
}

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
    // Files are read as a busy system may deliver them: every other read interrupted by a
    // signal, and at most seven bytes a read.
    static std::string Text(const fs::path& file)
    {
        FileCalls choppy = SystemFileCalls();
        int reads = 0;
        choppy.read = [&reads](int fd, void* buffer, std::size_t size) -> std::ptrdiff_t {
            return ++reads % 2 ? (errno = EINTR, -1) : ::read(fd, buffer, std::min<std::size_t>(size, 7));
        };
        std::string text = "before";
        EXPECT_FALSE(ReadWholeFile(file, text, choppy)) << file;
        return text;
    }
    static std::string Mode(const fs::path& file)
    {
        return Octal(static_cast<unsigned>(fs::status(file).permissions()));
    }

    TempDir m_tmp;
    const fs::path m_file = m_tmp.Path() / "game.conf";
    mode_t m_mask = 0;
    long m_descriptors = OpenDescriptors();
};
}  // namespace

TEST_F(AtomicFileTest, TheContentIsWrittenAndSyncedBeforeTheRenameAndThePermissionsStay)
{
    // What reaches the disk, in order; writes go three bytes at a time, each after an
    // interruption, as signals may cut writes short.
    Names seen;
    auto say = [&seen](const std::string& what) {
        if (seen.empty() || seen.back() != what)
            seen.push_back(what);
    };
    FileCalls calls = SystemFileCalls();
    bool interrupt = false;
    calls.write = [&](int fd, const void* bytes, std::size_t size) -> std::ptrdiff_t {
        say("write");
        errno = EINTR;
        return (interrupt = !interrupt) ? -1 : ::write(fd, bytes, std::min<std::size_t>(size, 3));
    };
    calls.fchmod = [&](int fd, unsigned mode) { return say("chmod " + Octal(mode)), ::fchmod(fd, mode); };
    calls.fsync = [&](int fd) { return say(IsFolder(fd) ? "sync folder" : "sync file"), ::fsync(fd); };
    calls.rename = [&](const char* from, const char* to) { return say("rename"), ::rename(from, to); };

    // Each step is reported once it is done, with what the file holds then (as a kill at that
    // moment would leave it): nothing or the old content until the rename, the new from then on.
    auto step = [&](ReplaceStep reached) {
        say("step " + std::to_string(static_cast<int>(reached)) + " " + (fs::exists(m_file) ? Text(m_file) : "none"));
    };
    // A first save, into an empty folder: a new file with the mode new files get.
    EXPECT_FALSE(ReplaceFile(m_file, "new", step, calls));
    EXPECT_EQ(seen, (Names{"step 0 none", "write", "step 1 none", "sync file", "step 2 none", "rename", "step 3 new",
                           "sync folder", "step 4 new"}));
    EXPECT_EQ(Mode(m_file), "644");
    // A file made private, read-only or executable keeps its mode.
    std::string old = "new";
    for (const std::string mode : {"600", "444", "755"}) {
        ::chmod(m_file.c_str(), std::stoul(mode, nullptr, 8));
        seen.clear();
        EXPECT_FALSE(ReplaceFile(m_file, mode, step, calls));
        EXPECT_EQ(seen, (Names{"step 0 " + old, "write", "chmod " + mode, "step 1 " + old, "sync file", "step 2 " + old,
                               "rename", "step 3 " + mode, "sync folder", "step 4 " + mode}));
        EXPECT_EQ(Mode(m_file), mode);
        old = mode;
    }
    EXPECT_EQ(Folder(), Names{"game.conf"});
}

TEST_F(AtomicFileTest, ACallThatFailsBeforeTheRenameLeavesTheOldFileAsItWasAndNothingBeside)
{
    // A write that makes no progress for a while (with errno as an earlier call left it); one
    // that fails after others wrote part of the file: ProfileTest.
    FileCalls noProgress = SystemFileCalls();
    int stuck = 0;
    noProgress.write = [&stuck](int fd, const void* bytes, std::size_t size) -> std::ptrdiff_t {
        return ++stuck % 5 ? (errno = EINTR, 0) : ::write(fd, bytes, size);
    };
    // Each with its error, and whether it fails a first save too (which has no mode to keep).
    const std::tuple<FileCalls, std::errc, bool> faults[] = {
        {Failing(&FileCalls::write, ENOSPC), std::errc::no_space_on_device, true},
        {noProgress, std::errc::io_error, true},
        {Failing(&FileCalls::fchmod, EPERM), std::errc::operation_not_permitted, false},
        {Failing(&FileCalls::fsync, EIO), std::errc::io_error, true},
        {Failing(&FileCalls::rename, EXDEV), std::errc::cross_device_link, true}};
    const std::string fresh = "[Other]\nKeep=yes\n[Settings]\nLeft=-2000\nTop=77\nRace=ne\n";
    for (const auto& [calls, error, firstRunFails] : faults) {
        SCOPED_TRACE(std::make_error_code(error).message());
        m_tmp.Write("game.conf", "[Other]\nKeep=yes\n");
        ::chmod(m_file.c_str(), 0600);
        EXPECT_EQ(ReplaceFile(m_file, fresh, {}, calls), error);
        EXPECT_EQ(Text(m_file), "[Other]\nKeep=yes\n");
        EXPECT_EQ(Mode(m_file), "600");
        EXPECT_EQ(Folder(), Names{"game.conf"});

        fs::remove(m_file);
        EXPECT_EQ(ReplaceFile(m_file, fresh, {}, calls),
                  firstRunFails ? std::make_error_code(error) : std::error_code());
        EXPECT_EQ(Folder(), firstRunFails ? Names{} : Names{"game.conf"});
    }
    EXPECT_EQ(ReplaceFile(m_tmp.Path() / "missing/game.conf", "new"), std::errc::no_such_file_or_directory);

    // The folder's sync comes after the rename: its failure is reported with the new content
    // in place, unless the file system cannot sync folders at all.
    FileCalls calls = SystemFileCalls();
    int failure = EIO;
    calls.fsync = [&failure](int fd) { return IsFolder(fd) ? (errno = failure, -1) : 0; };
    EXPECT_EQ(ReplaceFile(m_file, "new", {}, calls), std::errc::io_error);
    EXPECT_EQ(Text(m_file), "new");
    failure = EINVAL;
    EXPECT_FALSE(ReplaceFile(m_file, "newer", {}, calls));
    EXPECT_EQ(Text(m_file), "newer");
    EXPECT_EQ(Folder(), Names{"game.conf"});
}

TEST_F(AtomicFileTest, AReadThatFailsGivesNoTextNotEvenWhatWasReadBefore)
{
    m_tmp.Write("game.conf", std::string(10000, 'x'));
    int reads = 0;
    FileCalls calls = SystemFileCalls();
    calls.read = [&reads](int fd, void* buffer, std::size_t size) {
        return ++reads < 2 ? ::read(fd, buffer, size) : (errno = EIO, -1);
    };
    std::string text;
    EXPECT_EQ(ReadWholeFile(m_file, text, calls), std::errc::io_error);
    EXPECT_EQ(text, "");
}

TEST_F(AtomicFileTest, TemporaryFilesOfSavesThatDiedAreRemovedThoseOfALiveSaveAreNotTouched)
{
    // Those of a process that has ended, and of this one, which is alive.
    const pid_t dead = ::fork();
    if (dead == 0)
        ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    auto temporary = [](const std::string& file, pid_t pid, int attempt) {
        return file + ".tmp" + std::to_string(pid) + "-" + std::to_string(attempt);
    };
    const Names kept = {"game.conf", temporary("game.conf", ::getpid(), 0), "game.conf.tmpx",
                        temporary("other.conf", dead, 0)};
    for (const std::string& name : kept)
        m_tmp.Write(name, name);
    m_tmp.Write(temporary("game.conf", dead, 0), "died while saving");
    EXPECT_FALSE(ReplaceFile(m_file, "new"));
    EXPECT_EQ(Text(m_file), "new");
    EXPECT_EQ(Folder(), kept);
    EXPECT_EQ(Text(m_tmp.Path() / kept[1]), kept[1]);
    // With every name this process may use taken, the save fails and changes nothing.
    for (int attempt = 1; attempt < 100; ++attempt)
        m_tmp.Write(temporary("game.conf", ::getpid(), attempt), "saving");
    EXPECT_EQ(ReplaceFile(m_file, "newer"), std::errc::file_exists);
    EXPECT_EQ(Text(m_file), "new");
}

TEST_F(AtomicFileTest, AReplacementGoesThroughAsManyLinksAsTheSystemFollowsAndTheLinksStay)
{
    // Forty links, relative and absolute, the most the system follows, to a file in a folder
    // of its own.
    m_tmp.Write("real/game.conf", "old");
    fs::path link = "real/game.conf";
    for (int i = 1; i <= 40; ++i) {
        const fs::path name = "link" + std::to_string(i);
        fs::create_symlink(i % 2 ? link : m_tmp.Path() / link, m_tmp.Path() / name);
        link = name;
    }
    EXPECT_EQ(Text(m_tmp.Path() / link), "old");
    EXPECT_FALSE(ReplaceFile(m_tmp.Path() / link, "new"));
    EXPECT_EQ(Text(m_tmp.Path() / "real/game.conf"), "new");
    EXPECT_EQ(Folder().size(), 41u);
    EXPECT_TRUE(fs::is_symlink(m_tmp.Path() / link));
}
