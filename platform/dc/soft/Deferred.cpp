// Recorded drawing, done row by row. A row of a stretch is made once per source row (by runs
// of repeated pixels where the picture is enlarged), the vertical lines that cross it are put
// into it there, and every destination row that samples the same source row is a copy of it;
// the made rows are kept for the next frame while the picture, the map and the lines stay the
// same. Horizontal lines then overwrite their rows. Each pixel ends as the last recorded call
// that covers it would leave it, since all of them copy their colour. Whole bitmaps are lent
// instead of copied (LendWhole).
#include "platform/dc/soft/Deferred.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <numeric>
#include <utility>

#include "platform/dc/soft/State.h"

namespace dc_detail {

struct DeferredWork {
    struct Line {
        AxisLine line;
        int order = 0;  // place among the recorded lines
    };
    std::shared_ptr<Surface> source;  // of the stretch; null when there is none
    StretchMap stretch;
    std::vector<Line> verticals;
    std::vector<Line> horizontals;
    int lines = 0;
    int top = 0;  // the rows touched
    int bottom = 0;

    void Touch(int from, int to)
    {
        if (top >= bottom) {
            top = from;
            bottom = to;
        } else {
            top = std::min(top, from);
            bottom = std::max(bottom, to);
        }
    }
};

// Rows of a stretch with vertical lines in them, kept by the surface they are drawn into.
struct RowCache {
    std::uint64_t sourceStamp = 0;
    std::vector<int> cols;
    std::vector<std::pair<int, std::uint32_t>> columns;  // the lines: column in the area, colour
    std::vector<int> slot;                               // per source row: its row here, -1 none yet
    std::size_t used = 0;
    std::vector<std::uint32_t> pixels;

    void Clear(std::size_t sourceRows)
    {
        slot.assign(sourceRows, -1);
        used = 0;
    }
};

namespace {
std::atomic<std::uint64_t> lastStamp{0};
}  // namespace

std::uint64_t NextStamp()
{
    return lastStamp.fetch_add(1, std::memory_order_relaxed) + 1;
}

Surface::Surface() : stamp(NextStamp()) {}
Surface::~Surface() = default;

namespace {

// More recorded lines than this are done before the next is recorded, which bounds the memory
// and the time of a settle; a darkening grid over a 4K screen's field has about 1,500.
constexpr int MaxLines = 2048;

// How a row of the stretch area takes its pixels from a source row.
class RowExpander {
public:
    // Room the run expansion may write past the row's end.
    static constexpr std::size_t Padding = 4;

    explicit RowExpander(const std::vector<int>& cols) : m_cols(cols)
    {
        m_complete = std::none_of(cols.begin(), cols.end(), [](int c) { return c < 0; });
        if (!m_complete || cols.empty() || GeneralPaths())
            return;
        // Runs: each source column from the first on, taken by the next one or more columns.
        for (std::size_t k = 1; k < cols.size(); ++k)
            if (cols[k] != cols[k - 1] && cols[k] != cols[k - 1] + 1)
                return;
        m_first = cols.front();
        m_identity = cols.back() - cols.front() + 1 == static_cast<int>(cols.size());
        m_repeats.assign(static_cast<std::size_t>(cols.back() - cols.front() + 1), 0);
        for (int c : cols)
            ++m_repeats[static_cast<std::size_t>(c - m_first)];
        m_runs = true;
    }

    // Whether every column has a source pixel.
    bool Complete() const { return m_complete; }
    // Whether the row is a plain copy of consecutive source pixels, from this column on.
    bool Identity() const { return m_identity; }
    int First() const { return m_first; }

    // The whole row into out, which holds the row and Padding pixels more.
    void Expand(const std::uint32_t* source, std::uint32_t* out) const
    {
        if (!m_runs) {
            Gather(source, out);
            return;
        }
        const std::uint32_t* from = source + m_first;
        for (const int repeats : m_repeats) {
            const std::uint32_t v = *from++;
            const std::uint32_t four[4] = {v, v, v, v};
            // Four at a time, the next run overwriting what lies beyond this one.
            for (int k = 0; k < repeats; k += 4)
                std::memcpy(out + k, four, sizeof four);
            out += repeats;
        }
    }

    // The pixel under each column that has one; the others keep what they hold.
    void Gather(const std::uint32_t* source, std::uint32_t* out) const
    {
        for (std::size_t k = 0; k < m_cols.size(); ++k)
            if (m_cols[k] >= 0)
                out[k] = source[m_cols[k]];
    }

private:
    const std::vector<int>& m_cols;
    bool m_complete = false;
    bool m_runs = false;
    bool m_identity = false;
    int m_first = 0;
    std::vector<int> m_repeats;
};

void DrawColumns(std::uint32_t* row, const std::vector<DeferredWork::Line>& lines, int offset)
{
    for (const auto& v : lines)
        row[v.line.at - offset] = v.line.colour;
}

// The rows of a stretch with the vertical lines of a band already in them, each made once per
// source row: kept in the surface's row cache from one settle to the next where the cache may
// hold them, otherwise in a scratch row made anew whenever the source row changes.
class ComposedRows {
public:
    ComposedRows(Surface& target, const StretchMap& s, const RowExpander& expander, const Surface* source,
                 const std::uint32_t* pixels, int sourceWidth)
        : m_expander(expander),
          m_pixels(pixels),
          m_sourceWidth(sourceWidth),
          m_n(s.cols.size()),
          m_scratch(m_n + RowExpander::Padding)
    {
        if (!source || GeneralPaths())
            return;
        // Kept while the distinct source rows take no more memory than the surface itself.
        std::vector<bool> seen(static_cast<std::size_t>(source->height));
        std::size_t distinct = 0;
        for (int sy : s.rows)
            if (sy >= 0 && !seen[static_cast<std::size_t>(sy)]) {
                seen[static_cast<std::size_t>(sy)] = true;
                ++distinct;
            }
        m_limit = target.pixels.size();
        if (distinct * Stride() > m_limit)
            return;
        if (!target.rowCache)
            target.rowCache = std::make_unique<RowCache>();
        m_cache = target.rowCache.get();
        if (m_cache->sourceStamp != source->stamp || m_cache->cols != s.cols) {
            m_cache->sourceStamp = source->stamp;
            m_cache->cols = s.cols;
            m_cache->Clear(static_cast<std::size_t>(source->height));
        }
        m_cache->pixels.reserve(distinct * Stride());
    }

    // Starts a band with these vertical lines inside the stretch area.
    void StartBand(const std::vector<DeferredWork::Line>& inside, int left)
    {
        m_inside = &inside;
        m_left = left;
        m_composed = -1;
        if (!m_cache)
            return;
        std::vector<std::pair<int, std::uint32_t>> columns;
        columns.reserve(inside.size());
        for (const auto& v : inside)
            columns.emplace_back(v.line.at - left, v.line.colour);
        if (columns != m_cache->columns) {
            m_cache->columns = std::move(columns);
            m_cache->Clear(m_cache->slot.size());
        }
    }

    const std::uint32_t* Row(int sy)
    {
        if (m_cache) {
            RowCache& cache = *m_cache;
            const auto index = static_cast<std::size_t>(sy);
            if (cache.slot[index] < 0) {
                // Rows of earlier clip boxes may fill the cache: it then starts afresh.
                if ((cache.used + 1) * Stride() > m_limit)
                    cache.Clear(cache.slot.size());
                cache.slot[index] = static_cast<int>(cache.used++);
                cache.pixels.resize(std::max(cache.pixels.size(), cache.used * Stride()));
                Make(sy, cache.pixels.data() + cache.slot[index] * Stride());
            }
            return cache.pixels.data() + cache.slot[index] * Stride();
        }
        if (sy != m_composed) {
            Make(sy, m_scratch.data());
            m_composed = sy;
        }
        return m_scratch.data();
    }

private:
    // A cached row and the room its expansion may write beyond it.
    std::size_t Stride() const { return m_n + RowExpander::Padding; }

    void Make(int sy, std::uint32_t* out) const
    {
        m_expander.Expand(m_pixels + static_cast<std::ptrdiff_t>(sy) * m_sourceWidth, out);
        DrawColumns(out, *m_inside, m_left);
    }

    const RowExpander& m_expander;
    const std::uint32_t* m_pixels;
    int m_sourceWidth;
    std::size_t m_n;
    std::vector<std::uint32_t> m_scratch;
    RowCache* m_cache = nullptr;
    std::size_t m_limit = 0;  // pixels the cache may hold
    const std::vector<DeferredWork::Line>* m_inside = nullptr;
    int m_left = 0;
    int m_composed = -1;
};

// The vertical lines drawn over a band of rows, all of them, in the order they were recorded.
struct Band {
    std::vector<DeferredWork::Line> active;
    std::vector<DeferredWork::Line> inside;  // those inside the stretch area
    std::vector<DeferredWork::Line> outside;
    int minX = INT_MAX;  // their columns
    int maxX = INT_MIN;

    Band(const std::vector<DeferredWork::Line>& verticals, int top, int bottom, int left, int right)
    {
        for (const auto& v : verticals) {
            if (v.line.from > top || v.line.to < bottom || v.line.from >= v.line.to)
                continue;
            active.push_back(v);
            (v.line.at >= left && v.line.at < right ? inside : outside).push_back(v);
            minX = std::min(minX, v.line.at);
            maxX = std::max(maxX, v.line.at);
        }
    }
};

// The recorded work of a surface done row by row: the stretch from the source pixels (none
// when they are null), the vertical lines of the row's band, then its horizontal lines.
class Composer {
public:
    Composer(Surface& target, const DeferredWork& work, const StretchMap& s, const Surface* source,
             const std::uint32_t* pixels, int sourceWidth)
        : m_target(target),
          m_work(work),
          m_s(s),
          m_pixels(pixels),
          m_sourceWidth(sourceWidth),
          m_stretch(pixels && s.area.left < s.area.right && s.area.top < s.area.bottom),
          m_n(m_stretch ? static_cast<std::size_t>(s.area.right - s.area.left) : 0),
          m_expander(s.cols),
          m_fast(m_stretch && m_expander.Complete() && !GeneralPaths()),
          m_composed(target, s, m_expander, m_fast ? source : nullptr, pixels, sourceWidth),
          m_horizontals(work.horizontals)
    {
        std::stable_sort(m_horizontals.begin(), m_horizontals.end(),
                         [](const auto& a, const auto& b) { return a.line.at < b.line.at; });
    }

    void Run()
    {
        if (m_work.top >= m_work.bottom)
            return;
        // Bands of rows in which the same vertical lines are drawn.
        std::vector<int> edges{m_work.top, m_work.bottom};
        if (m_stretch) {
            edges.push_back(m_s.area.top);
            edges.push_back(m_s.area.bottom);
        }
        for (const auto& v : m_work.verticals) {
            if (edges.back() == v.line.to && edges[edges.size() - 2] == v.line.from)
                continue;  // a grid's lines mostly share their ends
            edges.push_back(v.line.from);
            edges.push_back(v.line.to);
        }
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

        m_next = m_horizontals.begin();
        for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
            const int left = m_stretch ? m_s.area.left : 0, right = m_stretch ? m_s.area.right : 0;
            const Band band(m_work.verticals, edges[e], edges[e + 1], left, right);
            m_composed.StartBand(band.inside, left);
            m_copyable = nullptr;
            for (int y = edges[e]; y < edges[e + 1]; ++y)
                DrawRow(y, band);
        }
    }

private:
    void DrawRow(int y, const Band& band)
    {
        std::uint32_t* row = m_target.pixels.data() + static_cast<std::ptrdiff_t>(y) * m_target.width;
        const int sy = m_stretch && y >= m_s.area.top && y < m_s.area.bottom ? m_s.rows[y - m_s.area.top] : -1;
        const auto end = std::find_if(m_next, m_horizontals.cend(), [y](const auto& h) { return h.line.at != y; });
        // A horizontal line over the stretch and every vertical line leaves nothing of them
        // to see: they need not be drawn first.
        const int hideFrom = std::min(sy >= 0 ? m_s.area.left : INT_MAX, band.minX);
        const int hideTo = std::max(sy >= 0 ? m_s.area.right : INT_MIN, band.maxX == INT_MIN ? INT_MIN : band.maxX + 1);
        const bool hidden =
            std::any_of(m_next, end, [&](const auto& h) { return h.line.from <= hideFrom && h.line.to >= hideTo; });
        if (!hidden)
            DrawStretchAndColumns(row, sy, band);
        if (m_next != end)
            m_copyable = nullptr;  // the row's lines make it unlike the next
        for (; m_next != end; ++m_next)
            DrawHorizontal(row, *m_next, band);
    }

    void DrawStretchAndColumns(std::uint32_t* row, int sy, const Band& band)
    {
        std::uint32_t* area = row + m_s.area.left;
        if (sy >= 0 && m_expander.Identity() && band.inside.empty()) {
            std::memcpy(area, SourceRow(sy) + m_expander.First(), m_n * sizeof(std::uint32_t));
            DrawColumns(row, band.outside, 0);
        } else if (sy >= 0 && m_fast) {
            // A row like the one just drawn is copied from it, while it is still at hand.
            const std::uint32_t* from = sy == m_copyableSy && m_copyable ? m_copyable : m_composed.Row(sy);
            std::memcpy(area, from, m_n * sizeof(std::uint32_t));
            DrawColumns(row, band.outside, 0);
            m_copyable = area;
            m_copyableSy = sy;
        } else {
            if (sy >= 0)
                m_expander.Gather(SourceRow(sy), area);
            DrawColumns(row, band.active, 0);
        }
    }

    // The line, then the vertical lines recorded after it, which cross it again.
    static void DrawHorizontal(std::uint32_t* row, const DeferredWork::Line& h, const Band& band)
    {
        FillPixels(row + h.line.from, static_cast<std::size_t>(h.line.to - h.line.from), h.line.colour);
        auto later = std::upper_bound(band.active.begin(), band.active.end(), h.order,
                                      [](int order, const auto& v) { return order < v.order; });
        for (; later != band.active.end(); ++later)
            if (later->line.at >= h.line.from && later->line.at < h.line.to)
                row[later->line.at] = later->line.colour;
    }

    const std::uint32_t* SourceRow(int sy) const { return m_pixels + static_cast<std::ptrdiff_t>(sy) * m_sourceWidth; }

    Surface& m_target;
    const DeferredWork& m_work;
    const StretchMap& m_s;
    const std::uint32_t* m_pixels;
    int m_sourceWidth;
    bool m_stretch;
    std::size_t m_n;
    RowExpander m_expander;
    bool m_fast;
    ComposedRows m_composed;
    std::vector<DeferredWork::Line> m_horizontals;  // by row, in recorded order within a row
    std::vector<DeferredWork::Line>::const_iterator m_next;
    const std::uint32_t* m_copyable = nullptr;  // the stretch area of the last row drawn, untouched since
    int m_copyableSy = -1;                      // the source row it shows
};

void SettleReaders(Surface& surface)
{
    for (const std::weak_ptr<Surface>& reader : std::exchange(surface.readers, {}))
        if (const auto r = reader.lock())
            Settle(*r);
}

// Whether the stretch draws every pixel of the surface.
bool CoversWhole(const StretchMap& map, const Surface& surface)
{
    const auto valid = [](const std::vector<int>& v) {
        return std::none_of(v.begin(), v.end(), [](int i) { return i < 0; });
    };
    return map.area == CRect{0, 0, surface.width, surface.height} && valid(map.cols) && valid(map.rows);
}

// The surface's recorded work no longer reads its source.
void StopReading(Surface& surface, const DeferredWork& work)
{
    if (work.source)
        std::erase_if(work.source->readers, [&](const std::weak_ptr<Surface>& r) {
            const auto p = r.lock();
            return !p || p.get() == &surface;
        });
}

// Forgets the surface's recorded work.
void Drop(Surface& surface)
{
    if (!surface.deferred)
        return;
    StopReading(surface, *surface.deferred);
    surface.deferred.reset();
}

// The map of a plain copy of a whole surface.
StretchMap WholeMap(int width, int height)
{
    StretchMap map;
    map.area = CRect{0, 0, width, height};
    map.cols.resize(static_cast<std::size_t>(width));
    map.rows.resize(static_cast<std::size_t>(height));
    std::iota(map.cols.begin(), map.cols.end(), 0);
    std::iota(map.rows.begin(), map.rows.end(), 0);
    return map;
}

}  // namespace

void Settle(Surface& surface)
{
    if (!surface.deferred)
        return;
    const std::unique_ptr<DeferredWork> work = std::move(surface.deferred);
    surface.stamp = NextStamp();
    StopReading(surface, *work);
    const Surface* source = work->source.get();
    Composer(surface, *work, work->stretch, source, source ? source->pixels.data() : nullptr,
             source ? source->width : 0)
        .Run();
}

void PrepareWrite(Surface& surface)
{
    Settle(surface);
    SettleReaders(surface);
    surface.stamp = NextStamp();
}

void DeferStretch(const std::shared_ptr<Surface>& target, const std::shared_ptr<Surface>& source, StretchMap map)
{
    // What the target still had to do need never be done when this stretch draws over all of
    // it (nothing reads a surface with recorded work: recording settles its readers first). A
    // frame lent to the screen is then not copied back.
    if (CoversWhole(map, *target))
        Drop(*target);
    PrepareWrite(*target);
    Settle(*source);
    auto work = std::make_unique<DeferredWork>();
    work->Touch(map.area.top, map.area.bottom);
    work->stretch = std::move(map);
    work->source = source;
    target->deferred = std::move(work);
    std::erase_if(source->readers, [](const std::weak_ptr<Surface>& r) { return r.expired(); });
    source->readers.push_back(target);
    if (GeneralPaths())
        Settle(*target);
}

void DeferLine(Surface& target, const AxisLine& line)
{
    SettleReaders(target);
    if (target.deferred && target.deferred->lines >= MaxLines)
        Settle(target);
    if (!target.deferred)
        target.deferred = std::make_unique<DeferredWork>();
    DeferredWork& work = *target.deferred;
    DeferredWork::Line recorded{line, work.lines++};
    if (line.vertical) {
        work.Touch(line.from, line.to);
        work.verticals.push_back(recorded);
    } else {
        work.Touch(line.at, line.at + 1);
        work.horizontals.push_back(recorded);
    }
}

void LendWhole(const std::shared_ptr<Surface>& target, const std::shared_ptr<Surface>& source)
{
    PrepareWrite(*target);
    Settle(*source);
    SettleReaders(*source);  // their reading is done before the pixels move
    std::swap(target->pixels, source->pixels);
    target->stamp = NextStamp();
    // The source copies its picture back from the target, recorded.
    auto work = std::make_unique<DeferredWork>();
    work->Touch(0, source->height);
    work->stretch = WholeMap(source->width, source->height);
    work->source = target;
    source->deferred = std::move(work);
    target->readers.push_back(source);
}

void StretchNow(Surface& target, const std::uint32_t* source, int sourceWidth, const StretchMap& map)
{
    PrepareWrite(target);
    DeferredWork work;
    work.Touch(map.area.top, map.area.bottom);
    Composer(target, work, map, nullptr, source, sourceWidth).Run();
}

}  // namespace dc_detail
