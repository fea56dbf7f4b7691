// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_entity.h"

#include "core/import/dxf_geometry.h"

#include <algorithm>
#include <cmath>

namespace velora {

namespace {

constexpr int kVertexCode = 0;
constexpr int kBulgeCode = 42;

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

// Lines between neighbouring vertices and bulge arcs across bulge records.
// Bulge records before the first vertex have no start vertex and are
// skipped; a closed polyline returns to its first vertex.
bool AddPolylineEntity(Path& path, const std::vector<ShapePoint>& records, bool closed) {
    const auto first = std::find_if(records.begin(), records.end(),
                                    [](const ShapePoint& r) { return r.code == kVertexCode; });
    if (first == records.end()) return false;
    for (auto it = first; it != records.end(); ++it) {
        const bool valid = it->code == kVertexCode ? IsDxfPoint(*it) : std::isfinite(it->value);
        if (!valid) return false;
    }
    const size_t begin = static_cast<size_t>(first - records.begin());
    const size_t count = records.size() - begin + (closed ? 1 : 0);
    auto record = [&](size_t i) -> const ShapePoint& {
        return begin + i < records.size() ? records[begin + i] : *first;
    };
    size_t lastVertex = 0;
    for (size_t i = 1; i < count; ++i) {
        const ShapePoint& current = record(i);
        if (current.code != kVertexCode) continue;
        const ShapePoint& previous = record(i - 1);
        if (previous.code == kVertexCode) {
            path.AddLine(ToPointF(previous), ToPointF(current));
        } else if (previous.code == kBulgeCode) {
            AppendBulgeArc(path, ToPointF(record(lastVertex)), ToPointF(current), previous.value);
        }
        lastVertex = i;
    }
    return true;
}

bool AddSplineEntity(Path& path, const std::vector<ShapePoint>& points) {
    std::vector<PointF> through;
    through.reserve(points.size());
    for (const ShapePoint& point : points) {
        if (!IsDxfPoint(point)) return false;
        through.push_back(ToPointF(point));
    }
    return path.AddCurve(through, 0.0f);
}

bool AddEntityGeometry(Path& path, const DxfEntity& entity, const std::vector<ShapePoint>& points) {
    switch (entity.type) {
        case DxfEntityType::Line:
            return AddLineEntity(path, points);
        case DxfEntityType::Arc:
            return AddArcEntity(path, points);
        case DxfEntityType::Circle:
            return AddCircleEntity(path, points);
        case DxfEntityType::LwPolyline:
            return AddPolylineEntity(path, points, entity.closed);
        case DxfEntityType::Spline:
            return AddSplineEntity(path, points);
        case DxfEntityType::None:
        case DxfEntityType::Layer:
            break;
    }
    return false;
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
    controlPoints.clear();
    closed = false;
}

std::optional<Path> MakeDxfEntityPath(const DxfEntity& entity) {
    const bool useControlPoints = entity.type == DxfEntityType::Spline && entity.points.empty();
    const std::vector<ShapePoint>& points = useControlPoints ? entity.controlPoints : entity.points;
    if (points.empty()) return std::nullopt;

    Path path(FillMode::Alternate);
    if (!AddEntityGeometry(path, entity, points) || path.IsEmpty() || !IsWithinRange(path)) {
        return std::nullopt;
    }
    // Scaling once before flattening and once in it puts the outline at 100
    // times the DXF units.
    Matrix scale;
    scale.Scale(10, 10, MatrixOrder::Append);
    path.Transform(scale);
    path.Flatten(&scale, kDxfFlatness);
    return path;
}

}  // namespace velora
