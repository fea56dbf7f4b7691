// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velora {
namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(RoundingTest, TruncationGoesTowardZero) {
    EXPECT_EQ(TruncToInt(1.7), 1);
    EXPECT_EQ(TruncToInt(-1.7), -1);
    EXPECT_EQ(TruncToInt(-0.9), 0);
    EXPECT_EQ(TruncToInt(1e30), kMax);
    EXPECT_EQ(TruncToInt(-kInfinity), kMin);
    // NaN must land outside every picture, never at its origin.
    EXPECT_EQ(TruncToInt(std::nan("")), kMin);
}

TEST(RoundingTest, TruncatedHalfUpRoundsHalvesUpFromTheTruncatedValue) {
    EXPECT_EQ(RoundTruncatedHalfUp(2.5), 3);
    EXPECT_EQ(RoundTruncatedHalfUp(2.49), 2);
    EXPECT_EQ(RoundTruncatedHalfUp(100.2), 100);
    EXPECT_EQ(RoundTruncatedHalfUp(100.4), 100);
    EXPECT_EQ(RoundTruncatedHalfUp(100.5), 101);
    // Below zero the fraction is negative and never reaches +0.5.
    EXPECT_EQ(RoundTruncatedHalfUp(-1.3), -1);
    EXPECT_EQ(RoundTruncatedHalfUp(-1.7), -1);
    EXPECT_EQ(RoundTruncatedHalfUp(-0.5), 0);
}

TEST(RoundingTest, TruncatedHalfUpSaturatesOutsideTheIntRange) {
    EXPECT_EQ(RoundTruncatedHalfUp(1e30), kMax);
    EXPECT_EQ(RoundTruncatedHalfUp(kMax + 0.7), kMax);
    EXPECT_EQ(RoundTruncatedHalfUp(-1e30), kMin);
    EXPECT_EQ(RoundTruncatedHalfUp(kInfinity), kMax);
    EXPECT_EQ(RoundTruncatedHalfUp(std::nan("")), 0);
}

TEST(RoundingTest, FloorHalfUpGoesDownBelowZero) {
    EXPECT_EQ(FloorHalfUp(2.5), 3.0);
    EXPECT_EQ(FloorHalfUp(-1.7), -2.0);
    EXPECT_EQ(FloorHalfUp(-2.5), -2.0);
    EXPECT_EQ(FloorHalfUp(-1.3), -1.0);
    // Far beyond the int range the double result is kept as it is.
    EXPECT_EQ(FloorHalfUp(1e30), 1e30);
}

TEST(RoundingTest, FloorHalfUpToIntSaturatesAndMapsNanToZero) {
    EXPECT_EQ(FloorHalfUpToInt(-1.7), -2);
    EXPECT_EQ(FloorHalfUpToInt(0.49), 0);
    EXPECT_EQ(FloorHalfUpToInt(1e30), kMax);
    EXPECT_EQ(FloorHalfUpToInt(-kInfinity), kMin);
    EXPECT_EQ(FloorHalfUpToInt(std::nan("")), 0);
}

// The two half-up rules agree above zero and part below it: the trap the
// separate names are there to avoid.
TEST(RoundingTest, TheTwoHalfUpRulesDifferOnlyBelowZero) {
    for (double v = 0.0; v < 50.0; v += 0.25) {
        EXPECT_EQ(RoundTruncatedHalfUp(v), FloorHalfUpToInt(v)) << v;
    }
    EXPECT_NE(RoundTruncatedHalfUp(-1.7), FloorHalfUpToInt(-1.7));
}

}  // namespace
}  // namespace velora
