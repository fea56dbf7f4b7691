// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_entity.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velora {

namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;

bool IsDxfPoint(const ShapePoint& point) {
    return IsDxfCoordinate(point.x) && IsDxfCoordinate(point.y);
}

PointF ToPointF(const ShapePoint& point) { return {point.x, point.y}; }

// Centre and radius of an arc or circle, checked so that the whole circle
// stays in range.
struct Circle {
    float x, y, radius;
};

std::optional<Circle> CircleOf(const std::vector<ShapePoint>& points) {
    if (points.size() < 2) return std::nullopt;
    const Circle circle{points[0].x, points[0].y, points[1].x};
    if (!(circle.radius > 0) || !IsDxfCoordinate(circle.radius)) return std::nullopt;
    for (float centre : {circle.x, circle.y}) {
        if (!IsDxfCoordinate(centre - circle.radius) || !IsDxfCoordinate(centre + circle.radius)) {
            return std::nullopt;
        }
    }
    return circle;
}

bool AddLineEntity(Path& path, const std::vector<ShapePoint>& points) {
    if (points.size() < 2 || !IsDxfPoint(points[0]) || !IsDxfPoint(points[1])) return false;
    return path.AddLine(ToPointF(points[0]), ToPointF(points[1]));
}

bool AddArcEntity(Path& path, const std::vector<ShapePoint>& points) {
    const std::optional<Circle> circle = CircleOf(points);
    if (!circle || points.size() < 3) return false;
    const float start = points[2].x;
    const float end = points[2].y;
    if (!std::isfinite(start) || !std::isfinite(end)) return false;
    float sweep = end - start;
    if (end < start) sweep += 360;
    const float size = 2 * circle->radius;
    return path.AddArc(circle->x - circle->radius, circle->y - circle->radius, size, size, start,
                       sweep);
}

bool AddCircleEntity(Path& path, const std::vector<ShapePoint>& points) {
    const std::optional<Circle> circle = CircleOf(points);
    if (!circle) return false;
    const PointF topLeft{circle->x - circle->radius, circle->y - circle->radius};
    const PointF bottomRight{circle->x + circle->radius, circle->y + circle->radius};
    return path.AddEllipse(topLeft.x, topLeft.y, bottomRight.x - topLeft.x,
                           bottomRight.y - topLeft.y);
}

// The ellipse runs counter-clockwise from its start to its end parameter;
// its minor axis is the major one turned a quarter about the normal and
// scaled by the ratio. Equal parameters make the whole ellipse.
bool AddEllipseEntity(Path& path, const DxfEntity& entity) {
    const std::vector<ShapePoint>& p = entity.points;
    const DxfEllipse& e = entity.ellipse;
    if (p.size() < 2) return false;
    const QPointF centre(p[0].x, p[0].y), major(p[1].x, p[1].y);
    if (!IsDxfPoint(p[0]) || !IsDxfPoint(p[1]) || !std::isfinite(e.ratio) || !(e.ratio > 0) ||
        !std::isfinite(e.majorZ) || !std::isfinite(e.start) || !std::isfinite(e.end) ||
        major.isNull()) {
        return false;
    }
    const DxfNormal& n = entity.normal;
    const QPointF minor =
        QPointF(n.y * e.majorZ - n.z * major.y(), n.z * major.x() - n.x * e.majorZ) * e.ratio;
    double sweep = std::fmod(e.end - e.start, kFullTurn);
    if (sweep < 0) sweep += kFullTurn;
    if (sweep < 1e-9) sweep = kFullTurn;
    AppendEllipticArc(path, centre, major, minor, e.start, sweep);
    return true;
}

// A 3-D polyline lies in space: its vertices are flattened onto the drawing
// plane as they are, and it has no bulges.
bool AddPolylineEntity(Path& path, const DxfEntity& entity) {
    if (entity.flags & (DxfPolylineFlag::PolygonMesh | DxfPolylineFlag::PolyfaceMesh)) return false;
    const bool closed = (entity.flags & DxfPolylineFlag::Closed) != 0;
    if (!(entity.flags & DxfPolylineFlag::Polyline3d)) {
        return AddDxfPolyline(path, entity.points, closed);
    }
    std::vector<ShapePoint> vertices;
    std::copy_if(entity.points.begin(), entity.points.end(), std::back_inserter(vertices),
                 [](const ShapePoint& r) { return r.code == 0; });
    return AddDxfPolyline(path, vertices, closed);
}

// A solid's corners are stored in the order 1, 2, 4, 3 around its outline;
// a triangle repeats its third corner or leaves out the fourth.
bool AddSolidEntity(Path& path, const std::vector<ShapePoint>& corners) {
    if (corners.size() < 3) return false;
    std::vector<PointF> outline;
    for (size_t index : {0u, 1u, 3u, 2u}) {
        if (index >= corners.size()) continue;
        if (!IsDxfPoint(corners[index])) return false;
        const PointF p = ToPointF(corners[index]);
        if (outline.empty() || !(outline.back() == p)) outline.push_back(p);
    }
    if (outline.size() < 2) return false;
    outline.push_back(outline.front());
    return path.AddLines(outline);
}

bool AddEntityGeometry(Path& path, const DxfEntity& entity) {
    switch (entity.type) {
        case DxfEntityType::Line:
            return AddLineEntity(path, entity.points);
        case DxfEntityType::Arc:
            return AddArcEntity(path, entity.points);
        case DxfEntityType::Circle:
            return AddCircleEntity(path, entity.points);
        case DxfEntityType::LwPolyline:
            return AddDxfPolyline(path, entity.points, entity.closed);
        case DxfEntityType::Polyline:
            return AddPolylineEntity(path, entity);
        case DxfEntityType::Spline:
            return AppendDxfSpline(path, entity.spline);
        case DxfEntityType::Ellipse:
            return AddEllipseEntity(path, entity);
        case DxfEntityType::Solid:
            return AddSolidEntity(path, entity.points);
        case DxfEntityType::Hatch:
        case DxfEntityType::Insert:
        case DxfEntityType::None:
        case DxfEntityType::Layer:
            break;
    }
    return false;
}

// Entities whose points are in their own plane's coordinates rather than
// the drawing's.
bool HasObjectCoordinates(DxfEntityType type, int flags) {
    switch (type) {
        case DxfEntityType::Arc:
        case DxfEntityType::Circle:
        case DxfEntityType::LwPolyline:
        case DxfEntityType::Solid:
        case DxfEntityType::Hatch:
            return true;
        case DxfEntityType::Polyline:
            return !(flags & DxfPolylineFlag::Polyline3d);
        default:
            return false;
    }
}

// Bulge arcs can reach beyond their vertices; what the path holds before
// flattening bounds everything flattening makes of it.
bool IsWithinRange(const Path& path) {
    return std::all_of(path.Points().begin(), path.Points().end(),
                       [](PointF p) { return IsDxfCoordinate(p.x) && IsDxfCoordinate(p.y); });
}

}  // namespace

void DxfEntity::Reset(DxfEntityType newType) {
    type = newType;
    points.clear();
    ellipse = DxfEllipse();
    spline.Clear();
    if (newType == DxfEntityType::Hatch) hatch.Reset();
    insert = DxfInsert();
    closed = false;
    flags = 0;
    normal = DxfNormal();
    elevation = 0;
    layer.clear();
    hasLayer = false;
    hidden = false;
}

std::vector<Path> MakeDxfEntityOutlines(DxfEntity& entity) {
    std::vector<Path> outlines;
    if (entity.type == DxfEntityType::Hatch) {
        outlines = entity.hatch.TakeLoops();
        entity.elevation = entity.hatch.Elevation();
    } else {
        Path path(FillMode::Alternate);
        if (AddEntityGeometry(path, entity) && !path.IsEmpty()) outlines.push_back(std::move(path));
    }
    if (HasObjectCoordinates(entity.type, entity.flags)) {
        const QTransform toPlane = ObjectToDrawingPlane(entity.normal, entity.elevation);
        for (Path& outline : outlines) outline.Transform(toPlane);
    }
    return outlines;
}

std::optional<Path> PlaceDxfOutline(Path outline, const QTransform& placement) {
    outline.Transform(placement);
    if (!IsWithinRange(outline)) return std::nullopt;
    // Scaling once before flattening and once in it puts the outline at 100
    // times the DXF units.
    Matrix scale;
    scale.Scale(10, 10, MatrixOrder::Append);
    outline.Transform(scale);
    outline.Flatten(&scale, kDxfFlatness);
    return outline;
}

}  // namespace velora
