// A device context with a bitmap of a known background, and helpers to read what it shows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/dc/Dc.h"

class DcTest : public ::testing::Test {
protected:
    static constexpr COLORREF Background = Rgb(16, 32, 48);

    void SetUp() override { Reset(80, 60); }

    void Reset(int width, int height)
    {
        m_dc.DeleteDC();
        m_bitmap.DeleteObject();
        ASSERT_TRUE(m_bitmap.CreateBitmap(width, height));
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(Whole(), Background);
    }
    CRect Whole() const { return {0, 0, m_bitmap.GetWidth(), m_bitmap.GetHeight()}; }

    // The bitmap's pixel, read directly (GetPixel would see only the clip box).
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_bitmap.GetWidth() || y >= m_bitmap.GetHeight())
            return CLR_INVALID;
        return ColorFromPixel(m_bitmap.GetPixels()[static_cast<std::size_t>(y) * m_bitmap.GetWidth() + x]);
    }

    // Row y from x0 to x1 - 1, or column x from y0 to y1 - 1: '#' where the pixel has the
    // colour, '.' elsewhere.
    std::string Row(int y, int x0, int x1, COLORREF colour) const { return Walk(x0, y, 1, 0, x1 - x0, colour); }
    std::string Column(int x, int y0, int y1, COLORREF colour) const { return Walk(x, y0, 0, 1, y1 - y0, colour); }
    std::string Walk(int x, int y, int dx, int dy, int n, COLORREF colour) const
    {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += At(x + i * dx, y + i * dy) == colour ? '#' : '.';
        return s;
    }

    // Pixels of the rectangle (the whole bitmap by default) that differ from the background,
    // or that have the colour.
    int Changed(const CRect& r) const { return Tally(r, Background, false); }
    int Changed() const { return Tally(Whole(), Background, false); }
    int Count(COLORREF colour) const { return Tally(Whole(), colour, true); }
    int Tally(const CRect& r, COLORREF colour, bool equal) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += (At(x, y) == colour) == equal;
        return n;
    }
    // First and last x of the colour in row y, or (-1, -1).
    std::pair<int, int> Extent(int y, COLORREF colour) const
    {
        const std::string row = Row(y, 0, m_bitmap.GetWidth(), colour);
        const auto first = row.find('#');
        return first == std::string::npos ? std::pair{-1, -1}
                                          : std::pair{static_cast<int>(first), static_cast<int>(row.rfind('#'))};
    }

    CBitmap m_bitmap;
    CDC m_dc;
};
