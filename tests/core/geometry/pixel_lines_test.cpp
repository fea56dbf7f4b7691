// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/pixel_lines.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace velora {
namespace {

// Lines of every direction and length: they start and end where asked, take
// exactly one step per pixel of the way (sideways only for the 4-connected
// one) and stay within a pixel of the true line.
TEST(PixelLines, StepFromEndToEndAlongTheTrueLine) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-40, 40);
    for (int i = 0; i < 500; ++i) {
        const QPoint from(coordinate(random), coordinate(random));
        const QPoint to = i == 0 ? from : QPoint(coordinate(random), coordinate(random));
        const QPoint d = to - from;
        for (const bool four : {false, true}) {
            const std::vector<QPoint> line =
                four ? FourConnectedLine(from, to) : EightConnectedLine(from, to);
            ASSERT_FALSE(line.empty());
            EXPECT_EQ(line.front(), from);
            EXPECT_EQ(line.back(), to);
            const int steps = four ? std::abs(d.x()) + std::abs(d.y())
                                   : std::max(std::abs(d.x()), std::abs(d.y()));
            EXPECT_EQ(line.size(), static_cast<size_t>(steps) + 1);
            const double length = std::hypot(d.x(), d.y());
            for (size_t k = 1; k < line.size(); ++k) {
                const QPoint step = line[k] - line[k - 1];
                EXPECT_LE(four ? std::abs(step.x()) + std::abs(step.y())
                               : std::max(std::abs(step.x()), std::abs(step.y())),
                          1);
                if (length == 0) continue;
                const QPoint off = line[k] - from;
                const double away = std::abs(off.x() * d.y() - off.y() * d.x()) / length;
                EXPECT_LE(away, four ? 1.0 : 0.75) << from.x() << "," << from.y();
            }
        }
    }
}

}  // namespace
}  // namespace velora
