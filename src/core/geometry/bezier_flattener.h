// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/point.h"

#include <vector>

namespace velora {

// Replaces one cubic Bezier segment by line segments that stay within a given
// distance of the curve. The number of segments is computed up front (no
// subdivision whose depth the input controls) and is capped, so points that
// are huge, infinite or not numbers cost a bounded amount of work.
class BezierFlattener {
public:
    static constexpr int kMaxSegments = 1024;

    explicit BezierFlattener(float flatness) : m_flatness(flatness) {}

    // Number of line segments for the curve from p0 to p3 with control points
    // p1 and p2: 1 when both control points lie within the flatness of the
    // chord (straight or nearly straight segments stay one line).
    int SegmentCount(PointF p0, PointF p1, PointF p2, PointF p3) const;

    // Appends the inner points of a split into the given number of segments
    // of equal parameter steps (segments - 1 points; the end point is not
    // appended).
    static void AppendInnerPoints(PointF p0, PointF p1, PointF p2, PointF p3, int segments,
                                  std::vector<PointF>& out);

private:
    float m_flatness;
};

}  // namespace velora
