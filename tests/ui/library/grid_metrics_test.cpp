// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/grid_metrics.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(GridMetricsTest, SevenCellsInThreeColumnsScrolledByOneRow) {
    GridMetrics metrics{{300, 250}, {100, 100}, 7, 0};
    EXPECT_EQ(metrics.Columns(), 3);
    EXPECT_EQ(metrics.VisibleRows(), 2);
    EXPECT_EQ(metrics.TotalRows(), 3);
    EXPECT_EQ(metrics.MaxScrollRow(), 1);
    EXPECT_EQ(metrics.CellRect(4), QRect(100, 100, 100, 100));
    EXPECT_EQ(metrics.HitTest({150, 50}), 1);
    EXPECT_EQ(metrics.FirstVisible(), 0);
    EXPECT_EQ(metrics.EndVisible(), 7) << "two whole rows and the partly visible third";

    metrics.scrollOffset = 100;
    EXPECT_EQ(metrics.CellRect(4), QRect(100, 0, 100, 100));
    EXPECT_EQ(metrics.HitTest({150, 50}), 4);
    EXPECT_EQ(metrics.FirstVisible(), 3);
    EXPECT_EQ(metrics.CellRect(-1), QRect()) << "no rectangle for a negative position";
}

TEST(GridMetricsTest, HitsRightOfTheLastColumnOrBelowTheCellsLeaveTheGrid) {
    const GridMetrics metrics{{320, 250}, {100, 100}, 5, 0};
    EXPECT_EQ(metrics.HitTest({310, 10}), 3) << "the first cell of the next row";
    EXPECT_EQ(metrics.HitTest({150, 180}), 4);
    EXPECT_EQ(metrics.HitTest({250, 180}), 5) << "past the last cell, for callers to ignore";
}

TEST(GridMetricsTest, ClientsSmallerThanOneCellKeepOneClippedColumn) {
    const GridMetrics narrow{{60, 40}, {100, 100}, 7, 0};
    EXPECT_EQ(narrow.Columns(), 1);
    EXPECT_EQ(narrow.VisibleRows(), 0);
    EXPECT_EQ(narrow.TotalRows(), 7);
    EXPECT_EQ(narrow.MaxScrollRow(), 7);
    EXPECT_EQ(narrow.HitTest({50, 30}), 0);
    EXPECT_EQ(narrow.CellRect(2), QRect(0, 200, 100, 100));
    EXPECT_EQ(narrow.EndVisible(), 1) << "the one partly visible cell is painted";

    const GridMetrics empty{{0, 0}, {100, 100}, 0, 0};
    EXPECT_EQ(empty.TotalRows(), 0);
    EXPECT_EQ(empty.MaxScrollRow(), 0);
    EXPECT_EQ(empty.EndVisible(), 0);
}

}  // namespace
}  // namespace velora
