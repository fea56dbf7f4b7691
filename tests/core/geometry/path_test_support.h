// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

namespace velora {

inline void PrintTo(const PointF& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const RectF& r, std::ostream* os) {
    *os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

}  // namespace velora

namespace velora::test {

namespace T = PathPointType;
constexpr uint8_t kStart = T::Start;
constexpr uint8_t kLine = T::Line;
constexpr uint8_t kBezier = T::Bezier;
constexpr uint8_t kClose = T::CloseSubpath;
constexpr uint8_t kMarker = T::Marker;

// Point lists compared within a tolerance, with the index of the first miss.
inline ::testing::AssertionResult PointsNear(const std::vector<PointF>& actual,
                                             const std::vector<PointF>& expected,
                                             double tolerance) {
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure()
               << "got " << actual.size() << " points, expected " << expected.size();
    }
    for (size_t i = 0; i < actual.size(); ++i) {
        if (std::fabs(actual[i].x - expected[i].x) > tolerance ||
            std::fabs(actual[i].y - expected[i].y) > tolerance) {
            return ::testing::AssertionFailure()
                   << "point " << i << " is (" << actual[i].x << ", " << actual[i].y
                   << "), expected (" << expected[i].x << ", " << expected[i].y << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

// The control point distance that makes a cubic Bezier follow a quarter of a
// unit circle most closely: 4/3 * tan(90 degrees / 4).
inline double QuarterKappa() { return 4.0 / 3.0 * std::tan(M_PI / 8.0); }

}  // namespace velora::test
