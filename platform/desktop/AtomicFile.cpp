// Whole-file reads and crash-safe replacement with POSIX calls (temporary file, fsync, rename).
#include "platform/desktop/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::error_code LastError()
{
    return {errno, std::generic_category()};
}

// A file descriptor closed at the end of its scope, unless closed (and checked) before.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    bool Close() { return ::close(std::exchange(m_fd, -1)) == 0; }

private:
    int m_fd;
};

bool WriteAll(const FileCalls& calls, int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::ptrdiff_t n = calls.write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;  // no progress and no reason given
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A new, empty file beside target, named after it and this process; its name into temp.
Descriptor CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target;
        temp += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        Descriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.Valid() || errno != EEXIST)
            return fd;
    }
    return Descriptor(-1);
}

// Removes the temporary files that saves killed before their rename left beside target: those
// whose process is gone.
void RemoveStaleTemporaries(const std::filesystem::path& target)
{
    const std::string prefix = target.filename().string() + ".tmp";
    std::error_code error;
    for (std::filesystem::directory_iterator it(target.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(prefix))
            continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

// Syncs the folder so that a rename in it is on disk. A file system that cannot sync a folder
// at all says EINVAL: the rename is then as safe as that file system makes it.
std::error_code SyncFolder(const FileCalls& calls, const std::filesystem::path& folder)
{
    Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.Valid() || (calls.fsync(fd.Get()) != 0 && errno != EINVAL))
        return LastError();
    return {};
}
}  // namespace

const FileCalls& SystemFileCalls()
{
    static const FileCalls calls{
        [](int fd, void* buffer, std::size_t size) -> std::ptrdiff_t { return ::read(fd, buffer, size); },
        [](int fd, const void* bytes, std::size_t size) -> std::ptrdiff_t { return ::write(fd, bytes, size); },
        [](int fd, unsigned mode) { return ::fchmod(fd, static_cast<mode_t>(mode)); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
    };
    return calls;
}

std::error_code ReadWholeFile(const std::filesystem::path& file, std::string& text, const FileCalls& calls)
{
    text.clear();
    Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid())
        return LastError();
    char buffer[4096];
    for (;;) {
        const std::ptrdiff_t n = calls.read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const std::error_code error = LastError();
            text.clear();
            return error;
        }
        if (n == 0)
            return {};
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

std::filesystem::path ResolveLinks(const std::filesystem::path& path)
{
    std::filesystem::path file = path;
    // As many links as the system itself follows; a longer chain is left to fail on open.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code notALink;
        const std::filesystem::path target = std::filesystem::read_symlink(file, notALink);
        if (notALink)
            break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

std::error_code ReplaceFile(const std::filesystem::path& file, std::string_view bytes, const ReplaceObserver& observe,
                            const FileCalls& calls)
{
    auto reached = [&](ReplaceStep step) {
        if (observe)
            observe(step);
    };
    const std::filesystem::path target = ResolveLinks(file);
    RemoveStaleTemporaries(target);
    std::filesystem::path temp;
    Descriptor fd = CreateTemporary(target, temp);
    if (!fd.Valid())
        return LastError();
    reached(ReplaceStep::TempCreated);

    // Until the rename an error takes the temporary file away and leaves the file as it was.
    auto failed = [&temp] {
        const std::error_code error = LastError();
        ::unlink(temp.c_str());
        return error;
    };
    struct stat old {};
    const bool keepMode = ::stat(target.c_str(), &old) == 0;
    if (!WriteAll(calls, fd.Get(), bytes) || (keepMode && calls.fchmod(fd.Get(), old.st_mode & 07777) != 0))
        return failed();
    reached(ReplaceStep::TempWritten);
    if (calls.fsync(fd.Get()) != 0 || !fd.Close())
        return failed();
    reached(ReplaceStep::TempSynced);
    if (calls.rename(temp.c_str(), target.c_str()) != 0)
        return failed();
    reached(ReplaceStep::Renamed);
    if (const std::error_code error = SyncFolder(calls, target.parent_path()))
        return error;
    reached(ReplaceStep::FolderSynced);
    return {};
}
