// The .orbicle-replay file: a magic, the format's version, the file's length, the version of
// the program that recorded it, the game's summary and starting state, the recording
// compressed with zlib, and a CRC-32 of everything before it (docs/replay-format.md).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/replay/Replay.h"

inline constexpr std::string_view ReplayMagic{"\x89ORBREPLAY\r\n\x1a\n", 14};
// Larger files are refused before they are read.
inline constexpr std::size_t MaxReplayFileBytes = 64u << 20;
// The recording unpacked may be at most this large.
inline constexpr std::size_t MaxReplayEventBytes = 256u << 20;

// This program's version, as a replay it records names it.
std::string ProgramVersion();

// The file's bytes.
std::string EncodeReplay(const Replay& replay);

struct ReplayRead {
    std::optional<Replay> replay;
    std::string problem;  // a sentence for the player when there is no replay
};
// Reads the bytes of a file, trusting nothing: a wrong magic, a later format, a file cut short
// or longer than it says, a checksum that does not match, or contents out of their ranges give
// no replay and a problem that starts with name ("FILE is cut short ...").
ReplayRead DecodeReplay(std::string_view bytes, const std::string& name = "the replay");

// Writes the file whole; returns what went wrong, or empty.
std::string WriteReplayFile(const std::string& path, const Replay& replay);
ReplayRead ReadReplayFile(const std::string& path);
