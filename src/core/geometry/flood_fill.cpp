// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/flood_fill.h"

#include "core/common/grouping.h"

#include <algorithm>
#include <cstddef>
#include <memory>

namespace velora {

namespace {

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
          m_visited(static_cast<size_t>(mask.Height())) {}

    // Nullopt when stopAtBorder and the fill reaches the mask's border.
    // The clicked pixel is left out unless keepClicked.
    std::optional<std::vector<PixelRun>> Fill(int x, int y, bool stopAtBorder,
                                              bool keepClicked = false) {
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
            if (stopAtBorder &&
                (from.y == 0 || from.y == m_height - 1 || from.x0 == 0 || from.x1 == m_width - 1)) {
                return std::nullopt;
            }
            ScanRow(from.y - 1, from.x0, from.x1);
            ScanRow(from.y + 1, from.x0, from.x1);
        }
        return Sorted(keepClicked ? std::move(m_runs) : WithoutPixel(std::move(m_runs), x, y));
    }

private:
    // Rows are cleared when the fill first comes to them: a small space in
    // a large drawing costs no more than the rows it covers.
    uint8_t* Visited(int y) {
        std::unique_ptr<uint8_t[]>& row = m_visited[static_cast<size_t>(y)];
        if (!row) row = std::make_unique<uint8_t[]>(static_cast<size_t>(m_stride));
        return row.get();
    }

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

    // Leaves the clicked pixel out of its run.
    static std::vector<PixelRun> WithoutPixel(std::vector<PixelRun> runs, int x, int y) {
        // The first run taken is the clicked pixel's.
        const PixelRun clicked = runs.front();
        runs.front() = {y, clicked.x0, x - 1};
        if (x < clicked.x1) runs.push_back({y, x + 1, clicked.x1});
        std::erase_if(runs, [](const PixelRun& run) { return run.x1 < run.x0; });
        return runs;
    }

    // Sorts the runs by row and x: counted into their rows first, so a fill
    // of the whole drawing with many runs is not one big sort.
    static std::vector<PixelRun> Sorted(std::vector<PixelRun> runs) {
        if (runs.empty()) return runs;
        const auto [low, high] =
            std::minmax_element(runs.begin(), runs.end(),
                                [](const PixelRun& a, const PixelRun& b) { return a.y < b.y; });
        const int top = low->y;
        Grouped<PixelRun> rows =
            GroupByKey(std::span<const PixelRun>(runs), static_cast<size_t>(high->y - top) + 1,
                       [top](const PixelRun& run) { return static_cast<size_t>(run.y - top); });
        for (size_t row = 0; row + 1 < rows.begin.size(); ++row) {
            std::sort(rows.items.begin() + static_cast<std::ptrdiff_t>(rows.begin[row]),
                      rows.items.begin() + static_cast<std::ptrdiff_t>(rows.begin[row + 1]),
                      [](const PixelRun& a, const PixelRun& b) { return a.x0 < b.x0; });
        }
        return std::move(rows.items);
    }

    const MonoBitmap& m_mask;
    int m_width;
    int m_height;
    int m_stride;
    std::vector<std::unique_ptr<uint8_t[]>> m_visited;
    std::vector<PixelRun> m_runs;
    std::vector<PixelRun> m_pending;
};

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

}  // namespace

std::vector<PixelRun> FloodFillRuns(const MonoBitmap& mask, int x, int y) {
    if (mask.IsNull() || x < 0 || y < 0 || x >= mask.Width() || y >= mask.Height()) return {};
    return *SpanFill(mask).Fill(x, y, false);
}

std::vector<PixelRun> ComponentRuns(const MonoBitmap& mask, int x, int y) {
    if (mask.IsNull() || x < 0 || y < 0 || x >= mask.Width() || y >= mask.Height() ||
        !mask.Pixel(x, y)) {
        return {};
    }
    return *SpanFill(mask).Fill(x, y, false, true);
}

std::optional<std::vector<PixelRun>> EnclosedFillRuns(const MonoBitmap& mask, int x, int y) {
    if (mask.IsNull() || x < 0 || y < 0 || x >= mask.Width() || y >= mask.Height())
        return std::vector<PixelRun>();
    return SpanFill(mask).Fill(x, y, true);
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

}  // namespace velora
