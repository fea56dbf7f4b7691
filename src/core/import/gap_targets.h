// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the searches for the joins of open ends share: the geometry of joins,
// the ends and the points they may be joined to, and what a join costs.

#include "core/import/gap_closing.h"

#include <QPoint>
#include <QPointF>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace velora::gaps {

// An outline point counts as another part of the end's own outline when the
// outline travels at least this many times the join's length to reach it.
constexpr double kDetourFactor = 3.0;

inline double Dot(QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); }
inline double Length(QPointF v) { return std::sqrt(Dot(v, v)); }
inline bool IsFinite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }
// The unit vector along v, or null for a null v.
QPointF Unit(QPointF v);
// The pixel of a point; far-off points of damaged drawings stay in range.
QPoint PixelOf(QPointF p);

struct NearestPoint {
    QPointF at;
    double t = 0;  // along the segment, 0..1
    double distance = 0;
};
NearestPoint NearestOnSegment(QPointF p, QPointF a, QPointF b);

// Whether the outline segment a..b meets the join anywhere but at the join's
// own ends (where it starts on its outline and arrives on the other).
bool Crosses(const GapJoin& join, QPointF a, QPointF b);
inline bool JoinsCross(const GapJoin& a, const GapJoin& b) { return Crosses(a, b.from, b.to); }

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

// The nearest eligible outline point and open end of one end, each the
// nearest whose join crosses nothing.
struct EndTargets {
    std::optional<Target> point;
    std::optional<Target> end;
};

// The length of a join, counted up to twice when it leaves its end sideways
// and three times when it turns back: a gap lies where its outline was
// heading, so across the narrow tip of a shape the other end of the gap is
// preferred to the nearer outline opposite. The heading is a unit vector,
// or null where it is not known.
double JoinCost(QPointF from, QPointF heading, QPointF to);

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

}  // namespace velora::gaps
