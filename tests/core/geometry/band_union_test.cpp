// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/band_union.h"

#include <gtest/gtest.h>

#include <random>

namespace velora {
namespace {

using Boxes = std::vector<Box>;

TEST(IsBandedTest, TheUnionsResultIsBanded) {
    std::mt19937 random(31);
    std::uniform_int_distribution<int> coordinate(0, 40);
    for (int round = 0; round < 200; ++round) {
        Boxes boxes;
        for (int i = 0; i < 15; ++i) {
            const int a = coordinate(random), b = coordinate(random);
            const int c = coordinate(random), d = coordinate(random);
            if (a == b || c == d) continue;
            boxes.push_back({std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)});
        }
        const auto bands = UnionToBands(boxes, 100000);
        ASSERT_TRUE(bands);
        ASSERT_TRUE(IsBanded(*bands)) << "round " << round;
    }
    EXPECT_TRUE(IsBanded(Boxes{}));
}

TEST(IsBandedTest, EveryBreachOfTheFormIsSeen) {
    // Two bands: one of two boxes, one below it of a single box.
    const Boxes good{{0, 0, 4, 2}, {6, 0, 9, 2}, {1, 2, 5, 3}};
    ASSERT_TRUE(IsBanded(good));
    const struct {
        const char* what;
        Boxes boxes;
    } cases[] = {
        {"empty box", {{0, 0, 4, 2}, {6, 0, 6, 2}}},
        {"inverted box", {{0, 0, 4, 2}, {6, 0, 9, 2}, {5, 2, 1, 3}}},
        {"boxes of a band out of order", {{6, 0, 9, 2}, {0, 0, 4, 2}}},
        {"boxes of a band touching", {{0, 0, 4, 2}, {4, 0, 9, 2}}},
        {"boxes of a band overlapping", {{0, 0, 5, 2}, {4, 0, 9, 2}}},
        {"boxes of a band differing in height", {{0, 0, 4, 2}, {6, 0, 9, 3}}},
        {"bands overlapping", {{0, 0, 4, 2}, {1, 1, 5, 3}}},
        {"bands out of order", {{1, 2, 5, 3}, {0, 0, 4, 2}}},
        {"equal bands meeting", {{0, 0, 4, 2}, {6, 0, 9, 2}, {0, 2, 4, 3}, {6, 2, 9, 3}}},
        {"equal single boxes meeting", {{0, 0, 4, 2}, {0, 2, 4, 3}}},
    };
    for (const auto& c : cases) EXPECT_FALSE(IsBanded(c.boxes)) << c.what;
    // Equal bands with a gap between them, and meeting bands that differ
    // only in the later of their boxes, are banded.
    EXPECT_TRUE(IsBanded(Boxes{{0, 0, 4, 2}, {0, 3, 4, 4}}));
    EXPECT_TRUE(IsBanded(Boxes{{0, 0, 4, 2}, {6, 0, 9, 2}, {0, 2, 4, 3}, {6, 2, 8, 3}}));
    EXPECT_TRUE(IsBanded(Boxes{{0, 0, 4, 2}, {6, 0, 9, 2}, {0, 2, 4, 3}}));
}

}  // namespace
}  // namespace velora
