// Speed of the device context on the largest field, 1320 x 990, against a plain buffer copy:
// the parts of a frame one by one, and a whole frame as the game composes it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dc/Dc.h"

namespace {

constexpr int W = 1320;
constexpr int H = 990;

// A back buffer with its context, and a background picture in its own context.
struct Frame {
    CBitmap back;
    CDC dc;
    CBitmap picture;
    CDC pictureDC;

    Frame()
    {
        back.CreateBitmap(W, H);
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&back);
        picture.CreateBitmap(550, 412);
        auto pixels = picture.GetPixels();
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFF;
        pictureDC.CreateCompatibleDC(nullptr);
        pictureDC.SelectObject(&picture);
    }
};

void MakeFont(CFont& font, int height)
{
    font.CreateFontA(height, 0, 0, 0, FW_DONTCARE, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Corrida");
}

void AddArc(std::vector<CPoint>& points, int cx, int cy, int r, double start, double sweep, int n)
{
    const double degree = 0.017453292222222222;
    for (int i = 0; i < n; ++i) {
        const double a = (start - 4 + i * (sweep + 8) / (n - 1)) * degree;
        points.push_back({static_cast<int>(cx + r * std::cos(a)), static_cast<int>(cy + r * std::sin(a))});
    }
}

void Background(Frame& f)
{
    f.dc.StretchBlt(0, 0, W, H, &f.pictureDC, 0, 0, 550, 412, SRCCOPY);
}

void DarkeningGrid(CDC& dc)
{
    CPen pen(PS_SOLID, 0, Rgb(0, 0, 0));
    CPen* old = dc.SelectObject(&pen);
    for (int x = 3; x <= W; x += 3) {
        dc.MoveTo(x, 0);
        dc.LineTo(x, H);
    }
    for (int y = 3; y <= H; y += 3) {
        dc.MoveTo(0, y);
        dc.LineTo(W, y);
    }
    dc.SelectObject(old);
}

// Twelve circles near their peak size (a 1320 field has a size unit of 66), half with labels.
void Circles(CDC& dc)
{
    for (int k = 0; k < 12; ++k) {
        const int x = 120 + (k % 4) * 330, y = 150 + (k / 4) * 330;
        const double r = 60.0 + k;
        const bool left = k % 2 == 0;
        CPen pen(PS_SOLID, static_cast<int>(r * 0.1 + 2.0), left ? Rgb(0, 255, 0) : Rgb(0, 0, 255));
        CBrush brush(left ? Rgb(240, 255, 240) : Rgb(240, 240, 255));
        CPen* oldPen = dc.SelectObject(&pen);
        CBrush* oldBrush = dc.SelectObject(&brush);
        dc.Ellipse(static_cast<int>(x - r), static_cast<int>(y - r), static_cast<int>(x + r), static_cast<int>(y + r));
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
        if (k % 3 == 0)
            continue;
        dc.SetTextColor(Rgb(0, 0, 0));
        dc.SetBkColor(Rgb(240, 255, 240));
        CFont font;
        MakeFont(font, 20);
        CFont* oldFont = dc.SelectObject(&font);
        const CSize size = dc.GetTextExtent("Q");
        dc.TextOut(x - size.cx / 2, y - size.cy / 2, "Q");
        dc.SelectObject(oldFont);
    }
}

void Hud(CDC& dc)
{
    CBrush figure(Rgb(96, 96, 128));
    CBrush* oldBrush = dc.SelectObject(&figure);
    CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
    CFont* oldFont = dc.GetCurrentFont();
    dc.SetROP2(R2_MERGEPEN);
    std::vector<CPoint> v;
    AddArc(v, 15, H - 390, 10, 180, 180, 8);
    AddArc(v, 230, H - 240, 206, 180, -68, 12);
    AddArc(v, 95, H - 45, 10, -90, -90, 8);
    AddArc(v, 65, H - 25, 20, 0, 90, 8);
    AddArc(v, 25, H - 25, 20, 90, 90, 8);
    dc.Polygon(v.data(), static_cast<int>(v.size()));
    v.clear();
    AddArc(v, 230, H - 240, 206, 118.5, -20, 8);
    AddArc(v, 245, H - 20, 15, -90, 180, 8);
    AddArc(v, 155, H - 15, 10, 90, 90, 8);
    dc.Polygon(v.data(), static_cast<int>(v.size()));
    v.clear();
    AddArc(v, W - 20, 49, 12, -90, 90, 8);
    AddArc(v, W - 20, 95, 12, 0, 180, 8);
    AddArc(v, W - 95, 95, 63, 0, -45, 12);
    AddArc(v, W - 57, 43, 6, 90, 180, 8);
    dc.Polygon(v.data(), static_cast<int>(v.size()));
    dc.SetROP2(R2_COPYPEN);
    v.clear();
    AddArc(v, 100, H - 40, 10, 180, 90, 8);
    AddArc(v, 130, H - 40, 10, -90, 90, 8);
    AddArc(v, 130, H - 15, 10, 0, 90, 8);
    AddArc(v, 100, H - 15, 10, 90, 90, 8);
    dc.Polygon(v.data(), static_cast<int>(v.size()));
    v.clear();
    AddArc(v, W - 20, 20, 15, -90, 180, 8);
    AddArc(v, W - 90, 20, 15, 90, 180, 8);
    dc.Polygon(v.data(), static_cast<int>(v.size()));

    dc.SetTextColor(Rgb(0, 255, 0));
    dc.SetBkColor(Rgb(96, 96, 128));
    CFont keyFont, scoreFont;
    MakeFont(keyFont, 40);
    MakeFont(scoreFont, 26);
    dc.SelectObject(&keyFont);
    dc.TextOut(96, H - 47, "F1");
    dc.SelectObject(&scoreFont);
    dc.TextOut(W - 92, 7, "      1234");

    CPen ratePen(PS_SOLID, 7, Rgb(0, 210, 0)), endPen(PS_SOLID, 5, Rgb(255, 0, 255)),
        accuracyPen(PS_SOLID, 3, Rgb(255, 0, 0));
    dc.SelectObject(&ratePen);
    for (int i = 0; i < 43; ++i) {
        dc.MoveTo(13, H - 15 - 9 * i);
        dc.LineTo(18 + (i < 4 ? 59 : 0), H - 15 - 9 * i);
    }
    dc.SelectObject(&endPen);
    for (int x = 246; x > 141; x -= 7) {
        dc.MoveTo(x, H - 12);
        dc.LineTo(x, H - 40);
    }
    dc.SelectObject(&accuracyPen);
    for (int y = 46; y < 101; y += 5) {
        dc.MoveTo(W - 13, y);
        dc.LineTo(W - 30, y);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

void ResultPanel(CDC& dc)
{
    const int x0 = W / 8, y0 = H / 8, x1 = 7 * W / 8, y1 = 7 * H / 8;
    const int history[] = {10, 40, 60, 80, 100, 150, 120, 90, 60, 70, 80, 90};
    const double sx = (x1 - x0) / 12.0, sy = (y1 - y0) / 150.0;
    CPen curve(PS_SOLID, 3, Rgb(255, 0, 0)), grid(PS_DASHDOT, 1, Rgb(0, 0, 128)), axis(PS_SOLID, 5, Rgb(128, 128, 128));
    CFont font;
    MakeFont(font, 22);
    CPen* oldPen = dc.SelectObject(&curve);
    CFont* oldFont = dc.SelectObject(&font);
    dc.MoveTo(x0, y1);
    for (int i = 0; i < 12; ++i)
        dc.LineTo(static_cast<int>((i + 1) * sx + x0), y1 - static_cast<int>(history[i] * sy));
    dc.SelectObject(&grid);
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SetBkColor(Rgb(128, 128, 128));
    for (int j = 1; j <= 10; ++j) {
        const int x = x0 + (j * (x1 - x0)) / 10;
        dc.MoveTo(x, y0 - 5);
        dc.LineTo(x, y1 + 5);
    }
    char text[16];
    for (int v = 20; v < 150; v += 20) {
        const int y = y1 - static_cast<int>(v * sy);
        dc.MoveTo(x0 - 5, y);
        dc.LineTo(x1 + 5, y);
        std::snprintf(text, sizeof text, "%3d", v);
        dc.TextOut(x0 + 7, y - 3, text);
    }
    dc.TextOut(x1 - 40, y1 + 8, " 1:05");
    dc.SelectObject(&axis);
    dc.MoveTo(x0, y0);
    dc.LineTo(x0, y1);
    dc.LineTo(x1, y1);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

void BM_PlainCopy(benchmark::State& state)
{
    std::vector<std::uint32_t> from(static_cast<std::size_t>(W) * H, 0x123456), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * W * H * 4);
}
BENCHMARK(BM_PlainCopy);

void BM_BitBltWholeField(benchmark::State& state)
{
    Frame f, screen;
    for (auto _ : state)
        screen.dc.BitBlt(0, 0, W, H, &f.dc, 0, 0, SRCCOPY);
}
BENCHMARK(BM_BitBltWholeField);

void BM_StretchBackground(benchmark::State& state)
{
    Frame f;
    for (auto _ : state)
        Background(f);
}
BENCHMARK(BM_StretchBackground);

void BM_DarkeningGrid(benchmark::State& state)
{
    Frame f;
    for (auto _ : state)
        DarkeningGrid(f.dc);
}
BENCHMARK(BM_DarkeningGrid);

void BM_CirclesWithLabels(benchmark::State& state)
{
    Frame f;
    for (auto _ : state)
        Circles(f.dc);
}
BENCHMARK(BM_CirclesWithLabels);

void BM_HeadsUpDisplay(benchmark::State& state)
{
    Frame f;
    for (auto _ : state)
        Hud(f.dc);
}
BENCHMARK(BM_HeadsUpDisplay);

void BM_ResultPanel(benchmark::State& state)
{
    Frame f;
    for (auto _ : state)
        ResultPanel(f.dc);
}
BENCHMARK(BM_ResultPanel);

// What a frame spends on making its objects anew: four fonts, five pens, two brushes.
void BM_CreateFrameObjects(benchmark::State& state)
{
    for (auto _ : state) {
        CFont a, b, c, d;
        MakeFont(a, 20);
        MakeFont(b, 22);
        MakeFont(c, 26);
        MakeFont(d, 40);
        CPen p1(PS_SOLID, 8, 0), p2(PS_SOLID, 3, 0), p3(PS_DASHDOT, 1, 0), p4(PS_SOLID, 5, 0), p5(PS_SOLID, 7, 0);
        CBrush b1(Rgb(240, 255, 240)), b2(Rgb(96, 96, 128));
        benchmark::DoNotOptimize(&a);
    }
}
BENCHMARK(BM_CreateFrameObjects);

// A frame of a running game: picture, darkening grid, twelve circles with labels, display.
void BM_WholeFrame(benchmark::State& state)
{
    Frame f;
    for (auto _ : state) {
        f.dc.SelectClipRgn(nullptr);
        f.dc.IntersectClipRect(0, 0, W, H);
        Background(f);
        DarkeningGrid(f.dc);
        Circles(f.dc);
        Hud(f.dc);
    }
}
BENCHMARK(BM_WholeFrame);

// The frame after a game: picture, result panel, display.
void BM_WholeResultFrame(benchmark::State& state)
{
    Frame f;
    for (auto _ : state) {
        Background(f);
        ResultPanel(f.dc);
        Hud(f.dc);
    }
}
BENCHMARK(BM_WholeResultFrame);

}  // namespace
BENCHMARK_MAIN();
