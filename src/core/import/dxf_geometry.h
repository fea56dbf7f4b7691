// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"
#include "core/geometry/point.h"
#include "core/model/shape.h"

#include <QPointF>
#include <QTransform>

#include <vector>

namespace velora {

// Largest coordinate magnitude, in DXF units, that an imported entity may
// reach. The import works at 100 times the DXF units, and the chaining and
// the integer bounds further on round those coordinates to int; this keeps
// them well inside that range. Entities beyond it are left out.
constexpr float kMaxDxfCoordinate = 1.0e7f;

// Whether a coordinate is finite and inside the range above.
bool IsDxfCoordinate(double value);

// Appends the arc that a polyline bulge describes from one vertex to the
// next. |bulge| is the tangent of a quarter of the included angle; a
// positive bulge runs counter-clockwise from `from` to `to` with y pointing
// up, a negative one clockwise. The arc continues the path's current figure.
// A zero bulge, or one so small that the arc's bulge is lost in the float
// precision of its circle, gives the straight segment; coincident vertices
// give nothing. The bulge must be finite.
void AppendBulgeArc(Path& path, PointF from, PointF to, double bulge);

// A polyline's outline from its records as the reader gathers them: vertex
// records (code 0) and bulge records (code 42, the bulge in value) in file
// order. Neighbouring vertices are joined by lines, a bulge record between
// two vertices by the bulge arc; bulge records before the first vertex have
// no start vertex and are skipped. A closed polyline returns to its first
// vertex. False when there is no vertex or a value is out of range.
bool AddDxfPolyline(Path& path, const std::vector<ShapePoint>& records, bool closed);

// Appends the arc of the ellipse centre + cos t * major + sin t * minor for
// t from start over sweep (radians; counter-clockwise for a positive sweep
// when minor is major turned left), continuing the path's figure. A sweep
// of a full turn is the whole ellipse, closed.
void AppendEllipticArc(Path& path, QPointF centre, QPointF major, QPointF minor, double start,
                       double sweep);

// The normal of an entity's plane (DXF's extrusion direction).
struct DxfNormal {
    double x = 0, y = 0, z = 1;
    bool IsDefault() const { return x == 0 && y == 0 && z == 1; }
};

// Maps an entity's own coordinates (its object coordinate system, at the
// given elevation) onto the drawing plane: DXF's arbitrary axis rule, with
// the height above the plane dropped. A mirrored entity has the normal
// (0, 0, -1), which turns its x axis around. A normal that is zero or not
// finite counts as the default, which maps nothing.
QTransform ObjectToDrawingPlane(const DxfNormal& normal, double elevation);

}  // namespace velora
