// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/point.h"

#include <array>
#include <span>

namespace velora {

// The Bezier points of an elliptical arc as graphics paths store them: the
// start point, then three points (two control points and an end point) for
// each part of at most 90 degrees, never more than four parts.
//
// Angles are in degrees, clockwise with y pointing down, and measured on the
// ellipse itself: the angle is first turned into the parametric angle of the
// ellipse that reaches the same direction from the centre.
class ArcBeziers {
public:
    static constexpr int kMaxParts = 4;
    static constexpr int kMaxPoints = 1 + 3 * kMaxParts;

    ArcBeziers(double x, double y, double width, double height, double startAngle,
               double sweepAngle);

    // Empty when the sweep is empty (zero, or too small to reach a new angle).
    std::span<const PointF> Points() const { return {m_points.data(), m_count}; }

private:
    void AddPart(double startDegrees, double endDegrees);

    double m_centerX;
    double m_centerY;
    double m_radiusX;
    double m_radiusY;
    std::array<PointF, kMaxPoints> m_points{};
    size_t m_count = 0;
};

// The parametric angle of the ellipse of the given diameters whose point lies
// in the direction of the geometric angle (both in degrees). Angles on an
// axis are returned unchanged, and the result stays in the same turn as the
// input so that sweeps keep their length and direction.
double UnstretchAngle(double degrees, double diameterX, double diameterY);

}  // namespace velora
