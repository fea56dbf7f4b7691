// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/arc_bezier.h"

#include "core/geometry/rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velora {

namespace {

constexpr double kDegreesToRadians = std::numbers::pi / 180.0;

struct CosSin {
    double cos;
    double sin;
};

// Exact on the axes, so that ellipses start, turn and close on exactly the
// points where their box touches them.
CosSin CosSinDegrees(double degrees) {
    const double quarter = degrees / 90.0;
    if (std::isfinite(quarter) && quarter == std::floor(quarter)) {
        static constexpr CosSin kAxes[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        const double turn = std::fmod(quarter, 4.0);
        return kAxes[static_cast<int>(turn < 0 ? turn + 4 : turn)];
    }
    const double radians = degrees * kDegreesToRadians;
    return {std::cos(radians), std::sin(radians)};
}

}  // namespace

double UnstretchAngle(double degrees, double diameterX, double diameterY) {
    const double radians = degrees * kDegreesToRadians;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    if (std::fabs(cosine) < 0.00001 || std::fabs(sine) < 0.00001) return degrees;
    double stretched = std::atan2(sine / std::fabs(diameterY), cosine / std::fabs(diameterX));
    const double turn = 2.0 * std::numbers::pi;
    // The turns of an angle are counted as the platform counts them.
    stretched += (FloorHalfUp(radians / turn) - FloorHalfUp(stretched / turn)) * turn;
    return stretched / kDegreesToRadians;
}

ArcBeziers::ArcBeziers(double x, double y, double width, double height, double startAngle,
                       double sweepAngle)
    : m_centerX(x + width / 2.0),
      m_centerY(y + height / 2.0),
      m_radiusX(width / 2.0),
      m_radiusY(height / 2.0) {
    double start = startAngle;
    double end = startAngle + sweepAngle;
    if (width != height) {
        start = UnstretchAngle(start, width, height);
        end = UnstretchAngle(end, width, height);
    }
    // At most four quarter turns: a longer sweep ends after one full turn.
    for (int part = 0; part < kMaxParts; ++part) {
        double partEnd;
        if (sweepAngle > 0) {
            if (start >= end) break;
            partEnd = std::min(start + 90.0, end);
        } else {
            if (start <= end) break;
            partEnd = std::max(start - 90.0, end);
        }
        AddPart(start, partEnd);
        start = partEnd;
    }
}

void ArcBeziers::AddPart(double startDegrees, double endDegrees) {
    const CosSin s = CosSinDegrees(startDegrees);
    const CosSin e = CosSinDegrees(endDegrees);
    // Control points on the tangents at 4/3 tan(sweep / 4) of the radius give
    // the standard cubic approximation of a circular arc, stretched to the
    // ellipse afterwards.
    const double k = 4.0 / 3.0 * std::tan((endDegrees - startDegrees) * kDegreesToRadians / 4.0);
    const auto place = [this](double unitX, double unitY) {
        m_points[m_count++] = {static_cast<float>(unitX * m_radiusX + m_centerX),
                               static_cast<float>(unitY * m_radiusY + m_centerY)};
    };
    if (m_count == 0) place(s.cos, s.sin);
    place(s.cos - k * s.sin, s.sin + k * s.cos);
    place(e.cos + k * e.sin, e.sin - k * e.cos);
    place(e.cos, e.sin);
}

}  // namespace velora
