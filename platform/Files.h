// Read-only file access byte by byte, for the hotkey sets.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class IFileReader {
public:
    virtual ~IFileReader() = default;
    // Reads up to n bytes; returns how many were read, 0 at the end of the file.
    virtual std::size_t Read(void* buffer, std::size_t n) = 0;
};

class IFiles {
public:
    virtual ~IFiles() = default;
    // The game names files with Windows separators ("res\keys_hu.txt"); both '\' and '/'
    // separate folders. Returns null when the file cannot be opened.
    virtual std::unique_ptr<IFileReader> OpenRead(const std::string& path) = 0;
};
