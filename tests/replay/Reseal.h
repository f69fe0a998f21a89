// A replay file's bytes with their length field and checksum made to fit them again, for
// tests and the fuzz target that change a file's contents and want the reader to look past
// its checksum.
#pragma once

#include <zlib.h>

#include <string>

#include "platform/replay/ReplayFile.h"

inline std::string Resealed(std::string bytes)
{
    const std::size_t lengthAt = ReplayMagic.size() + 2;
    if (bytes.size() < lengthAt + 8)
        return bytes;
    for (int i = 0; i < 4; ++i)
        bytes[lengthAt + i] = static_cast<char>(bytes.size() >> (8 * i));
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size() - 4));
    for (int i = 0; i < 4; ++i)
        bytes[bytes.size() - 4 + i] = static_cast<char>(crc >> (8 * i));
    return bytes;
}
