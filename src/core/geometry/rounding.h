// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace velora {

// The ways the program turns real coordinates into integers. They differ for
// negative values and halves, so each rule has its own name; pick the one the
// platform call being matched uses. All saturate at the int range. They are
// inline because the import and path bounds call them per point.

namespace rounding_detail {
inline int Saturated(double integral) {
    return static_cast<int>(std::clamp(integral, double{std::numeric_limits<int>::min()},
                                       double{std::numeric_limits<int>::max()}));
}
}  // namespace rounding_detail

// Toward zero: 1.7 gives 1, -1.7 gives -1. NaN gives the smallest int, so a
// pixel made from it lies outside every picture.
inline int TruncToInt(double value) {
    if (std::isnan(value)) return std::numeric_limits<int>::min();
    return rounding_detail::Saturated(std::trunc(value));
}

// Halves go up, measured from the value truncated toward zero: 2.5 gives 3,
// -1.3 and -1.7 both give -1, -0.5 gives 0. NaN gives 0. This is how the
// import decides that two end points meet.
inline int RoundTruncatedHalfUp(double value) {
    if (std::isnan(value)) return 0;
    double rounded = std::trunc(value);
    if (value - rounded >= 0.5) rounded += 1.0;
    return rounding_detail::Saturated(rounded);
}

// floor(value + 0.5): 2.5 gives 3, -1.7 gives -2, -2.5 gives -2.
inline double FloorHalfUp(double value) { return std::floor(value + 0.5); }

// FloorHalfUp as an int; NaN gives 0.
inline int FloorHalfUpToInt(double value) {
    const double rounded = FloorHalfUp(value);
    if (std::isnan(rounded)) return 0;
    return rounding_detail::Saturated(rounded);
}

}  // namespace velora
