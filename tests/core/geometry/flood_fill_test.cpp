// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/flood_fill.h"

#include "support/mask_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace velora {
namespace {

using test::BreadthFirstFill;
using test::LightMask;
using test::MaskOf;
using test::RandomMask;

// The rectangles of the filled pixels worked out literally: rows, runs and
// their widening, pixel by pixel.
std::vector<QRect> LiteralRects(std::vector<QPoint> pixels) {
    // Rows: take the first pixel's y and move every pixel of that y into a
    // row, until none remain; sort each row by x and the rows by y.
    std::vector<std::vector<int>> rows;
    std::vector<int> rowY;
    while (!pixels.empty()) {
        const int y = pixels.front().y();
        std::vector<int> row;
        std::vector<QPoint> rest;
        for (const QPoint p : pixels) {
            if (p.y() == y) {
                row.push_back(p.x());
            } else {
                rest.push_back(p);
            }
        }
        std::sort(row.begin(), row.end());
        rows.push_back(row);
        rowY.push_back(y);
        pixels = std::move(rest);
    }
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rowY[a] < rowY[b]; });

    std::vector<QRect> rects;
    for (size_t k = 0; k < order.size(); ++k) {
        const std::vector<int>& xs = rows[order[k]];
        const int y = rowY[order[k]];
        std::vector<std::pair<int, int>> runs;
        for (const int x : xs) {
            if (runs.empty() || x > runs.back().second + 1) {
                runs.push_back({x, x});
            } else {
                runs.back().second = x;
            }
        }
        const int t = k == 0 ? 1 : 0;
        const int b = k + 1 == order.size() ? 1 : 0;
        for (size_t j = 0; j < runs.size(); ++j) {
            int l = 1;
            int r = 1;
            if (j + 1 < runs.size()) {
                const int gap = runs[j + 1].first - runs[j].second - 1;
                const bool nextSingleEndsRow =
                    j + 2 == runs.size() && runs[j + 1].first == runs[j + 1].second;
                l = (j == 0 || gap > 1) ? 1 : 0;
                r = (gap > 1 || nextSingleEndsRow) ? 1 : 0;
            }
            // left, top, right and bottom exclusive
            const int left = runs[j].first - l;
            const int right = runs[j].second + 1 + r;
            rects.push_back(QRect(left, y - t, right - left, 1 + t + b));
        }
    }
    return rects;
}

std::set<std::pair<int, int>> PixelsOf(const std::vector<PixelRun>& runs) {
    std::set<std::pair<int, int>> pixels;
    for (const PixelRun& run : runs) {
        for (int x = run.x0; x <= run.x1; ++x) pixels.insert({x, run.y});
    }
    return pixels;
}

// --- the fill and its rectangles ---------------------------------------------------------

TEST(FloodFillTest, FillsTheBreadthFirstPixelsAndGivesTheirRectangles) {
    std::mt19937 random(4242);
    for (int round = 0; round < 400; ++round) {
        const MonoBitmap mask = RandomMask(random);
        for (int click = 0; click < 8; ++click) {
            // Clicks anywhere, the border and one pixel outside included.
            const int x = static_cast<int>(random() % (mask.Width() + 2)) - 1;
            const int y = static_cast<int>(random() % (mask.Height() + 2)) - 1;
            const std::vector<QPoint> expected = BreadthFirstFill(mask, {x, y});
            const std::vector<PixelRun> runs = FloodFillRuns(mask, x, y);

            std::set<std::pair<int, int>> expectedPixels;
            for (const QPoint p : expected) expectedPixels.insert({p.x(), p.y()});
            ASSERT_EQ(PixelsOf(runs), expectedPixels)
                << "round " << round << " at " << x << "," << y;
            ASSERT_TRUE(std::is_sorted(runs.begin(), runs.end(), [](auto& a, auto& b) {
                return a.y != b.y ? a.y < b.y : a.x1 < b.x0;
            }));
            ASSERT_EQ(CaptureRects(runs), LiteralRects(expected)) << "round " << round;
        }
    }
}

TEST(FloodFillTest, ClickOnAnOutlineFillsTheLightSpacesBesideIt) {
    const MonoBitmap mask = MaskOf({
        "#######",
        "#..#..#",
        "#..#..#",
        "#######",
    });
    EXPECT_EQ(PixelsOf(FloodFillRuns(mask, 3, 1)).size(), 8u);
    // Only its 4-neighbours count: a corner pixel with dark neighbours fills nothing.
    EXPECT_TRUE(FloodFillRuns(mask, 0, 0).empty());
    EXPECT_TRUE(CaptureRects({}).empty());
}

TEST(FloodFillTest, FillStopsAtTheMaskEdge) {
    // 21 pixels a row; the padding bits after them are set light as well.
    MonoBitmap mask = LightMask(21, 5);
    for (int y = 0; y < 5; ++y) {
        mask.Row(y)[2] |= 0x07;
        mask.Row(y)[3] = 0xFF;
    }
    const std::vector<PixelRun> runs = FloodFillRuns(mask, 20, 4);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs.front(), (PixelRun{0, 0, 20}));
    EXPECT_EQ(runs.back(), (PixelRun{4, 0, 19}));
    EXPECT_TRUE(FloodFillRuns(mask, 21, 0).empty());
    EXPECT_TRUE(FloodFillRuns(MonoBitmap(), 0, 0).empty());
}

}  // namespace
}  // namespace velora
