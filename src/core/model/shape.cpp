// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/shape.h"

#include "core/geometry/rounding.h"

#include <algorithm>
#include <cmath>

namespace velora {

namespace {
// Corner values become integers by truncation toward zero, as the integer
// rectangle and ellipse calls receive them.
Rect IntegerBox(const ShapePoint& a, const ShapePoint& b) {
    const float left = std::min(a.x, b.x);
    const float top = std::min(a.y, b.y);
    const float width = std::max(a.x, b.x) - left;
    const float height = std::max(a.y, b.y) - top;
    return {TruncToInt(left), TruncToInt(top), TruncToInt(width), TruncToInt(height)};
}

std::vector<PointF> PlainPoints(const std::vector<ShapePoint>& points) {
    std::vector<PointF> result;
    result.reserve(points.size());
    for (const ShapePoint& p : points) result.push_back({p.x, p.y});
    return result;
}
}  // namespace

void CShape::Clear() {
    m_points.clear();
    m_kind = kShapeNone;
}

std::optional<ShapePoint> CShape::FirstPoint() const {
    if (m_points.empty()) return std::nullopt;
    return m_points.front();
}

std::optional<ShapePoint> CShape::LastPoint() const {
    if (m_points.empty()) return std::nullopt;
    return m_points.back();
}

void CShape::Reverse() { std::reverse(m_points.begin(), m_points.end()); }

void CShape::AddToPath(Path& path) const {
    const auto& p = m_points;
    switch (m_kind) {
        case kShapePolyline:
            path.AddLines(PlainPoints(p));
            break;
        case kShapePolygon:
            path.AddPolygon(PlainPoints(p));
            break;
        case kShapeRectangle:
            if (p.size() >= 2) {
                const Rect box = IntegerBox(p[0], p[1]);
                path.AddRectangleI(box.x, box.y, box.width, box.height);
            }
            break;
        case kShapeEllipse:
            if (p.size() >= 2) {
                const Rect box = IntegerBox(p[0], p[1]);
                path.AddEllipseI(box.x, box.y, box.width, box.height);
            }
            break;
        case kShapeLine:
            if (p.size() >= 2) path.AddLine({p[0].x, p[0].y}, {p[1].x, p[1].y});
            break;
        case kShapeArc:
            if (p.size() >= 3) path.AddArc(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
            break;
        default:
            break;
    }
}

}  // namespace velora
