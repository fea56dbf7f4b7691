// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/gap_targets.h"

namespace velora::gaps {

namespace {
// A join crossing an outline this close to one of its own ends touches it
// rather than crossing it.
constexpr double kTouchingPixels = 0.01;

double Cross(QPointF a, QPointF b) { return a.x() * b.y() - a.y() * b.x(); }
}  // namespace

QPointF Unit(QPointF v) {
    const double length = Length(v);
    return length > 0 ? v / length : QPointF();
}

QPoint PixelOf(QPointF p) {
    constexpr double kFar = 1e9;
    return {static_cast<int>(std::floor(std::clamp(p.x(), -kFar, kFar))),
            static_cast<int>(std::floor(std::clamp(p.y(), -kFar, kFar)))};
}

NearestPoint NearestOnSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double lengthSquared = Dot(ab, ab);
    const double t = lengthSquared > 0 ? std::clamp(Dot(p - a, ab) / lengthSquared, 0.0, 1.0) : 0;
    const QPointF at = a + ab * t;
    return {at, t, Length(p - at)};
}

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

double JoinCost(QPointF from, QPointF heading, QPointF to) {
    const QPointF d = to - from;
    const double length = Length(d);
    if (length == 0 || heading.isNull()) return length;
    return length * (2 - Dot(heading, d) / length);
}

}  // namespace velora::gaps
