// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_geometry.h"

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

}  // namespace

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
