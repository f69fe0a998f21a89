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

void Save(const std::filesystem::path& file, const Canvas& c)
{
    const Bytes bytes = EncodePng(c);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

Canvas Stretch(const Canvas& src, int w, int h)
{
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.SetRgba(x, y, src.At(x * src.Width() / w, y * src.Height() / h));
    return out;
}

void Darken(Canvas& c)
{
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if ((x > 0 && x % 3 == 0) || (y > 0 && y % 3 == 0))
                c.Set(x, y, {0, 0, 0});
}

// A target as the game draws it: a light disc with a thick green or blue rim.
void Target(Canvas& c, int cx, int cy, int r, bool left)
{
    const int pen = r / 10 + 2;
    const Rgb rim = left ? Rgb{0, 255, 0} : Rgb{0, 0, 255}, fill = left ? Rgb{240, 255, 240} : Rgb{240, 240, 255};
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x) {
            const long long d2 = 1LL * (x - cx) * (x - cx) + 1LL * (y - cy) * (y - cy);
            if (d2 <= 1LL * r * r)
                c.Set(x, y, d2 >= 1LL * (r - pen) * (r - pen) ? rim : fill);
        }
}

Canvas FieldPreview(const Canvas& bg, int w, int h, bool overlays)
{
    Canvas c = Stretch(bg, w, h);
    Darken(c);
    if (!overlays)
        return c;
    const int unit = w / 20;
    Target(c, w * 3 / 10, h / 3, unit, true);
    Target(c, w * 6 / 10, h / 2, unit * 3 / 4, false);
    Target(c, w * 8 / 10, h * 3 / 4, unit / 2, true);
    Target(c, w / 2, h * 4 / 5, unit * 2 / 3, false);
    c.BlendRect(0, h - h * 400 / 990, w * 260 / 1320, h, {96, 96, 128}, 150);  // gauges
    c.BlendRect(w - w * 100 / 1320, 0, w, h * 100 / 990, {96, 96, 128}, 256);  // score plate
    return c;
}

Canvas CursorSheet(const std::vector<Cursor>& cursors, Rgb paper, int zoom)
{
    const int cell = 32 * zoom + 16;
    Canvas c(cell * static_cast<int>(cursors.size()), cell,
             {static_cast<std::uint8_t>(paper.r), static_cast<std::uint8_t>(paper.g),
              static_cast<std::uint8_t>(paper.b), 255});
    for (std::size_t i = 0; i < cursors.size(); ++i)
        for (int y = 0; y < 32 * zoom; ++y)
            for (int x = 0; x < 32 * zoom; ++x) {
                const Rgba p = cursors[i].image.At(x / zoom, y / zoom);
                if (p.a)
                    c.Set(static_cast<int>(i) * cell + 8 + x, 8 + y, p.ToRgb());
            }
    return c;
}

// The cursors at their real size over the enlarged, darkened field.
Canvas CursorsOnField(const Canvas& field, const std::vector<Cursor>& cursors)
{
    Canvas c = field;
    for (std::size_t i = 0; i < cursors.size(); ++i) {
        const int ox = 200 + static_cast<int>(i) * 60, oy = 120 + static_cast<int>(i) * 40;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (cursors[i].image.At(x, y).a)
                    c.Set(ox + x, oy + y, cursors[i].image.RgbAt(x, y));
    }
    return Stretch(c, c.Width() * 2, c.Height() * 2);
}

// The icon at its three sizes, at 1:1 and enlarged 8 times, on a light and a dark ground.
Canvas IconSheet()
{
    constexpr int Zoom = 8;
    Canvas c(2 * (48 + 32 + 16 + 48 * Zoom + 40), 48 * Zoom + 16, {200, 200, 200, 255});
    c.FillRect(c.Width() / 2, 0, c.Width(), c.Height(), {40, 42, 46});
    for (int half = 0; half < 2; ++half) {
        int x = half * c.Width() / 2 + 8;
        for (int size : {48, 32, 16}) {
            const Canvas icon = MakeIcon(size);
            for (int y = 0; y < size; ++y)
                for (int xx = 0; xx < size; ++xx)
                    c.Blend(x + xx, 8 + y, icon.RgbAt(xx, y), icon.At(xx, y).a);
            x += size + 8;
        }
        const Canvas big = MakeIcon(48);
        for (int y = 0; y < 48 * Zoom; ++y)
            for (int xx = 0; xx < 48 * Zoom; ++xx) {
                const Rgba p = big.At(xx / Zoom, y / Zoom);
                c.Blend(x + xx, 8 + y, p.ToRgb(), p.a);
            }
    }
    return c;
}

}  // namespace

void WritePreviews(const std::filesystem::path& dir)
{
    const Canvas bg = MakeBackground();
    const std::vector<Cursor> cursors = MakeCursors();
    Save(dir / "background_1320.png", FieldPreview(bg, 1320, 990, true));
    Save(dir / "background_704.png", FieldPreview(bg, 704, 528, true));
    Save(dir / "background_plain.png", Stretch(bg, 1100, 824));
    Save(dir / "cursors_light.png", CursorSheet(cursors, {226, 226, 220}, 6));
    Save(dir / "cursors_dark.png", CursorSheet(cursors, {24, 26, 30}, 6));
    Save(dir / "cursors_field.png", CursorsOnField(FieldPreview(bg, 704, 528, false), cursors));
    Save(dir / "icon.png", IconSheet());
}

}  // namespace assetgen
