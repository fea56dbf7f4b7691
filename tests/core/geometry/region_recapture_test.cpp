// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/region_recapture.h"
#include "core/geometry/flood_fill.h"
#include "core/geometry/region_data.h"
#include "mask_pictures.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

QRegion ClickRegion(const MonoBitmap& mask, QPoint click) {
    return RegionFromRects(CaptureRects(FloodFillRuns(mask, click.x(), click.y())));
}

// The whole light space around the pixel, widened over its outline.
QRegion SpaceRegion(const MonoBitmap& mask, QPoint pixel) {
    return RegionFromRects(CaptureRects(ComponentRuns(mask, pixel.x(), pixel.y())));
}

// A region captured in the mask before, the mask after a change ('#' dark),
// and what the region becomes: the space around the given pixel of the
// changed mask (none when it is gone) and how many parts it lost.
TEST(RecaptureRegion, FollowsTheChangedMask) {
    struct Case {
        const char* what;
        std::vector<std::string> before;
        std::vector<std::string> after;
        std::optional<QPoint> same;
        int partsLeftOut;
    };
    const std::vector<Case> cases{
        {"a stroke across keeps the larger part",
         {"##########", "#........#", "#........#", "##########"},
         {"##########", "#..#.....#", "#..#.....#", "##########"},
         QPoint(6, 1),
         1},
        {"an outline rubbed out joins the space beyond it",
         {"##########", "#...#....#", "#...#....#", "##########"},
         {"##########", "#...#....#", "#........#", "##########"},
         QPoint(6, 1),
         0},
        {"a dot inside changes nothing of the region",
         {"#######", "#.....#", "#.....#", "#######"},
         {"#######", "#.....#", "#..#..#", "#######"},
         QPoint(1, 1),
         0},
        {"a region filled dark is gone",
         {"####", "#..#", "####"},
         {"####", "####", "####"},
         std::nullopt,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MonoBitmap before = test::MaskOf(c.before);
        const MonoBitmap after = test::MaskOf(c.after);
        QRegion changed;
        for (int y = 0; y < before.Height(); ++y) {
            for (int x = 0; x < before.Width(); ++x) {
                if (before.Pixel(x, y) != after.Pixel(x, y)) changed += QRect(x, y, 1, 1);
            }
        }
        const RecapturedRegion recaptured =
            RecaptureRegion(ClickRegion(before, QPoint(1, 1)), after, changed);
        EXPECT_EQ(recaptured.region, c.same ? SpaceRegion(after, *c.same) : QRegion());
        EXPECT_EQ(recaptured.partsLeftOut, c.partsLeftOut);
    }
}

}  // namespace
}  // namespace velora
