// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"
#include "core/model/shape.h"

#include <optional>
#include <vector>

namespace velora {

enum class DxfEntityType { None, Line, Arc, Circle, LwPolyline, Spline, Layer };

// The groups of one entity as the reader gathers them. Points hold, by
// type:
//   LINE        start and end;
//   ARC         centre, (radius, radius), (start angle, end angle);
//   CIRCLE      centre, (radius, radius);
//   LWPOLYLINE  vertex records (code 0) and bulge records (code 42, the
//               bulge in value), in file order;
//   SPLINE      fit points, with the control points kept apart.
struct DxfEntity {
    DxfEntityType type = DxfEntityType::None;
    std::vector<ShapePoint> points;
    std::vector<ShapePoint> controlPoints;
    bool closed = false;

    // Forgets the previous entity but keeps the lists' capacity.
    void Reset(DxfEntityType newType);
};

// Flatness of the flattened entity paths, in their final units.
constexpr float kDxfFlatness = 0.01f;

// The entity's outline as a flattened path at 100 times the DXF units, or
// nullopt when it has none: no points, a circle or arc without a positive
// radius, a spline through fewer than two points, or a number that is not
// finite or lies beyond kMaxDxfCoordinate.
std::optional<Path> MakeDxfEntityPath(const DxfEntity& entity);

}  // namespace velora
