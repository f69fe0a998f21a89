// The background picture from the program's bitmap resource (Windows): a bitmap resource is a
// .bmp file without its 14-byte file header, which is put back in front here.
#include <algorithm>
#include <vector>

#include "platform/Resources.h"
#include "res/Resource.h"

// Last: its macros (WA_ACTIVE ...) would rename the constants of platform/Win.h.
#include <windows.h>

namespace {
// The bytes of bitmap resource id of the running program; empty when there is none.
std::span<const unsigned char> BitmapResource(UINT id)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return {static_cast<const unsigned char*>(bytes), SizeofResource(module, found)};
}

void PutLe32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

std::vector<unsigned char> WithFileHeader(std::span<const unsigned char> dib)
{
    constexpr std::size_t FileHeader = 14;
    if (dib.size() < 40)
        return {};
    const std::uint32_t infoSize = dib[0] | (dib[1] << 8) | (dib[2] << 16) | (std::uint32_t{dib[3]} << 24);
    std::vector<unsigned char> file(FileHeader + dib.size());
    file[0] = 'B';
    file[1] = 'M';
    PutLe32(file, 2, static_cast<std::uint32_t>(file.size()));
    // The picture has no colour table: its pixels follow the information header.
    PutLe32(file, 10, static_cast<std::uint32_t>(FileHeader + infoSize));
    std::copy(dib.begin(), dib.end(), file.begin() + FileHeader);
    return file;
}
}  // namespace

std::span<const unsigned char> BackgroundPictureFile()
{
    static const std::vector<unsigned char> file = WithFileHeader(BitmapResource(IDB_BACKGROUND));
    return file;
}
