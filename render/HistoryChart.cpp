// Drawing the History window's chart of every kept game and the result graph of one of them.
#include "render/HistoryChart.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/Resources.h"
#include "render/Fonts.h"
#include "render/ResultGraph.h"
#include "res/Resource.h"

namespace hc = history_chart;

namespace {
constexpr int FontHeight = 15;
constexpr int MaxRate = 1'000'000;  // rates beyond are no game's

// The local date of a time, "2026-01-05".
std::string LocalDate(std::int64_t seconds)
{
    return TimeText(seconds, "%Y-%m-%d", false);
}

// Where things go on a chart of this size for these games.
class Layout {
public:
    Layout(CSize size, std::span<const KeptGame> games)
        : m_games(static_cast<int>(games.size())), m_width(size.cx - hc::Left - hc::Right)
    {
        const int plot = size.cy - hc::Top - hc::Bottom;
        m_rateBottom = hc::Top + plot * 7 / 10;
        m_accuracyTop = m_rateBottom + hc::Gap;
        m_accuracyBottom = size.cy - hc::Bottom;
        std::int64_t highest = 0;
        for (const KeptGame& game : games)
            highest = std::max(highest, game.best);
        m_rateTop = hc::RateTop(static_cast<int>(std::min<std::int64_t>(highest, MaxRate)));
    }
    int X(int index) const { return hc::Left + static_cast<int>((index + 0.5) * m_width / m_games); }
    int RateY(double rate) const
    {
        rate = std::clamp(rate, 0.0, static_cast<double>(m_rateTop));
        return m_rateBottom - static_cast<int>(std::lround(rate * (m_rateBottom - hc::Top) / m_rateTop));
    }
    int AccuracyY(double percent) const
    {
        percent = std::clamp(percent, 0.0, 100.0);
        return m_accuracyBottom - static_cast<int>(std::lround(percent * (m_accuracyBottom - m_accuracyTop) / 100));
    }
    int RateTop() const { return m_rateTop; }
    int Right() const { return hc::Left + m_width; }
    int RateBottom() const { return m_rateBottom; }
    int AccuracyTop() const { return m_accuracyTop; }
    int AccuracyBottom() const { return m_accuracyBottom; }

private:
    int m_games;
    int m_width;
    int m_rateBottom = 0, m_accuracyTop = 0, m_accuracyBottom = 0, m_rateTop = 0;
};

void Dot(CDC& dc, CPoint at, int radius, COLORREF colour)
{
    CPen pen(PS_SOLID, 1, colour);
    CBrush brush(colour);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Ellipse(at.x - radius, at.y - radius, at.x + radius + 1, at.y + radius + 1);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void Ring(CDC& dc, CPoint at, int radius, COLORREF colour)
{
    CPen pen(PS_SOLID, 2, colour);
    CPen* oldPen = dc.SelectObject(&pen);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.Ellipse(at.x - radius, at.y - radius, at.x + radius + 1, at.y + radius + 1);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

void Polyline(CDC& dc, std::span<const CPoint> points, int width, COLORREF colour)
{
    if (points.empty())
        return;
    CPen pen(PS_SOLID, width, colour);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(points.front());
    for (const CPoint& point : points.subspan(1))
        dc.LineTo(point);
    dc.SelectObject(oldPen);
}

void HorizontalLine(CDC& dc, int x0, int x1, int y, int style, COLORREF colour)
{
    CPen pen(style, 1, colour);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.MoveTo(x0, y);
    dc.LineTo(x1, y);
    dc.SelectObject(oldPen);
}

// The grids with their figures, the day lines and the dates.
void DrawFrame(CDC& dc, const Layout& at, std::span<const KeptGame> games)
{
    const int step = hc::RateStep(at.RateTop());
    for (int rate = 0; rate <= at.RateTop(); rate += step) {
        HorizontalLine(dc, hc::Left, at.Right(), at.RateY(rate), PS_SOLID, hc::Grid);
        dc.TextOut(hc::Left - 8 - dc.GetTextExtent(std::to_string(rate)).cx, at.RateY(rate) - FontHeight / 2,
                   std::to_string(rate));
    }
    for (int percent = 0; percent <= 100; percent += 50) {
        HorizontalLine(dc, hc::Left, at.Right(), at.AccuracyY(percent), PS_SOLID, hc::Grid);
        const std::string text = std::to_string(percent) + "%";
        dc.TextOut(hc::Left - 8 - dc.GetTextExtent(text).cx, at.AccuracyY(percent) - FontHeight / 2, text);
    }
    for (std::size_t i = 1; i < games.size(); ++i) {
        if (LocalDate(games[i].started) == LocalDate(games[i - 1].started))
            continue;
        const int x = (at.X(static_cast<int>(i)) + at.X(static_cast<int>(i) - 1)) / 2;
        CPen dotted(PS_DOT, 1, Rgb(170, 170, 170));
        CPen* oldPen = dc.SelectObject(&dotted);
        dc.MoveTo(x, hc::Top);
        dc.LineTo(x, at.AccuracyBottom());
        dc.SelectObject(oldPen);
    }
    const std::string first = LocalDate(games.front().started);
    const std::string last = LocalDate(games.back().started);
    dc.TextOut(hc::Left, at.AccuracyBottom() + 4, first);
    if (last != first)
        dc.TextOut(at.Right() - dc.GetTextExtent(last).cx, at.AccuracyBottom() + 4, last);
}

// The key to the marks along the top.
void DrawLegend(CDC& dc)
{
    int x = hc::Left;
    const int y = hc::Top / 2;
    auto entry = [&](const char* text, auto mark) {
        mark(CPoint{x + 6, y});
        dc.TextOut(x + 16, y - FontHeight / 2, text);
        x += 16 + dc.GetTextExtent(text).cx + 18;
    };
    entry("average", [&](CPoint p) { Dot(dc, p, hc::DotRadius, hc::Average); });
    entry("best", [&](CPoint p) { Dot(dc, p, hc::DotRadius, hc::Best); });
    entry("average of the last 10", [&](CPoint p) {
        const CPoint line[] = {{p.x - 6, p.y}, {p.x + 6, p.y}};
        Polyline(dc, line, 2, hc::Moving);
    });
    entry("personal best", [&](CPoint p) { Ring(dc, p, hc::RingRadius - 2, hc::Record); });
    entry("accuracy", [&](CPoint p) { Dot(dc, p, hc::DotRadius, hc::Accuracy); });
}
}  // namespace

int history_chart::RateStep(int highest)
{
    return highest <= 200 ? 20 : highest <= 500 ? 50 : 100;
}

int history_chart::RateTop(int highest)
{
    const int step = RateStep(highest);
    return std::max(step, (highest + step - 1) / step * step);
}

void DrawHistoryChart(CDC& dc, CSize size, std::span<const KeptGame> games)
{
    dc.FillSolidRect(CRect{0, 0, size.cx, size.cy}, hc::Background);
    CFont font;
    CreateGameFont(font, FontHeight);
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(hc::Ink);
    if (games.empty()) {
        const CSize extent = dc.GetTextExtent(hc::EmptyText);
        dc.TextOut((size.cx - extent.cx) / 2, (size.cy - extent.cy) / 2, hc::EmptyText);
        dc.SelectObject(oldFont);
        return;
    }

    const Layout at(size, games);
    DrawFrame(dc, at, games);
    DrawLegend(dc);

    std::vector<CPoint> moving, accuracy;
    double sum = 0.0;
    for (int i = 0; i < static_cast<int>(games.size()); ++i) {
        sum += static_cast<double>(games[i].average);
        if (i >= hc::MovingGames)
            sum -= static_cast<double>(games[i - hc::MovingGames].average);
        const int count = std::min(i + 1, hc::MovingGames);
        moving.push_back({at.X(i), at.RateY(sum / count)});
        accuracy.push_back({at.X(i), at.AccuracyY(static_cast<double>(games[i].accuracy))});
    }
    Polyline(dc, moving, 2, hc::Moving);
    Polyline(dc, accuracy, 1, hc::Accuracy);

    std::int64_t record = -1;
    for (int i = 0; i < static_cast<int>(games.size()); ++i) {
        const CPoint best{at.X(i), at.RateY(static_cast<double>(games[i].best))};
        Dot(dc, {at.X(i), at.RateY(static_cast<double>(games[i].average))}, hc::DotRadius, hc::Average);
        Dot(dc, best, hc::DotRadius, hc::Best);
        Dot(dc, accuracy[static_cast<std::size_t>(i)], hc::DotRadius, hc::Accuracy);
        if (games[i].best > record) {
            record = games[i].best;
            Ring(dc, best, hc::RingRadius, hc::Record);
        }
    }
    dc.SelectObject(oldFont);
}

void DrawKeptResult(CDC& dc, CSize size, const KeptGame& game)
{
    CDC picture;
    picture.CreateCompatibleDC(&dc);
    picture.SelectObject(LoadBitmapResource(IDB_BACKGROUND));
    dc.StretchBlt(0, 0, size.cx, size.cy, &picture, 0, 0, BackgroundWidth, BackgroundHeight, SRCCOPY);
    // A game keeps its samples within 0 and its best; a file edited by hand may not.
    const int best = static_cast<int>(std::clamp<std::int64_t>(game.best, 0, MaxRate));
    std::vector<int> samples = game.samples;
    for (int& sample : samples)
        sample = std::clamp(sample, 0, best);
    DrawResultGraph(&dc, ResultNumbers{size.cx, size.cy, samples, best,
                                       static_cast<int>(std::clamp<std::int64_t>(game.average, 0, best)),
                                       game.ended - game.started});
}
