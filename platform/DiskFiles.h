// Files on disk, looked up under a list of base folders in turn (the current folder first).
#pragma once

#include <filesystem>
#include <vector>

#include "platform/Files.h"

class DiskFiles : public IFiles {
public:
    // With no base folders given, relative names are taken from the current folder only.
    explicit DiskFiles(std::vector<std::filesystem::path> bases = {});

    std::unique_ptr<IFileReader> OpenRead(const std::string& path) override;

    // The path with Windows separators turned into this system's.
    static std::filesystem::path Native(const std::string& path);
    // The first existing file of that name under the base folders; empty if none exists.
    std::filesystem::path Find(const std::string& path) const;

private:
    std::vector<std::filesystem::path> m_bases;
};
