// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/connected_outline.h"

#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace velora {

namespace {

// Coordinates in 64ths of a pixel, cut toward zero, as the painter takes them.
constexpr int kSubpixels = 64;
// A curve is halved while a control point lies a quarter pixel or more off
// its chord, at most six times (64 chords), as the painter's pen does.
constexpr int kMaxHalvings = 6;
// Ends of a figure this close (in pixels, each way) are joined: chained
// drawings meet only as closely as their rounding.
constexpr int kClosingReach = 2;

int64_t ToSubpixels(double value) { return static_cast<int64_t>(value * kSubpixels); }

int64_t FloorDiv(int64_t numerator, int64_t denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const int64_t quotient = numerator / denominator;
    return quotient * denominator > numerator ? quotient - 1 : quotient;
}

int Sign(int value) { return (value > 0) - (value < 0); }

bool IsFinite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// A line cut down to a box, and which of its ends were cut.
struct ClippedLine {
    QPointF from;
    QPointF to;
    bool fromCut = false;
    bool toCut = false;
};

// Cuts the line to low <= a <= high on one axis, b being the other; false
// when it lies wholly outside. A cut end takes the edge as its coordinate
// exactly and its other one from the line, so an end far away costs no
// precision where the line is kept.
bool ClipAxis(double& a1, double& b1, bool& cut1, double& a2, double& b2, bool& cut2, double low,
              double high) {
    if ((a1 < low && a2 < low) || (a1 > high && a2 > high)) return false;
    const double slope = (b2 - b1) / (a2 - a1);
    const auto cut = [&](double& a, double& b, bool& wasCut) {
        if (a >= low && a <= high) return;
        const double edge = a < low ? low : high;
        b += slope * (edge - a);
        a = edge;
        wasCut = true;
    };
    cut(a1, b1, cut1);
    cut(a2, b2, cut2);
    return true;
}

// The part of the line from..to inside the box; none when no part of it lies
// inside or a coordinate is not finite.
std::optional<ClippedLine> ClipToBox(QPointF from, QPointF to, const QRectF& box) {
    if (!IsFinite(from) || !IsFinite(to)) return std::nullopt;
    double x1 = from.x(), y1 = from.y(), x2 = to.x(), y2 = to.y();
    ClippedLine line;
    if (!ClipAxis(x1, y1, line.fromCut, x2, y2, line.toCut, box.left(), box.right()) ||
        !ClipAxis(y1, x1, line.fromCut, y2, x2, line.toCut, box.top(), box.bottom())) {
        return std::nullopt;
    }
    line.from = {x1, y1};
    line.to = {x2, y2};
    return line;
}

bool IsFlatEnough(QPointF p0, QPointF p1, QPointF p2, QPointF p3) {
    const QPointF chord = p3 - p0;
    // Twice the triangle area over the chord is the distance times its length.
    const auto offChord = [&](QPointF control) {
        const QPointF arm = control - p0;
        return std::abs(chord.x() * arm.y() - chord.y() * arm.x());
    };
    const double limit = 0.25 * (std::abs(chord.x()) + std::abs(chord.y()));
    return !(offChord(p1) >= limit || offChord(p2) >= limit);
}

// Darkens the plotted pixels that lie in the mask.
class MaskSink {
public:
    explicit MaskSink(MonoBitmap& mask) : m_mask(mask) {}
    void BeginFigure(QPointF) {}
    void Corner(QPointF) {}
    void Closed() {}
    void Plot(QPoint p) {
        if (p.x() >= 0 && p.y() >= 0 && p.x() < m_mask.Width() && p.y() < m_mask.Height())
            m_mask.SetPixel(p.x(), p.y(), false);
    }

private:
    MonoBitmap& m_mask;
};

// Keeps each figure's corners, closing, and pixels.
class FigureSink {
public:
    std::vector<OutlineFigure> figures;
    void BeginFigure(QPointF start) { figures.push_back({{start}, false, {}, {}, {}}); }
    void Corner(QPointF corner) {
        if (figures.back().corners.back() != corner) figures.back().corners.push_back(corner);
    }
    void Closed() { figures.back().closed = true; }
    void Plot(QPoint p) {
        OutlineFigure& figure = figures.back();
        if (!figure.firstPixel) figure.firstPixel = p;
        figure.lastPixel = p;
        figure.chain.push_back(p);
    }
};

// Plots the figures of an outline as chains of pixels. Each line takes the
// pixels the painter's one-pixel pen gives it; where two pixels in a row do
// not touch (the pen leaves such gaps where lines join and where it rounds),
// the chain walks from one to the other, diagonally first.
template <typename Sink>
class ChainPlotter {
public:
    ChainPlotter(QSize size, Sink& sink)
        : m_sink(sink), m_box(-1.0, -1.0, size.width() + 2.0, size.height() + 2.0) {}

    void MoveTo(QPointF point) {
        EndFigure();
        m_figureStart = m_current = point;
        m_sink.BeginFigure(point);
    }

    void LineTo(QPointF point) {
        Segment(m_current, point);
        m_current = point;
    }

    void CubicTo(QPointF control1, QPointF control2, QPointF end) {
        Cubic(m_current, control1, control2, end, kMaxHalvings);
        m_current = end;
    }

    // A figure whose last point is its first, or whose chain ends next to
    // where it began, is closed back to its first pixel, unless it left the
    // mask on the way.
    void EndFigure() {
        if (m_first && m_last && !m_leftTheMask) {
            const QPoint gap = *m_first - *m_last;
            if (m_current == m_figureStart ||
                std::max(std::abs(gap.x()), std::abs(gap.y())) <= kClosingReach) {
                StepTo(*m_first);
                m_sink.Closed();
            }
        }
        m_first.reset();
        m_last.reset();
        m_leftTheMask = false;
    }

private:
    void Cubic(QPointF p0, QPointF p1, QPointF p2, QPointF p3, int halvings) {
        if (halvings == 0 || IsFlatEnough(p0, p1, p2, p3)) {
            Segment(p0, p3);
            return;
        }
        const QPointF p01 = (p0 + p1) / 2;
        const QPointF p12 = (p1 + p2) / 2;
        const QPointF p23 = (p2 + p3) / 2;
        const QPointF p012 = (p01 + p12) / 2;
        const QPointF p123 = (p12 + p23) / 2;
        const QPointF middle = (p012 + p123) / 2;
        Cubic(p0, p01, p012, middle, halvings - 1);
        Cubic(middle, p123, p23, p3, halvings - 1);
    }

    // Where the line leaves the mask the chain breaks, as the pen's does:
    // walking to where it comes back in would cross the mask.
    void Segment(QPointF from, QPointF to) {
        m_sink.Corner(to);
        const std::optional<ClippedLine> line = ClipToBox(from, to, m_box);
        if (!line || line->fromCut) BreakChain();
        if (!line) return;
        PenPixels(line->from, line->to);
        if (line->toCut) BreakChain();
    }

    // The pen's pixels of one line, in the order of travel: one in every
    // column (row, for a line steeper than 45 degrees) whose centre lies
    // within the line's extent, half-open at the far end so that joined lines
    // do not share a pixel. The line is sampled at the column's centre when
    // the minor coordinate grows along it, else at the column's leading edge.
    void PenPixels(QPointF from, QPointF to) {
        const int64_t x1 = ToSubpixels(from.x());
        const int64_t y1 = ToSubpixels(from.y());
        const int64_t x2 = ToSubpixels(to.x());
        const int64_t y2 = ToSubpixels(to.y());
        const bool steep = std::abs(x2 - x1) < std::abs(y2 - y1);
        const int64_t a1 = steep ? y1 : x1;
        const int64_t b1 = steep ? x1 : y1;
        const int64_t a2 = steep ? y2 : x2;
        const int64_t b2 = steep ? x2 : y2;
        if (a1 == a2) return;
        const int64_t half = kSubpixels / 2;
        const int low = static_cast<int>(FloorDiv(std::min(a1, a2) + half, kSubpixels));
        const int high = static_cast<int>(FloorDiv(std::max(a1, a2) + half, kSubpixels));
        const int64_t sampleOffset = (a2 - a1) * (b2 - b1) > 0 ? half : 0;
        const auto pixelAt = [&](int a) {
            const int64_t at = int64_t{a} * kSubpixels + sampleOffset;
            const int64_t b = b1 + FloorDiv((at - a1) * (b2 - b1), a2 - a1);
            const int minor = static_cast<int>(FloorDiv(b, kSubpixels));
            return steep ? QPoint(minor, a) : QPoint(a, minor);
        };
        if (a2 > a1) {
            for (int a = low; a < high; ++a) StepTo(pixelAt(a));
        } else {
            for (int a = high - 1; a >= low; --a) StepTo(pixelAt(a));
        }
    }

    void BreakChain() {
        m_last.reset();
        m_leftTheMask = true;
    }

    void StepTo(QPoint target) {
        if (!m_last) {
            if (!m_first) m_first = target;
            m_last = target;
            m_sink.Plot(target);
            return;
        }
        QPoint& last = *m_last;
        while (last != target) {
            last += QPoint(Sign(target.x() - last.x()), Sign(target.y() - last.y()));
            m_sink.Plot(last);
        }
    }

    Sink& m_sink;
    QRectF m_box;
    QPointF m_figureStart;
    QPointF m_current;
    std::optional<QPoint> m_first;
    std::optional<QPoint> m_last;
    bool m_leftTheMask = false;
};

template <typename Sink>
void PlotChains(const Path& path, QSize size, Sink& sink) {
    const QPainterPath painterPath = path.ToPainterPath();
    ChainPlotter plotter(size, sink);
    for (int i = 0; i < painterPath.elementCount(); ++i) {
        const QPainterPath::Element& element = painterPath.elementAt(i);
        if (element.isMoveTo()) {
            plotter.MoveTo(element);
        } else if (element.isLineTo()) {
            plotter.LineTo(element);
        } else if (element.isCurveTo() && i + 2 < painterPath.elementCount()) {
            plotter.CubicTo(element, painterPath.elementAt(i + 1), painterPath.elementAt(i + 2));
            i += 2;
        }
    }
    plotter.EndFigure();
}

}  // namespace

void DrawConnectedOutline(MonoBitmap& mask, const Path& path) {
    MaskSink sink(mask);
    PlotChains(path, QSize(mask.Width(), mask.Height()), sink);
}

std::vector<OutlineFigure> OutlineFigures(const Path& path, QSize maskSize) {
    FigureSink sink;
    PlotChains(path, maskSize, sink);
    return std::move(sink.figures);
}

}  // namespace velora
