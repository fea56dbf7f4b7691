// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/gap_closing.h"

#include "core/common/grouping.h"
#include "core/common/parallel.h"
#include "core/geometry/connected_outline.h"
#include "core/geometry/outline_chains.h"
#include "core/geometry/pixel_lines.h"
#include "core/model/curve.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <thread>
#include <unordered_map>

namespace velora {

namespace {

// Outlines are flattened this close to their curves.
constexpr float kFlatness = 0.25f;
// An outline point counts as another part of the end's own outline when the
// outline travels at least this many times the join's length to reach it.
constexpr double kDetourFactor = 3.0;
// A join crossing an outline this close to one of its own ends touches it
// rather than crossing it.
constexpr double kTouchingPixels = 0.01;
// An open end whose join costs at most this much more than the one to the
// nearest outline point is preferred to it.
constexpr double kEndPreference = 1.0;
// Searches of several ends share the cores from this many ends on.
constexpr size_t kParallelEnds = 256;

double Dot(QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); }
double Cross(QPointF a, QPointF b) { return a.x() * b.y() - a.y() * b.x(); }
double Length(QPointF v) { return std::sqrt(v.x() * v.x() + v.y() * v.y()); }
bool IsFinite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }
// The pixel of a point; far-off points of damaged drawings stay in range.
QPoint PixelOf(QPointF p) {
    constexpr double kFar = 1e9;
    return {static_cast<int>(std::floor(std::clamp(p.x(), -kFar, kFar))),
            static_cast<int>(std::floor(std::clamp(p.y(), -kFar, kFar)))};
}

struct NearestPoint {
    QPointF at;
    double t = 0;  // along the segment, 0..1
    double distance = 0;
};

NearestPoint NearestOnSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double lengthSquared = Dot(ab, ab);
    const double t = lengthSquared > 0 ? std::clamp(Dot(p - a, ab) / lengthSquared, 0.0, 1.0) : 0;
    const QPointF at = a + ab * t;
    return {at, t, Length(p - at)};
}

// Whether the outline segment a..b meets the join anywhere but at the join's
// own ends (where it starts on its outline and arrives on the other).
bool Crosses(const GapJoin& join, QPointF a, QPointF b) {
    const QPointF d = join.to - join.from;
    const double length = Length(d);
    if (length == 0) return false;
    const double margin = kTouchingPixels / length;
    const QPointF e = b - a;
    const double denominator = Cross(d, e);
    const QPointF fromA = a - join.from;
    if (std::abs(denominator) < 1e-12 * length * std::max(Length(e), 1.0)) {
        // Parallel: only a segment lying on the join's line meets it.
        if (std::abs(Cross(d, fromA)) > 1e-9 * length) return false;
        const double u0 = Dot(fromA, d) / (length * length);
        const double u1 = Dot(b - join.from, d) / (length * length);
        return std::max(u0, u1) > margin && std::min(u0, u1) < 1 - margin;
    }
    const double u = Cross(fromA, e) / denominator;
    const double v = Cross(fromA, d) / denominator;
    return u > margin && u < 1 - margin && v >= 0 && v <= 1;
}

bool JoinsCross(const GapJoin& a, const GapJoin& b) { return Crosses(a, b.from, b.to); }

// --- what every kind of outline offers --------------------------------------------

// An open end: where its outline ends, and its last pixel in the mask.
struct OpenEnd {
    QPointF at;
    QPoint pixel;
    bool wanted = false;
};

// A point an end may be joined to, with the mask pixel the join ends on and
// what the join costs; end is the index of the open end it is, or -1 for a
// point along an outline.
struct Target {
    QPointF at;
    QPoint pixel;
    double cost = 0;
    int end = -1;
};

// The length of a join, counted up to twice when it leaves its end sideways
// and three times when it turns back: a gap lies where its outline was
// heading, so across the narrow tip of a shape the other end of the gap is
// preferred to the nearer outline opposite. The heading is a unit vector,
// or null where it is not known.
double JoinCost(QPointF from, QPointF heading, QPointF to) {
    const QPointF d = to - from;
    const double length = Length(d);
    if (length == 0 || heading.isNull()) return length;
    return length * (2 - Dot(heading, d) / length);
}

QPointF Unit(QPointF v) {
    const double length = Length(v);
    return length > 0 ? v / length : QPointF();
}

// The nearest eligible outline point and open end of one end, each the
// nearest whose join crosses nothing.
struct EndTargets {
    std::optional<Target> point;
    std::optional<Target> end;
};

// Sorts candidates by cost and keeps the first whose join crosses nothing.
template <typename CrossesAny>
std::optional<Target> FirstClear(std::vector<Target>& candidates, QPointF from,
                                 CrossesAny crossesAny) {
    std::sort(candidates.begin(), candidates.end(),
              [](const Target& a, const Target& b) { return a.cost < b.cost; });
    for (const Target& candidate : candidates) {
        if (!crossesAny(GapJoin{from, candidate.at, {}, {}})) return candidate;
    }
    return std::nullopt;
}

// --- uniform grids of cells ----------------------------------------------------

// Square cells over an area, at least as wide as asked, and few enough that
// even the largest drawing needs no more than about four million.
class CellLayout {
public:
    CellLayout(QSize area, double narrowest)
        : m_cell(std::max({narrowest, 8.0, std::max(area.width(), area.height()) / 2048.0})),
          m_columns(std::max(1, static_cast<int>(std::ceil(area.width() / m_cell)))),
          m_rows(std::max(1, static_cast<int>(std::ceil(area.height() / m_cell)))) {}

    double CellSize() const { return m_cell; }
    size_t CellCount() const { return static_cast<size_t>(m_columns) * m_rows; }

    // Cells within reach of a point, clamped to the grid: what lies outside
    // the area lands in a border cell, and so does a search that reaches it.
    QRect CellsAround(QPointF p, double reach) const {
        return CellsOf(p - QPointF(reach, reach), p + QPointF(reach, reach));
    }
    QRect CellsOf(QPointF a, QPointF b) const {
        return QRect(QPoint(Column(std::min(a.x(), b.x())), Row(std::min(a.y(), b.y()))),
                     QPoint(Column(std::max(a.x(), b.x())), Row(std::max(a.y(), b.y()))));
    }
    template <typename Visit>
    void ForEach(const QRect& cells, Visit visit) const {
        for (int row = cells.top(); row <= cells.bottom(); ++row) {
            for (int column = cells.left(); column <= cells.right(); ++column) {
                visit(static_cast<size_t>(row) * m_columns + column);
            }
        }
    }

private:
    int Column(double x) const {
        return std::clamp(static_cast<int>(std::floor(x / m_cell)), 0, m_columns - 1);
    }
    int Row(double y) const {
        return std::clamp(static_cast<int>(std::floor(y / m_cell)), 0, m_rows - 1);
    }

    double m_cell;
    int m_columns;
    int m_rows;
};

// Items by the cells they touch, built once and then searched.
class CellGrid {
public:
    CellGrid(QSize area, double reach) : m_layout(area, reach), m_wanted(m_layout.CellCount(), 0) {}

    const CellLayout& Layout() const { return m_layout; }

    // Only wanted cells take items: those a search will look at.
    void Want(const QRect& cells) {
        m_layout.ForEach(cells, [&](size_t cell) { m_wanted[cell] = 1; });
    }
    void Add(const QRect& cells, int item) {
        m_layout.ForEach(cells, [&](size_t cell) {
            if (m_wanted[cell]) m_entries.push_back({cell, item});
        });
    }
    // Sorts the entries into cells; no Add after it.
    void Seal() {
        m_cells = GroupByKey(std::span<const Entry>(m_entries), m_layout.CellCount(),
                             [](const Entry& entry) { return entry.cell; });
        m_entries = {};
    }
    template <typename Visit>
    void ForEachItem(const QRect& cells, Visit visit) const {
        m_layout.ForEach(cells, [&](size_t cell) {
            for (size_t i = m_cells.begin[cell]; i < m_cells.begin[cell + 1]; ++i)
                visit(m_cells.items[i].item);
        });
    }

private:
    struct Entry {
        size_t cell;
        int item;
    };

    CellLayout m_layout;
    std::vector<uint8_t> m_wanted;
    std::vector<Entry> m_entries;
    Grouped<Entry> m_cells;
};

// Marks items already seen by one search, without clearing between searches.
class SeenItems {
public:
    explicit SeenItems(size_t count) : m_stamp(count, 0) {}
    void NextSearch() { ++m_search; }
    bool FirstVisit(int item) {
        if (m_stamp[item] == m_search) return false;
        m_stamp[item] = m_search;
        return true;
    }

private:
    std::vector<uint32_t> m_stamp;
    uint32_t m_search = 0;
};

// --- curves ------------------------------------------------------------------------

// The nearest dark pixel to a point of an outline, where a join to that point
// ends: the point's own pixel when dark, else the nearest within two pixels
// that lies nearer the point than the join's other end.
QPoint DarkPixelNear(const MonoBitmap& mask, QPointF at, QPoint from) {
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
            if (distance >= Length(centre - QPointF(from.x() + 0.5, from.y() + 0.5))) continue;
            if (!best || distance < bestDistance) {
                best = p;
                bestDistance = distance;
            }
        }
    }
    return best.value_or(own);
}

// The curves as the mask draws them: figures of line segments, with the
// distance travelled along each figure, and the open ends of the figures the
// mask leaves open, all in a grid by position.
class CurveOutlines {
public:
    CurveOutlines(ConstPtrList<CCurve> curves, const MonoBitmap& mask, double reach,
                  const QRect& within)
        : m_mask(mask), m_grid(QSize(mask.Width(), mask.Height()), reach), m_reach(reach) {
        const QRectF near = QRectF(within).adjusted(-reach - 1, -reach - 1, reach + 1, reach + 1);
        for (const auto& curve : curves) {
            const RectF box = curve->GetPath().WorldBounds();
            if (box.x <= near.right() && box.x + box.width >= near.left() &&
                box.y <= near.bottom() && box.y + box.height >= near.top()) {
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

    const std::vector<OpenEnd>& Ends() const { return m_ends; }
    size_t ItemCount() const { return m_points.size() + m_ends.size(); }

    EndTargets TargetsOf(int end, SeenItems& seen) const {
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
        EndTargets targets{FirstClear(points, from, crossesAny),
                           FirstClear(ends, from, crossesAny)};
        if (targets.point)
            targets.point->pixel = DarkPixelNear(m_mask, targets.point->at, m_ends[end].pixel);
        return targets;
    }

private:
    QPointF Point(int index) const { return m_points[index].ToQPointF(); }
    bool IsEndItem(int item) const { return item >= static_cast<int>(m_points.size()); }

    // Only figures the mask leaves open have ends; their pixels are where the
    // mask's chain of the figure begins and ends. A figure with no pixel in
    // the mask is no outline there.
    void AddFigure(const OutlineFigure& figure) {
        const std::vector<QPointF>& corners = figure.corners;
        if (corners.size() < 2 || !std::all_of(corners.begin(), corners.end(), IsFinite)) return;
        const int figureIndex = m_figureCount++;
        const int begin = static_cast<int>(m_points.size());
        float travelled = 0;
        for (size_t i = 0; i < corners.size(); ++i) {
            if (i > 0) travelled += static_cast<float>(Length(corners[i] - corners[i - 1]));
            m_points.push_back(
                {static_cast<float>(corners[i].x()), static_cast<float>(corners[i].y())});
            m_travelled.push_back(travelled);
            m_figureOf.push_back(figureIndex);
        }
        if (figure.closed || !figure.firstPixel || !figure.lastPixel) return;
        AddEnd(corners.front(), *figure.firstPixel, begin, Heading(corners.begin(), corners.end()));
        AddEnd(corners.back(), *figure.lastPixel, static_cast<int>(m_points.size()) - 1,
               Heading(corners.rbegin(), corners.rend()));
    }

    // Where the outline heads at its end: from the corner a few pixels back.
    template <typename Corner>
    static QPointF Heading(Corner end, Corner last) {
        constexpr double kBack = 3;
        Corner back = end;
        while (std::next(back) != last && Length(*back - *end) < kBack) ++back;
        return Unit(*end - *back);
    }

    void AddEnd(QPointF at, QPoint pixel, int point, QPointF heading) {
        m_ends.push_back({at, pixel});
        m_endPoint.push_back(point);
        m_heading.push_back(heading);
    }

    // Every segment goes into the cells it passes through, in pieces no
    // longer than a cell, so a long line is not spread over its whole box.
    void IndexItems() {
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

    // Whether a point the end's own outline reaches only after a long
    // detour, or a point of another outline.
    bool Detoured(int end, int figure, double travelledTo, double distance) const {
        const int endPoint = m_endPoint[end];
        if (m_figureOf[endPoint] != figure) return true;
        const double detour = std::abs(travelledTo - m_travelled[endPoint]);
        return detour > 0 && detour >= kDetourFactor * distance;
    }
    bool OtherPart(int end, int segment, const NearestPoint& nearest) const {
        const double at =
            m_travelled[segment] + nearest.t * (m_travelled[segment + 1] - m_travelled[segment]);
        return Detoured(end, m_figureOf[segment], at, nearest.distance);
    }
    bool OtherPart(int end, int other, double distance) const {
        const int point = m_endPoint[other];
        return Detoured(end, m_figureOf[point], m_travelled[point], distance);
    }

    const MonoBitmap& m_mask;
    std::vector<PointF> m_points;
    std::vector<float> m_travelled;
    std::vector<int> m_figureOf;
    int m_figureCount = 0;
    std::vector<OpenEnd> m_ends;
    std::vector<int> m_endPoint;
    std::vector<QPointF> m_heading;
    CellGrid m_grid;
    double m_reach;
};

// --- the mask's own outline chains ------------------------------------------------

// Outlines known only as mask pixels: the ends of the thinned chains are
// joined to dark pixels. The width of a gap is what the mask shows: the
// light pixels along the join, so a diagonal gap is as wide as a straight
// one of as many pixels. How far the outline travels to a pixel is counted
// in steps between neighbouring dark pixels.
class MaskOutlines {
public:
    MaskOutlines(const MonoBitmap& mask, double reach, const QRect& within)
        : m_mask(mask),
          m_radius(static_cast<int>(std::floor(reach))),
          m_walk(static_cast<int>(std::ceil(kDetourFactor * reach * std::numbers::sqrt2)) + 1) {
        const int margin = m_radius + 1;
        for (const QPoint& pixel :
             OutlineChainEnds(mask, within.adjusted(-margin, -margin, margin, margin))) {
            m_ends.push_back({Centre(pixel), pixel, within.contains(pixel)});
            m_endAt.emplace(Key(pixel), static_cast<int>(m_ends.size()) - 1);
        }
    }

    const std::vector<OpenEnd>& Ends() const { return m_ends; }
    size_t ItemCount() const { return 0; }

    EndTargets TargetsOf(int end, SeenItems&) const {
        const QPoint from = PixelOf(m_ends[end].at);
        const std::vector<int> walked = StepsAround(from);
        const int side = 2 * m_walk + 1;
        const QPointF heading = Heading(walked);
        std::vector<Target> points;
        std::vector<Target> ends;
        for (int dy = -m_radius; dy <= m_radius; ++dy) {
            for (int dx = -m_radius; dx <= m_radius; ++dx) {
                const QPoint p = from + QPoint(dx, dy);
                const double distance = std::hypot(dx, dy);
                if (distance == 0 || !IsDark(p)) continue;
                const int steps = walked[static_cast<size_t>((dy + m_walk) * side + dx + m_walk)];
                if (steps >= 0 && steps < kDetourFactor * distance) continue;
                const double cost = JoinCost(Centre(from), heading, Centre(p));
                points.push_back({Centre(p), p, cost});
                if (const auto found = m_endAt.find(Key(p)); found != m_endAt.end())
                    ends.push_back({Centre(p), p, cost, found->second});
            }
        }
        const auto crossesAny = [&](const GapJoin& join) {
            return CrossesOutline({join.from, join.to, PixelOf(join.from), PixelOf(join.to)});
        };
        return {FirstClear(points, m_ends[end].at, crossesAny),
                FirstClear(ends, m_ends[end].at, crossesAny)};
    }

private:
    static QPointF Centre(QPoint p) { return {p.x() + 0.5, p.y() + 0.5}; }
    static int64_t Key(QPoint p) { return (int64_t{p.y()} << 32) | static_cast<uint32_t>(p.x()); }
    bool IsDark(QPoint p) const {
        return p.x() >= 0 && p.y() >= 0 && p.x() < m_mask.Width() && p.y() < m_mask.Height() &&
               !m_mask.Pixel(p.x(), p.y());
    }

    // Steps over 8-connected dark pixels from the end to every pixel within
    // the walk's reach, -1 where the outline does not get in that many steps.
    std::vector<int> StepsAround(QPoint from) const {
        const int side = 2 * m_walk + 1;
        std::vector<int> steps(static_cast<size_t>(side) * side, -1);
        const auto slot = [&](QPoint p) {
            return static_cast<size_t>((p.y() - from.y() + m_walk) * side + p.x() - from.x() +
                                       m_walk);
        };
        std::vector<QPoint> frontier{from};
        steps[slot(from)] = 0;
        for (int step = 1; step <= m_walk && !frontier.empty(); ++step) {
            std::vector<QPoint> next;
            for (const QPoint p : frontier) {
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint n = p + QPoint(dx, dy);
                        if (std::abs(n.x() - from.x()) > m_walk ||
                            std::abs(n.y() - from.y()) > m_walk || !IsDark(n) ||
                            steps[slot(n)] >= 0) {
                            continue;
                        }
                        steps[slot(n)] = step;
                        next.push_back(n);
                    }
                }
            }
            frontier = std::move(next);
        }
        return steps;
    }

    // Where the outline heads at its end: away from the middle of its pixels
    // a few steps back.
    QPointF Heading(const std::vector<int>& walked) const {
        const int side = 2 * m_walk + 1;
        QPointF sum;
        int count = 0;
        for (size_t i = 0; i < walked.size(); ++i) {
            if (walked[i] < 3 || walked[i] > 5) continue;
            sum +=
                QPointF(static_cast<int>(i) % side - m_walk, static_cast<int>(i) / side - m_walk);
            ++count;
        }
        return count ? Unit(-sum / count) : QPointF();
    }

    // The line must pass through light pixels only, but where it leaves its
    // end's outline and arrives on the other one.
    bool CrossesOutline(const GapJoin& join) const {
        const std::vector<QPoint> pixels = JoinPixels(join);
        const QPoint from = pixels.front();
        const QPoint to = pixels.back();
        const auto near = [](QPoint a, QPoint b) {
            return std::max(std::abs(a.x() - b.x()), std::abs(a.y() - b.y())) <= 1;
        };
        return std::any_of(pixels.begin(), pixels.end(),
                           [&](QPoint p) { return !near(p, from) && !near(p, to) && IsDark(p); });
    }

    const MonoBitmap& m_mask;
    int m_radius;
    int m_walk;
    std::vector<OpenEnd> m_ends;
    std::unordered_map<int64_t, int> m_endAt;
};

// --- choosing the joins ------------------------------------------------------------

bool DarkensLight(const MonoBitmap& mask, const GapJoin& join) {
    const std::vector<QPoint> pixels = JoinPixels(join);
    return std::any_of(pixels.begin(), pixels.end(), [&](QPoint p) {
        return p.x() >= 0 && p.y() >= 0 && p.x() < mask.Width() && p.y() < mask.Height() &&
               mask.Pixel(p.x(), p.y());
    });
}

struct Choice {
    int end;
    Target target;
};

// The target each wanted end would be joined to, searched on both cores
// when there are many ends.
template <typename Outlines>
std::vector<Choice> ChooseTargets(const Outlines& outlines) {
    const std::vector<OpenEnd>& ends = outlines.Ends();
    std::vector<std::optional<Target>> chosen(ends.size());
    const auto search = [&](int part, int parts) {
        SeenItems seen(outlines.ItemCount());
        for (size_t e = part; e < ends.size(); e += parts) {
            if (!ends[e].wanted) continue;
            const EndTargets targets = outlines.TargetsOf(static_cast<int>(e), seen);
            const bool preferEnd =
                targets.end &&
                (!targets.point || targets.end->cost <= targets.point->cost + kEndPreference);
            chosen[e] = preferEnd ? targets.end : targets.point;
        }
    };
    const int parts = ends.size() >= kParallelEnds
                          ? static_cast<int>(std::max(1u, std::thread::hardware_concurrency()))
                          : 1;
    RunInParallel(parts, [&](int part) { search(part, parts); });
    std::vector<Choice> choices;
    for (size_t e = 0; e < ends.size(); ++e) {
        if (chosen[e]) choices.push_back({static_cast<int>(e), *chosen[e]});
    }
    return choices;
}

// Joins taken so far, by the cell of their ends. Two joins can only cross
// when their ends lie at most two reaches apart, so with cells that wide a
// join is checked against those of its own and the eight cells around.
class TakenJoins {
public:
    TakenJoins(QSize area, double reach)
        : m_layout(area, 2 * reach), m_last(m_layout.CellCount(), -1) {}

    const std::vector<GapJoin>& Joins() const { return m_joins; }

    bool CrossesOne(const GapJoin& join) const {
        bool crosses = false;
        m_layout.ForEach(m_layout.CellsAround(join.from, m_layout.CellSize()), [&](size_t cell) {
            for (int taken = m_last[cell]; taken >= 0 && !crosses; taken = m_before[taken])
                crosses = JoinsCross(join, m_joins[taken]);
        });
        return crosses;
    }

    void Take(const GapJoin& join) {
        m_layout.ForEach(m_layout.CellsOf(join.from, join.from), [&](size_t cell) {
            m_before.push_back(m_last[cell]);
            m_last[cell] = static_cast<int>(m_joins.size());
        });
        m_joins.push_back(join);
    }

private:
    CellLayout m_layout;
    std::vector<int> m_last;
    std::vector<int> m_before;
    std::vector<GapJoin> m_joins;
};

// Takes the joins from the cheapest on. An end already joined to by another
// end needs no join of its own; a join that would cross one taken before is
// left out.
std::vector<GapJoin> TakeJoins(std::vector<Choice> choices, const std::vector<OpenEnd>& ends,
                               const MonoBitmap& mask, double reach) {
    std::stable_sort(choices.begin(), choices.end(), [](const Choice& a, const Choice& b) {
        return a.target.cost < b.target.cost;
    });
    std::vector<bool> sealed(ends.size(), false);
    TakenJoins taken(QSize(mask.Width(), mask.Height()), reach);
    for (const Choice& choice : choices) {
        if (sealed[choice.end]) continue;
        const GapJoin join{ends[choice.end].at, choice.target.at, ends[choice.end].pixel,
                           choice.target.pixel};
        if (taken.CrossesOne(join)) continue;
        sealed[choice.end] = true;
        if (choice.target.end >= 0) sealed[choice.target.end] = true;
        if (DarkensLight(mask, join)) taken.Take(join);
    }
    return taken.Joins();
}

template <typename Outlines>
std::vector<GapJoin> JoinsOf(const Outlines& outlines, const MonoBitmap& mask, double reach) {
    return TakeJoins(ChooseTargets(outlines), outlines.Ends(), mask, reach);
}

}  // namespace

std::vector<QPoint> JoinPixels(const GapJoin& join) {
    return EightConnectedLine(join.fromPixel, join.toPixel);
}

QRect DrawJoins(MonoBitmap& mask, std::span<const GapJoin> joins) {
    QRect changed;
    for (const GapJoin& join : joins) {
        for (const QPoint& p : JoinPixels(join)) {
            if (p.x() < 0 || p.y() < 0 || p.x() >= mask.Width() || p.y() >= mask.Height() ||
                !mask.Pixel(p.x(), p.y())) {
                continue;
            }
            mask.SetPixel(p.x(), p.y(), false);
            changed |= QRect(p, QSize(1, 1));
        }
    }
    return changed;
}

std::vector<GapJoin> FindGapJoins(const MonoBitmap& mask, ConstPtrList<CCurve> curves, int distance,
                                  const std::optional<QRect>& within) {
    if (mask.IsNull() || distance < 1) return {};
    const double reach = std::min(distance, kMaxGapDistance) + 1.0;
    const QRect whole(0, 0, mask.Width(), mask.Height());
    const QRect area = within ? *within & whole : whole;
    if (area.isEmpty()) return {};
    if (curves.empty()) return JoinsOf(MaskOutlines(mask, reach, area), mask, reach);
    return JoinsOf(CurveOutlines(curves, mask, reach, area), mask, reach);
}

}  // namespace velora
