#include "core/import/region_capture.h"

#include "core/geometry/region_data.h"
#include "core/model/drawing_model.h"
#include "core/model/model_view.h"
#include "core/model/user_interface.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace velora {

namespace {

// --- bit searches on one row -------------------------------------------------
// A row is given byte by byte (most significant bit leftmost) through byteAt,
// so the same searches serve the plain mask and "light and not yet filled".

// First x in [from, to] whose bit is set, or -1.
template <typename ByteAt>
int FirstSet(ByteAt byteAt, int from, int to) {
    int i = from >> 3;
    const int lastByte = to >> 3;
    unsigned bits = byteAt(i) & (0xFFu >> (from & 7));
    while (bits == 0) {
        if (++i > lastByte) return -1;
        bits = byteAt(i);
    }
    const int x = i * 8 + std::countl_zero(static_cast<uint8_t>(bits));
    return x <= to ? x : -1;
}

// First x >= from whose bit is clear, or width when the bits stay set to the
// end of the row (padding bits never count as set).
template <typename ByteAt>
int FirstClear(ByteAt byteAt, int from, int width) {
    int i = from >> 3;
    unsigned clear = ~byteAt(i) & (0xFFu >> (from & 7));
    while ((clear & 0xFFu) == 0) {
        if (++i * 8 >= width) return width;
        clear = ~byteAt(i);
    }
    return std::min(width, i * 8 + std::countl_zero(static_cast<uint8_t>(clear)));
}

// Last x <= upTo whose bit is clear, or -1.
template <typename ByteAt>
int LastClear(ByteAt byteAt, int upTo) {
    int i = upTo >> 3;
    unsigned clear = ~byteAt(i) & (0xFFu << (7 - (upTo & 7)));
    while ((clear & 0xFFu) == 0) {
        if (i == 0) return -1;
        clear = ~byteAt(--i);
    }
    return i * 8 + 7 - std::countr_zero(static_cast<uint8_t>(clear));
}

// Sets bits x0..x1 of a row.
void SetBits(uint8_t* row, int x0, int x1) {
    const int i0 = x0 >> 3;
    const int i1 = x1 >> 3;
    const auto head = static_cast<uint8_t>(0xFFu >> (x0 & 7));
    const auto tail = static_cast<uint8_t>(0xFFu << (7 - (x1 & 7)));
    if (i0 == i1) {
        row[i0] |= head & tail;
        return;
    }
    row[i0] |= head;
    std::memset(row + i0 + 1, 0xFF, static_cast<size_t>(i1 - i0 - 1));
    row[i1] |= tail;
}

// --- the fill ------------------------------------------------------------------

// The pixels of a row that are light and not yet filled, byte by byte.
struct AvailableBytes {
    const uint8_t* light;
    const uint8_t* visited;
    unsigned operator()(int i) const { return light[i] & ~visited[i] & 0xFFu; }
};

// Scanline fill over whole runs of pixels. Its result is the set of pixels
// the breadth-first fill of a click reaches; only the order of discovery
// differs, and the runs are sorted afterwards. Work and memory grow with the
// number of runs: pending work is a stack of runs whose neighbour rows still
// have to be scanned, never one entry per pixel, and never a recursion.
class SpanFill {
public:
    explicit SpanFill(const MonoBitmap& mask)
        : m_mask(mask),
          m_width(mask.Width()),
          m_height(mask.Height()),
          m_stride(mask.Stride()),
          m_visited(static_cast<size_t>(mask.Stride()) * mask.Height(), 0) {}

    std::vector<PixelRun> Fill(int x, int y) {
        // The clicked pixel is taken first, light or not, so the fill starts
        // from its light neighbours and never returns to it.
        SetBits(Visited(y), x, x);
        const auto available = Available(y);
        const int left =
            x > 0 && FirstSet(available, x - 1, x - 1) >= 0 ? LastClear(available, x - 1) + 1 : x;
        const int right = x + 1 < m_width && FirstSet(available, x + 1, x + 1) >= 0
                              ? FirstClear(available, x + 1, m_width) - 1
                              : x;
        Take(y, left, right);
        while (!m_pending.empty()) {
            const PixelRun from = m_pending.back();
            m_pending.pop_back();
            ScanRow(from.y - 1, from.x0, from.x1);
            ScanRow(from.y + 1, from.x0, from.x1);
        }
        return WithoutPixel(std::move(m_runs), x, y);
    }

private:
    uint8_t* Visited(int y) { return m_visited.data() + static_cast<size_t>(y) * m_stride; }

    AvailableBytes Available(int y) { return {m_mask.Row(y), Visited(y)}; }

    void Take(int y, int x0, int x1) {
        SetBits(Visited(y), x0, x1);
        m_runs.push_back({y, x0, x1});
        m_pending.push_back({y, x0, x1});
    }

    // Takes every run of row y that touches columns x0..x1.
    void ScanRow(int y, int x0, int x1) {
        if (y < 0 || y >= m_height) return;
        const auto available = Available(y);
        for (int x = x0; x <= x1;) {
            x = FirstSet(available, x, x1);
            if (x < 0) return;
            const int begin = x == x0 && x > 0 ? LastClear(available, x) + 1 : x;
            const int end = FirstClear(available, x, m_width) - 1;
            Take(y, begin, end);
            x = end + 2;
        }
    }

    // Leaves the clicked pixel out of its run and sorts the runs by row and x.
    static std::vector<PixelRun> WithoutPixel(std::vector<PixelRun> runs, int x, int y) {
        // The first run taken is the clicked pixel's.
        const PixelRun clicked = runs.front();
        runs.front() = {y, clicked.x0, x - 1};
        if (x < clicked.x1) runs.push_back({y, x + 1, clicked.x1});
        std::erase_if(runs, [](const PixelRun& run) { return run.x1 < run.x0; });
        std::sort(runs.begin(), runs.end(), [](const PixelRun& a, const PixelRun& b) {
            return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
        });
        return runs;
    }

    const MonoBitmap& m_mask;
    int m_width;
    int m_height;
    int m_stride;
    std::vector<uint8_t> m_visited;
    std::vector<PixelRun> m_runs;
    std::vector<PixelRun> m_pending;
};

// --- from runs to a region ------------------------------------------------------

// One row's rectangles. Every run is widened by one pixel to the left and to
// the right when it ends its row; a run before another one only where the gap
// after it is wider than one pixel (and on the left when it starts the row),
// or to its right when the next run is a single pixel that ends the row. So
// a one-pixel gap, such as the clicked pixel, is covered by the run to its
// right. The first row also covers the row above, the last row the one below.
void AddRowRects(std::span<const PixelRun> row, int top, int bottom, std::vector<QRect>& rects) {
    for (size_t j = 0; j < row.size(); ++j) {
        const PixelRun& run = row[j];
        int left = 1;
        int right = 1;
        if (j + 1 < row.size()) {
            const PixelRun& next = row[j + 1];
            const bool nextIsLastAndSingle = j + 2 == row.size() && next.x0 == next.x1;
            const int gap = next.x0 - run.x1 - 1;
            left = j == 0 || gap > 1 ? 1 : 0;
            right = gap > 1 || nextIsLastAndSingle ? 1 : 0;
        }
        rects.emplace_back(QPoint(run.x0 - left, run.y - top),
                           QPoint(run.x1 + right, run.y + bottom));
    }
}

QRegion RegionOfRuns(std::span<const PixelRun> runs) { return RegionFromRects(CaptureRects(runs)); }

// --- the view ------------------------------------------------------------------

int TruncToInt(double value) {
    if (std::isnan(value)) return std::numeric_limits<int>::min();
    return static_cast<int>(std::clamp(std::trunc(value), double{std::numeric_limits<int>::min()},
                                       double{std::numeric_limits<int>::max()}));
}

// The drawing pixel under a point of the view.
QPoint DrawingPixel(const CDrawingModel& model, float x, float y) {
    const QPoint origin = model.GetOrigin();
    QPoint scroll;
    QPointF offset;
    if (const IModelView* view = model.GetView()) {
        scroll = view->ScrollPosition();
        offset = view->CentringOffset();
    }
    const int64_t px = int64_t{TruncToInt(x)} + TruncToInt(scroll.x() - origin.x() - offset.x());
    const int64_t py = int64_t{TruncToInt(y)} + TruncToInt(scroll.y() - origin.y() - offset.y());
    return {TruncToInt(static_cast<double>(px)), TruncToInt(static_cast<double>(py))};
}

// A drawing region moved into view coordinates.
QRegion InView(const CDrawingModel& model, const QRegion& region) {
    const IModelView* view = model.GetView();
    if (!view) return region;
    const QPoint origin = model.GetOrigin();
    const QPoint scroll = view->ScrollPosition();
    const QPointF offset = view->CentringOffset();
    return region.translated(TruncToInt(origin.x() - scroll.x() + offset.x()),
                             TruncToInt(origin.y() - scroll.y() + offset.y()));
}

std::unique_ptr<CRegionItem> NewSelectedRegion(const QRegion& region) {
    auto item = std::make_unique<CRegionItem>();
    item->AssignRegion(region);
    item->SetSelected(true);
    return item;
}

// --- capture of every enclosed component --------------------------------------------

// The light components of a mask as runs, labelled in one pass: the runs of
// each row are joined with the overlapping runs of the row above.
class Components {
public:
    explicit Components(const MonoBitmap& mask) {
        FindRuns(mask);
        JoinRows();
        Group(mask.Width(), mask.Height());
    }

    int Count() const { return static_cast<int>(m_touchesBorder.size()); }
    bool TouchesBorder(int component) const { return m_touchesBorder[component]; }
    // The component's runs, sorted by row and x.
    std::span<const PixelRun> Runs(int component) const {
        return std::span(m_grouped).subspan(m_begin[component],
                                            m_begin[component + 1] - m_begin[component]);
    }

private:
    void FindRuns(const MonoBitmap& mask) {
        const int width = mask.Width();
        m_rowBegin.reserve(static_cast<size_t>(mask.Height()) + 1);
        for (int y = 0; y < mask.Height(); ++y) {
            m_rowBegin.push_back(m_runs.size());
            const uint8_t* row = mask.Row(y);
            const auto light = [row](int i) -> unsigned { return row[i]; };
            for (int x = 0; x < width;) {
                x = FirstSet(light, x, width - 1);
                if (x < 0) break;
                const int end = FirstClear(light, x, width) - 1;
                m_runs.push_back({y, x, end});
                x = end + 2;
            }
        }
        m_rowBegin.push_back(m_runs.size());
    }

    size_t Root(size_t run) {
        while (m_parent[run] != run) {
            m_parent[run] = m_parent[m_parent[run]];
            run = m_parent[run];
        }
        return run;
    }

    // The root of a component is its first run, so components keep the order
    // of their first pixels.
    void Join(size_t a, size_t b) {
        a = Root(a);
        b = Root(b);
        if (a < b) m_parent[b] = a;
        if (b < a) m_parent[a] = b;
    }

    void JoinRows() {
        m_parent.resize(m_runs.size());
        for (size_t i = 0; i < m_parent.size(); ++i) m_parent[i] = i;
        for (size_t y = 1; y + 1 < m_rowBegin.size(); ++y) {
            size_t above = m_rowBegin[y - 1];
            size_t here = m_rowBegin[y];
            while (above < m_rowBegin[y] && here < m_rowBegin[y + 1]) {
                const PixelRun& a = m_runs[above];
                const PixelRun& h = m_runs[here];
                if (a.x0 <= h.x1 && h.x0 <= a.x1) Join(above, here);
                if (a.x1 < h.x1) {
                    ++above;
                } else {
                    ++here;
                }
            }
        }
    }

    void Group(int width, int height) {
        std::vector<int> label(m_runs.size());
        std::vector<size_t> sizes;
        for (size_t i = 0; i < m_runs.size(); ++i) {
            const size_t root = Root(i);
            if (root == i) {
                label[i] = static_cast<int>(sizes.size());
                sizes.push_back(0);
                m_touchesBorder.push_back(false);
            } else {
                label[i] = label[root];
            }
            const PixelRun& run = m_runs[i];
            ++sizes[label[i]];
            if (run.y == 0 || run.y == height - 1 || run.x0 == 0 || run.x1 == width - 1) {
                m_touchesBorder[label[i]] = true;
            }
        }
        m_begin.assign(sizes.size() + 1, 0);
        for (size_t c = 0; c < sizes.size(); ++c) m_begin[c + 1] = m_begin[c] + sizes[c];
        std::vector<size_t> next(m_begin.begin(), m_begin.end() - 1);
        m_grouped.resize(m_runs.size());
        for (size_t i = 0; i < m_runs.size(); ++i) m_grouped[next[label[i]]++] = m_runs[i];
        m_runs = {};
        m_parent = {};
    }

    std::vector<PixelRun> m_runs;
    std::vector<size_t> m_rowBegin;
    std::vector<size_t> m_parent;
    std::vector<PixelRun> m_grouped;
    std::vector<size_t> m_begin;
    std::vector<bool> m_touchesBorder;
};

// Pixels of the mask that existing regions cover.
MonoBitmap CoveredPixels(const CDrawingModel& model) {
    const MonoBitmap& mask = model.GetMaskBitmap();
    MonoBitmap covered(mask.Width(), mask.Height());
    const QRect bounds(0, 0, mask.Width(), mask.Height());
    for (const auto& item : model.Regions()) {
        if (!item->HasRegion()) continue;
        for (const QRect& rect : item->GetRegion()) {
            const QRect inside = rect & bounds;
            if (inside.isEmpty()) continue;
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                SetBits(covered.Row(y), inside.left(), inside.right());
            }
        }
    }
    return covered;
}

// Where a click captures the component so that its region is whole. Best is
// the second pixel of a row that is one run of three pixels or more: the two
// runs left of and right of it are widened exactly as the whole run would
// be. Next best are the left end of a row's first run or the right end of a
// row's last run when that run is longer than one pixel (the remaining run's
// widening covers the clicked pixel, though not the outline beyond it), then
// a pixel alone in the top or the bottom row (the widening of the row next
// to it covers it). Components made only of single pixels in rows of several
// runs fall back to their first pixel.
QPoint ClickPixel(std::span<const PixelRun> runs) {
    std::optional<QPoint> runEnd;
    for (size_t begin = 0; begin < runs.size();) {
        size_t end = begin + 1;
        while (end < runs.size() && runs[end].y == runs[begin].y) ++end;
        const PixelRun& first = runs[begin];
        const PixelRun& last = runs[end - 1];
        if (end - begin == 1 && first.x1 - first.x0 >= 2) return {first.x0 + 1, first.y};
        if (!runEnd && first.x1 > first.x0) runEnd = QPoint(first.x0, first.y);
        if (!runEnd && last.x1 > last.x0) runEnd = QPoint(last.x1, last.y);
        begin = end;
    }
    if (runEnd) return *runEnd;
    const size_t n = runs.size();
    if (n > 1 && runs[1].y != runs[0].y) return {runs[0].x0, runs[0].y};
    if (n > 1 && runs[n - 2].y != runs[n - 1].y) return {runs[n - 1].x0, runs[n - 1].y};
    return {runs[0].x0, runs[0].y};
}

// The runs a click at the pixel of the component fills.
std::vector<PixelRun> RunsWithoutPixel(std::span<const PixelRun> runs, QPoint pixel) {
    std::vector<PixelRun> result;
    result.reserve(runs.size() + 1);
    for (const PixelRun& run : runs) {
        if (run.y != pixel.y() || pixel.x() < run.x0 || pixel.x() > run.x1) {
            result.push_back(run);
            continue;
        }
        if (run.x0 < pixel.x()) result.push_back({run.y, run.x0, pixel.x() - 1});
        if (pixel.x() < run.x1) result.push_back({run.y, pixel.x() + 1, run.x1});
    }
    return result;
}

}  // namespace

std::vector<PixelRun> FloodFillRuns(const MonoBitmap& mask, int x, int y) {
    if (mask.IsNull() || x < 0 || y < 0 || x >= mask.Width() || y >= mask.Height()) return {};
    return SpanFill(mask).Fill(x, y);
}

std::vector<QRect> CaptureRects(std::span<const PixelRun> runs) {
    std::vector<QRect> rects;
    rects.reserve(runs.size());
    for (size_t begin = 0; begin < runs.size();) {
        size_t end = begin + 1;
        while (end < runs.size() && runs[end].y == runs[begin].y) ++end;
        const int y = runs[begin].y;
        AddRowRects(runs.subspan(begin, end - begin), y == runs.front().y ? 1 : 0,
                    y == runs.back().y ? 1 : 0, rects);
        begin = end;
    }
    return rects;
}

void CDrawingModel::ToggleRegionAt(float x, float y) {
    m_modified = true;
    const QPoint pixel = DrawingPixel(*this, x, y);
    for (auto& item : m_regions) {
        if (item->HasRegion() && item->GetRegion().contains(pixel)) {
            item->SetSelected(!item->IsSelected());
            InvalidateInView(InView(*this, item->GetRegion()), true);
            return;
        }
    }
    const std::vector<PixelRun> runs = FloodFillRuns(m_mask, pixel.x(), pixel.y());
    m_regions.push_back(NewSelectedRegion(RegionOfRuns(runs)));
    InvalidateInView(InView(*this, m_regions.back()->GetRegion()), false);
}

QStringList CaptureAllRegions(CDrawingModel& model, bool areaPerRegion) {
    model.SetModified();
    const MonoBitmap& mask = model.GetMaskBitmap();
    if (mask.IsNull()) return {};
    const MonoBitmap covered = CoveredPixels(model);
    const Components components(mask);
    QStringList names;
    ProgressScope progress(model.User(), QStringLiteral("Capturing regions..."),
                           components.Count());
    for (int c = 0; c < components.Count(); ++c) {
        progress.Step();
        const std::span<const PixelRun> runs = components.Runs(c);
        const QPoint click = ClickPixel(runs);
        // A component of one pixel would give an empty region.
        if (components.TouchesBorder(c) || covered.Pixel(click.x(), click.y()) ||
            (runs.size() == 1 && runs[0].x0 == runs[0].x1)) {
            continue;
        }
        model.Regions().push_back(NewSelectedRegion(RegionOfRuns(RunsWithoutPixel(runs, click))));
        const QString& name = model.Regions().back()->GetName();
        names.append(name);
        if (areaPerRegion) {
            CArea area;
            area.SetName(name);
            area.AddName(name);
            model.Areas().push_back(std::move(area));
        }
    }
    if (IModelView* view = model.GetView(); view && !names.isEmpty()) {
        view->SetRenderPending(true);
        view->InvalidateAll(true);
    }
    return names;
}

}  // namespace velora
