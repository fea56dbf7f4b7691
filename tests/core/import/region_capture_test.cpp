#include "core/import/region_capture.h"

#include "core/geometry/region_data.h"
#include "core/model/drawing_model.h"
#include "support/fake_view.h"
#include "support/scripted_user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace velora {
namespace {

// --- masks -------------------------------------------------------------------------

// A light mask with dark pixels where the picture has '#'.
MonoBitmap MaskOf(const std::vector<std::string>& picture) {
    MonoBitmap mask(static_cast<int>(picture[0].size()), static_cast<int>(picture.size()));
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) mask.SetPixel(x, y, picture[y][x] != '#');
    }
    return mask;
}

// A light mask of the size with the outline of the rectangle drawn dark.
void DrawOutline(MonoBitmap& mask, int left, int top, int right, int bottom) {
    for (int x = left; x <= right; ++x) {
        mask.SetPixel(x, top, false);
        mask.SetPixel(x, bottom, false);
    }
    for (int y = top; y <= bottom; ++y) {
        mask.SetPixel(left, y, false);
        mask.SetPixel(right, y, false);
    }
}

MonoBitmap LightMask(int width, int height) {
    MonoBitmap mask(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) mask.SetPixel(x, y, true);
    }
    return mask;
}

int64_t PixelCount(const QRegion& region) {
    int64_t count = 0;
    for (const QRect& rect : region) count += int64_t{rect.width()} * rect.height();
    return count;
}

// --- the literal procedure: breadth-first fill, rows, runs, rectangles --------------

std::vector<QPoint> BreadthFirstFill(const MonoBitmap& mask, QPoint start) {
    const auto inside = [&](QPoint p) {
        return p.x() >= 0 && p.y() >= 0 && p.x() < mask.Width() && p.y() < mask.Height();
    };
    std::vector<QPoint> result;
    if (!inside(start)) return result;
    std::set<std::pair<int, int>> visited{{start.x(), start.y()}};
    std::vector<QPoint> frontier{start};
    while (!frontier.empty()) {
        std::vector<QPoint> next;
        for (const QPoint p : frontier) {
            for (const QPoint d : {QPoint(-1, 0), QPoint(0, -1), QPoint(1, 0), QPoint(0, 1)}) {
                const QPoint n = p + d;
                if (!inside(n) || !mask.Pixel(n.x(), n.y())) continue;
                if (!visited.insert({n.x(), n.y()}).second) continue;
                next.push_back(n);
                result.push_back(n);
            }
        }
        frontier = std::move(next);
    }
    return result;
}

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

// Light space with random rectangle outlines and specks of dark.
MonoBitmap RandomMask(std::mt19937& random) {
    std::uniform_int_distribution<int> side(1, 40);
    const int width = side(random);
    const int height = side(random);
    MonoBitmap mask = LightMask(width, height);
    std::uniform_int_distribution<int> px(0, width - 1), py(0, height - 1);
    const int outlines = static_cast<int>(random() % 6);
    for (int i = 0; i < outlines; ++i) {
        const int x0 = px(random), x1 = px(random), y0 = py(random), y1 = py(random);
        DrawOutline(mask, std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1));
    }
    const int specks = static_cast<int>(random() % (width * height / 3 + 1));
    for (int i = 0; i < specks; ++i) mask.SetPixel(px(random), py(random), false);
    return mask;
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
    model.SetModified(false);
    model.ToggleRegionAt(10.7f, 9.2f);
    ASSERT_EQ(model.Regions().size(), 1u);
    const CRegionItem& item = *model.Regions()[0];
    EXPECT_TRUE(item.IsSelected());
    EXPECT_TRUE(item.GetName().startsWith("Area"));
    EXPECT_EQ(item.GetRegion(), QRegion(5, 4, 12, 12));
    EXPECT_TRUE(model.IsModified());
}

TEST_F(CaptureTest, ClickNextToTheRightOutlineMissesThatColumnOnItsRow) {
    model.ToggleRegionAt(15, 9);
    const QRegion& region = model.Regions()[0]->GetRegion();
    EXPECT_EQ(PixelCount(region), 144 - 1);
    EXPECT_FALSE(region.contains(QPoint(16, 9)));
    EXPECT_TRUE(region.contains(QPoint(15, 9)));
}

TEST_F(CaptureTest, SecondClickTogglesTheRegionAndAddsNone) {
    model.ToggleRegionAt(8, 8);
    model.ToggleRegionAt(12, 12);
    ASSERT_EQ(model.Regions().size(), 1u);
    EXPECT_FALSE(model.Regions()[0]->IsSelected());
    model.ToggleRegionAt(5, 4);  // on the outline, inside the region
    EXPECT_TRUE(model.Regions()[0]->IsSelected());
    EXPECT_EQ(model.Regions().size(), 1u);
}

TEST_F(CaptureTest, DeletedRegionIsCapturedAgainWithTheSamePixels) {
    model.ToggleRegionAt(9, 9);
    const QRegion first = model.Regions()[0]->GetRegion();
    model.DeleteSelectedRegions();
    ASSERT_TRUE(model.Regions().empty());
    model.ToggleRegionAt(9, 9);
    ASSERT_EQ(model.Regions().size(), 1u);
    EXPECT_EQ(model.Regions()[0]->GetRegion(), first);
}

TEST_F(CaptureTest, LightSpaceTouchingTheEdgeFillsToTheEdge) {
    model.ToggleRegionAt(0, 0);
    const QRegion& region = model.Regions()[0]->GetRegion();
    // Everything outside the square's outline, widened one pixel past the
    // first and last rows and the ends of every row.
    EXPECT_EQ(region.boundingRect(), QRect(-1, -1, 32, 22));
    EXPECT_FALSE(region.contains(QPoint(10, 10)));
    EXPECT_TRUE(region.contains(QPoint(29, 19)));
}

TEST_F(CaptureTest, ClickOutsideTheMaskAddsAnEmptyRegion) {
    model.ToggleRegionAt(-3, 4);
    ASSERT_EQ(model.Regions().size(), 1u);
    EXPECT_TRUE(model.Regions()[0]->GetRegion().isEmpty());
}

TEST_F(CaptureTest, ViewPositionMapsTheClickAndReceivesTheInvalidation) {
    test::FakeView view;
    view.scroll = QPoint(100, 40);
    view.offset = QPointF(2.5, 0);
    model.SetView(&view);
    // Pixel = trunc(x) + trunc(scroll - origin - offset): -87 + 97 and -30 + 40.
    model.ToggleRegionAt(-87.9f, -30.5f);
    ASSERT_EQ(model.Regions().size(), 1u);
    EXPECT_EQ(model.Regions()[0]->GetRegion(), QRegion(5, 4, 12, 12));
    ASSERT_EQ(view.invalidated.size(), 1u);
    // Back into view coordinates: moved by trunc(0 - 100 + 2.5), trunc(0 - 40 + 0).
    EXPECT_EQ(view.invalidated[0], QRegion(5 - 97, 4 - 40, 12, 12));
    EXPECT_TRUE(view.renderPending);

    view.renderPending = false;
    model.ToggleRegionAt(-87, -30);
    EXPECT_FALSE(model.Regions()[0]->IsSelected());
    EXPECT_EQ(view.invalidated.size(), 2u);
    EXPECT_TRUE(view.renderPending);
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
    const QStringList names = CaptureAllRegions(model, false);
    ASSERT_EQ(names.size(), 20);
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
    EXPECT_TRUE(CaptureAllRegions(model, false).isEmpty());
    EXPECT_EQ(model.Regions().size(), 20u);
}

TEST(CaptureAllTest, SkipsCellsThatRegionsCoverAndMakesAreasOnRequest) {
    CDrawingModel model;
    model.SetMaskBitmap(GridMask(3, 1));
    model.ToggleRegionAt(12, 5);  // the middle cell
    const QStringList names = CaptureAllRegions(model, true);
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
    ASSERT_EQ(CaptureAllRegions(model, false).size(), 4u);
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
    EXPECT_TRUE(CaptureAllRegions(model, false).isEmpty());
}

TEST(CaptureAllTest, EachRegionIsWhatAClickInItsComponentCaptures) {
    std::mt19937 random(99);
    for (int round = 0; round < 150; ++round) {
        const MonoBitmap mask = RandomMask(random);
        CDrawingModel model;
        model.SetMaskBitmap(mask);
        CaptureAllRegions(model, false);

        // Enclosed components of two pixels or more, by breadth-first fill.
        std::vector<std::vector<QPoint>> components;
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
                if (!border && pixels.size() > 1) components.push_back(pixels);
            }
        }
        ASSERT_EQ(model.Regions().size(), components.size()) << "round " << round;
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
    EXPECT_TRUE(CaptureAllRegions(model, true).isEmpty());
    model.SetMaskBitmap(LightMask(10, 10));
    EXPECT_TRUE(CaptureAllRegions(model, true).isEmpty());
}

}  // namespace
}  // namespace velora
