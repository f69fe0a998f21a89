// Reading a small file whole, and replacing one so that a crash or kill at any moment leaves
// either its old or its new content, never a missing or partial file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

// The system calls through which files are read and replaced, each as the system's call of
// that name (a result below 0 with errno set for an error). A test passes others to make one
// fail as a full or failing disk would, or to see the order in which they come.
struct FileCalls {
    std::function<std::ptrdiff_t(int fd, void* buffer, std::size_t size)> read;
    std::function<std::ptrdiff_t(int fd, const void* bytes, std::size_t size)> write;
    std::function<int(int fd, unsigned mode)> fchmod;
    std::function<int(int fd)> fsync;
    std::function<int(const char* from, const char* to)> rename;
};
// The system's own calls.
const FileCalls& SystemFileCalls();

// The whole content of file into text. An error (a missing file gives no_such_file_or_directory)
// leaves text empty.
std::error_code ReadWholeFile(const std::filesystem::path& file, std::string& text,
                              const FileCalls& calls = SystemFileCalls());

// The points a replacement passes, in order; each is reported once it is done.
enum class ReplaceStep {
    TempCreated,   // an empty temporary file beside the target
    TempWritten,   // the new content written into it
    TempSynced,    // the content on disk and the temporary file closed
    Renamed,       // the temporary file now has the target's name
    FolderSynced,  // the rename on disk
};
using ReplaceObserver = std::function<void(ReplaceStep)>;

// The file where a replacement of path lands: path itself, or through every symbolic link
// the file the links lead to (so the links stay links).
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

// Replaces the content of file (through its links) with bytes: a temporary file in the same
// folder is written and synced, then renamed over the file, then the folder is synced. The
// old file stays whole until the rename; a file that existed keeps its permissions. On an
// error before the rename the temporary file is removed and the file is left as it was; an
// error in syncing the folder is reported with the new content already in place (a file
// system that cannot sync folders at all is no error). Temporary files that earlier
// replacements, killed midway, left behind are removed.
std::error_code ReplaceFile(const std::filesystem::path& file, std::string_view bytes,
                            const ReplaceObserver& observe = {}, const FileCalls& calls = SystemFileCalls());
