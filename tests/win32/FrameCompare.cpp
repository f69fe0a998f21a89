// orbicle-framecompare: the same frames drawn by orbicle-sim on Linux (the software device
// context) and by orbicle-sim.exe on Windows (GDI), compared pixel for pixel outside the boxes
// where either of them wrote text.
//   orbicle-framecompare PERCENT FOLDER...
// Each FOLDER holds linux.png, windows.png and the sims' outputs linux.txt and windows.txt, whose
// "textbox L T R B" lines give the text boxes. Prints each frame's share of identical pixels
// and the total, and ends with status 1 when the total share is below PERCENT.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/dc/PngReader.h"

namespace {
struct Box {
    int left, top, right, bottom;
};

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
