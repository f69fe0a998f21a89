// orbicle-shot: answers the end-to-end test's questions about its screenshots: xwd files (X
// window dumps: a big-endian header, a colour table to skip, then true-colour pixels) and
// binary PPM files of 8-bit channels (grim's, on Wayland).
//   orbicle-shot count FILE X Y W H R G B   -> pixels of exactly that colour in the area
//   orbicle-shot find FILE X Y W H R G B    -> "X Y" of the first pixel of that colour, if any
//   orbicle-shot box FILE X Y W H R G B     -> "X0 Y0 X1 Y1", the bounding box of that colour, if any
//   orbicle-shot diff FILE1 FILE2 X Y W H   -> pixels that differ between the two
//   orbicle-shot dark FILE X Y W H LUMA     -> "N X0 Y0 X1 Y1": the pixels darker than LUMA
//                                              (0-255) and their bounding box, or "0"
#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {
struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
};

// A true-colour ZPixmap dump of 24 or 32 bits per pixel, or a PPM picture.
class Shot {
public:
    // The file's picture, or nullopt after saying on stderr why there is none.
    static std::optional<Shot> Load(const char* path)
    {
        std::ifstream in(path, std::ios::binary);
        Shot shot;
        shot.m_data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (const char* error = in.is_open() ? shot.Parse() : "cannot open the file") {
            std::fprintf(stderr, "orbicle-shot: %s: %s\n", path, error);
            return std::nullopt;
        }
        return shot;
    }

    // The pixel's colour; black outside the picture.
    Rgb8 At(long long x, long long y) const
    {
        if (x < 0 || y < 0 || static_cast<std::uint64_t>(x) >= m_width || static_cast<std::uint64_t>(y) >= m_height)
            return {};
        const std::uint64_t at =
            m_pixels + static_cast<std::uint64_t>(y) * m_bytesPerLine + static_cast<std::uint64_t>(x) * m_bytesPerPixel;
        std::uint32_t pixel = 0;
        for (std::uint32_t i = 0; i < m_bytesPerPixel; ++i)
            pixel |= std::uint32_t{m_data[at + i]} << 8 * (m_msbFirst ? m_bytesPerPixel - 1 - i : i);
        return {Channel(pixel, m_masks[0]), Channel(pixel, m_masks[1]), Channel(pixel, m_masks[2])};
    }

private:
    // The header's i-th field.
    std::uint32_t Field(std::size_t i) const
    {
        std::uint32_t value = 0;
        for (std::size_t b = 0; b < 4; ++b)
            value = value << 8 | m_data[4 * i + b];
        return value;
    }
    static int Channel(std::uint32_t pixel, std::uint32_t mask)
    {
        const int shift = std::countr_zero(mask);
        return mask == 0 ? 0 : static_cast<int>(((pixel & mask) >> shift) * 255 / (mask >> shift));
    }
    // Reads the header's fields; the reason when the file is not a picture this tool reads.
    const char* Parse()
    {
        if (m_data.size() >= 2 && m_data[0] == 'P' && m_data[1] == '6')
            return ParsePpm();
        if (m_data.size() < 25 * 4)
            return "too short for an xwd header";
        if (Field(1) != 7 || Field(2) != 2)
            return "not a version 7 ZPixmap xwd file";
        if (Field(11) != 24 && Field(11) != 32)
            return "unsupported bits per pixel";
        m_width = Field(4);
        m_height = Field(5);
        m_msbFirst = Field(7) == 1;
        m_bytesPerPixel = Field(11) / 8;
        m_bytesPerLine = Field(12);
        m_masks = {Field(14), Field(15), Field(16)};
        m_pixels = std::uint64_t{Field(0)} + std::uint64_t{Field(19)} * 12;  // after 12-byte colour entries
        if (m_width == 0 || m_height == 0 || m_width > 1 << 15 || m_height > 1 << 15 ||
            m_bytesPerLine < m_width * m_bytesPerPixel || m_pixels + m_bytesPerLine * m_height > m_data.size())
            return "inconsistent sizes in the xwd header";
        return nullptr;
    }

    // "P6", width, height and 255, separated by white space (and comments), one more white
    // space character, then three bytes a pixel, row by row.
    const char* ParsePpm()
    {
        std::size_t at = 2;
        std::uint64_t fields[3] = {};
        for (std::uint64_t& field : fields) {
            while (at < m_data.size() && (std::isspace(m_data[at]) || m_data[at] == '#')) {
                if (m_data[at] == '#')
                    while (at < m_data.size() && m_data[at] != '\n')
                        ++at;
                ++at;
            }
            if (at >= m_data.size() || !std::isdigit(m_data[at]))
                return "a PPM header without its numbers";
            for (; at < m_data.size() && std::isdigit(m_data[at]) && field <= 1 << 16; ++at)
                field = field * 10 + (m_data[at] - '0');
        }
        if (fields[2] != 255)
            return "a PPM file whose channels are not 8 bits";
        m_width = fields[0];
        m_height = fields[1];
        m_msbFirst = true;
        m_bytesPerPixel = 3;
        m_bytesPerLine = m_width * 3;
        m_masks = {0xFF0000, 0x00FF00, 0x0000FF};
        m_pixels = at + 1;
        if (m_width == 0 || m_height == 0 || m_width > 1 << 15 || m_height > 1 << 15 ||
            m_pixels + m_bytesPerLine * m_height > m_data.size())
            return "inconsistent sizes in the PPM header";
        return nullptr;
    }

    std::vector<std::uint8_t> m_data;
    std::uint64_t m_width = 0, m_height = 0, m_pixels = 0, m_bytesPerLine = 0;
    std::uint32_t m_bytesPerPixel = 0;
    bool m_msbFirst = false;
    std::vector<std::uint32_t> m_masks;
};

bool Numbers(char** args, int count, int* values)
{
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        const long parsed = std::strtol(args[i], &end, 10);
        if (end == args[i] || *end != '\0' || parsed < -100000 || parsed > 100000)
            return false;
        values[i] = static_cast<int>(parsed);
    }
    return true;
}
}  // namespace

// Dark pixels (text, mostly) in an area: how many, and the box around them.
void PrintDark(const Shot& shot, const int* v)
{
    long n = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    for (int y = v[1]; y < v[1] + v[3]; ++y) {
        for (int x = v[0]; x < v[0] + v[2]; ++x) {
            const Rgb8 p = shot.At(x, y);
            if ((p.r * 299 + p.g * 587 + p.b * 114) / 1000 >= v[4])
                continue;
            x0 = n ? std::min(x0, x) : x;
            y0 = n ? std::min(y0, y) : y;
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
            ++n;
        }
    }
    if (n)
        std::printf("%ld %d %d %d %d\n", n, x0, y0, x1, y1);
    else
        std::printf("0\n");
}

int main(int argc, char** argv)
{
    const std::string verb = argc > 1 ? argv[1] : "";
    const bool diff = verb == "diff", dark = verb == "dark";
    const int first = diff ? 4 : 3, count = diff ? 4 : (dark ? 5 : 7);
    int v[7] = {};
    if ((verb != "count" && verb != "find" && verb != "box" && !diff && !dark) || argc != first + count ||
        !Numbers(argv + first, count, v)) {
        std::fprintf(stderr,
                     "usage: orbicle-shot count|find|box FILE X Y W H R G B, diff FILE1 FILE2 X Y W H, "
                     "or dark FILE X Y W H LUMA\n");
        return 2;
    }
    const std::optional<Shot> shot = Shot::Load(argv[2]);
    const std::optional<Shot> other = diff ? Shot::Load(argv[3]) : std::nullopt;
    if (!shot || (diff && !other))
        return 1;
    if (dark) {
        PrintDark(*shot, v);
        return 0;
    }
    long matches = 0;
    int x0 = v[0] + v[2], y0 = v[1] + v[3], x1 = v[0] - 1, y1 = v[1] - 1;
    for (int y = v[1]; y < v[1] + v[3]; ++y) {
        for (int x = v[0]; x < v[0] + v[2]; ++x) {
            const bool match = diff ? !(shot->At(x, y) == other->At(x, y)) : shot->At(x, y) == Rgb8{v[4], v[5], v[6]};
            if (match && verb == "find") {
                std::printf("%d %d\n", x, y);
                return 0;
            }
            if (match) {
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                ++matches;
            }
        }
    }
    if (verb == "box" && matches > 0)
        std::printf("%d %d %d %d\n", x0, y0, x1, y1);
    else if (verb == "count" || diff)
        std::printf("%ld\n", matches);
    return 0;
}
