// Writing and reading .orbicle-replay files.
#include "platform/replay/ReplayFile.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "platform/replay/Bytes.h"

#ifndef ORBICLE_VERSION
#error "ORBICLE_VERSION comes from the project's version in CMakeLists.txt"
#endif

namespace {
using replay_bytes::Reader;
using replay_bytes::Writer;

constexpr std::size_t FixedHead = ReplayMagic.size() + 2 + 4;  // magic, format, length
constexpr std::size_t CrcBytes = 4;
constexpr std::size_t MaxSamples = 1024;  // the game's rate history
constexpr std::size_t MaxLabels = 1024;   // the labels of a hotkey set
constexpr std::int64_t MaxWeight = 255;   // a practise weight
constexpr std::int64_t MaxFieldSide = 16384;
constexpr std::int64_t MaxOption = 256;  // an option field holds a profile character less '0'
// zlib packs at most about 1032 bytes into one.
constexpr std::uint64_t MaxPackRatio = 1032;

std::uint32_t Crc(std::string_view bytes)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    while (!bytes.empty()) {
        const auto n = static_cast<uInt>(std::min<std::size_t>(bytes.size(), 1u << 30));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), n);
        bytes.remove_prefix(n);
    }
    return static_cast<std::uint32_t>(crc);
}

std::string Pack(const std::string& raw)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        return {};
    packed.resize(size);
    return packed;
}

// The packed bytes unpacked, if they are one whole zlib stream of exactly `size` bytes.
std::optional<std::string> Unpack(std::string_view packed, std::size_t size)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return std::nullopt;
    std::string raw(size, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = reinterpret_cast<Bytef*>(raw.data());
    z.avail_out = static_cast<uInt>(size);
    const int status = inflate(&z, Z_FINISH);
    const bool whole = status == Z_STREAM_END && z.avail_out == 0 && z.avail_in == 0;
    inflateEnd(&z);
    return whole ? std::optional<std::string>(std::move(raw)) : std::nullopt;
}

// Rate samples: their count, at most the game's 1024, then each.
void WriteInts(Writer& out, const std::vector<int>& values)
{
    out.Unsigned(values.size());
    for (const int v : values)
        out.Signed(v);
}

std::vector<int> ReadInts(Reader& in)
{
    std::vector<int> values;
    const auto count = static_cast<std::size_t>(in.Within(0, MaxSamples));
    for (std::size_t i = 0; i < count && !in.Failed(); ++i)
        values.push_back(
            static_cast<int>(in.SignedWithin(std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
    return values;
}

void WriteSummary(Writer& out, const KeptGame& g)
{
    for (const std::int64_t v : {g.started, g.ended, g.playSeconds})
        out.Signed(v);
    out.Text(g.race);
    for (const std::int64_t v : {g.statistics, g.noIntersect, g.customKeys, g.darkening, g.sounds, g.width, g.height,
                                 g.score, g.average, g.best, g.last, g.accuracy, g.useful, g.misses})
        out.Signed(v);
    WriteInts(out, g.samples);
}

KeptGame ReadSummary(Reader& in)
{
    KeptGame g;
    for (std::int64_t* v : {&g.started, &g.ended, &g.playSeconds})
        *v = in.Signed();
    g.race = in.Text();
    for (std::int64_t* v : {&g.statistics, &g.noIntersect, &g.customKeys, &g.darkening, &g.sounds, &g.width, &g.height,
                            &g.score, &g.average, &g.best, &g.last, &g.accuracy, &g.useful, &g.misses})
        *v = in.Signed();
    g.samples = ReadInts(in);
    return g;
}

void WriteStart(Writer& out, const ReplayStart& s, int format)
{
    out.Unsigned(static_cast<std::uint64_t>(s.width));
    out.Unsigned(static_cast<std::uint64_t>(s.height));
    for (const int option : s.options)
        out.Signed(option);
    out.Text(s.race);
    out.Unsigned(static_cast<std::uint64_t>(s.slotTicks));
    out.Unsigned(static_cast<std::uint64_t>(s.endTicks));
    out.Unsigned(static_cast<std::uint64_t>(s.wasHeld));
    out.Signed(s.holdStart);
    out.Unsigned(static_cast<std::uint64_t>(s.frameActive));
    WriteInts(out, s.rateHistory);
    if (format < 2)
        return;
    out.Unsigned(s.practiseWeights.size());
    for (const int weight : s.practiseWeights)
        out.Unsigned(static_cast<std::uint64_t>(weight));
}

ReplayStart ReadStart(Reader& in, int format)
{
    ReplayStart s;
    s.width = static_cast<int>(in.Within(0, MaxFieldSide));
    s.height = static_cast<int>(in.Within(0, MaxFieldSide));
    for (int& option : s.options)
        option = static_cast<int>(in.SignedWithin(-MaxOption, MaxOption));
    s.race = in.Text();
    // The tick and hold bookkeeping within the ranges the game keeps them in.
    s.slotTicks = static_cast<int>(in.Within(0, 5));
    s.endTicks = static_cast<int>(in.Within(0, 20));
    s.wasHeld = static_cast<int>(in.Within(0, 1));
    s.holdStart = in.Signed();
    s.frameActive = static_cast<int>(in.Within(0, 1));
    s.rateHistory = ReadInts(in);
    if (format < 2)
        return s;
    const auto weights = static_cast<std::size_t>(in.Within(0, MaxLabels));
    for (std::size_t i = 0; i < weights && !in.Failed(); ++i)
        s.practiseWeights.push_back(static_cast<int>(in.Within(1, MaxWeight)));
    return s;
}
}  // namespace

std::string ProgramVersion()
{
    return ORBICLE_VERSION;
}

std::string EncodeReplay(const Replay& replay)
{
    Writer out;
    out.Raw(ReplayMagic);
    out.Fixed(static_cast<std::uint64_t>(replay.format), 2);
    out.Fixed(0, 4);  // the length, once known
    out.Text(replay.program);
    WriteSummary(out, replay.summary);
    WriteStart(out, replay.start, replay.format);
    const std::string packed = Pack(replay.events);
    out.Unsigned(replay.events.size());
    out.Unsigned(packed.size());
    out.Raw(packed);
    std::string& bytes = out.Bytes();
    const std::uint64_t length = bytes.size() + CrcBytes;
    for (int i = 0; i < 4; ++i)
        bytes[ReplayMagic.size() + 2 + i] = static_cast<char>(length >> (8 * i));
    const std::uint32_t crc = Crc(bytes);
    out.Fixed(crc, 4);
    return std::move(out.Bytes());
}

ReplayRead DecodeReplay(std::string_view bytes, const std::string& name)
{
    auto refuse = [&](const std::string& why) { return ReplayRead{std::nullopt, name + " " + why}; };
    if (bytes.size() < ReplayMagic.size() || bytes.substr(0, ReplayMagic.size()) != ReplayMagic)
        return refuse("is not an Orbicle replay");
    Reader head(bytes.substr(ReplayMagic.size()));
    const auto format = static_cast<int>(head.Fixed(2));
    const std::uint64_t length = head.Fixed(4);
    if (head.Failed())
        return refuse("is cut short: it ends within its first " + std::to_string(FixedHead) + " bytes");
    if (format > ReplayFormatVersion)
        return refuse("was made by a newer Orbicle (replay format " + std::to_string(format) + "; this one reads " +
                      std::to_string(ReplayFormatVersion) + ")");
    if (format < 1)
        return refuse("is damaged: it names replay format 0");
    if (bytes.size() < length)
        return refuse("is cut short: it has " + std::to_string(bytes.size()) + " of its " + std::to_string(length) +
                      " bytes");
    if (bytes.size() > length || length < FixedHead + CrcBytes)
        return refuse("is damaged: it is " + std::to_string(bytes.size()) + " bytes long but says " +
                      std::to_string(length));
    const std::string_view body = bytes.substr(0, bytes.size() - CrcBytes);
    Reader crcBytes(bytes.substr(body.size()));
    if (crcBytes.Fixed(4) != Crc(body))
        return refuse("is damaged: its checksum does not match its contents");

    Reader in(body.substr(FixedHead));
    Replay replay;
    replay.format = format;
    replay.program = in.Text();
    replay.summary = ReadSummary(in);
    replay.start = ReadStart(in, format);
    const auto rawSize = static_cast<std::size_t>(in.Within(0, MaxReplayEventBytes));
    const auto packedSize = static_cast<std::size_t>(in.Within(0, static_cast<std::int64_t>(in.Left())));
    const std::string_view packed = in.Raw(packedSize);
    if (in.Failed() || !in.AtEnd())
        return refuse("is damaged: its header is out of range");
    if (rawSize > packedSize * MaxPackRatio + 64)
        return refuse("is damaged: its recording claims to unpack to " + std::to_string(rawSize) + " bytes");
    std::optional<std::string> events = Unpack(packed, rawSize);
    if (!events)
        return refuse("is damaged: its recording does not unpack");
    std::vector<ReplayEvent> decoded;
    std::string problem;
    if (!DecodeEvents(*events, decoded, problem))
        return refuse("is damaged: " + problem);
    replay.events = std::move(*events);
    return ReplayRead{std::move(replay), {}};
}

std::string WriteReplayFile(const std::string& path, const Replay& replay)
{
    const std::string bytes = EncodeReplay(replay);
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!out)
        return "cannot write " + path + ": " + std::strerror(errno);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        return "cannot write " + path + ": " + std::strerror(errno);
    return {};
}

ReplayRead ReadReplayFile(const std::string& path)
{
    const std::filesystem::path file(path);
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        return ReplayRead{std::nullopt, "cannot read " + path + ": " + error.message()};
    if (size > MaxReplayFileBytes)
        return ReplayRead{std::nullopt, path + " is too large to be a replay (" + std::to_string(size) + " bytes)"};
    std::ifstream in(file, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return ReplayRead{std::nullopt, "cannot read " + path + ": " + std::strerror(errno)};
    return DecodeReplay(bytes, path);
}
