// orbicle-framecompare: the same frames drawn by orbicle-sim on Linux (the software device
// context) and by orbicle-sim.exe on Windows (GDI), compared pixel for pixel outside the boxes
// where either of them wrote text.
//   orbicle-framecompare PERCENT FOLDER...
// Each FOLDER holds linux.png, windows.png and the sims' outputs linux.txt and windows.txt, whose
// "textbox L T R B" lines give the text boxes. Prints each frame's share of identical pixels
// and the total, and ends with status 1 when the total share is below PERCENT.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, top row first
    std::uint32_t At(int x, int y) const
    {
        const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        return std::uint32_t{p[0]} << 16 | p[1] << 8 | p[2];
    }
};

struct Box {
    int left, top, right, bottom;
};

std::uint32_t Be32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

std::vector<std::uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Paeth(int a, int b, int c)
{
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// An 8-bit RGB PNG without interlacing, as both sims write them; nullopt for anything else.
std::optional<Image> ReadPng(const std::string& path)
{
    const std::vector<std::uint8_t> file = ReadFile(path);
    if (file.size() < 8 || file[1] != 'P' || file[2] != 'N' || file[3] != 'G')
        return std::nullopt;
    Image image;
    std::vector<std::uint8_t> packed;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = Be32(&file[at]);
        if (at + 12 + length > file.size())
            return std::nullopt;
        const std::string type(file.begin() + at + 4, file.begin() + at + 8);
        const std::uint8_t* data = &file[at + 8];
        if (type == "IHDR") {
            if (length < 13 || data[8] != 8 || data[9] != 2 || data[12] != 0)
                return std::nullopt;
            image.width = static_cast<int>(Be32(data));
            image.height = static_cast<int>(Be32(data + 4));
        } else if (type == "IDAT") {
            packed.insert(packed.end(), data, data + length);
        }
        at += 12 + length;
    }
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> rows((stride + 1) * image.height);
    uLongf size = static_cast<uLongf>(rows.size());
    if (image.width <= 0 || uncompress(rows.data(), &size, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
        size != rows.size())
        return std::nullopt;
    image.rgb.resize(stride * image.height);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t filter = rows[y * (stride + 1)];
        const std::uint8_t* in = &rows[y * (stride + 1) + 1];
        std::uint8_t* out = &image.rgb[y * stride];
        const std::uint8_t* up = y > 0 ? out - stride : nullptr;
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= 3 ? out[i - 3] : 0, b = up ? up[i] : 0, c = up && i >= 3 ? up[i - 3] : 0;
            const int predictor = filter == 1   ? a
                                  : filter == 2 ? b
                                  : filter == 3 ? (a + b) / 2
                                  : filter == 4 ? Paeth(a, b, c)
                                                : 0;
            out[i] = static_cast<std::uint8_t>(in[i] + predictor);
        }
    }
    return image;
}

std::vector<Box> TextBoxes(const std::string& path)
{
    std::vector<Box> boxes;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string word;
        Box box{};
        if (words >> word && word == "textbox" && words >> box.left >> box.top >> box.right >> box.bottom)
            boxes.push_back(box);
    }
    return boxes;
}

struct Tally {
    long long outside = 0;  // pixels outside every text box
    long long same = 0;     // of those, the identical ones
};

// Compares one frame; says what differs, and where.
std::optional<Tally> CompareFrame(const std::string& folder)
{
    const auto soft = ReadPng(folder + "/linux.png"), gdi = ReadPng(folder + "/windows.png");
    if (!soft || !gdi || soft->width != gdi->width || soft->height != gdi->height) {
        std::printf("%s: the two snapshots are missing, unreadable or of different sizes\n", folder.c_str());
        return std::nullopt;
    }
    std::vector<bool> text(static_cast<std::size_t>(soft->width) * soft->height);
    for (const std::string side : {"linux", "windows"}) {
        for (const Box& b : TextBoxes(folder + "/" + side + ".txt"))
            for (int y = std::max(b.top, 0); y < std::min(b.bottom, soft->height); ++y)
                for (int x = std::max(b.left, 0); x < std::min(b.right, soft->width); ++x)
                    text[static_cast<std::size_t>(y) * soft->width + x] = true;
    }
    Tally tally;
    Box differ{soft->width, soft->height, -1, -1};
    for (int y = 0; y < soft->height; ++y)
        for (int x = 0; x < soft->width; ++x) {
            if (text[static_cast<std::size_t>(y) * soft->width + x])
                continue;
            ++tally.outside;
            if (soft->At(x, y) == gdi->At(x, y)) {
                ++tally.same;
                continue;
            }
            differ = {std::min(differ.left, x), std::min(differ.top, y), std::max(differ.right, x),
                      std::max(differ.bottom, y)};
        }
    std::printf("%s: %lld of %lld pixels outside text identical (%.3f %%)", folder.c_str(), tally.same, tally.outside,
                100.0 * tally.same / std::max(tally.outside, 1LL));
    if (differ.right >= 0)
        std::printf(", differences within (%d, %d)-(%d, %d)", differ.left, differ.top, differ.right, differ.bottom);
    std::printf("\n");
    return tally;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: orbicle-framecompare PERCENT FOLDER...\n");
        return 2;
    }
    const double goal = std::atof(argv[1]);
    Tally total;
    bool readable = true;
    for (int i = 2; i < argc; ++i) {
        const std::optional<Tally> tally = CompareFrame(argv[i]);
        readable = readable && tally.has_value();
        if (tally) {
            total.outside += tally->outside;
            total.same += tally->same;
        }
    }
    const double share = 100.0 * total.same / std::max(total.outside, 1LL);
    std::printf("all frames: %lld of %lld pixels outside text identical (%.3f %%; goal %.1f %%)\n", total.same,
                total.outside, share, goal);
    return readable && share >= goal ? 0 : 1;
}
