// Opening files by their Windows-style relative names.
#include "platform/DiskFiles.h"

#include <fstream>

namespace {
class StreamReader : public IFileReader {
public:
    explicit StreamReader(std::ifstream file) : m_file(std::move(file)) {}

    std::size_t Read(void* buffer, std::size_t n) override
    {
        m_file.read(static_cast<char*>(buffer), static_cast<std::streamsize>(n));
        return static_cast<std::size_t>(m_file.gcount());
    }

private:
    std::ifstream m_file;
};
}  // namespace

DiskFiles::DiskFiles(std::vector<std::filesystem::path> bases) : m_bases(std::move(bases))
{
    if (m_bases.empty())
        m_bases.emplace_back();
}

std::filesystem::path DiskFiles::Native(const std::string& path)
{
    std::string native = path;
    for (char& c : native) {
        if (c == '\\')
            c = '/';
    }
    return std::filesystem::path(native);
}

std::filesystem::path DiskFiles::Find(const std::string& path) const
{
    const std::filesystem::path relative = Native(path);
    for (const auto& base : m_bases) {
        const std::filesystem::path candidate = base.empty() ? relative : base / relative;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

std::unique_ptr<IFileReader> DiskFiles::OpenRead(const std::string& path)
{
    const std::filesystem::path found = Find(path);
    if (found.empty())
        return nullptr;
    // The path as the system spells it: wide characters on Windows.
    std::ifstream file(found, std::ios::binary);
    if (!file)
        return nullptr;
    return std::make_unique<StreamReader>(std::move(file));
}
