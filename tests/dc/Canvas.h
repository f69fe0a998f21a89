// A device context with a bitmap of a known background, and helpers to read what it shows.
#pragma once

#include <gtest/gtest.h>

#include <string>

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
        m_dc.FillSolidRect({0, 0, width, height}, Background);
    }

    // The bitmap's pixel, read directly (GetPixel would see only the clip box).
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_bitmap.GetWidth() || y >= m_bitmap.GetHeight())
            return CLR_INVALID;
        return ColorFromPixel(m_bitmap.GetPixels()[static_cast<std::size_t>(y) * m_bitmap.GetWidth() + x]);
    }

    // Row y from x0 to x1 - 1: '#' where the pixel has the colour, '.' elsewhere.
    std::string Row(int y, int x0, int x1, COLORREF colour) const
    {
        std::string s;
        for (int x = x0; x < x1; ++x)
            s += At(x, y) == colour ? '#' : '.';
        return s;
    }
    std::string Column(int x, int y0, int y1, COLORREF colour) const
    {
        std::string s;
        for (int y = y0; y < y1; ++y)
            s += At(x, y) == colour ? '#' : '.';
        return s;
    }

    // Pixels in the bitmap that differ from the background.
    int Changed() const { return Changed({0, 0, m_bitmap.GetWidth(), m_bitmap.GetHeight()}); }
    int Changed(const CRect& r) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) != Background;
        return n;
    }
    int Count(COLORREF colour) const
    {
        int n = 0;
        for (int y = 0; y < m_bitmap.GetHeight(); ++y)
            for (int x = 0; x < m_bitmap.GetWidth(); ++x)
                n += At(x, y) == colour;
        return n;
    }
    // First and last x of the colour in row y, or (-1, -1).
    std::pair<int, int> Extent(int y, COLORREF colour) const
    {
        int first = -1, last = -1;
        for (int x = 0; x < m_bitmap.GetWidth(); ++x)
            if (At(x, y) == colour) {
                if (first < 0)
                    first = x;
                last = x;
            }
        return {first, last};
    }

    CBitmap m_bitmap;
    CDC m_dc;
};
