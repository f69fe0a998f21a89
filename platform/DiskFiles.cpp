// Opening files by their Windows-style relative names.
#include "platform/DiskFiles.h"

#include <cstdio>

namespace {
class StdioReader : public IFileReader {
public:
    explicit StdioReader(std::FILE* file) : m_file(file) {}
    ~StdioReader() override { std::fclose(m_file); }
    StdioReader(const StdioReader&) = delete;
    StdioReader& operator=(const StdioReader&) = delete;

    std::size_t Read(void* buffer, std::size_t n) override { return std::fread(buffer, 1, n, m_file); }

private:
    std::FILE* m_file;
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
    std::FILE* file = std::fopen(found.c_str(), "rb");
    if (!file)
        return nullptr;
    return std::make_unique<StdioReader>(file);
}
