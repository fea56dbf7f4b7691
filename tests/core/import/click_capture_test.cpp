// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/click_capture.h"
#include "core/model/drawing_model.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

// A template without curves: two squares in one-pixel outlines, the left
// one closed and captured, the right one with a gap of three pixels in its
// top side, and a third whose side is open eight pixels wide.
CDrawingModel& Template() {
    static CDrawingModel model;
    if (!model.GetMaskBitmap().IsNull()) return model;
    MonoBitmap mask(120, 40);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const int inSquare = x % 40;
            const bool outline = y >= 5 && y <= 35 && inSquare >= 5 && inSquare <= 35 &&
                                 (inSquare == 5 || inSquare == 35 || y == 5 || y == 35);
            mask.SetPixel(x, y, !outline);
        }
    }
    for (int x = 60; x < 63; ++x) mask.SetPixel(x, 5, true);
    for (int x = 96; x < 104; ++x) mask.SetPixel(x, 5, true);
    model.SetSize(120, 40);
    model.SetMaskBitmap(mask);
    model.ToggleRegionAt(QPoint(20, 20));
    return model;
}

TEST(ClickCapture, EachClickIsPlannedForItsSpace) {
    using A = ClickPlan::Action;
    struct Case {
        QPoint pixel;
        int distance;
        A action;
        bool needsOutline;
    };
    const Case cases[] = {
        {{20, 20}, 5, A::Toggle, false},    // the captured square
        {{60, 20}, 5, A::Capture, true},    // its gap of 3 closes
        {{60, 20}, 2, A::Flooded, false},   // but not at 2
        {{60, 20}, 0, A::Capture, false},   // plain: floods as it is
        {{100, 20}, 5, A::Flooded, false},  // open wider than 5
        {{2, 2}, 5, A::Flooded, false},     // around the drawing
        {{200, 2}, 5, A::Nothing, false},   // off the mask
        {{-1, 20}, 0, A::Nothing, false},   // beside it, also plain
    };
    for (const Case& c : cases) {
        const ClickPlan plan = PlanClick(Template(), c.pixel, c.distance);
        EXPECT_EQ(plan.action, c.action) << c.pixel.x() << "," << c.distance;
        EXPECT_EQ(!plan.outline.empty(), c.needsOutline) << c.pixel.x() << "," << c.distance;
        for (const QPoint& p : plan.outline) {
            EXPECT_TRUE(p.y() == 5 && p.x() >= 59 && p.x() <= 63) << p.x() << "," << p.y();
        }
    }
}

}  // namespace
}  // namespace velora
