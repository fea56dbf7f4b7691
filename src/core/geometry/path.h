// SPDX-License-Identifier: GPL-3.0-or-later
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
//
// Points and types taken from stored records may break the usual structure
// (a Bezier point without its two followers, a figure not opened by a start
// point); every operation copes with them without reading out of bounds.
class Path {
public:
    Path() = default;
    explicit Path(FillMode fillMode) : m_fillMode(fillMode) {}
    // A path from stored points and types. The types are taken as they are;
    // the next figure added starts a new figure. Throws std::invalid_argument
    // when the lengths differ.
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

    // Empties the path and sets the fill mode back to Alternate.
    void Reset();
    // The next addition starts a new figure.
    void StartFigure();
    // Closes the current figure (marks its last point) and starts a new one.
    void CloseFigure();

    // Lines, arcs and curves continue the current figure: while a figure is
    // open its last point is joined by a line to the first new point, which
    // is left out when it equals that last point exactly. AddLines needs at
    // least one point.
    bool AddLine(PointF from, PointF to);
    bool AddLines(std::span<const PointF> points);
    // Arc of the ellipse inscribed in (x, y, width, height); refused unless
    // width and height are positive. A zero sweep adds nothing. A sweep of a
    // full turn or more adds one full turn and closes the figure.
    bool AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    // Cardinal spline through the points (at least two), as Bezier segments
    // whose control points lie tension / 3 of the neighbours' distance along
    // the tangents. With tension 0 the segments are straight (control points
    // on their ends).
    bool AddCurve(std::span<const PointF> points, float tension);
    // Cubic Bezier segments: a start point and three points (two control
    // points and an end) for each segment; refused unless there are 3k + 1
    // points with k at least 1.
    bool AddBeziers(std::span<const PointF> points);

    // Closed figures of their own: a polygon needs three points, a rectangle
    // a positive width and height. An ellipse is 13 points starting at its
    // rightmost point and running clockwise; it is added whatever its size,
    // as the platform does (an empty box gives a degenerate ellipse).
    bool AddPolygon(std::span<const PointF> points);
    bool AddRectangleI(int x, int y, int width, int height);
    bool AddEllipseI(int x, int y, int width, int height);
    bool AddEllipse(float x, float y, float width, float height);

    // Appends the other path's figures. The first one starts a figure of its
    // own, or with connect continues this path's open figure (its start
    // becomes a line). Afterwards the last added figure stays open for more
    // unless it is closed.
    void AddPath(const Path& other, bool connect);
    // The same, leaving other empty; into an empty path the points move
    // instead of being copied.
    void AddPath(Path&& other, bool connect);

    // Reverses the order of the points (and so of the figures), keeping each
    // figure's start, close and Bezier structure valid: every segment keeps
    // its type, a closed figure stays closed, and a marker stays between the
    // same two points.
    void Reverse();
    void Transform(const Matrix& matrix);
    // The same in double precision, for placements whose offsets are large
    // beside the details they move.
    void Transform(const QTransform& transform);
    // Applies the matrix (when given) and replaces every Bezier segment by
    // line segments that stay within the flatness of the true curve (at most
    // BezierFlattener::kMaxSegments per segment). Closed figures stay closed.
    void Flatten(const Matrix* matrix, float flatness);

    // Bounds of all points (control points included); an empty path gives
    // (0, 0, 0, 0). Points with an infinite or undefined coordinate are left
    // out. With a matrix, the bounds of the box mapped by it, as the platform
    // computes them. With the width of a pen (of the platform's default
    // settings), grown on every side by half the width, or, for paths of more
    // than two points, by half the width times the pen's miter limit of 10,
    // since a miter join may reach that far.
    RectF WorldBounds(const Matrix* matrix = nullptr,
                      std::optional<float> penWidth = std::nullopt) const;
    // The same rounded to integers (each of x, y, width, height rounded half
    // up: floor(v + 0.5)), as the integer bounds query gives them.
    Rect WorldBoundsI(const Matrix* matrix = nullptr,
                      std::optional<float> penWidth = std::nullopt) const;

    // Bezier triples become cubicTo, closed figures closeSubpath; the fill
    // rule follows the fill mode (Alternate is odd-even).
    QPainterPath ToPainterPath() const;

private:
    // Appends a figure of a start point and lines to the painter path in one
    // go, as QPainterPath's moveTo and lineTo would build it; false, adding
    // nothing, when the figure is any other kind.
    bool AppendLineFigure(QPainterPath& path, size_t start, size_t end) const;
    void ExtendCurrentFigure(std::span<const PointF> points, uint8_t type);
    void AddClosedFigure(std::span<const PointF> points, uint8_t type);

    std::vector<PointF> m_points;
    std::vector<uint8_t> m_types;
    bool m_newFigure = true;
    FillMode m_fillMode = FillMode::Alternate;
};

}  // namespace velora
