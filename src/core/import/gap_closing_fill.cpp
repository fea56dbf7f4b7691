// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/gap_closing_fill.h"

#include "core/geometry/flood_fill.h"

#include <algorithm>

namespace velora {

namespace {

// The first window around the click is this many pixels each way; it
// doubles until the space is found enclosed in it or it holds the drawing.
constexpr int kFirstReach = 48;

// The part of the mask inside a window, the joins drawn in, and a click's
// fill there.
class WindowFill {
public:
    WindowFill(const MonoBitmap& mask, const QRect& window, std::span<const GapJoin> joins,
               QPoint click)
        : m_window(window), m_part(CutOut(mask, window)) {
        std::vector<GapJoin> moved;
        const QPoint offset = window.topLeft();
        for (const GapJoin& join : joins) {
            moved.push_back({join.from - offset, join.to - offset, join.fromPixel - offset,
                             join.toPixel - offset});
        }
        DrawJoins(m_part, moved);
        const QPoint start = click - window.topLeft();
        m_runs = FloodFillRuns(m_part, start.x(), start.y());
        m_filled = MonoBitmap(window.width(), window.height());
        for (const PixelRun& run : m_runs) SetBits(m_filled.Row(run.y), run.x0, run.x1);
        m_filled.SetPixel(start.x(), start.y(), true);
        for (const PixelRun& run : m_runs) {
            m_edges.left |= run.x0 == 0;
            m_edges.right |= run.x1 == window.width() - 1;
            m_edges.top |= run.y == 0;
            m_edges.bottom |= run.y == window.height() - 1;
        }
        const QRect whole(0, 0, mask.Width(), mask.Height());
        m_reachesDrawingEdge = (m_edges.left && window.left() == whole.left()) ||
                               (m_edges.right && window.right() == whole.right()) ||
                               (m_edges.top && window.top() == whole.top()) ||
                               (m_edges.bottom && window.bottom() == whole.bottom());
    }

    // Enclosed in the window: the fill never reaches its edge.
    bool Enclosed() const {
        return !m_edges.left && !m_edges.right && !m_edges.top && !m_edges.bottom;
    }
    // The fill reaches the edge of the drawing: no join farther away can
    // enclose it.
    bool ReachesDrawingEdge() const { return m_reachesDrawingEdge; }

    // The fill in drawing pixels.
    std::vector<PixelRun> Runs() const {
        std::vector<PixelRun> runs = m_runs;
        for (PixelRun& run : runs) {
            run.y += m_window.top();
            run.x0 += m_window.left();
            run.x1 += m_window.left();
        }
        return runs;
    }

    // Whether the join has the fill on one side and other light space on
    // the other: then the fill needs it.
    bool Bounds(const GapJoin& join) const {
        bool inside = false;
        bool outside = false;
        for (const QPoint& pixel : JoinPixels(join)) {
            const QPoint p = pixel - m_window.topLeft();
            for (const QPoint step : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) {
                const QPoint n = p + step;
                if (n.x() < 0 || n.y() < 0 || n.x() >= m_part.Width() || n.y() >= m_part.Height() ||
                    !m_part.Pixel(n.x(), n.y())) {
                    continue;
                }
                (m_filled.Pixel(n.x(), n.y()) ? inside : outside) = true;
            }
        }
        return inside && outside;
    }

private:
    // The window's pixels of the mask, row by row a byte at a time.
    static MonoBitmap CutOut(const MonoBitmap& mask, const QRect& window) {
        MonoBitmap part(window.width(), window.height());
        const int shift = window.left() & 7;
        const int first = window.left() >> 3;
        const int bytes = (window.width() + 7) / 8;
        const int lastBits = window.width() % 8;
        for (int y = 0; y < window.height(); ++y) {
            const uint8_t* from = mask.Row(window.top() + y);
            uint8_t* to = part.Row(y);
            for (int i = 0; i < bytes; ++i) {
                const int at = first + i;
                const unsigned high = from[at];
                const unsigned low = shift && at + 1 < mask.Stride() ? from[at + 1] : 0u;
                to[i] = static_cast<uint8_t>((high << shift) | (low >> (8 - shift)));
            }
            // Bits past the window's right edge stay dark.
            if (lastBits) to[bytes - 1] &= static_cast<uint8_t>(0xFF00 >> lastBits);
        }
        return part;
    }

    struct Edges {
        bool left = false;
        bool right = false;
        bool top = false;
        bool bottom = false;
    };

    QRect m_window;
    MonoBitmap m_part;
    std::vector<PixelRun> m_runs;
    MonoBitmap m_filled;
    Edges m_edges;
    bool m_reachesDrawingEdge = false;
};

// The box of the runs.
QRect BoundsOf(std::span<const PixelRun> runs) {
    QRect box;
    for (const PixelRun& run : runs) box |= QRect(QPoint(run.x0, run.y), QPoint(run.x1, run.y));
    return box;
}

// The fill enclosed in the window, and the joins it needs: those inside the
// space or away from it stay out of the mask, and the fill without them is
// the one the mask will give.
GapClosedFill WithNeededJoins(const MonoBitmap& mask, const QRect& window,
                              const std::vector<GapJoin>& joins, QPoint pixel, WindowFill fill) {
    std::vector<GapJoin> needed;
    std::copy_if(joins.begin(), joins.end(), std::back_inserter(needed),
                 [&](const GapJoin& join) { return fill.Bounds(join); });
    if (needed.size() == joins.size()) return {fill.Runs(), joins};
    const WindowFill neededFill(mask, window, needed, pixel);
    if (!neededFill.Enclosed()) return {fill.Runs(), joins};
    return {neededFill.Runs(), std::move(needed)};
}

}  // namespace

bool FillReachesBorder(std::span<const PixelRun> runs, const MonoBitmap& mask) {
    return std::any_of(runs.begin(), runs.end(), [&](const PixelRun& run) {
        return run.y == 0 || run.y == mask.Height() - 1 || run.x0 == 0 ||
               run.x1 == mask.Width() - 1;
    });
}

std::optional<GapClosedFill> FillClosingGaps(const MonoBitmap& mask, ConstPtrList<CCurve> curves,
                                             QPoint pixel, int distance) {
    const QRect whole(0, 0, mask.Width(), mask.Height());
    if (!whole.contains(pixel)) return std::nullopt;
    // Ends just outside the window may be joined across its pixels.
    const int margin = std::clamp(distance, 1, kMaxGapDistance) + 2;
    const auto joinsAround = [&](const QRect& window) {
        return FindGapJoins(mask, curves, distance,
                            window.adjusted(-margin, -margin, margin, margin));
    };
    if (const std::optional<std::vector<PixelRun>> plain =
            EnclosedFillRuns(mask, pixel.x(), pixel.y())) {
        // An enclosed space may still leak through a gap into a larger one
        // (a drawing in a frame): its gaps are closed within its own box.
        const QRect window =
            (BoundsOf(*plain) | QRect(pixel, QSize(1, 1))).adjusted(-1, -1, 1, 1) & whole;
        const std::vector<GapJoin> joins = joinsAround(window);
        if (joins.empty()) return GapClosedFill{*plain, {}};
        return WithNeededJoins(mask, window, joins, pixel, WindowFill(mask, window, joins, pixel));
    }
    for (int reach = kFirstReach;; reach *= 2) {
        const QRect window =
            QRect(pixel - QPoint(reach, reach), pixel + QPoint(reach, reach)) & whole;
        const std::vector<GapJoin> joins = joinsAround(window);
        WindowFill fill(mask, window, joins, pixel);
        if (fill.ReachesDrawingEdge()) return std::nullopt;
        if (fill.Enclosed()) return WithNeededJoins(mask, window, joins, pixel, std::move(fill));
    }
}

}  // namespace velora
