// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"
#include "core/geometry/point.h"

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

}  // namespace velora
