// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/region_capture.h"

#include "core/geometry/flood_fill.h"
#include "core/geometry/region_data.h"
#include "core/model/drawing_model.h"
#include "support/mask_pictures.h"
#include "support/recording_observer.h"
#include "support/scripted_user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace velora {
namespace {

using test::BreadthFirstFill;
using test::DrawOutline;
using test::LightMask;
using test::MaskOf;
using test::RandomMask;

int64_t PixelCount(const QRegion& region) {
    int64_t count = 0;
    for (const QRect& rect : region) count += int64_t{rect.width()} * rect.height();
    return count;
}

// --- clicks on the model ----------------------------------------------------------------

class CaptureTest : public ::testing::Test {
protected:
    CaptureTest() {
        model.SetUserInterface(&user);
        // A closed square of 10 x 10 light pixels inside a one-pixel outline.
        MonoBitmap mask = LightMask(30, 20);
        DrawOutline(mask, 5, 4, 16, 15);
        model.SetMaskBitmap(mask);
    }
    test::ScriptedUser user;
    CDrawingModel model;
};

TEST_F(CaptureTest, ClickInASquareCapturesItWithItsOutline) {
    const CDrawingModel::RegionClick click = model.ToggleRegionAt({10, 9});
    EXPECT_TRUE(click.captured);
    EXPECT_EQ(click.index, 0u);
    ASSERT_EQ(model.Regions().size(), 1u);
    const CRegionItem& item = *model.Regions()[0];
    EXPECT_TRUE(item.IsSelected());
    EXPECT_TRUE(item.GetName().startsWith("Area"));
    EXPECT_EQ(item.GetRegion(), QRegion(5, 4, 12, 12));
}

TEST_F(CaptureTest, ClickNextToTheRightOutlineMissesThatColumnOnItsRow) {
    model.ToggleRegionAt({15, 9});
    const QRegion& region = model.Regions()[0]->GetRegion();
    EXPECT_EQ(PixelCount(region), 144 - 1);
    EXPECT_FALSE(region.contains(QPoint(16, 9)));
    EXPECT_TRUE(region.contains(QPoint(15, 9)));
}

TEST_F(CaptureTest, SecondClickTogglesTheRegionAndAddsNone) {
    model.ToggleRegionAt({8, 8});
    model.ToggleRegionAt({12, 12});
    ASSERT_EQ(model.Regions().size(), 1u);
    EXPECT_FALSE(model.Regions()[0]->IsSelected());
    model.ToggleRegionAt({5, 4});  // on the outline, inside the region
    EXPECT_TRUE(model.Regions()[0]->IsSelected());
    EXPECT_EQ(model.Regions().size(), 1u);
}

TEST_F(CaptureTest, DeletedRegionIsCapturedAgainWithTheSamePixels) {
    model.ToggleRegionAt({9, 9});
    const QRegion first = model.Regions()[0]->GetRegion();
    model.DeleteSelectedRegions();
    ASSERT_TRUE(model.Regions().empty());
    model.ToggleRegionAt({9, 9});
    ASSERT_EQ(model.Regions().size(), 1u);
    EXPECT_EQ(model.Regions()[0]->GetRegion(), first);
}

TEST_F(CaptureTest, LightSpaceTouchingTheEdgeFillsToTheEdge) {
    model.ToggleRegionAt({0, 0});
    const QRegion& region = model.Regions()[0]->GetRegion();
    // Everything outside the square's outline, widened one pixel past the
    // first and last rows and the ends of every row.
    EXPECT_EQ(region.boundingRect(), QRect(-1, -1, 32, 22));
    EXPECT_FALSE(region.contains(QPoint(10, 10)));
    EXPECT_TRUE(region.contains(QPoint(29, 19)));
}

TEST_F(CaptureTest, ClickOutsideTheMaskAddsAnEmptyRegion) {
    model.ToggleRegionAt({-3, 4});
    ASSERT_EQ(model.Regions().size(), 1u);
    EXPECT_TRUE(model.Regions()[0]->GetRegion().isEmpty());
}

TEST_F(CaptureTest, ClicksReportTheRegionTheyCaptureOrToggle) {
    test::RecordingObserver observer;
    model.SetObserver(&observer);
    model.ToggleRegionAt({10, 10});
    model.ToggleRegionAt({10, 10});
    ASSERT_EQ(observer.changes.size(), 2u);
    EXPECT_EQ(observer.changes[0].pixels, QRegion(5, 4, 12, 12));
    EXPECT_EQ(observer.changes[1].pixels, QRegion(5, 4, 12, 12));
    EXPECT_FALSE(model.Regions()[0]->IsSelected());
}

// --- capture of every enclosed component -----------------------------------------------

// A grid of columns x rows cells of 6 x 5 light pixels with one-pixel
// outlines, inside a light margin of 2 pixels that touches the edge.
MonoBitmap GridMask(int columns, int rows) {
    MonoBitmap mask = LightMask(4 + 7 * columns + 1, 4 + 6 * rows + 1);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r)
            DrawOutline(mask, 2 + 7 * c, 2 + 6 * r, 9 + 7 * c, 8 + 6 * r);
    }
    return mask;
}

TEST(CaptureAllTest, CapturesEveryEnclosedCellOnce) {
    CDrawingModel model;
    model.SetMaskBitmap(GridMask(5, 4));
    const CapturedRegions captured = CaptureAllRegions(model, false);
    const QStringList& names = captured.names;
    ASSERT_EQ(names.size(), 20);
    EXPECT_EQ(captured.edgeSpaces, 0);  // the margin around the cells is not counted
    ASSERT_EQ(model.Regions().size(), 20u);
    for (int i = 0; i < 20; ++i) {
        const CRegionItem& item = *model.Regions()[i];
        EXPECT_EQ(item.GetName(), names[i]);
        EXPECT_TRUE(item.IsSelected());
        // Cells in the order of their first pixels: row by row.
        const int c = i % 5, r = i / 5;
        EXPECT_EQ(item.GetRegion(), QRegion(2 + 7 * c, 2 + 6 * r, 8, 7)) << i;
    }
    EXPECT_TRUE(model.Areas().empty());
    // Everything is covered now: a second pass finds nothing.
    EXPECT_TRUE(CaptureAllRegions(model, false).names.isEmpty());
    EXPECT_EQ(model.Regions().size(), 20u);
}

TEST(CaptureAllTest, SkipsCellsThatRegionsCoverAndMakesAreasOnRequest) {
    CDrawingModel model;
    model.SetMaskBitmap(GridMask(3, 1));
    model.ToggleRegionAt({12, 5});  // the middle cell
    const QStringList names = CaptureAllRegions(model, true).names;
    ASSERT_EQ(names.size(), 2);
    ASSERT_EQ(model.Regions().size(), 3u);
    EXPECT_TRUE(model.Regions()[1]->GetRegion().contains(QPoint(5, 5)));
    EXPECT_TRUE(model.Regions()[2]->GetRegion().contains(QPoint(19, 5)));
    ASSERT_EQ(model.Areas().size(), 2u);
    EXPECT_EQ(model.Areas()[1].GetName(), names[1]);
    EXPECT_EQ(model.Areas()[1].Names(), QStringList{names[1]});
}

TEST(CaptureAllTest, ClickedPixelIsCoveredForAwkwardShapes) {
    // A U whose top row has two separate prongs, an H, a one-pixel-wide
    // vertical bar and a single pixel (which would make an empty region).
    const MonoBitmap mask = MaskOf({
        "##############",
        "#.#.#####.#.##",
        "#.#.#####...##",
        "#...#.#.#.#.##",
        "#####.#.######",
        "#####.#.######",
        "##.##...##.###",
        "##.###########",
        "##############",
    });
    CDrawingModel model;
    model.SetMaskBitmap(mask);
    ASSERT_EQ(CaptureAllRegions(model, false).names.size(), 4);
    for (const auto& item : model.Regions()) {
        const QRegion& region = item->GetRegion();
        for (int y = 0; y < mask.Height(); ++y) {
            for (int x = 0; x < mask.Width(); ++x) {
                // Every light pixel the region reaches belongs to it entirely.
                if (!mask.Pixel(x, y) || !region.contains(QPoint(x, y))) continue;
                for (const PixelRun& run : FloodFillRuns(mask, x, y)) {
                    EXPECT_TRUE(region.contains(QRect(run.x0, run.y, run.x1 - run.x0 + 1, 1)));
                }
            }
        }
    }
    EXPECT_TRUE(CaptureAllRegions(model, false).names.isEmpty());
}

TEST(CaptureAllTest, EachRegionIsWhatAClickInItsComponentCaptures) {
    std::mt19937 random(99);
    for (int round = 0; round < 150; ++round) {
        const MonoBitmap mask = RandomMask(random);
        CDrawingModel model;
        model.SetMaskBitmap(mask);
        const CapturedRegions captured = CaptureAllRegions(model, false);

        // Enclosed components of two pixels or more, by breadth-first fill.
        std::vector<std::vector<QPoint>> components;
        int edgeSpaces = 0;
        std::set<std::pair<int, int>> seen;
        for (int y = 0; y < mask.Height(); ++y) {
            for (int x = 0; x < mask.Width(); ++x) {
                if (!mask.Pixel(x, y) || seen.count({x, y})) continue;
                std::vector<QPoint> pixels = BreadthFirstFill(mask, {x, y});
                pixels.push_back({x, y});
                bool border = false;
                for (const QPoint p : pixels) {
                    seen.insert({p.x(), p.y()});
                    border = border || p.x() == 0 || p.y() == 0 || p.x() == mask.Width() - 1 ||
                             p.y() == mask.Height() - 1;
                }
                edgeSpaces += border && !(x == 0 && y == 0);
                if (!border && pixels.size() > 1) components.push_back(pixels);
            }
        }
        ASSERT_EQ(model.Regions().size(), components.size()) << "round " << round;
        EXPECT_EQ(captured.edgeSpaces, edgeSpaces) << "round " << round;
        for (size_t i = 0; i < components.size(); ++i) {
            const QRegion& region = model.Regions()[i]->GetRegion();
            const bool someClick =
                std::any_of(components[i].begin(), components[i].end(), [&](QPoint p) {
                    return RegionFromRects(CaptureRects(FloodFillRuns(mask, p.x(), p.y()))) ==
                           region;
                });
            EXPECT_TRUE(someClick) << "round " << round << " component " << i;
        }
    }
}

TEST(CaptureAllTest, MaskWithoutBitsCapturesNothing) {
    CDrawingModel model;
    EXPECT_TRUE(CaptureAllRegions(model, true).names.isEmpty());
    model.SetMaskBitmap(LightMask(10, 10));
    const CapturedRegions captured = CaptureAllRegions(model, true);
    EXPECT_TRUE(captured.names.isEmpty());
    EXPECT_EQ(captured.edgeSpaces, 0);
}

TEST(CaptureAllTest, CountsTheSpacesOpenToTheBorderBesidesTheOneAround) {
    const MonoBitmap mask = MaskOf({
        "..#.......",
        ".##.####..",
        "#...#..#..",
        "....####..",
        "######.###",
        "..#.......",
    });
    CDrawingModel model;
    model.SetMaskBitmap(mask);
    const CapturedRegions captured = CaptureAllRegions(model, false);
    EXPECT_EQ(captured.names.size(), 1);  // the square
    // Besides the top left corner (taken for the space around the drawing):
    // the space along the top and left, and the two along the bottom.
    EXPECT_EQ(captured.edgeSpaces, 3);
}

// A fill that reaches the mask's border, and only such a fill, gives a
// region that reaches past the mask.
TEST(CaptureAllTest, RegionsOfSpacesOpenToTheBorderReachPastTheMask) {
    const MonoBitmap mask = MaskOf({
        "..........",
        ".####.###.",
        ".#..#.#...",
        ".#..#.###.",
        ".####.....",
        "..........",
    });
    const auto reaches = [&](QPoint click) {
        return ReachesMaskBorder(CaptureRegionAt(mask, click)->GetRegion(), mask);
    };
    EXPECT_FALSE(reaches({2, 2}));  // inside the closed square
    EXPECT_TRUE(reaches({7, 2}));   // inside the one open to the right
    EXPECT_TRUE(reaches({5, 3}));   // the space around them
    EXPECT_FALSE(ReachesMaskBorder(QRegion(), mask));
}

}  // namespace
}  // namespace velora
