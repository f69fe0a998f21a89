// Speed of the device context's primitives on the largest field, 1320 x 990, against a plain
// buffer copy. Whole frames of the game itself are measured by frame_bench.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/dc/Dc.h"
#include "render/Fonts.h"

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

// Reading the pixels makes the context finish what it recorded, inside the timed loop.
void Finish(Frame& f)
{
    benchmark::DoNotOptimize(f.back.GetPixels().data());
}

void BM_StretchBackground(benchmark::State& state)
{
    Frame f;
    for (auto _ : state) {
        Background(f);
        Finish(f);
    }
}
BENCHMARK(BM_StretchBackground);

void BM_DarkeningGrid(benchmark::State& state)
{
    Frame f;
    for (auto _ : state) {
        DarkeningGrid(f.dc);
        Finish(f);
    }
}
BENCHMARK(BM_DarkeningGrid);

// The picture with the grid over it, as a frame of the game begins.
void BM_BackgroundWithGrid(benchmark::State& state)
{
    Frame f;
    for (auto _ : state) {
        Background(f);
        DarkeningGrid(f.dc);
        Finish(f);
    }
}
BENCHMARK(BM_BackgroundWithGrid);

// What a frame spends on making its objects anew: four fonts, five pens, two brushes.
void BM_CreateFrameObjects(benchmark::State& state)
{
    for (auto _ : state) {
        CFont a, b, c, d;
        CreateGameFont(a, 20);
        CreateGameFont(b, 22);
        CreateGameFont(c, 26);
        CreateGameFont(d, 40);
        CPen p1(PS_SOLID, 8, 0), p2(PS_SOLID, 3, 0), p3(PS_DASHDOT, 1, 0), p4(PS_SOLID, 5, 0), p5(PS_SOLID, 7, 0);
        CBrush b1(Rgb(240, 255, 240)), b2(Rgb(96, 96, 128));
        benchmark::DoNotOptimize(&a);
    }
}
BENCHMARK(BM_CreateFrameObjects);

}  // namespace
BENCHMARK_MAIN();
