// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_geometry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>
#include <utility>

namespace velora {

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Angle in degrees of a point seen from a centre, in [-90, 270), derived
// from the first-quadrant angle of the absolute offsets.
double AngleSeenFrom(double centreX, double centreY, double x, double y) {
    const double dx = x - centreX;
    const double dy = y - centreY;
    const double theta = std::atan2(std::fabs(dy), std::fabs(dx)) * kDegreesPerRadian;
    if (dx >= 0) return dy >= 0 ? theta : -theta;
    return dy >= 0 ? 180.0 - theta : 180.0 + theta;
}

// Below this, both x and y of a normal count as zero in the arbitrary axis
// rule.
constexpr double kArbitraryAxisLimit = 1.0 / 64;

struct Vector3 {
    double x, y, z;
    Vector3 Cross(const Vector3& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    Vector3 Unit() const {
        const double length = std::sqrt(x * x + y * y + z * z);
        return {x / length, y / length, z / length};
    }
};

bool IsDxfPoint(const ShapePoint& point) {
    return IsDxfCoordinate(point.x) && IsDxfCoordinate(point.y);
}

PointF ToPointF(const ShapePoint& point) { return {point.x, point.y}; }

constexpr int kVertexCode = 0;
constexpr int kBulgeCode = 42;

}  // namespace

bool AddDxfPolyline(Path& path, const std::vector<ShapePoint>& records, bool closed) {
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

void AppendEllipticArc(Path& path, QPointF centre, QPointF major, QPointF minor, double start,
                       double sweep) {
    // The unit circle's arc, where angle and parameter agree, carried onto
    // the ellipse by the affine map that makes the circle the ellipse.
    Path arc;
    arc.AddArc(-1, -1, 2, 2, static_cast<float>(start * kDegreesPerRadian),
               static_cast<float>(sweep * kDegreesPerRadian));
    arc.Transform(QTransform(major.x(), major.y(), minor.x(), minor.y(), centre.x(), centre.y()));
    path.AddPath(std::move(arc), true);
}

QTransform ObjectToDrawingPlane(const DxfNormal& normal, double elevation) {
    const Vector3 n{normal.x, normal.y, normal.z};
    const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (normal.IsDefault() || !(length > 0) || !std::isfinite(length)) return {};
    const Vector3 z = n.Unit();
    const Vector3 worldAxis =
        std::fabs(z.x) < kArbitraryAxisLimit && std::fabs(z.y) < kArbitraryAxisLimit
            ? Vector3{0, 1, 0}
            : Vector3{0, 0, 1};
    const Vector3 x = worldAxis.Cross(z).Unit();
    const Vector3 y = z.Cross(x).Unit();
    return QTransform(x.x, x.y, y.x, y.y, elevation * z.x, elevation * z.y);
}

bool IsDxfCoordinate(double value) { return std::fabs(value) <= kMaxDxfCoordinate; }

void AppendBulgeArc(Path& path, PointF from, PointF to, double bulge) {
    const double ax = from.x, ay = from.y, bx = to.x, by = to.y;
    const double chordX = bx - ax, chordY = by - ay;
    const double chord = std::hypot(chordX, chordY);
    if (chord == 0) return;
    const double halfChord = chord / 2;
    const double alpha = std::atan(std::fabs(bulge));
    const double beta = std::fabs(std::numbers::pi / 2 - 2 * alpha);
    const double radius = halfChord / std::cos(beta);
    const double centreDistance = halfChord * std::tan(beta);

    // The centre lies left of the chord direction (with y up) for a
    // counter-clockwise arc of less than half a circle, and for a clockwise
    // arc of more than half a circle; right of it otherwise.
    const bool counterClockwise = bulge > 0;
    const bool lessThanHalf = std::fabs(bulge) < 1;
    const double side = counterClockwise == lessThanHalf ? 1.0 : -1.0;
    const double centreX = (ax + bx) / 2 - side * centreDistance * chordY / chord;
    const double centreY = (ay + by) / 2 + side * centreDistance * chordX / chord;

    // A float box cannot place an arc whose height over its chord (the
    // sagitta) is below its own precision; the chord is then the better
    // picture of it, and the only one for a zero bulge.
    const double sagitta = std::fabs(bulge) * halfChord;
    const double boxMagnitude = std::fmax(std::fabs(centreX), std::fabs(centreY)) + radius;
    if (!(sagitta > boxMagnitude * FLT_EPSILON)) {
        path.AddLine(from, to);
        return;
    }

    double start = AngleSeenFrom(centreX, centreY, ax, ay);
    double end = AngleSeenFrom(centreX, centreY, bx, by);
    if (bulge < 0) std::swap(start, end);
    const double difference = std::fabs(end - start);
    const double sweep = start > end ? 360.0 - difference : difference;

    Path arc;
    arc.AddArc(static_cast<float>(centreX - radius), static_cast<float>(centreY - radius),
               static_cast<float>(2 * radius), static_cast<float>(2 * radius),
               static_cast<float>(start), static_cast<float>(sweep));
    if (bulge < 0) arc.Reverse();
    path.AddPath(arc, true);
}

}  // namespace velora
