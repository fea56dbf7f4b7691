// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/bezier_flattener.h"

#include <algorithm>
#include <cmath>

namespace velora {

namespace {

double DistanceToSegment(PointF p, PointF a, PointF b) {
    const double abx = static_cast<double>(b.x) - a.x;
    const double aby = static_cast<double>(b.y) - a.y;
    const double apx = static_cast<double>(p.x) - a.x;
    const double apy = static_cast<double>(p.y) - a.y;
    const double lengthSquared = abx * abx + aby * aby;
    double t = lengthSquared > 0 ? (apx * abx + apy * aby) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(apx - t * abx, apy - t * aby);
}

double SecondDifference(PointF a, PointF b, PointF c) {
    return std::hypot(static_cast<double>(a.x) - 2.0 * b.x + c.x,
                      static_cast<double>(a.y) - 2.0 * b.y + c.y);
}

}  // namespace

int BezierFlattener::SegmentCount(PointF p0, PointF p1, PointF p2, PointF p3) const {
    const double bend = std::max(DistanceToSegment(p1, p0, p3), DistanceToSegment(p2, p0, p3));
    if (!std::isfinite(bend)) return 1;
    // The curve lies in the hull of its four points, so control points near
    // the chord keep the whole curve near it.
    if (bend <= m_flatness) return 1;
    // The chords of n equal parameter steps stay within 3/4 * L / n^2 of the
    // curve, where L bounds the second differences of the control polygon.
    const double spread = std::max(SecondDifference(p0, p1, p2), SecondDifference(p1, p2, p3));
    const double segments = std::ceil(std::sqrt(0.75 * spread / m_flatness));
    if (!(segments < kMaxSegments)) return kMaxSegments;
    return std::max(1, static_cast<int>(segments));
}

void BezierFlattener::AppendInnerPoints(PointF p0, PointF p1, PointF p2, PointF p3, int segments,
                                        std::vector<PointF>& out) {
    for (int k = 1; k < segments; ++k) {
        const double t = static_cast<double>(k) / segments;
        const double u = 1.0 - t;
        const double b0 = u * u * u;
        const double b1 = 3.0 * u * u * t;
        const double b2 = 3.0 * u * t * t;
        const double b3 = t * t * t;
        out.push_back({static_cast<float>(b0 * p0.x + b1 * p1.x + b2 * p2.x + b3 * p3.x),
                       static_cast<float>(b0 * p0.y + b1 * p1.y + b2 * p2.y + b3 * p3.y)});
    }
}

}  // namespace velora
