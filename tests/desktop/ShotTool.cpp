// orbicle-shot: answers the end-to-end test's questions about its xwd screenshots.
//   orbicle-shot size FILE                          -> "W H"
//   orbicle-shot pixel FILE X Y                     -> "R G B"
//   orbicle-shot count FILE X Y W H R G B           -> pixels of exactly that colour in the area
//   orbicle-shot diff FILE1 FILE2 X Y W H           -> pixels that differ between the two
//   orbicle-shot find FILE X Y W H R G B            -> "X Y" of the first pixel of that colour
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/desktop/Xwd.h"

namespace {
int Usage()
{
    std::fprintf(stderr, "usage: orbicle-shot size|pixel|count|diff FILE... (see the source)\n");
    return 2;
}

bool Number(const char* text, int& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < -100000 || parsed > 100000)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool Numbers(char** args, int count, int* values)
{
    for (int i = 0; i < count; ++i) {
        if (!Number(args[i], values[i]))
            return false;
    }
    return true;
}

std::optional<XwdImage> Open(const char* path)
{
    std::string error;
    std::optional<XwdImage> image = XwdImage::Load(path, error);
    if (!image)
        std::fprintf(stderr, "orbicle-shot: %s: %s\n", path, error.c_str());
    return image;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    const std::string verb = argv[1];
    const std::optional<XwdImage> image = Open(argv[2]);
    if (!image)
        return 1;
    int v[7] = {};
    if (verb == "size" && argc == 3) {
        std::printf("%d %d\n", image->Width(), image->Height());
    } else if (verb == "pixel" && argc == 5 && Numbers(argv + 3, 2, v)) {
        const Rgb8 c = image->At(v[0], v[1]);
        std::printf("%d %d %d\n", c.r, c.g, c.b);
    } else if (verb == "count" && argc == 10 && Numbers(argv + 3, 7, v)) {
        long count = 0;
        for (int y = v[1]; y < v[1] + v[3]; ++y)
            for (int x = v[0]; x < v[0] + v[2]; ++x)
                count += image->At(x, y) == Rgb8{v[4], v[5], v[6]};
        std::printf("%ld\n", count);
    } else if (verb == "find" && argc == 10 && Numbers(argv + 3, 7, v)) {
        for (int y = v[1]; y < v[1] + v[3]; ++y) {
            for (int x = v[0]; x < v[0] + v[2]; ++x) {
                if (image->At(x, y) == Rgb8{v[4], v[5], v[6]}) {
                    std::printf("%d %d\n", x, y);
                    return 0;
                }
            }
        }
    } else if (verb == "diff" && argc == 8 && Numbers(argv + 4, 4, v)) {
        const std::optional<XwdImage> other = Open(argv[3]);
        if (!other)
            return 1;
        long count = 0;
        for (int y = v[1]; y < v[1] + v[3]; ++y)
            for (int x = v[0]; x < v[0] + v[2]; ++x)
                count += !(image->At(x, y) == other->At(x, y));
        std::printf("%ld\n", count);
    } else {
        return Usage();
    }
    return 0;
}
