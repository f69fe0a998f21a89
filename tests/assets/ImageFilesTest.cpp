// The background picture, the cursors and the icon: their file formats, and what the player
// relies on in them - a muted scene under bright targets, cursors that point from the hot spot.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/assets/AssetFiles.h"

using namespace assettest;

namespace {

constexpr int Width = 550, Height = 412;
constexpr int PanelTop = 318;  // the highest point of the interface panel

// The BITMAPINFOHEADER of a cursor or icon image: colour rows and mask, twice the height.
void ExpectDib(const DibImage& dib, int size, unsigned bitCount)
{
    EXPECT_EQ(dib.headerSize, 40u);
    EXPECT_EQ(dib.width, size);
    EXPECT_EQ(dib.heightField, 2 * size);
    EXPECT_EQ(dib.planes, 1u);
    EXPECT_EQ(dib.bitCount, bitCount);
    EXPECT_EQ(dib.compression, 0u);
    EXPECT_EQ(dib.paletteEntries, bitCount <= 8 ? 1u << bitCount : 0u);
}

// Pixels of two decodings that differ in opacity or colour; an alpha of the first from
// opaqueFrom on counts as opaque.
int Mismatches(const Pixels& a, const Pixels& b, int opaqueFrom)
{
    int n = 0;
    for (std::size_t i = 0; i < a.px.size() && i < b.px.size(); ++i) {
        const Rgba p = a.px[i], q = b.px[i];
        const bool opaque = p.a >= opaqueFrom;
        n += opaque != (q.a == 255) || (opaque && (p.r != q.r || p.g != q.g || p.b != q.b));
    }
    return n + static_cast<int>(a.px.size() != b.px.size());
}

// The background's pixels, top row first, read straight from the BMP rows.
Pixels BackgroundPixels()
{
    const Bytes bmp = ReadFile(ResDir() / "background.bmp");
    Pixels out{Width, Height, std::vector<Rgba>(Width * Height)};
    const std::size_t stride = (Width * 3 + 3) / 4 * 4;
    for (int y = 0; y < Height && bmp.size() == 680680u; ++y)
        for (int x = 0; x < Width; ++x) {
            const std::size_t at = 54 + stride * (Height - 1 - y) + 3 * x;
            out.px[static_cast<std::size_t>(y) * Width + x] = {bmp[at + 2], bmp[at + 1], bmp[at], 255};
        }
    return out;
}

int Saturation(const Rgba& p)
{
    return std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b});
}

double Mean(const Pixels& p, int x0, int y0, int x1, int y1, int (*measure)(const Rgba&))
{
    long long sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            sum += measure(p.At(x, y));
    return static_cast<double>(sum) / ((x1 - x0) * (y1 - y0));
}

}  // namespace

TEST(Background, IsAnUncompressedBottomUp24BitPictureOf550By412)
{
    const Bytes bmp = ReadFile(ResDir() / "background.bmp");
    // Embedded as a resource (without the 14-byte file header) the bitmap is 680,666 bytes.
    ASSERT_EQ(bmp.size(), 680680u);
    ExpectFields(bmp, {{0, 2, 0x4D42, "BM"},
                       {2, 4, 680680, "file size"},
                       {10, 4, 54, "no colour table"},
                       {14, 4, 40, "BITMAPINFOHEADER"},
                       {18, 4, Width, "width"},
                       {22, 4, Height, "height, positive: rows stored bottom-up"},
                       {26, 2, 1, "planes"},
                       {28, 2, 24, "bits"},
                       {30, 4, 0, "BI_RGB"},
                       {34, 4, 1652 * Height, "image size"},
                       {38, 4, 2834, "x pixels per metre"},
                       {42, 4, 2834, "y pixels per metre"},
                       {46, 4, 0, "colours used"}});
}

TEST(Background, StaysMutedSoTargetsAndGaugesReadOverIt)
{
    const Pixels bg = BackgroundPixels();
    // Nothing in the picture comes near the targets' near-white interiors.
    int brightest = 0;
    for (const Rgba& p : bg.px)
        brightest = std::max(brightest, Luma(p));
    EXPECT_LT(brightest, 200);

    // The field is darkish and of low colour, yet not black; under the score (top right) and
    // the gauges (bottom left) it is darker than average.
    const double field = Mean(bg, 0, 0, Width, PanelTop, Luma);
    EXPECT_GT(field, 40.0);
    EXPECT_LT(field, 95.0);
    EXPECT_LT(Mean(bg, 0, 0, Width, PanelTop, Saturation), 50.0);
    EXPECT_LT(Mean(bg, Width - 42, 0, Width, 42, Luma), field);
    EXPECT_LT(Mean(bg, 0, Height - 167, 108, Height, Luma), field + 10.0);
}

namespace {
const std::pair<std::string, unsigned> Cursors[] = {{"hu", 24}, {"ne", 24}, {"or", 24}, {"ud", 24}, {"df", 8}};
}  // namespace

TEST(Cursors, AreOneImageCursorFilesWithTheHotSpotAtTheTopLeftAndPngsWithTheSamePixels)
{
    for (const auto& [race, bits] : Cursors) {
        SCOPED_TRACE(race);
        const Bytes cur = ReadFile(ResDir() / "cursors" / (race + ".cur"));
        ASSERT_GE(cur.size(), 22u);
        ExpectFields(cur, {{0, 2, 0, "reserved"},
                           {2, 2, 2, "type 2 is a cursor"},
                           {4, 2, 1, "one image"},
                           {6, 1, 32, "width"},
                           {7, 1, 32, "height"},
                           {8, 1, 0, "colour count: 0 for 256 and more"},
                           {10, 2, 0, "hot spot x"},
                           {12, 2, 0, "hot spot y"},
                           {14, 4, static_cast<std::uint32_t>(cur.size() - 22), "image bytes"},
                           {18, 4, 22, "image offset"}});
        DibImage dib;
        std::string reason;
        ASSERT_TRUE(DecodeDib(cur, 22, dib, reason)) << reason;
        ExpectDib(dib, 32, bits);
        EXPECT_EQ(dib.byteSize, cur.size() - 22);

        // The PNG is RGBA, for the desktop's cursor loader, with fully clear or opaque pixels.
        const Bytes pngFile = ReadFile(ResDir() / "cursors" / (race + ".png"));
        EXPECT_EQ(PngColourType(pngFile), 6);
        EXPECT_EQ(PngBitDepth(pngFile), 8);
        const Pixels png = DecodePng(pngFile);
        ASSERT_EQ(png.width, 32);
        ASSERT_EQ(png.height, 32);
        EXPECT_TRUE(std::all_of(png.px.begin(), png.px.end(), [](const Rgba& p) { return p.a == 0 || p.a == 255; }));
        EXPECT_EQ(Mismatches(png, dib.pixels, 255), 0);
    }
}

TEST(Cursors, PointFromTheHotSpotAtTheTopLeftTowardsTheBottomRight)
{
    for (const auto& [race, bits] : Cursors) {
        SCOPED_TRACE(race);
        const Pixels p = DecodePng(ReadFile(ResDir() / "cursors" / (race + ".png")));
        ASSERT_EQ(p.px.size(), 32u * 32u);
        int nearest = 99, minX = 32, minY = 32, maxX = -1, maxY = -1, count = 0;
        long long sumX = 0, sumY = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (p.At(x, y).a == 0)
                    continue;
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

struct IconEntry {
    int size;
    unsigned bitCount;
    DibImage image;
};

// The icon's directory and images, checked on the way.
std::vector<IconEntry> ReadIcon()
{
    const Bytes ico = ReadFile(ResDir() / "icon" / "orbicle.ico");
    std::vector<IconEntry> entries;
    if (ico.size() < 6 + 16 * 9) {
        ADD_FAILURE() << "the icon file is too short";
        return entries;
    }
    ExpectFields(ico, {{0, 2, 0, "reserved"}, {2, 2, 1, "type 1 is an icon"}, {4, 2, 9, "nine images"}});
    std::size_t expectedOffset = 6 + 16 * 9;
    for (std::size_t e = 6; e < 6 + 16 * 9; e += 16) {
        IconEntry entry{ico[e], Le16(ico, e + 6), {}};
        SCOPED_TRACE("image at " + std::to_string(e));
        ExpectFields(ico, {{e + 1, 1, ico[e], "square"},
                           {e + 2, 1, entry.bitCount == 4 ? 16u : 0u, "colour count"},
                           {e + 4, 2, 1, "planes"},
                           {e + 12, 4, static_cast<std::uint32_t>(expectedOffset), "no gaps"}});
        std::string reason;
        EXPECT_TRUE(DecodeDib(ico, Le32(ico, e + 12), entry.image, reason)) << reason;
        ExpectDib(entry.image, entry.size, entry.bitCount);
        EXPECT_EQ(entry.image.byteSize, Le32(ico, e + 8));
        expectedOffset += Le32(ico, e + 8);
        entries.push_back(std::move(entry));
    }
    EXPECT_EQ(expectedOffset, ico.size()) << "the last image ends the file";
    return entries;
}

}  // namespace

TEST(Icon, HoldsNineImagesAt48And32And16PixelsEachAt4And8And24BitsAndPngsOfTheTrueColourOnes)
{
    const std::vector<IconEntry> entries = ReadIcon();
    std::set<std::pair<int, unsigned>> kinds;
    for (const IconEntry& e : entries)
        kinds.insert({e.size, e.bitCount});
    EXPECT_EQ(kinds, (std::set<std::pair<int, unsigned>>{
                         {48, 4}, {48, 8}, {48, 24}, {32, 4}, {32, 8}, {32, 24}, {16, 4}, {16, 8}, {16, 24}}));
    for (const IconEntry& e : entries) {
        if (e.bitCount != 24)
            continue;
        SCOPED_TRACE(e.size);
        const Bytes file = ReadFile(ResDir() / "icon" / ("orbicle_" + std::to_string(e.size) + ".png"));
        EXPECT_EQ(PngColourType(file), 6);
        const Pixels png = DecodePng(file);
        ASSERT_EQ(png.width, e.size);
        ASSERT_EQ(png.height, e.size);
        EXPECT_EQ(Mismatches(png, e.image.pixels, 128), 0) << "the mask keeps what is at least half covered";
    }
}
