// The rasterizer behind CDC: spans with a raster operation, one-pixel and wide lines, ellipses
// and polygons, each clipped once to a rectangle inside the pixel buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/Win.h"

namespace dc_detail {

// For tests: with general paths on, every drawing call is done at once by the general
// per-pixel code, the reference that the fast paths (spans, deferred rows, run expansion of a
// stretch) must match pixel for pixel. Off by default.
void SetGeneralPaths(bool on);
bool GeneralPaths();

// n pixels from p on take the colour.
void FillPixels(std::uint32_t* p, std::size_t n, std::uint32_t colour);

// A pixel buffer with a clip rectangle (already inside the buffer) and a binary raster operation.
struct Canvas {
    std::uint32_t* pixels = nullptr;
    int width = 0;  // also the row stride
    int height = 0;
    CRect clip;
    int rop = 13;  // R2_COPYPEN

    bool Empty() const { return clip.left >= clip.right || clip.top >= clip.bottom; }
    std::uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * width; }
    // Pixels x0 .. x1-1 of row y, clipped.
    void Span(long long y, long long x0, long long x1, std::uint32_t colour) const;
    // Pixels y0 .. y1-1 of column x, clipped.
    void Column(long long x, long long y0, long long y1, std::uint32_t colour) const;
    void Pixel(long long x, long long y, std::uint32_t colour) const;
};

// A one-pixel line pattern: alternating on and off run lengths, starting with on.
struct LineStyle {
    std::span<const int> runs;  // empty: solid
    bool opaqueGaps = false;    // gaps take the background colour
    std::uint32_t gapColour = 0;
};

std::span<const int> PatternOf(int penStyle);

std::uint32_t ApplyRop(int rop, std::uint32_t dst, std::uint32_t pen);

// The pixels of a one-pixel line that runs along a row or a column: row `at` from column `from`
// to `to` - 1, or column `at` from row `from` to `to` - 1 when vertical.
struct AxisLine {
    bool vertical = false;
    int at = 0;
    int from = 0;
    int to = 0;
    std::uint32_t colour = 0;
};

// The pixels inside the clip of a one-pixel line from (x0, y0) to (x1, y1), its end point left
// out, when the line is horizontal or vertical (from >= to when none are inside); nothing for a
// slanted line or a single point.
std::optional<AxisLine> ClipAxisLine(const CRect& clip, int x0, int y0, int x1, int y1);

// One-pixel line from (x0, y0) towards (x1, y1), the end point left out. The pattern starts
// anew at styleStart pixels into it.
void CosmeticLine(const Canvas& c, int x0, int y0, int x1, int y1, std::uint32_t colour, const LineStyle& style,
                  long long styleStart = 0);

// Wide line: every pixel whose centre lies within width / 2 of the segment (round ends). Pens of
// width 1 or less draw cosmetic lines instead; a clip of no area takes no row.
void WideLine(const Canvas& c, int x0, int y0, int x1, int y1, int width, std::uint32_t colour);

// What fills and outlines a shape: a pen width of 0 means no outline.
struct ShapePaint {
    int penWidth = 0;
    std::uint32_t penColour = 0;
    bool fill = false;
    std::uint32_t fillColour = 0;
};

// Ellipse in the box (left, top) .. (right, bottom), right and bottom edges exclusive.
void FillEllipse(const Canvas& c, CRect box, const ShapePaint& paint);

// Interior of a polygon: pixel centres inside by the alternate (even-odd) rule, GDI's default,
// with the right and bottom edges left out.
void FillPolygon(const Canvas& c, std::span<const CPoint> points, std::uint32_t colour);

}  // namespace dc_detail
