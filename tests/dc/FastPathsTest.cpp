// The device context's fast paths against its general per-pixel code: random scenes drawn both
// ways must leave the same pixels. Scenes are built like the game's frames (a picture stretched
// over the bitmap, a grid of thin lines, shapes on top) with random sizes, clip boxes, mirrored
// and partly outside stretches, pictures changed while a stretch waits, and repeated frames for
// the rows kept from one frame to the next.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <tuple>
#include <vector>

#include "platform/dc/Dc.h"
#include "platform/dc/soft/Raster.h"

namespace {

// What one path draws on: the target, a picture to stretch from and a bitmap copied to.
struct Scene {
    CBitmap target, picture, copy, other;
    CDC dc, pictureDc, copyDc, otherDc;
    std::vector<COLORREF> reads;  // what GetPixel answered

    Scene(CSize size, CSize pictureSize, unsigned seed)
    {
        for (auto [bitmap, context, s] : {std::tuple{&target, &dc, size}, std::tuple{&picture, &pictureDc, pictureSize},
                                          std::tuple{&copy, &copyDc, size}, std::tuple{&other, &otherDc, size}}) {
            bitmap->CreateBitmap(s.cx, s.cy);
            context->CreateCompatibleDC(nullptr);
            context->SelectObject(bitmap);
        }
        std::mt19937 rng(seed);
        for (std::uint32_t& p : picture.GetPixels())
            p = rng() & 0xFFFFFF;
    }
};

using Step = std::function<void(Scene&)>;

// Random steps of a scene; each draws the same on either path.
class Script {
public:
    Script(unsigned seed, CSize size, CSize pictureSize) : m_rng(seed), m_size(size), m_picture(pictureSize) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    COLORREF Colour() { return static_cast<COLORREF>(m_rng() & 0xFFFFFF); }
    int X() { return Int(-4, m_size.cx + 4); }
    int Y() { return Int(-4, m_size.cy + 4); }

    // A stretch of (part of) the picture, mostly enlarged, sometimes mirrored or reaching out.
    Step Stretch()
    {
        const int x = Int(-6, m_size.cx / 2), y = Int(-6, m_size.cy / 2);
        const int w = (Int(0, 5) ? 1 : -1) * Int(1, m_size.cx + 8), h = (Int(0, 5) ? 1 : -1) * Int(1, m_size.cy + 8);
        const int reach = Int(0, 2) ? 0 : 2;  // how far the source may lie outside the picture
        const int sx = Int(-reach, reach), sy = Int(-reach, reach);
        const int sw = (Int(0, 7) ? 1 : -1) * Int(1, m_picture.cx + reach), sh = Int(1, m_picture.cy + reach);
        return [=](Scene& s) { s.dc.StretchBlt(x, y, w, h, &s.pictureDc, sx, sy, sw, sh, SRCCOPY); };
    }

    // Thin solid lines every few pixels across an area, columns first or rows first.
    Step Grid()
    {
        const int step = Int(2, 5), x0 = Int(-2, 4), y0 = Int(-2, 4);
        const int x1 = Int(m_size.cx - 3, m_size.cx + 2), y1 = Int(m_size.cy - 3, m_size.cy + 2);
        const COLORREF colour = Int(0, 2) ? 0 : Colour();
        const bool rowsFirst = Int(0, 3) == 0, backwards = Int(0, 3) == 0;
        const int width = Int(0, 1);
        return [=](Scene& s) {
            CPen pen(PS_SOLID, width, colour);
            CPen* old = s.dc.SelectObject(&pen);
            for (int pass = 0; pass < 2; ++pass) {
                const bool columns = (pass == 0) != rowsFirst;
                for (int at = columns ? x0 : y0; at <= (columns ? x1 : y1); at += step) {
                    const CPoint a = columns ? CPoint{at, y0} : CPoint{x0, at};
                    const CPoint b = columns ? CPoint{at, y1} : CPoint{x1, at};
                    s.dc.MoveTo(backwards ? b : a);
                    s.dc.LineTo(backwards ? a : b);
                }
            }
            s.dc.SelectObject(old);
        };
    }

    Step Any()
    {
        const int kind = Int(0, 11);
        const int x = X(), y = Y(), x2 = X(), y2 = Y();
        const COLORREF colour = Colour();
        switch (kind) {
        case 0: return Stretch();
        case 1: return Grid();
        case 2:  // a thin line along a row or a column, or slanted, in any pen and raster operation
        case 3: {
            const bool axis = kind == 2;
            const int style = Int(0, 3) ? PS_SOLID : Int(PS_DASH, PS_DASHDOTDOT);
            const int rop = Int(0, 3) ? R2_COPYPEN : Int(R2_BLACK, R2_WHITE);
            const int width = Int(0, 5) ? Int(0, 1) : Int(2, 6);
            const int ex = axis && Int(0, 1) ? x : x2, ey = axis && ex != x ? y : y2;
            return [=](Scene& s) {
                CPen pen(style, width, colour);
                CPen* old = s.dc.SelectObject(&pen);
                const int previous = s.dc.SetROP2(rop);
                s.dc.MoveTo(x, y);
                s.dc.LineTo(ex, ey);
                s.dc.SetROP2(previous);
                s.dc.SelectObject(old);
            };
        }
        case 4: return [=](Scene& s) { s.dc.FillSolidRect(CRect{x, y, x2, y2}, colour); };
        case 5: {  // spans in every raster operation, R2_MERGEPEN (the display's figures) most often
            const int rop = Int(0, 2) ? R2_COPYPEN : Int(0, 1) ? R2_MERGEPEN : Int(R2_BLACK, R2_WHITE);
            return [=](Scene& s) {
                CBrush brush(colour);
                CBrush* old = s.dc.SelectObject(&brush);
                const int previous = s.dc.SetROP2(rop);
                s.dc.Ellipse(x, y, x2, y2);
                s.dc.SetROP2(previous);
                s.dc.SelectObject(old);
            };
        }
        case 6: return [=](Scene& s) { s.dc.IntersectClipRect(x, y, x2, y2); };
        case 7: return [=](Scene& s) { s.dc.SelectClipRgn(nullptr); };
        case 8: return [=](Scene& s) { s.reads.push_back(s.dc.GetPixel(x, y)); };
        case 9:  // the picture changes, also while a stretch from it waits
            return [=, px = Int(0, m_picture.cx - 1), py = Int(0, m_picture.cy - 1), pw = m_picture.cx](Scene& s) {
                if (px % 2)
                    s.pictureDc.SetPixel(px, py, colour);
                else
                    s.picture.GetPixels()[static_cast<std::size_t>(py * pw + px)] = colour;
            };
        case 10:  // within the bitmap, overlapping
            return [=](Scene& s) { s.dc.BitBlt(x, y, x2 - x, y2 - y, &s.dc, x2 / 2, y2 / 3, SRCCOPY); };
        default:  // the whole target to another bitmap, as a frame to the screen, with what may follow
            return [=, size = m_size, then = Int(0, 4), reach = Int(0, 2)](Scene& s) {
                if (then == 0)  // a third bitmap still reads the target
                    s.otherDc.StretchBlt(x, y, 2 * size.cx, size.cy + 1, &s.dc, 0, 0, size.cx, size.cy, SRCCOPY);
                s.copyDc.BitBlt(0, 0, size.cx, size.cy, &s.dc, 0, 0, SRCCOPY);
                if (then == 1)  // the copy changes while the target waits for its pixels
                    s.copyDc.FillSolidRect(CRect{x, y, x2, y2}, colour);
                if (then == 2)  // the target drawn over whole, perhaps with pixels from outside the picture
                    s.dc.StretchBlt(-reach, 0, size.cx + 2 * reach, size.cy, &s.pictureDc, 0, -reach,
                                    s.picture.GetWidth(), s.picture.GetHeight() + reach, SRCCOPY);
                if (then == 3)  // back from the copy, enlarged
                    s.dc.StretchBlt(x, y, 2 * size.cx, size.cy + 1, &s.copyDc, 0, 0, size.cx, size.cy, SRCCOPY);
                if (then == 4)
                    s.copyDc.StretchBlt(x, y, 2 * size.cx, size.cy + 1, &s.dc, 0, 0, size.cx, size.cy, SRCCOPY);
            };
        }
    }

private:
    std::mt19937 m_rng;
    CSize m_size;
    CSize m_picture;
};

void Play(const std::vector<Step>& steps, Scene& scene)
{
    for (const Step& step : steps)
        step(scene);
}

}  // namespace

TEST(FastPathsTest, RandomScenesGiveTheSamePixelsAsTheGeneralCode)
{
    constexpr int Cases = 250;
    constexpr int Frames = 3;
    std::mt19937 sizes(20240611);
    for (int n = 0; n < Cases; ++n) {
        std::uniform_int_distribution<int> w(1, 97), h(1, 75), pw(1, 31), ph(1, 23);
        const CSize size{w(sizes), h(sizes)}, picture{pw(sizes), ph(sizes)};
        Script script(static_cast<unsigned>(n), size, picture);
        // A frame as the game paints it: clip, picture, grid; then whatever else.
        std::vector<Step> frame{[](Scene& s) { s.dc.SelectClipRgn(nullptr); }, script.Any(), script.Stretch(),
                                script.Grid()};
        for (int k = script.Int(3, 14); k > 0; --k)
            frame.push_back(script.Any());

        Scene fast(size, picture, static_cast<unsigned>(n)), general(size, picture, static_cast<unsigned>(n));
        for (int f = 0; f < Frames; ++f) {
            Play(frame, fast);
            dc_detail::SetGeneralPaths(true);
            Play(frame, general);
            dc_detail::SetGeneralPaths(false);
            const auto a = fast.target.GetPixels(), b = general.target.GetPixels();
            const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin());
            ASSERT_TRUE(mismatch.first == a.end())
                << "case " << n << " (" << size.cx << " x " << size.cy << "), frame " << f << ": pixel "
                << (mismatch.first - a.begin()) % size.cx << "," << (mismatch.first - a.begin()) / size.cx;
            ASSERT_EQ(fast.reads, general.reads) << "case " << n << ", frame " << f;
            ASSERT_TRUE(std::ranges::equal(fast.copy.GetPixels(), general.copy.GetPixels())) << "case " << n;
            ASSERT_TRUE(std::ranges::equal(fast.other.GetPixels(), general.other.GetPixels())) << "case " << n;
        }
    }
}
