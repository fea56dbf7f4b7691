#pragma once

#include "core/geometry/matrix.h"
#include "core/geometry/point.h"

#include <QPainterPath>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velora {

// Point types as stored in curve records.
namespace PathPointType {
constexpr uint8_t Start = 0;
constexpr uint8_t Line = 1;
constexpr uint8_t Bezier = 3;
constexpr uint8_t TypeMask = 0x07;
constexpr uint8_t DashMode = 0x10;
constexpr uint8_t Marker = 0x20;
constexpr uint8_t CloseSubpath = 0x80;
}  // namespace PathPointType

enum class FillMode { Alternate, Winding };

// An outline as a list of points with one type byte each, built and changed
// with the same operations and the same resulting point lists as the
// original platform's graphics paths, so stored curve records read and write
// unchanged. Ellipses are four cubic Bezier segments, arcs Bezier segments of
// at most 90 degrees; angles are in degrees, clockwise with y pointing down,
// measured on the ellipse itself.
//
// An operation that the platform refuses (too few points, empty size) leaves
// the path unchanged and returns false; callers that went on regardless in
// the original may ignore the result.
class Path {
public:
    Path() = default;
    explicit Path(FillMode fillMode) : m_fillMode(fillMode) {}
    // A path from stored points and types (equal lengths). The types are
    // taken as they are; the next figure added starts a new figure.
    Path(std::vector<PointF> points, std::vector<uint8_t> types,
         FillMode fillMode = FillMode::Alternate);

    const std::vector<PointF>& Points() const { return m_points; }
    const std::vector<uint8_t>& Types() const { return m_types; }
    int PointCount() const { return static_cast<int>(m_points.size()); }
    bool IsEmpty() const { return m_points.empty(); }
    FillMode GetFillMode() const { return m_fillMode; }
    // First and last point; nullopt on an empty path.
    std::optional<PointF> FirstPoint() const;
    std::optional<PointF> LastPoint() const;

    void Reset();
    // The next addition starts a new figure.
    void StartFigure();
    // Closes the current figure (marks its last point) and starts a new one.
    void CloseFigure();

    // Lines continue the current figure (an open figure is extended with a
    // line to the first new point).
    bool AddLine(PointF from, PointF to);
    bool AddLines(std::span<const PointF> points);
    // Arc of the ellipse inscribed in (x, y, width, height), continuing the
    // current figure.
    bool AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    // Cardinal spline through the points, continuing the current figure. With
    // tension 0 the segments are straight (Bezier segments whose control
    // points lie on their ends).
    bool AddCurve(std::span<const PointF> points, float tension);

    // Closed figures of their own.
    bool AddPolygon(std::span<const PointF> points);
    bool AddRectangleI(int x, int y, int width, int height);
    bool AddEllipseI(int x, int y, int width, int height);
    bool AddEllipse(float x, float y, float width, float height);

    // Appends the other path's figures. With connect, the other path's first
    // figure continues this path's open figure (its start becomes a line).
    void AddPath(const Path& other, bool connect);

    // Reverses the order of the points, keeping each figure's start, close
    // and Bezier structure valid.
    void Reverse();
    void Transform(const Matrix& matrix);
    // Applies the matrix (when given) and replaces every Bezier segment by
    // line segments that stay within the flatness of the true curve.
    void Flatten(const Matrix* matrix, float flatness);

    // Bounds of all points (control points included) after the optional
    // matrix; with a pen width, grown by half of it on every side.
    RectF WorldBounds(const Matrix* matrix = nullptr,
                      std::optional<float> penWidth = std::nullopt) const;
    // The same rounded to integers (each of x, y, width, height rounded half
    // up), as the integer bounds query gives them.
    Rect WorldBoundsI(const Matrix* matrix = nullptr,
                      std::optional<float> penWidth = std::nullopt) const;

    QPainterPath ToPainterPath() const;

private:
    void AppendFigurePoints(std::span<const PointF> points, uint8_t type);

    std::vector<PointF> m_points;
    std::vector<uint8_t> m_types;
    bool m_newFigure = true;
    FillMode m_fillMode = FillMode::Alternate;
};

}  // namespace velora
