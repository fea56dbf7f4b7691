// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <optional>
#include <vector>

namespace velora {

// One point of an import primitive. Code 42 marks a DXF bulge record whose
// bulge is in value.
struct ShapePoint {
    float x = 0;
    float y = 0;
    int code = 0;
    double value = 0;
    friend bool operator==(const ShapePoint&, const ShapePoint&) = default;
};

// The kind of an import primitive; the numbers are the stored ones.
enum ShapeKind {
    kShapeNone = 0,
    kShapePolyline = 1,
    kShapePolygon = 2,
    kShapeRectangle = 3,
    kShapeEllipse = 4,
    kShapeLine = 5,
    kShapeArc = 6,
};

// An import primitive: a typed list of points. Closed primitives form an
// object by themselves; open ones are chained to others by their end points.
class CShape {
public:
    CShape() = default;
    CShape(int kind, bool closed, std::vector<ShapePoint> points = {})
        : m_closed(closed), m_points(std::move(points)), m_kind(kind) {}
    virtual ~CShape() = default;
    CShape(const CShape&) = default;
    CShape& operator=(const CShape&) = default;

    void Clear();
    int GetKind() const { return m_kind; }
    void SetKind(int kind) { m_kind = kind; }
    bool IsClosed() const { return m_closed; }
    void SetClosed(bool closed) { m_closed = closed; }
    void AddPoint(const ShapePoint& point) { m_points.push_back(point); }
    const std::vector<ShapePoint>& Points() const { return m_points; }
    std::optional<ShapePoint> FirstPoint() const;
    std::optional<ShapePoint> LastPoint() const;
    void Reverse();

    // Adds this primitive's geometry to the path as its kind prescribes
    // (polyline, polygon, integer rectangle or ellipse, line, arc). Too few
    // points or an unknown kind add nothing.
    void AddToPath(Path& path) const;

private:
    bool m_closed = false;
    std::vector<ShapePoint> m_points;
    int m_kind = kShapeNone;
};

}  // namespace velora
