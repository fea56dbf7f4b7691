// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/path.h"

#include "core/geometry/arc_bezier.h"
#include "core/geometry/bezier_flattener.h"
#include "core/geometry/rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

namespace velora {

namespace {

using namespace PathPointType;

uint8_t Kind(uint8_t type) { return type & TypeMask; }

// True when the point at index starts a complete Bezier segment: it has a
// point before it to start from and two Bezier points after it.
bool StartsBezierSegment(const std::vector<uint8_t>& types, size_t index) {
    return index > 0 && index + 2 < types.size() && Kind(types[index]) == Bezier &&
           Kind(types[index + 1]) == Bezier && Kind(types[index + 2]) == Bezier;
}

// Points taken from a path's own storage would move while it grows.
bool PointsInside(std::span<const PointF> points, const std::vector<PointF>& storage) {
    const std::less<const PointF*> before;
    return !points.empty() && !storage.empty() && !before(points.data(), storage.data()) &&
           before(points.data(), storage.data() + storage.size());
}

bool IsFinite(PointF p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

Path::Path(std::vector<PointF> points, std::vector<uint8_t> types, FillMode fillMode)
    : m_points(std::move(points)), m_types(std::move(types)), m_fillMode(fillMode) {
    if (m_points.size() != m_types.size()) {
        throw std::invalid_argument("path points and types differ in number");
    }
}

std::optional<PointF> Path::FirstPoint() const {
    if (m_points.empty()) return std::nullopt;
    return m_points.front();
}

std::optional<PointF> Path::LastPoint() const {
    if (m_points.empty()) return std::nullopt;
    return m_points.back();
}

void Path::Reset() {
    m_points.clear();
    m_types.clear();
    m_newFigure = true;
    m_fillMode = FillMode::Alternate;
}

void Path::StartFigure() { m_newFigure = true; }

void Path::CloseFigure() {
    if (m_types.empty()) return;
    m_types.back() |= CloseSubpath;
    m_newFigure = true;
}

void Path::ExtendCurrentFigure(std::span<const PointF> points, uint8_t type) {
    if (points.empty()) return;
    if (PointsInside(points, m_points)) {
        const std::vector<PointF> copy(points.begin(), points.end());
        ExtendCurrentFigure(copy, type);
        return;
    }
    uint8_t firstType = m_newFigure ? Start : Line;
    if (!m_newFigure && !m_points.empty() && m_points.back() == points.front()) {
        points = points.subspan(1);
        firstType = type;
        if (points.empty()) return;
    }
    const size_t first = m_points.size();
    m_points.insert(m_points.end(), points.begin(), points.end());
    m_types.resize(m_points.size(), type);
    m_types[first] = firstType;
    m_newFigure = false;
}

void Path::AddClosedFigure(std::span<const PointF> points, uint8_t type) {
    if (points.empty()) return;
    if (PointsInside(points, m_points)) {
        const std::vector<PointF> copy(points.begin(), points.end());
        AddClosedFigure(copy, type);
        return;
    }
    const size_t first = m_points.size();
    m_points.insert(m_points.end(), points.begin(), points.end());
    m_types.resize(m_points.size(), type);
    m_types[first] = Start;
    m_types.back() |= CloseSubpath;
    m_newFigure = true;
}

bool Path::AddLine(PointF from, PointF to) {
    const std::array<PointF, 2> points{from, to};
    ExtendCurrentFigure(points, Line);
    return true;
}

bool Path::AddLines(std::span<const PointF> points) {
    if (points.empty()) return false;
    ExtendCurrentFigure(points, Line);
    return true;
}

bool Path::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
    if (!(width > 0) || !(height > 0)) return false;
    const ArcBeziers arc(x, y, width, height, startAngle, sweepAngle);
    if (arc.Points().empty()) return true;
    ExtendCurrentFigure(arc.Points(), Bezier);
    if (std::fabs(sweepAngle) >= 360.0f) CloseFigure();
    return true;
}

bool Path::AddCurve(std::span<const PointF> points, float tension) {
    if (points.size() < 2) return false;
    // Each control point lies on the tangent through its anchor, which runs
    // parallel to the line between the anchor's neighbours (or to the
    // neighbouring point at either end).
    const float factor = tension / 3.0f;
    const auto along = [factor](PointF anchor, PointF from, PointF to) {
        return PointF{anchor.x + factor * (to.x - from.x), anchor.y + factor * (to.y - from.y)};
    };
    const size_t last = points.size() - 1;
    std::vector<PointF> beziers;
    beziers.reserve(3 * last + 1);
    beziers.push_back(points[0]);
    beziers.push_back(along(points[0], points[0], points[1]));
    for (size_t i = 1; i < last; ++i) {
        beziers.push_back(along(points[i], points[i + 1], points[i - 1]));
        beziers.push_back(points[i]);
        beziers.push_back(along(points[i], points[i - 1], points[i + 1]));
    }
    beziers.push_back(along(points[last], points[last], points[last - 1]));
    beziers.push_back(points[last]);
    ExtendCurrentFigure(beziers, Bezier);
    return true;
}

bool Path::AddBeziers(std::span<const PointF> points) {
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) return false;
    ExtendCurrentFigure(points, Bezier);
    return true;
}

bool Path::AddPolygon(std::span<const PointF> points) {
    if (points.size() < 3) return false;
    AddClosedFigure(points, Line);
    return true;
}

bool Path::AddRectangleI(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return false;
    const float left = static_cast<float>(x);
    const float top = static_cast<float>(y);
    const float right = left + static_cast<float>(width);
    const float bottom = top + static_cast<float>(height);
    const std::array<PointF, 4> corners{
        {{left, top}, {right, top}, {right, bottom}, {left, bottom}}};
    AddClosedFigure(corners, Line);
    return true;
}

bool Path::AddEllipseI(int x, int y, int width, int height) {
    return AddEllipse(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                      static_cast<float>(height));
}

bool Path::AddEllipse(float x, float y, float width, float height) {
    const ArcBeziers ellipse(x, y, width, height, 0.0, 360.0);
    AddClosedFigure(ellipse.Points(), Bezier);
    return true;
}

void Path::AddPath(const Path& other, bool connect) {
    if (other.m_points.empty()) return;
    if (&other == this) {
        const Path copy = other;
        AddPath(copy, connect);
        return;
    }
    const size_t first = m_points.size();
    m_points.insert(m_points.end(), other.m_points.begin(), other.m_points.end());
    m_types.insert(m_types.end(), other.m_types.begin(), other.m_types.end());
    m_types[first] = connect && !m_newFigure ? Line : Start;
    m_newFigure = (m_types.back() & CloseSubpath) != 0;
}

void Path::AddPath(Path&& other, bool connect) {
    if (!m_points.empty() || &other == this || other.m_points.empty()) {
        AddPath(static_cast<const Path&>(other), connect);
    } else {
        m_points = std::move(other.m_points);
        m_types = std::move(other.m_types);
        m_types.front() = connect && !m_newFigure ? Line : Start;
        m_newFigure = (m_types.back() & CloseSubpath) != 0;
    }
    if (&other != this) other.Reset();
}

void Path::Reverse() {
    const size_t count = m_types.size();
    // New types, still indexed by the old positions; reversed at the end.
    std::vector<uint8_t> types(count);
    for (size_t start = 0; start < count;) {
        size_t end = start;
        while (end + 1 < count && Kind(m_types[end + 1]) != Start) ++end;
        // Walking backwards, the segment that ended at q + 1 now ends at q.
        for (size_t q = start; q < end; ++q) types[q] = m_types[q + 1] & (TypeMask | DashMode);
        types[end] = Start;
        types[start] |= m_types[end] & CloseSubpath;
        start = end + 1;
    }
    // A marker ends a section after its point; in reverse order the same
    // boundary comes after the point that followed it.
    for (size_t q = 0; q < count; ++q) {
        if (m_types[q] & Marker) types[q + 1 < count ? q + 1 : 0] |= Marker;
    }
    std::reverse(types.begin(), types.end());
    std::reverse(m_points.begin(), m_points.end());
    m_types = std::move(types);
}

void Path::Transform(const Matrix& matrix) {
    if (matrix.IsIdentity()) return;
    const float m11 = matrix.M11(), m12 = matrix.M12(), m21 = matrix.M21(), m22 = matrix.M22();
    const float dx = matrix.Dx(), dy = matrix.Dy();
    for (PointF& p : m_points) {
        p = {p.x * m11 + p.y * m21 + dx, p.x * m12 + p.y * m22 + dy};
    }
}

void Path::Transform(const QTransform& transform) {
    if (transform.isIdentity()) return;
    for (PointF& p : m_points) {
        const double x = p.x, y = p.y;
        p = {static_cast<float>(x * transform.m11() + y * transform.m21() + transform.dx()),
             static_cast<float>(x * transform.m12() + y * transform.m22() + transform.dy())};
    }
}

void Path::Flatten(const Matrix* matrix, float flatness) {
    if (matrix) Transform(*matrix);
    const size_t count = m_points.size();
    if (std::none_of(m_types.begin(), m_types.end(), [](uint8_t t) { return Kind(t) == Bezier; })) {
        return;
    }
    // Count first, so that the flat path is allocated once.
    const BezierFlattener flattener(flatness);
    std::vector<int> segments;
    size_t total = 0;
    for (size_t i = 0; i < count;) {
        if (StartsBezierSegment(m_types, i)) {
            segments.push_back(flattener.SegmentCount(m_points[i - 1], m_points[i], m_points[i + 1],
                                                      m_points[i + 2]));
            total += segments.back();
            i += 3;
        } else {
            ++total;
            ++i;
        }
    }
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    points.reserve(total);
    types.reserve(total);
    auto nextSegments = segments.begin();
    for (size_t i = 0; i < count;) {
        if (StartsBezierSegment(m_types, i)) {
            BezierFlattener::AppendInnerPoints(m_points[i - 1], m_points[i], m_points[i + 1],
                                               m_points[i + 2], *nextSegments++, points);
            types.resize(points.size(), Line);
            i += 2;
        }
        // A Bezier point left without its followers becomes a line.
        const uint8_t kind = Kind(m_types[i]) == Bezier ? Line : Kind(m_types[i]);
        points.push_back(m_points[i]);
        types.push_back(static_cast<uint8_t>((m_types[i] & ~TypeMask) | kind));
        ++i;
    }
    m_points = std::move(points);
    m_types = std::move(types);
}

RectF Path::WorldBounds(const Matrix* matrix, std::optional<float> penWidth) const {
    float lowX = std::numeric_limits<float>::infinity();
    float lowY = lowX;
    float highX = -lowX;
    float highY = -lowX;
    for (const PointF& p : m_points) {
        if (!IsFinite(p)) continue;
        lowX = std::min(lowX, p.x);
        lowY = std::min(lowY, p.y);
        highX = std::max(highX, p.x);
        highY = std::max(highY, p.y);
    }
    if (lowX > highX) return {};
    float width = highX - lowX;
    float height = highY - lowY;
    if (matrix) {
        // The box is mapped, not the points: its corners give the left top,
        // and the extent of the mapped box the size.
        const std::array<PointF, 4> corners{
            {{lowX, lowY}, {lowX, highY}, {highX, highY}, {highX, lowY}}};
        lowX = lowY = std::numeric_limits<float>::infinity();
        for (const PointF& corner : corners) {
            const PointF mapped = matrix->Map(corner);
            lowX = std::min(lowX, mapped.x);
            lowY = std::min(lowY, mapped.y);
        }
        const float boxWidth = width;
        width = height * std::fabs(matrix->M21()) + boxWidth * std::fabs(matrix->M11());
        height = height * std::fabs(matrix->M22()) + boxWidth * std::fabs(matrix->M12());
    }
    if (penWidth) {
        // The box takes in half the pen's width around the outline, whatever
        // the joins; the largest-first order of curves is defined on it.
        const float grow = *penWidth / 2.0f;
        lowX -= grow;
        lowY -= grow;
        width += 2.0f * grow;
        height += 2.0f * grow;
    }
    return {lowX, lowY, width, height};
}

Rect Path::WorldBoundsI(const Matrix* matrix, std::optional<float> penWidth) const {
    const RectF bounds = WorldBounds(matrix, penWidth);
    return {FloorHalfUpToInt(bounds.x), FloorHalfUpToInt(bounds.y), FloorHalfUpToInt(bounds.width),
            FloorHalfUpToInt(bounds.height)};
}

bool Path::AppendLineFigure(QPainterPath& path, size_t start, size_t end) const {
    // Tiny figures may be convex, which lineTo records and a polygon does not.
    constexpr size_t kMinPoints = 5;
    if (end - start < kMinPoints || Kind(m_types[start]) != Start) return false;
    for (size_t i = start; i < end; ++i) {
        const bool closesEarly = (m_types[i] & CloseSubpath) && i + 1 < end;
        if ((i > start && Kind(m_types[i]) != Line) || closesEarly ||
            !std::isfinite(m_points[i].x) || !std::isfinite(m_points[i].y)) {
            return false;
        }
    }
    // lineTo leaves out a point equal to the one before it.
    QPolygonF polygon;
    polygon.reserve(qsizetype(end - start));
    polygon.append(m_points[start].ToQPointF());
    for (size_t i = start + 1; i < end; ++i) {
        const QPointF point = m_points[i].ToQPointF();
        if (point != polygon.constLast()) polygon.append(point);
    }
    path.addPolygon(polygon);
    if (m_types[end - 1] & CloseSubpath) path.closeSubpath();
    return true;
}

QPainterPath Path::ToPainterPath() const {
    QPainterPath path;
    path.setFillRule(m_fillMode == FillMode::Alternate ? Qt::OddEvenFill : Qt::WindingFill);
    path.reserve(
        static_cast<int>(std::min<size_t>(m_points.size(), std::numeric_limits<int>::max())));
    for (size_t i = 0; i < m_points.size(); ++i) {
        if (i == 0 || Kind(m_types[i]) == Start) {
            size_t end = i + 1;
            while (end < m_points.size() && Kind(m_types[end]) != Start) ++end;
            if (AppendLineFigure(path, i, end)) {
                i = end - 1;
                continue;
            }
            path.moveTo(m_points[i].ToQPointF());
        } else if (StartsBezierSegment(m_types, i)) {
            path.cubicTo(m_points[i].ToQPointF(), m_points[i + 1].ToQPointF(),
                         m_points[i + 2].ToQPointF());
            i += 2;
        } else {
            path.lineTo(m_points[i].ToQPointF());
        }
        if (m_types[i] & CloseSubpath) path.closeSubpath();
    }
    return path;
}

}  // namespace velora
