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
    const auto crossesAny = [&](const GapJoin& join) {
        return std::any_of(segments.begin(), segments.end(),
                           [&](int s) { return Crosses(join, Point(s), Point(s + 1)); });
    };
    EndTargets targets{FirstClear(points, from, crossesAny), FirstClear(ends, from, crossesAny)};
    if (targets.point)
        targets.point->pixel = DarkPixelNear(m_mask, targets.point->at, m_ends[end].pixel);
    return targets;
}

// Figures the mask leaves open have their two ends; their pixels are where
// the mask's chain of the figure begins and ends. Closed figures may have
// the ends of the strokes they are the edges of. A figure with no pixel in
// the mask is no outline there.
void CurveOutlines::AddFigure(const OutlineFigure& figure) {
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
            AddEnd(at, DarkPixelNear(m_mask, at), begin + static_cast<int>(end.corner),
                   end.heading);
        }
        return;
    }
    AddEnd(corners.front(), *figure.firstPixel, begin, Heading(corners.begin(), corners.end()));
    AddEnd(corners.back(), *figure.lastPixel, static_cast<int>(m_points.size()) - 1,
           Heading(corners.rbegin(), corners.rend()));
}

void CurveOutlines::AddEnd(QPointF at, QPoint pixel, int point, QPointF heading) {
    m_ends.push_back({at, pixel});
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
