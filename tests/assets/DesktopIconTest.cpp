// The icon as desktops show it: PNG files at every hicolor size and an SVG, all the same target.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/TempDir.h"
#include "tests/assets/AssetFiles.h"

using namespace assettest;

namespace {

constexpr int DesktopSizes[] = {16, 24, 32, 48, 64, 128, 256};

enum class Ring { Clear, Rim, Green, Light, Blue, Red };

// What a pixel of the icon is, by its colour: the light from the top left shifts every
// colour by up to 36 levels, so the classes are broad.
Ring Classify(const Rgba& p)
{
    if (p.a < 128)
        return Ring::Clear;
    if (p.r > 150 && p.g < 110 && p.b < 110)
        return Ring::Red;
    if (p.b > 150 && p.b - std::max(p.r, p.g) > 50)
        return Ring::Blue;
    if (p.g > 140 && p.r < 120 && p.b < 120)
        return Ring::Green;
    if (std::min({p.r, p.g, p.b}) > 170)
        return Ring::Light;
    if (std::max({p.r, p.g, p.b}) < 90)
        return Ring::Rim;
    return Ring::Clear;  // a blend of two rings
}

// The rings met on the diagonal from the centre to the bottom-right corner (clear of the
// sighting marks), each run once.
std::vector<Ring> RingsOutward(const Pixels& icon)
{
    std::vector<Ring> rings;
    for (int i = icon.width / 2; i < icon.width; ++i) {
        const Ring r = Classify(icon.At(i, i));
        if (r != Ring::Clear && (rings.empty() || rings.back() != r))
            rings.push_back(r);
    }
    return rings;
}

// The opaque pixels whose colours differ by more than `tolerance` in any channel, or whose
// opacity differs by more than that, premultiplied so soft edges compare fairly.
int Differing(const Pixels& a, const Pixels& b, int tolerance)
{
    int n = 0;
    for (std::size_t i = 0; i < a.px.size() && i < b.px.size(); ++i) {
        const Rgba p = a.px[i], q = b.px[i];
        auto pre = [](int c, int alpha) { return c * alpha / 255; };
        const int d = std::max({std::abs(pre(p.r, p.a) - pre(q.r, q.a)), std::abs(pre(p.g, p.a) - pre(q.g, q.a)),
                                std::abs(pre(p.b, p.a) - pre(q.b, q.a)), std::abs(p.a - q.a)});
        n += d > tolerance;
    }
    return n;
}

}  // namespace

TEST(DesktopIcon, EverySizeShowsTheTargetFromItsRedCentreOutToAClearCorner)
{
    for (int size : DesktopSizes) {
        SCOPED_TRACE(size);
        const Bytes file = ReadFile(ResDir() / "icon" / ("orbicle_" + std::to_string(size) + ".png"));
        EXPECT_EQ(PngColourType(file), 6) << "RGBA";
        const Pixels icon = DecodePng(file);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
            EXPECT_EQ(icon.At(x, y).a, 0) << "corner " << x << "," << y;
        EXPECT_EQ(Classify(icon.At(size / 2, size / 2)), Ring::Red);
        // The blue inner ring, the light disc and the green ring, in that order. Larger icons
        // leave light between the centre and the blue ring; the thin dark edge outside the
        // green may blend away on the diagonal.
        std::vector<Ring> seen = RingsOutward(icon);
        if (seen.size() > 2 && seen[1] == Ring::Light && seen[2] == Ring::Blue)
            seen.erase(seen.begin() + 1);
        if (!seen.empty() && seen.back() == Ring::Rim)
            seen.pop_back();
        EXPECT_EQ(seen, (std::vector<Ring>{Ring::Red, Ring::Blue, Ring::Light, Ring::Green}));
        // The target fills the image whatever its size.
        int lastOpaque = size / 2;
        for (int i = size / 2; i < size; ++i)
            if (icon.At(i, i).a >= 128)
                lastOpaque = i;
        const double reach = (lastOpaque + 0.5 - size / 2.0) * std::sqrt(2.0) / (size / 2.0);
        EXPECT_GT(reach, 0.85);
        EXPECT_LE(reach, 1.0);
    }
}

#ifdef ORBICLE_RSVG_CONVERT
TEST(DesktopIcon, TheSvgDrawnByLibrsvgMatchesTheLargestPng)
{
    // librsvg is what GTK desktops render scalable icons with.
    TempDir scratch;
    const std::filesystem::path out = scratch.Path() / "svg.png";
    const std::string command = std::string("\"") + ORBICLE_RSVG_CONVERT + "\" -w 256 -h 256 -o \"" + out.string() +
                                "\" \"" + (ResDir() / "icon" / "orbicle.svg").string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const Pixels drawn = DecodePng(ReadFile(out));
    const Pixels painted = DecodePng(ReadFile(ResDir() / "icon" / "orbicle_256.png"));
    ASSERT_EQ(drawn.width, 256);
    ASSERT_EQ(painted.width, 256);
    // Only the anti-aliased edges of the rings may differ, and not by much.
    EXPECT_LT(Differing(drawn, painted, 8), 256 * 256 / 50);
    EXPECT_EQ(Differing(drawn, painted, 40), 0);
}
#endif
