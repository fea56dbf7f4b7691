// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/outline_chains.h"
#include "mask_pictures.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

// Outlines drawn one and two pixels thick, and the ends their chains have.
TEST(OutlineChainEnds, EndsAreWhereOutlinesStopShort) {
    struct Case {
        const char* what;
        std::vector<std::string> picture;
        std::vector<QPoint> ends;
    };
    const std::vector<Case> cases{
        {"a line has two ends", {"............", "..########..", "............"}, {{2, 1}, {9, 1}}},
        {"a thick line ends where its pixels do",
         {"............", "..########..", "..########..", "............"},
         {{2, 1}, {9, 1}}},
        {"a closed outline has none",
         {"..........", ".######...", ".#....#...", ".#....#...", ".######...", ".........."},
         {}},
        {"a square with a gap has the gap's two ends",
         {"..........", ".######...", ".#....#...", ".......#..", ".#.....#..", ".#######..",
          ".........."},
         {{1, 2}, {1, 4}}},
        {"specks and short spurs have none",
         {"...........", ".#.........", "....######.", "....#....#.", "...##....#.", "....######.",
          "..........."},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MonoBitmap mask = test::MaskOf(c.picture);
        EXPECT_EQ(OutlineChainEnds(mask, QRect(0, 0, mask.Width(), mask.Height())), c.ends);
    }
}

}  // namespace
}  // namespace velora
