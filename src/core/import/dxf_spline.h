// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <QPointF>

#include <optional>
#include <vector>

namespace velora {

// A spline as a DXF file stores it: the NURBS (degree, knots, weights,
// control points) and, for splines drawn through points, the fit points
// with their optional end tangents.
struct DxfSpline {
    int degree = 3;
    std::vector<double> knots;
    std::vector<QPointF> controlPoints;
    // One per control point for a rational spline; any other count leaves
    // the spline polynomial.
    std::vector<double> weights;
    std::vector<QPointF> fitPoints;
    std::optional<QPointF> startTangent;
    std::optional<QPointF> endTangent;
    bool closed = false;

    void Clear();
};

// Highest degree a spline is evaluated at; a stored spline of a higher
// degree, or with fewer control points than its degree needs, is drawn
// through its control points with straight lines.
constexpr int kMaxDxfSplineDegree = 11;

// Appends the spline's curve to the path as a figure of its own, in cubic
// Bezier segments. Where no control points are stored it is the cubic
// through the fit points. A polynomial spline of degree 3 or less becomes
// Bezier segments exactly; a rational one, or one of a higher degree, comes
// within a millionth of the extent of its control points. Knots that do not
// fit the control points (wrong count, decreasing, an empty domain) are
// replaced by evenly spaced ones clamped at both ends. False when there is
// nothing to draw (fewer than two points) or a value is not finite.
bool AppendDxfSpline(Path& path, const DxfSpline& spline);

}  // namespace velora
