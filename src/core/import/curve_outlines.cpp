// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/curve_outlines.h"

#include "core/geometry/connected_outline.h"
#include "core/import/stroke_ends.h"
#include "core/model/curve.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

namespace velora::gaps {

namespace {

// The nearest dark pixel to a point of an outline, where a join to that point
// ends: the point's own pixel when dark, else the nearest within two pixels
// that lies nearer the point than the join's other end (when there is one).
QPoint DarkPixelNear(const MonoBitmap& mask, QPointF at, std::optional<QPoint> from = {}) {
    const QPoint own = PixelOf(at);
    std::optional<QPoint> best;
    double bestDistance = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint p = own + QPoint(dx, dy);
            if (p.x() < 0 || p.y() < 0 || p.x() >= mask.Width() || p.y() >= mask.Height() ||
                mask.Pixel(p.x(), p.y())) {
                continue;
            }
            const QPointF centre(p.x() + 0.5, p.y() + 0.5);
            const double distance = p == own ? -1 : Length(centre - at);
            if (from && distance >= Length(centre - QPointF(from->x() + 0.5, from->y() + 0.5)))
                continue;
            if (!best || distance < bestDistance) {
                best = p;
                bestDistance = distance;
            }
        }
    }
    return best.value_or(own);
}

bool IsLight(const MonoBitmap& mask, QPoint p) {
    return p.x() >= 0 && p.y() >= 0 && p.x() < mask.Width() && p.y() < mask.Height() &&
           mask.Pixel(p.x(), p.y());
}

bool Touching(QPoint a, QPoint b) {
    return std::max(std::abs(a.x() - b.x()), std::abs(a.y() - b.y())) <= 1;
}

// The curves do not know what the correction pen erased from the mask since
// they were drawn into it. Where it erased pixels of a figure's chain, the
// figure is only the runs of its chain still dark, each an open figure
// through its pixels' centres that ends at the edge of the erased pixels, so
// that the gap the pen opened has its two ends as far apart as it is long;
// none when the whole chain is dark. A closed chain is read from an erased
// pixel round to it again, so that the run over its first pixel stays whole.
// A run of a chain the pen left, and which of its ends the pen cut.
struct ErasedPiece {
    OutlineFigure figure;
    bool firstCut = false;
    bool lastCut = false;
};

std::optional<std::vector<ErasedPiece>> ErasedApart(const OutlineFigure& figure,
                                                    const MonoBitmap& mask) {
    const auto erased = std::find_if(figure.chain.begin(), figure.chain.end(),
                                     [&](QPoint p) { return IsLight(mask, p); });
    if (erased == figure.chain.end()) return std::nullopt;
    std::vector<QPoint> chain = figure.chain;
    if (figure.closed) {
        if (chain.size() > 1 && chain.back() == chain.front()) chain.pop_back();
        std::rotate(chain.begin(), chain.begin() + (erased - figure.chain.begin()), chain.end());
        chain.push_back(chain.front());
    }
    const auto centre = [](QPoint p) { return QPointF(p) + QPointF(0.5, 0.5); };
    std::vector<ErasedPiece> pieces;
    ErasedPiece piece;
    const auto finish = [&] {
        OutlineFigure& run = piece.figure;
        if (run.corners.size() >= 2) {
            run.firstPixel = run.chain.front();
            run.lastPixel = run.chain.back();
            pieces.push_back(std::move(piece));
        }
        piece = ErasedPiece();
    };
    std::optional<QPoint> previous;
    for (const QPoint p : chain) {
        const bool light = IsLight(mask, p);
        // The chain also jumps where it left the drawing and came back.
        const bool touching = previous && Touching(*previous, p);
        OutlineFigure& run = piece.figure;
        if (!run.chain.empty() && (light || !touching)) {
            piece.lastCut = light && touching;
            if (piece.lastCut) run.corners.push_back((centre(*previous) + centre(p)) / 2);
            finish();
        }
        if (!light) {
            if (run.chain.empty() && touching && IsLight(mask, *previous)) {
                piece.firstCut = true;
                run.corners.push_back((centre(*previous) + centre(p)) / 2);
            }
            run.chain.push_back(p);
            run.corners.push_back(centre(p));
        }
        previous = p;
    }
    finish();
    return pieces;
}

// Where an open outline heads at its end: from the corner a few pixels
// back.
template <typename Corner>
QPointF Heading(Corner end, Corner last) {
    constexpr double kBack = 3;
    Corner back = end;
    while (std::next(back) != last && Length(*back - *end) < kBack) ++back;
    return Unit(*end - *back);
}

}  // namespace

CurveOutlines::CurveOutlines(ConstPtrList<CCurve> curves, const MonoBitmap& mask, double reach,
                             const QRect& within)
    : m_mask(mask), m_grid(QSize(mask.Width(), mask.Height()), reach), m_reach(reach) {
    const QRectF near = QRectF(within).adjusted(-reach - 1, -reach - 1, reach + 1, reach + 1);
    for (const auto& curve : curves) {
        const RectF box = curve->GetPath().WorldBounds();
        if (box.x <= near.right() && box.x + box.width >= near.left() && box.y <= near.bottom() &&
            box.y + box.height >= near.top()) {
            for (const OutlineFigure& figure :
                 OutlineFigures(curve->GetPath(), QSize(mask.Width(), mask.Height()))) {
                AddFigure(figure);
            }
        }
    }
    for (OpenEnd& end : m_ends) {
        end.wanted = within.contains(end.pixel);
        if (end.wanted) m_grid.Want(m_grid.Layout().CellsAround(end.at, reach));
    }
    IndexItems();
}

EndTargets CurveOutlines::TargetsOf(int end, SeenItems& seen) const {
    const QPointF from = m_ends[end].at;
    const QPointF heading = m_heading[end];
    seen.NextSearch();
    std::vector<int> segments;
    std::vector<Target> points;
    std::vector<Target> ends;
    m_grid.ForEachItem(m_grid.Layout().CellsAround(from, m_reach), [&](int item) {
        if (!seen.FirstVisit(item)) return;
        if (IsEndItem(item)) {
            const int other = item - static_cast<int>(m_points.size());
            const double distance = Length(m_ends[other].at - from);
            if (other != end && distance <= m_reach && OtherPart(end, other, distance))
                ends.push_back({m_ends[other].at, m_ends[other].pixel,
                                JoinCost(from, heading, m_ends[other].at), other});
            return;
        }
        segments.push_back(item);
        const NearestPoint nearest = NearestOnSegment(from, Point(item), Point(item + 1));
        if (nearest.distance <= m_reach && OtherPart(end, item, nearest))
            points.push_back({nearest.at, {}, JoinCost(from, heading, nearest.at)});
    });
    // Where the pen cut a stroke drawn as its two edges, each cut end lies
    // beside the other edge: a join across the gap is wanted, not one
    // along the pixels still dark beside it.
    const auto ruledOut = [&](const GapJoin& join) {
        if (m_cut[end] &&
            !DarkensLight(m_mask, {from, join.to, m_ends[end].pixel,
                                   DarkPixelNear(m_mask, join.to, m_ends[end].pixel)})) {
            return true;
        }
        return std::any_of(segments.begin(), segments.end(),
                           [&](int s) { return Crosses(join, Point(s), Point(s + 1)); });
    };
    EndTargets targets{FirstClear(points, from, ruledOut), FirstClear(ends, from, ruledOut)};
    if (targets.point)
        targets.point->pixel = DarkPixelNear(m_mask, targets.point->at, m_ends[end].pixel);
    return targets;
}

// Figures the mask leaves open have their two ends; their pixels are where
// the mask's chain of the figure begins and ends. Closed figures may have
// the ends of the strokes they are the edges of. A figure with no pixel in
// the mask is no outline there, and one the pen cut is the pieces it left.
void CurveOutlines::AddFigure(const OutlineFigure& figure, bool firstCut, bool lastCut) {
    if (const auto pieces = ErasedApart(figure, m_mask)) {
        for (const ErasedPiece& piece : *pieces) {
            AddFigure(piece.figure, piece.firstCut, piece.lastCut);
        }
        return;
    }
    const std::vector<QPointF>& corners = figure.corners;
    if (corners.size() < 2 || !std::all_of(corners.begin(), corners.end(), IsFinite)) return;
    const int figureIndex = static_cast<int>(m_figures.size());
    const int begin = static_cast<int>(m_points.size());
    float travelled = 0;
    for (size_t i = 0; i < corners.size(); ++i) {
        if (i > 0) travelled += static_cast<float>(Length(corners[i] - corners[i - 1]));
        m_points.push_back(
            {static_cast<float>(corners[i].x()), static_cast<float>(corners[i].y())});
        m_travelled.push_back(travelled);
        m_figureOf.push_back(figureIndex);
    }
    m_figures.push_back({figure.closed, travelled + Length(corners.back() - corners.front())});
    if (!figure.firstPixel || !figure.lastPixel) return;
    if (figure.closed) {
        for (const StrokeEnd& end : StrokeEnds(corners)) {
            const QPointF at = corners[end.corner];
            AddEnd(at, DarkPixelNear(m_mask, at), begin + static_cast<int>(end.corner), end.heading,
                   false);
        }
        return;
    }
    AddEnd(corners.front(), *figure.firstPixel, begin, Heading(corners.begin(), corners.end()),
           firstCut);
    AddEnd(corners.back(), *figure.lastPixel, static_cast<int>(m_points.size()) - 1,
           Heading(corners.rbegin(), corners.rend()), lastCut);
}

void CurveOutlines::AddEnd(QPointF at, QPoint pixel, int point, QPointF heading, bool cut) {
    m_ends.push_back({at, pixel});
    m_cut.push_back(cut);
    m_endPoint.push_back(point);
    m_heading.push_back(heading);
}

// Every segment goes into the cells it passes through, in pieces no longer
// than a cell, so a long line is not spread over its whole box.
void CurveOutlines::IndexItems() {
    const CellLayout& layout = m_grid.Layout();
    const double cell = layout.CellSize();
    for (int i = 0; i + 1 < static_cast<int>(m_points.size()); ++i) {
        if (m_figureOf[i] != m_figureOf[i + 1]) continue;
        const QPointF a = Point(i);
        const QPointF b = Point(i + 1);
        const int pieces = std::max(1, static_cast<int>(std::ceil(Length(b - a) / cell)));
        for (int k = 0; k < pieces; ++k) {
            m_grid.Add(layout.CellsOf(a + (b - a) * (double(k) / pieces),
                                      a + (b - a) * (double(k + 1) / pieces)),
                       i);
        }
    }
    const int ends = static_cast<int>(m_points.size());
    for (int e = 0; e < static_cast<int>(m_ends.size()); ++e) {
        m_grid.Add(layout.CellsOf(m_ends[e].at, m_ends[e].at), ends + e);
    }
    m_grid.Seal();
}

// Whether a point the end's own outline reaches only after a long detour
// (either way round a closed one), or a point of another outline.
bool CurveOutlines::Detoured(int end, int figure, double travelledTo, double distance) const {
    const int endPoint = m_endPoint[end];
    if (m_figureOf[endPoint] != figure) return true;
    double detour = std::abs(travelledTo - m_travelled[endPoint]);
    if (m_figures[figure].closed) detour = std::min(detour, m_figures[figure].length - detour);
    return detour > 0 && detour >= kDetourFactor * distance;
}

bool CurveOutlines::OtherPart(int end, int segment, const NearestPoint& nearest) const {
    const double at =
        m_travelled[segment] + nearest.t * (m_travelled[segment + 1] - m_travelled[segment]);
    return Detoured(end, m_figureOf[segment], at, nearest.distance);
}

bool CurveOutlines::OtherPart(int end, int other, double distance) const {
    const int point = m_endPoint[other];
    return Detoured(end, m_figureOf[point], m_travelled[point], distance);
}

}  // namespace velora::gaps
