// Composes preview pictures the way the game shows the art: stretched without smoothing,
// with every third row and column black, circles and gauges on top.
#include "tools/assetgen/Preview.h"

#include <fstream>
#include <stdexcept>
#include <vector>

#include "tools/assetgen/Background.h"
#include "tools/assetgen/Cursors.h"
#include "tools/assetgen/Icon.h"
#include "tools/assetgen/ImageFormats.h"

namespace assetgen {

namespace {

void save(const std::filesystem::path& file, const Canvas& c)
{
    const Bytes bytes = encodePng(c);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

Canvas stretch(const Canvas& src, int w, int h)
{
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.setRgba(x, y, src.at(x * src.width() / w, y * src.height() / h));
    return out;
}

void darken(Canvas& c)
{
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if ((x > 0 && x % 3 == 0) || (y > 0 && y % 3 == 0))
                c.set(x, y, {0, 0, 0});
}

// A target as the game draws it: a light disc with a thick green or blue rim.
void target(Canvas& c, int cx, int cy, int r, bool left)
{
    const int pen = r / 10 + 2;
    const Rgb rim = left ? Rgb{0, 255, 0} : Rgb{0, 0, 255}, fill = left ? Rgb{240, 255, 240} : Rgb{240, 240, 255};
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x) {
            const long long d2 = 1LL * (x - cx) * (x - cx) + 1LL * (y - cy) * (y - cy);
            if (d2 <= 1LL * r * r)
                c.set(x, y, d2 >= 1LL * (r - pen) * (r - pen) ? rim : fill);
        }
}

Canvas fieldPreview(const Canvas& bg, int w, int h, bool overlays)
{
    Canvas c = stretch(bg, w, h);
    darken(c);
    if (!overlays)
        return c;
    const int unit = w / 20;
    target(c, w * 3 / 10, h / 3, unit, true);
    target(c, w * 6 / 10, h / 2, unit * 3 / 4, false);
    target(c, w * 8 / 10, h * 3 / 4, unit / 2, true);
    target(c, w / 2, h * 4 / 5, unit * 2 / 3, false);
    c.blendRect(0, h - h * 400 / 990, w * 260 / 1320, h, {96, 96, 128}, 150);  // gauges
    c.blendRect(w - w * 100 / 1320, 0, w, h * 100 / 990, {96, 96, 128}, 256);  // score plate
    return c;
}

Canvas cursorSheet(const std::vector<Cursor>& cursors, Rgb paper, int zoom)
{
    const int cell = 32 * zoom + 16;
    Canvas c(cell * static_cast<int>(cursors.size()), cell,
             {static_cast<std::uint8_t>(paper.r), static_cast<std::uint8_t>(paper.g),
              static_cast<std::uint8_t>(paper.b), 255});
    for (std::size_t i = 0; i < cursors.size(); ++i)
        for (int y = 0; y < 32 * zoom; ++y)
            for (int x = 0; x < 32 * zoom; ++x) {
                const Rgba p = cursors[i].image.at(x / zoom, y / zoom);
                if (p.a)
                    c.set(static_cast<int>(i) * cell + 8 + x, 8 + y, p.rgb());
            }
    return c;
}

// The cursors at their real size over the enlarged, darkened field.
Canvas cursorsOnField(const Canvas& field, const std::vector<Cursor>& cursors)
{
    Canvas c = field;
    for (std::size_t i = 0; i < cursors.size(); ++i) {
        const int ox = 200 + static_cast<int>(i) * 60, oy = 120 + static_cast<int>(i) * 40;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (cursors[i].image.at(x, y).a)
                    c.set(ox + x, oy + y, cursors[i].image.rgb(x, y));
    }
    return stretch(c, c.width() * 2, c.height() * 2);
}

// The icon at its three sizes, at 1:1 and enlarged 8 times, on a light and a dark ground.
Canvas iconSheet()
{
    constexpr int kZoom = 8;
    Canvas c(2 * (48 + 32 + 16 + 48 * kZoom + 40), 48 * kZoom + 16, {200, 200, 200, 255});
    c.fillRect(c.width() / 2, 0, c.width(), c.height(), {40, 42, 46});
    for (int half = 0; half < 2; ++half) {
        int x = half * c.width() / 2 + 8;
        for (int size : {48, 32, 16}) {
            const Canvas icon = makeIcon(size);
            for (int y = 0; y < size; ++y)
                for (int xx = 0; xx < size; ++xx)
                    c.blend(x + xx, 8 + y, icon.rgb(xx, y), icon.at(xx, y).a);
            x += size + 8;
        }
        const Canvas big = makeIcon(48);
        for (int y = 0; y < 48 * kZoom; ++y)
            for (int xx = 0; xx < 48 * kZoom; ++xx) {
                const Rgba p = big.at(xx / kZoom, y / kZoom);
                c.blend(x + xx, 8 + y, p.rgb(), p.a);
            }
    }
    return c;
}

}  // namespace

void writePreviews(const std::filesystem::path& dir)
{
    const Canvas bg = makeBackground();
    const std::vector<Cursor> cursors = makeCursors();
    save(dir / "background_1320.png", fieldPreview(bg, 1320, 990, true));
    save(dir / "background_704.png", fieldPreview(bg, 704, 528, true));
    save(dir / "background_plain.png", stretch(bg, 1100, 824));
    save(dir / "cursors_light.png", cursorSheet(cursors, {226, 226, 220}, 6));
    save(dir / "cursors_dark.png", cursorSheet(cursors, {24, 26, 30}, 6));
    save(dir / "cursors_field.png", cursorsOnField(fieldPreview(bg, 704, 528, false), cursors));
    save(dir / "icon.png", iconSheet());
}

}  // namespace assetgen
