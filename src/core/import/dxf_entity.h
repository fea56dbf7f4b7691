// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"
#include "core/import/dxf_geometry.h"
#include "core/import/dxf_hatch.h"
#include "core/import/dxf_spline.h"
#include "core/model/shape.h"

#include <QTransform>

#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace velora {

enum class DxfEntityType {
    None,
    Line,
    Arc,
    Circle,
    LwPolyline,
    Spline,
    Layer,
    Ellipse,
    Polyline,
    Hatch,
    Solid,
    Insert,
};

// POLYLINE flags (group 70).
namespace DxfPolylineFlag {
constexpr int Closed = 1;
constexpr int Polyline3d = 8;
constexpr int PolygonMesh = 16;
constexpr int PolyfaceMesh = 64;
}  // namespace DxfPolylineFlag

// A block reference: the block's name (lower case), where and how it is
// placed, and the columns and rows of copies it makes.
struct DxfInsert {
    std::string block;
    double x = 0, y = 0, z = 0;
    double scaleX = 1, scaleY = 1;
    double rotation = 0;  // degrees
    int columns = 1, rows = 1;
    double columnSpacing = 0, rowSpacing = 0;
    DxfNormal normal;
};

// An ellipse's shape beyond its centre and major axis.
struct DxfEllipse {
    double ratio = 1;  // minor to major axis
    double majorZ = 0;
    double start = 0;  // parameters, in radians
    double end = 2 * std::numbers::pi;
};

// The groups of one entity as the reader gathers them. Points hold, by
// type:
//   LINE        start and end;
//   ARC         centre, (radius, radius), (start angle, end angle);
//   CIRCLE      centre, (radius, radius);
//   ELLIPSE     centre, end of the major axis;
//   LWPOLYLINE  vertex records (code 0) and bulge records (code 42, the
//   POLYLINE    bulge in value), in file order;
//   SOLID       its up to four corners.
// Splines, hatches and block references keep their own records.
struct DxfEntity {
    DxfEntityType type = DxfEntityType::None;
    std::vector<ShapePoint> points;
    DxfEllipse ellipse;
    DxfSpline spline;
    DxfHatchReader hatch;
    DxfInsert insert;
    bool closed = false;
    int flags = 0;
    DxfNormal normal;
    double elevation = 0;
    std::string layer;  // lower case; empty when the entity names none
    bool hasLayer = false;
    bool hidden = false;

    // Forgets the previous entity but keeps the lists' capacity.
    void Reset(DxfEntityType newType);
};

// Import units per DXF unit: the outlines are made at 100 times the size
// the drawing gives them.
constexpr double kDxfImportScale = 100;

// Flatness of the flattened entity paths, in their final units.
constexpr float kDxfFlatness = 0.01f;

// The entity's outlines in drawing units, not yet flattened: one for most
// entities, one per boundary path for a hatch, none when it has no outline
// (no points, a circle or arc without a positive radius, a spline through
// fewer than two points, a mesh, a number that is not finite).
std::vector<Path> MakeDxfEntityOutlines(DxfEntity& entity);

// An outline placed by the transform, as the import takes it: flattened at
// 100 times the drawing units. Nullopt when a point lies beyond
// kMaxDxfCoordinate or is not finite.
std::optional<Path> PlaceDxfOutline(Path outline, const QTransform& placement);

}  // namespace velora
