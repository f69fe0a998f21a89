// Drawing the keys report: a keyboard, the mouse buttons, the slowest keys and the spread of
// reaction times, laid out at one design size and scaled to the size asked for.
#include "render/KeysReport.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "render/Fonts.h"

namespace kr = keys_report;

namespace {
// One key of the board: its code, the text on it, and where it stands in key units.
struct BoardKey {
    unsigned char code;
    std::string name;
    double x;  // units from the board's left
    int row;   // 0: function keys, 1: digits, 2 to 4: letters, 5: space
    double width = 1.0;
};

// The codes of the keys that are no letters or digits are Windows' virtual-key codes.
std::vector<BoardKey> MakeBoard()
{
    std::vector<BoardKey> keys;
    for (int i = 0; i < 12; ++i)
        keys.push_back({static_cast<unsigned char>(112 + i), "F" + std::to_string(i + 1), i + (i / 4) * 0.25, 0});
    auto row = [&](int r, double x, const char* letters,
                   std::initializer_list<std::pair<unsigned char, const char*>> more) {
        for (const char* c = letters; *c; ++c, x += 1.0)
            keys.push_back({static_cast<unsigned char>(*c), std::string(1, *c), x, r});
        for (const auto& [code, name] : more) {
            keys.push_back({code, name, x, r});
            x += 1.0;
        }
    };
    row(1, 0.5, "1234567890", {{189, "-"}});
    row(2, 1.0, "QWERTYUIOP", {{219, "["}});
    row(3, 1.25, "ASDFGHJKL", {{186, ";"}, {222, "'"}});
    row(4, 1.75, "ZXCVBNM", {{188, ","}, {190, "."}, {191, "/"}});
    keys.push_back({32, "Space", 3.5, 5, 6.0});
    return keys;
}

const std::vector<BoardKey>& Board()
{
    static const std::vector<BoardKey> board = MakeBoard();
    return board;
}

// Design coordinates (DesignSize) to those of the size drawn: one scale, the picture centred.
class Scale {
public:
    explicit Scale(CSize size)
        : m_size(size),
          m_s(std::min(static_cast<double>(size.cx) / kr::DesignSize.cx,
                       static_cast<double>(size.cy) / kr::DesignSize.cy)),
          m_x((size.cx - kr::DesignSize.cx * m_s) / 2),
          m_y((size.cy - kr::DesignSize.cy * m_s) / 2)
    {
    }
    int X(double x) const { return static_cast<int>(std::lround(m_x + x * m_s)); }
    int Y(double y) const { return static_cast<int>(std::lround(m_y + y * m_s)); }
    CRect Rect(double l, double t, double r, double b) const { return CRect{X(l), Y(t), X(r), Y(b)}; }
    // A design length (a font's height, a margin) in device pixels, never below 8 for a font.
    int Font(int height) const { return std::max(height >= 8 ? 8 : 1, static_cast<int>(std::lround(height * m_s))); }
    CSize Size() const { return m_size; }

private:
    CSize m_size;
    double m_s, m_x, m_y;
};

// The board in design units.
constexpr double BoardLeft = 12;
constexpr double Unit = 42;
constexpr double KeyGap = 4;
constexpr double RowTop[] = {42, 84, 126, 168, 210, 252};
constexpr double RowHeight[] = {36, 38, 38, 38, 38, 24};
constexpr double RightColumn = 560;
constexpr double Edge = 748;  // the right edge of everything
constexpr double BandTop = 296;

COLORREF Mix(COLORREF a, COLORREF b, double t)
{
    auto channel = [&](int shift) {
        const int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
        return static_cast<int>(std::lround(ca + (cb - ca) * t));
    };
    return Rgb(channel(0), channel(8), channel(16));
}

// Text in one font at a time; each call picks the font by its design height.
class Writer {
public:
    Writer(CDC& dc, const Scale& at) : m_dc(dc), m_at(at)
    {
        m_dc.SetBkMode(TRANSPARENT);
        m_old = m_dc.GetCurrentObject(OBJ_FONT);
    }
    ~Writer() { m_dc.SelectObject(m_old); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    CSize Extent(const std::string& text, int height)
    {
        Use(height);
        return m_dc.GetTextExtent(text);
    }
    // align: 0 left from x, 1 centred on x, 2 right up to x; y is the top, in design units.
    void Text(double x, double y, const std::string& text, int height, COLORREF colour, int align = 0)
    {
        Use(height);
        m_dc.SetTextColor(colour);
        const int width = m_dc.GetTextExtent(text).cx;
        const int left = m_at.X(x) - (align == 1 ? width / 2 : align == 2 ? width : 0);
        m_dc.TextOut(left, m_at.Y(y), text);
    }
    // Centred in a rectangle of device pixels, from its top.
    void TextIn(const CRect& box, int top, const std::string& text, int height, COLORREF colour)
    {
        Use(height);
        m_dc.SetTextColor(colour);
        const int width = m_dc.GetTextExtent(text).cx;
        m_dc.TextOut((box.left + box.right - width) / 2, top, text);
    }

private:
    void Use(int height)
    {
        const int device = m_at.Font(height);
        if (device == m_height)
            return;
        m_font = std::make_unique<CFont>();
        CreateGameFont(*m_font, device);
        m_dc.SelectObject(m_font.get());
        m_height = device;
    }
    CDC& m_dc;
    const Scale& m_at;
    CGdiObject* m_old = nullptr;
    std::unique_ptr<CFont> m_font;
    int m_height = 0;
};

void Frame(CDC& dc, const CRect& r, COLORREF fill, COLORREF outline)
{
    dc.FillSolidRect(r, outline);
    dc.FillSolidRect(CRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, fill);
}

std::string Thousands(long long n)
{
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return (n < 0 ? "-" : "") + digits;
}

std::string Percent(int part, int whole)
{
    return whole > 0 ? std::to_string(part * 100 / whole) + "%" : "-";
}

// The fastest and slowest medians of the keys and buttons with hits: the colour scale's ends.
std::pair<int, int> MedianRange(const KeyStats& stats)
{
    int fastest = -1, slowest = -1;
    auto take = [&](const TargetStats& target) {
        const int m = target.reaction.median;
        if (m < 0)
            return;
        fastest = fastest < 0 ? m : std::min(fastest, m);
        slowest = std::max(slowest, m);
    };
    for (const auto& [code, target] : stats.keys)
        take(target);
    take(stats.left);
    take(stats.right);
    return {fastest, slowest};
}

// A target's face: its colour by median, or gray when it has no hit to judge.
COLORREF FaceColour(const TargetStats& target, std::pair<int, int> range)
{
    if (target.shown == 0)
        return kr::UnseenKey;
    if (target.reaction.median < 0)
        return kr::Slow;  // every one escaped
    return kr::ReactionColour(target.reaction.median, range.first, range.second);
}

CRect FaceOf(const Scale& at, const BoardKey& key)
{
    return at.Rect(BoardLeft + key.x * Unit, RowTop[key.row], BoardLeft + (key.x + key.width) * Unit - KeyGap,
                   RowTop[key.row] + RowHeight[key.row]);
}

// Every key of the board: dim unless in the set or judged; a judged one in its median's
// colour, with its name at the top left as on a key cap, the number of its circles at the top
// right and its hit rate along the bottom. The space bar has them in one line.
void DrawBoard(CDC& dc, const Scale& at, Writer& write, const KeysReport& report, std::pair<int, int> range)
{
    for (const BoardKey& key : Board()) {
        const CRect face = FaceOf(at, key);
        const bool space = key.row == 5;
        const auto found = report.stats.keys.find(key.code);
        const bool inSet = std::find(report.hotkeys.begin(), report.hotkeys.end(), key.code) != report.hotkeys.end();
        const bool dim = found == report.stats.keys.end() && !inSet;
        const TargetStats target = found == report.stats.keys.end() ? TargetStats{} : found->second;
        Frame(dc, face, dim ? kr::DimKey : FaceColour(target, range), dim ? Rgb(228, 228, 228) : kr::Outline);
        const COLORREF ink = dim ? kr::DimInk : kr::Ink;
        if (space) {
            const std::string text = target.shown ? key.name + "   " + Percent(target.hit, target.shown) + "   " +
                                                        std::to_string(target.shown)
                                                  : key.name;
            write.TextIn(face, face.top + at.Font(5), text, 12, ink);
            continue;
        }
        const int nameHeight = key.row == 0 ? 12 : 15;
        write.Extent(key.name, nameHeight);
        dc.SetTextColor(ink);
        dc.TextOut(face.left + at.Font(4), face.top + at.Font(2), key.name);
        if (target.shown == 0)
            continue;
        const std::string count = std::to_string(target.shown);
        dc.TextOut(face.right - at.Font(3) - write.Extent(count, 10).cx, face.top + at.Font(4), count);
        write.TextIn(face, face.bottom - at.Font(15), Percent(target.hit, target.shown), 11, ink);
    }
    write.Text(BoardLeft, RowTop[5] + RowHeight[5] + 4,
               "On each key: its circles (top right) and the share of them hit (bottom).", 10, kr::Faint);
}

// The title, and the colour scale's key at the right with the medians at its ends.
void DrawHeading(CDC& dc, const Scale& at, Writer& write, const KeysReport& report, std::pair<int, int> range)
{
    write.Text(BoardLeft, 10, report.title, 17, kr::Ink);
    if (range.first < 0)
        return;
    const double barLeft = RightColumn + 64, barRight = Edge - 64;
    constexpr int Steps = 40;
    for (int i = 0; i < Steps; ++i) {
        const double x0 = barLeft + (barRight - barLeft) * i / Steps;
        const double x1 = barLeft + (barRight - barLeft) * (i + 1) / Steps;
        dc.FillSolidRect(at.Rect(x0, 14, x1, 26), kr::ReactionColour(i, 0, Steps - 1));
    }
    write.Text(barLeft - 6, 13, kr::MsText(range.first), 11, kr::Ink, 2);
    write.Text(barRight + 6, 13, kr::MsText(range.second), 11, kr::Ink);
    write.Text((barLeft + barRight) / 2, 27, "median reaction", 9, kr::Faint, 1);
}

// A label at the left of the right column and its value at the right edge.
void FigureLine(Writer& write, double y, const std::string& label, const std::string& value)
{
    write.Text(RightColumn, y, label, 12, kr::Ink);
    write.Text(Edge, y, value, 12, kr::Ink, 2);
}

// The five slowest keys, the spread of every reaction, and the totals.
void DrawFigures(Writer& write, const KeysReport& report)
{
    const KeyStats& stats = report.stats;
    write.Text(RightColumn, 44, "Slowest keys", 14, kr::Ink);
    const std::vector<unsigned char> slowest = kr::SlowestKeys(stats);
    if (slowest.empty())
        write.Text(RightColumn, 66, "No key hit yet (Options > Custom Keys)", 11, kr::Faint);
    double y = 66;
    for (std::size_t i = 0; i < slowest.size(); ++i, y += 18) {
        const TargetStats& target = stats.keys.at(slowest[i]);
        write.Text(RightColumn, y, std::to_string(i + 1) + ".  " + KeyLabelName(slowest[i]), 13, kr::Ink);
        write.Text(Edge - 58, y, kr::MsText(target.reaction.median), 12, kr::Ink, 2);
        write.Text(Edge, y, std::to_string(target.hit) + "/" + std::to_string(target.shown), 12, kr::Faint, 2);
    }
    write.Text(RightColumn, 166, "All reactions", 14, kr::Ink);
    FigureLine(write, 188, "Median", kr::MsText(stats.all.median));
    FigureLine(write, 206, "90th percentile", kr::MsText(stats.all.p90));
    FigureLine(write, 224, "Best 1 %", kr::MsText(stats.all.best));
    FigureLine(write, 242, "Slowest 1 %", kr::MsText(stats.all.slowest));
    int hits = 0, escaped = 0;
    for (const TargetStats* target : {&stats.left, &stats.right}) {
        hits += target->hit;
        escaped += target->escaped;
    }
    for (const auto& [code, target] : stats.keys) {
        hits += target.hit;
        escaped += target.escaped;
    }
    write.Text(RightColumn, 266,
               Thousands(hits) + " hits, " + Thousands(escaped) + " escaped, " + Thousands(stats.misses) +
                   (stats.misses == 1 ? " miss" : " misses"),
               11, kr::Faint);
}

// The circles without a label, by their button: median, hit rate and count.
void DrawButtons(CDC& dc, const Scale& at, Writer& write, const KeysReport& report, std::pair<int, int> range)
{
    write.Text(BoardLeft, BandTop + 2, "Mouse buttons", 14, kr::Ink);
    for (const KeptAction::Button button : {KeptAction::Button::Left, KeptAction::Button::Right}) {
        const TargetStats& target = button == KeptAction::Button::Left ? report.stats.left : report.stats.right;
        const CRect face = kr::ButtonRect(at.Size(), button);
        Frame(dc, face, FaceColour(target, range), kr::Outline);
        write.TextIn(face, face.top + at.Font(6), button == KeptAction::Button::Left ? "Left" : "Right", 14, kr::Ink);
        if (target.shown == 0)
            continue;
        write.TextIn(face, face.top + at.Font(30), kr::MsText(target.reaction.median), 18, kr::Ink);
        write.TextIn(face, face.top + at.Font(62), Percent(target.hit, target.shown) + " of " + Thousands(target.shown),
                     12, kr::Ink);
    }
}

// The bars of every reaction time, each in the colour of its time, with the median and the
// 90th percentile marked and the times along the bottom.
void DrawHistogram(CDC& dc, const Scale& at, Writer& write, const KeysReport& report)
{
    const KeyStats& stats = report.stats;
    const CRect plot = kr::HistogramPlot(at.Size());
    write.Text(292, BandTop + 2, "Reaction times", 14, kr::Ink);
    dc.FillSolidRect(CRect{plot.left, plot.bottom, plot.right, plot.bottom + 1}, kr::Outline);
    if (stats.reactions.empty()) {
        write.TextIn(plot, (plot.top + plot.bottom) / 2 - at.Font(12), "No hits yet: play a game to see them here.", 12,
                     kr::Faint);
        return;
    }
    const int binMs = kr::BinMs(stats.all);
    const std::vector<int> bins = kr::Histogram(stats.reactions, binMs);
    const int tallest = *std::max_element(bins.begin(), bins.end());
    const double width = static_cast<double>(plot.Width()) / kr::HistogramBins;
    for (int i = 0; i < kr::HistogramBins; ++i) {
        if (bins[static_cast<std::size_t>(i)] == 0)
            continue;
        const int height =
            std::max(1, static_cast<int>(std::lround(static_cast<double>(bins[static_cast<std::size_t>(i)]) *
                                                     plot.Height() / tallest)));
        const int left = plot.left + static_cast<int>(std::lround(i * width));
        const int right = plot.left + static_cast<int>(std::lround((i + 1) * width)) - 1;  // a gap between bars
        dc.FillSolidRect(CRect{left, plot.bottom - height, right, plot.bottom},
                         kr::ReactionColour(i * binMs + binMs / 2, stats.all.best, stats.all.slowest));
    }
    // The marks stand above the plot, so that they cover no bar.
    // The median's label to the left of its mark, the 90th percentile's to the right.
    auto mark = [&](int ms, const std::string& label, bool leftOfMark) {
        const int x =
            plot.left + static_cast<int>(std::lround(std::min(ms, binMs * kr::HistogramBins) *
                                                     static_cast<double>(plot.Width()) / (binMs * kr::HistogramBins)));
        dc.FillSolidRect(CRect{x - 1, plot.top - at.Font(16), x + 1, plot.top}, kr::Ink);
        const int width = write.Extent(label, 11).cx;
        dc.SetTextColor(kr::Ink);
        dc.TextOut(leftOfMark ? x - 4 - width : x + 4, plot.top - at.Font(16), label);
    };
    mark(stats.all.median, "median " + kr::MsText(stats.all.median), true);
    mark(stats.all.p90, "90 % " + kr::MsText(stats.all.p90), false);
    for (int i = 0; i <= kr::HistogramBins; i += 6) {
        const int ms = i * binMs;
        const std::string text = i == kr::HistogramBins ? kr::MsText(ms) + "+" : kr::MsText(ms);
        const int x = plot.left + static_cast<int>(std::lround(i * width));
        dc.FillSolidRect(CRect{x, plot.bottom, x + 1, plot.bottom + at.Font(4)}, kr::Outline);
        const int textWidth = write.Extent(text, 10).cx;
        dc.SetTextColor(kr::Faint);
        dc.TextOut(std::min(x - textWidth / 2, plot.right - textWidth), plot.bottom + at.Font(5), text);
    }
}
}  // namespace

COLORREF kr::ReactionColour(int ms, int fastest, int slowest)
{
    if (slowest <= fastest)
        return Fast;
    const double t = std::clamp(static_cast<double>(ms - fastest) / (slowest - fastest), 0.0, 1.0);
    return t < 0.5 ? Mix(Fast, Middle, t * 2) : Mix(Middle, Slow, t * 2 - 1);
}

CRect kr::KeyRect(CSize size, unsigned char code)
{
    for (const BoardKey& key : Board()) {
        if (key.code == code)
            return FaceOf(Scale(size), key);
    }
    return CRect{};
}

CRect kr::ButtonRect(CSize size, KeptAction::Button button)
{
    const Scale at(size);
    const double left = button == KeptAction::Button::Right ? 139 : 12;
    return at.Rect(left, BandTop + 26, left + 123, 428);
}

CRect kr::HistogramPlot(CSize size)
{
    return Scale(size).Rect(292, BandTop + 40, Edge, 408);
}

int kr::BinMs(const ReactionSummary& all)
{
    static constexpr int Steps[] = {10, 20, 25, 50, 100, 200, 250, 500};
    const int reach = std::max(all.slowest, 1);
    for (const int step : Steps) {
        if (step * HistogramBins >= reach)
            return step;
    }
    return ((reach + HistogramBins * 1000 - 1) / (HistogramBins * 1000)) * 1000;
}

std::vector<int> kr::Histogram(std::span<const int> sorted, int binMs)
{
    std::vector<int> bins(HistogramBins, 0);
    for (const int ms : sorted)
        ++bins[static_cast<std::size_t>(std::clamp(ms / std::max(binMs, 1), 0, HistogramBins - 1))];
    return bins;
}

std::vector<unsigned char> kr::SlowestKeys(const KeyStats& stats, std::size_t count)
{
    std::vector<unsigned char> keys;
    for (const auto& [code, target] : stats.keys) {
        if (target.reaction.median >= 0)
            keys.push_back(code);
    }
    std::stable_sort(keys.begin(), keys.end(), [&](unsigned char a, unsigned char b) {
        return stats.keys.at(a).reaction.median > stats.keys.at(b).reaction.median;
    });
    keys.resize(std::min(keys.size(), count));
    return keys;
}

std::string kr::MsText(int ms)
{
    return ms < 0 ? "-" : Thousands(ms) + " ms";
}

void DrawKeysReport(CDC& dc, CSize size, const KeysReport& report)
{
    dc.FillSolidRect(CRect{0, 0, size.cx, size.cy}, kr::Background);
    const Scale at(size);
    Writer write(dc, at);
    const auto range = MedianRange(report.stats);
    DrawHeading(dc, at, write, report, range);
    DrawBoard(dc, at, write, report, range);
    DrawFigures(write, report);
    DrawButtons(dc, at, write, report, range);
    DrawHistogram(dc, at, write, report);
}
