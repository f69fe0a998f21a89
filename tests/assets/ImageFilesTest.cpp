// The background picture, the cursors and the icon: their file formats, and what the player
// sees of them - a muted scene under bright targets, cursors that point from the hot spot,
// an icon that shows a target at every size and depth.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "tests/assets/AssetFiles.h"

using namespace assettest;

namespace {

constexpr int kWidth = 550, kHeight = 412;
constexpr int kPanelTop = 318;  // the highest point of the interface panel

// The background's pixels, top row first, read straight from the BMP rows.
Pixels backgroundPixels(const Bytes& bmp) {
    Pixels out{kWidth, kHeight, std::vector<Rgba>(kWidth * kHeight)};
    const std::size_t stride = (kWidth * 3 + 3) / 4 * 4;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::size_t at = 54 + stride * (kHeight - 1 - y) + 3 * x;
            out.px[static_cast<std::size_t>(y) * kWidth + x] = {bmp[at + 2], bmp[at + 1], bmp[at], 255};
        }
    return out;
}

int saturation(const Rgba& p) { return std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}); }

double meanLuma(const Pixels& p, int x0, int y0, int x1, int y1) {
    long long sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) sum += luma(p.at(x, y));
    return static_cast<double>(sum) / ((x1 - x0) * (y1 - y0));
}

}  // namespace

TEST(Background, IsAnUncompressedBottomUp24BitPictureOf550By412) {
    const Bytes bmp = readFile(resDir() / "background.bmp");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), bmp.size());  // file size field
    EXPECT_EQ(le32(bmp, 10), 54u);        // pixels right after the headers: no colour table
    EXPECT_EQ(le32(bmp, 14), 40u);        // BITMAPINFOHEADER
    EXPECT_EQ(les32(bmp, 18), kWidth);
    EXPECT_EQ(les32(bmp, 22), kHeight);   // positive: rows stored bottom-up
    EXPECT_EQ(le16(bmp, 26), 1u);
    EXPECT_EQ(le16(bmp, 28), 24u);
    EXPECT_EQ(le32(bmp, 30), 0u);         // BI_RGB
    EXPECT_EQ(le32(bmp, 34), 1652u * kHeight);
    EXPECT_EQ(les32(bmp, 38), 2834);
    EXPECT_EQ(les32(bmp, 42), 2834);
    EXPECT_EQ(le32(bmp, 46), 0u);
    // Embedded as a resource (without the 14-byte file header) the bitmap is 680,666 bytes.
    EXPECT_EQ(bmp.size() - 14, 680666u);
}

TEST(Background, StaysMutedSoTargetsAndGaugesReadOverIt) {
    const Bytes bmp = readFile(resDir() / "background.bmp");
    ASSERT_EQ(bmp.size(), 680680u);
    const Pixels bg = backgroundPixels(bmp);

    // Nothing in the picture comes near the targets' near-white interiors.
    int brightest = 0;
    for (const Rgba& p : bg.px) brightest = std::max(brightest, luma(p));
    EXPECT_LT(brightest, 200);

    // The field is darkish and of low colour, yet not black.
    const double field = meanLuma(bg, 0, 0, kWidth, kPanelTop);
    EXPECT_GT(field, 40.0);
    EXPECT_LT(field, 95.0);
    long long sat = 0;
    for (int y = 0; y < kPanelTop; ++y)
        for (int x = 0; x < kWidth; ++x) sat += saturation(bg.at(x, y));
    EXPECT_LT(static_cast<double>(sat) / (kWidth * kPanelTop), 50.0);

    // Under the score (top right) and the gauges (bottom left) it is darker than average.
    EXPECT_LT(meanLuma(bg, kWidth - 42, 0, kWidth, 42), field);
    EXPECT_LT(meanLuma(bg, 0, kHeight - 167, 108, kHeight), field + 10.0);
}

TEST(Background, DetailIsAtLeastTwoPixelsSoEnlargementKeepsItEven) {
    const Pixels bg = backgroundPixels(readFile(resDir() / "background.bmp"));
    ASSERT_EQ(bg.px.size(), static_cast<std::size_t>(kWidth * kHeight));
    // A lone pixel unlike all four neighbours turns into an uneven 2- or 3-pixel speck when
    // the game stretches the picture by 2.4 without smoothing.
    int lone = 0;
    for (int y = 1; y < kHeight - 1; ++y)
        for (int x = 1; x < kWidth - 1; ++x) {
            const int l = luma(bg.at(x, y));
            const int n[4] = {luma(bg.at(x - 1, y)), luma(bg.at(x + 1, y)), luma(bg.at(x, y - 1)), luma(bg.at(x, y + 1))};
            const bool brighter = std::all_of(n, n + 4, [l](int v) { return l - v > 20; });
            const bool darker = std::all_of(n, n + 4, [l](int v) { return v - l > 20; });
            lone += brighter || darker;
        }
    EXPECT_LT(lone, kWidth * kHeight / 500) << lone << " lone pixels";
}

namespace {

struct CursorCase {
    std::string race;
    unsigned bitCount;
};
const CursorCase kCursors[] = {{"hu", 24}, {"ne", 24}, {"or", 24}, {"ud", 24}, {"df", 8}};

// Decodes a .cur file after checking its directory; fails the test on a malformed file.
DibImage readCursor(const std::string& race, unsigned bitCount) {
    const Bytes cur = readFile(resDir() / "cursors" / (race + ".cur"));
    DibImage dib;
    EXPECT_GE(cur.size(), 22u) << race;
    if (cur.size() < 22) return dib;
    EXPECT_EQ(le16(cur, 0), 0u) << race;
    EXPECT_EQ(le16(cur, 2), 2u) << race << ": type 2 is a cursor";
    EXPECT_EQ(le16(cur, 4), 1u) << race;
    EXPECT_EQ(cur[6], 32) << race;
    EXPECT_EQ(cur[7], 32) << race;
    EXPECT_EQ(cur[8], 0) << race;  // colour count: 0 for 256 colours and more
    EXPECT_EQ(le16(cur, 10), 0u) << race << ": hot spot x";
    EXPECT_EQ(le16(cur, 12), 0u) << race << ": hot spot y";
    EXPECT_EQ(le32(cur, 18), 22u) << race;
    EXPECT_EQ(le32(cur, 14), cur.size() - 22) << race;
    std::string reason;
    EXPECT_TRUE(decodeDib(cur, 22, dib, reason)) << race << ": " << reason;
    EXPECT_EQ(dib.headerSize, 40u);
    EXPECT_EQ(dib.width, 32);
    EXPECT_EQ(dib.heightField, 64) << "colour rows and mask: twice the height";
    EXPECT_EQ(dib.planes, 1u);
    EXPECT_EQ(dib.bitCount, bitCount) << race;
    EXPECT_EQ(dib.compression, 0u);
    EXPECT_EQ(dib.paletteEntries, bitCount == 8 ? 256u : 0u) << race;
    EXPECT_EQ(dib.byteSize, cur.size() - 22) << race;
    return dib;
}

}  // namespace

TEST(Cursors, AreCursorFilesAndPngsWithTheSamePixels) {
    for (const auto& [race, bits] : kCursors) {
        SCOPED_TRACE(race);
        const DibImage cur = readCursor(race, bits);
        ASSERT_EQ(cur.pixels.px.size(), 32u * 32u);
        const Bytes pngFile = readFile(resDir() / "cursors" / (race + ".png"));
        EXPECT_EQ(pngColourType(pngFile), 6);  // RGBA, for the desktop's cursor loader
        EXPECT_EQ(pngBitDepth(pngFile), 8);
        const Pixels png = decodePng(pngFile);
        ASSERT_EQ(png.width, 32);
        ASSERT_EQ(png.height, 32);
        int mismatches = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const Rgba a = cur.pixels.at(x, y), b = png.at(x, y);
                const bool opaque = b.a == 255;
                if ((b.a != 0 && b.a != 255) || opaque != (a.a == 255) ||
                    (opaque && (a.r != b.r || a.g != b.g || a.b != b.b)))
                    ++mismatches;
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(Cursors, PointFromTheHotSpotAtTheTopLeftTowardsTheBottomRight) {
    for (const auto& [race, bits] : kCursors) {
        SCOPED_TRACE(race);
        const Pixels p = decodePng(readFile(resDir() / "cursors" / (race + ".png")));
        ASSERT_EQ(p.px.size(), 32u * 32u);
        int nearest = 99, minX = 32, minY = 32, maxX = -1, maxY = -1, count = 0;
        long long sumX = 0, sumY = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (p.at(x, y).a == 0) continue;
                nearest = std::min(nearest, x + y);
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
                sumX += x, sumY += y, ++count;
            }
        ASSERT_GT(count, 0);
        EXPECT_LE(nearest, 1) << "the tip must touch the hot spot (0, 0)";
        EXPECT_EQ(minX, 0);
        EXPECT_EQ(minY, 0);
        EXPECT_GE(maxX, 24);
        EXPECT_GE(maxY, 24);
        // The body lies along the diagonal, away from the tip.
        const double cx = static_cast<double>(sumX) / count, cy = static_cast<double>(sumY) / count;
        EXPECT_LT(std::abs(cx - cy), 6.0);
        EXPECT_GT(cx + cy, 24.0);
    }
}

namespace {

// Shares of the visible, not-outline pixels of a cursor that are of a colour family.
struct ColourShares {
    double grey = 0, blue = 0, green = 0, red = 0, yellow = 0;
};

ColourShares sharesOf(const Pixels& p) {
    ColourShares s;
    int n = 0;
    for (const Rgba& c : p.px) {
        if (c.a == 0 || luma(c) < 50) continue;
        ++n;
        if (saturation(c) < 30) s.grey += 1;
        if (c.b > c.r + 30 && c.b > c.g + 20) s.blue += 1;
        if (c.g > c.r + 25 && c.g > c.b + 25) s.green += 1;
        if (c.r > c.g + 60 && c.r > c.b + 60 && c.g < 140) s.red += 1;
        if (c.r > 200 && c.g > 150 && c.b < 120) s.yellow += 1;
    }
    if (n) s = {s.grey / n, s.blue / n, s.green / n, s.red / n, s.yellow / n};
    return s;
}

}  // namespace

TEST(Cursors, ShowTheColoursOfTheirRace) {
    std::map<std::string, ColourShares> shares;
    for (const auto& c : kCursors) shares[c.race] = sharesOf(decodePng(readFile(resDir() / "cursors" / (c.race + ".png"))));
    EXPECT_GT(shares["hu"].grey, 0.7) << "an armoured gauntlet";
    EXPECT_GT(shares["ne"].blue, 0.5) << "a dark blue hand";
    EXPECT_GT(shares["ne"].green, 0.05) << "with leaves at the wrist";
    EXPECT_GT(shares["or"].green, 0.5) << "a green hand";
    EXPECT_GT(shares["or"].red, 0.1) << "with a red cuff";
    EXPECT_GT(shares["ud"].grey, 0.9) << "a bony grey hand";
    EXPECT_GT(shares["df"].red, 0.1) << "a red and yellow arrow head";
    EXPECT_GT(shares["df"].yellow, 0.05);
    EXPECT_GT(shares["df"].blue, 0.1) << "on a blue shaft";
}

namespace {

struct IconEntry {
    int size;
    unsigned bitCount;
    DibImage image;
};

std::vector<IconEntry> readIcon() {
    const Bytes ico = readFile(resDir() / "icon" / "orbicle.ico");
    std::vector<IconEntry> entries;
    EXPECT_GE(ico.size(), 6u);
    if (ico.size() < 6) return entries;
    EXPECT_EQ(le16(ico, 0), 0u);
    EXPECT_EQ(le16(ico, 2), 1u) << "type 1 is an icon";
    const unsigned count = le16(ico, 4);
    EXPECT_EQ(count, 9u);
    std::size_t expectedOffset = 6 + 16 * count;
    for (unsigned i = 0; i < count && 6 + 16 * (i + 1) <= ico.size(); ++i) {
        const std::size_t e = 6 + 16 * i;
        IconEntry entry{ico[e], le16(ico, e + 6), {}};
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ(ico[e + 1], ico[e]) << "square";
        EXPECT_EQ(ico[e + 2], entry.bitCount == 4 ? 16 : 0);
        EXPECT_EQ(le16(ico, e + 4), 1u);
        EXPECT_EQ(le32(ico, e + 12), expectedOffset) << "images follow each other without gaps";
        std::string reason;
        EXPECT_TRUE(decodeDib(ico, le32(ico, e + 12), entry.image, reason)) << reason;
        EXPECT_EQ(entry.image.byteSize, le32(ico, e + 8));
        EXPECT_EQ(entry.image.width, entry.size);
        EXPECT_EQ(entry.image.heightField, 2 * entry.size);
        EXPECT_EQ(entry.image.bitCount, entry.bitCount);
        EXPECT_EQ(entry.image.compression, 0u);
        EXPECT_EQ(entry.image.paletteEntries, entry.bitCount == 24 ? 0u : (1u << entry.bitCount));
        expectedOffset += le32(ico, e + 8);
        entries.push_back(std::move(entry));
    }
    EXPECT_EQ(expectedOffset, ico.size()) << "the last image ends the file";
    return entries;
}

}  // namespace

TEST(Icon, HoldsNineImagesAt48And32And16PixelsEachAt4And8And24Bits) {
    const std::vector<IconEntry> entries = readIcon();
    std::set<std::pair<int, unsigned>> kinds;
    for (const IconEntry& e : entries) kinds.insert({e.size, e.bitCount});
    const std::set<std::pair<int, unsigned>> wanted = {{48, 4}, {48, 8}, {48, 24}, {32, 4}, {32, 8},
                                                       {32, 24}, {16, 4}, {16, 8}, {16, 24}};
    EXPECT_EQ(kinds, wanted);
}

TEST(Icon, PngFilesAreTheTrueColourImages) {
    const std::vector<IconEntry> entries = readIcon();
    for (int size : {48, 32, 16}) {
        SCOPED_TRACE(size);
        const Bytes file = readFile(resDir() / "icon" / ("orbicle_" + std::to_string(size) + ".png"));
        EXPECT_EQ(pngColourType(file), 6);
        const Pixels png = decodePng(file);
        ASSERT_EQ(png.width, size);
        ASSERT_EQ(png.height, size);
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [size](const IconEntry& e) { return e.size == size && e.bitCount == 24; });
        ASSERT_NE(it, entries.end());
        int mismatches = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const Rgba a = png.at(x, y), b = it->image.pixels.at(x, y);
                const bool opaque = a.a >= 128;  // the mask keeps what is at least half covered
                if (opaque != (b.a == 255) || (opaque && (a.r != b.r || a.g != b.g || a.b != b.b))) ++mismatches;
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(Icon, EveryImageShowsARoundTargetWithAGreenRimAndRedCentre) {
    for (const IconEntry& e : readIcon()) {
        SCOPED_TRACE(std::to_string(e.size) + " px, " + std::to_string(e.bitCount) + " bits");
        const Pixels& p = e.image.pixels;
        ASSERT_EQ(p.width, e.size);
        const int n = e.size, half = n / 2;
        for (auto [x, y] : {std::pair{0, 0}, {n - 1, 0}, {0, n - 1}, {n - 1, n - 1}}) EXPECT_EQ(p.at(x, y).a, 0);
        int opaque = 0;
        for (const Rgba& c : p.px) opaque += c.a == 255;
        const double disc = 3.14159 * half * half;
        EXPECT_NEAR(opaque, disc, disc * 0.08) << "round";
        const Rgba centre = p.at(half, half);
        EXPECT_TRUE(centre.r > 180 && centre.g < 100 && centre.b < 100) << "red centre";
        // The green rim, a tenth of the size in from the left edge, on the middle row.
        const Rgba rim = p.at(n / 10, half);
        EXPECT_TRUE(rim.g > 150 && rim.r < 120 && rim.b < 120) << "green rim " << rim.r << "," << rim.g << "," << rim.b;
    }
}
