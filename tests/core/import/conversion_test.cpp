// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/conversion.h"

#include "core/model/drawing_model.h"
#include "support/scripted_user.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

CDrawingObject RectangleObject(int x, int y, int width, int height) {
    CDrawingObject object;
    object.GetPath().AddRectangleI(x, y, width, height);
    return object;
}

// Curve sizes as left, top, width, height of the path without a pen.
std::vector<Rect> CurveBoxes(const CDrawingModel& model) {
    std::vector<Rect> boxes;
    for (const auto& curve : model.Curves()) boxes.push_back(curve->GetPath().WorldBoundsI());
    return boxes;
}

int CurveNumber(const CCurve& curve) { return curve.GetName().mid(6).toInt(); }

class ConversionTest : public ::testing::Test {
protected:
    ConversionTest() { model.SetUserInterface(&user); }
    test::ScriptedUser user;
    CDrawingModel model;
};

TEST_F(ConversionTest, LargestBoxesComeFirst) {
    model.AddObject(RectangleObject(10, 10, 60, 40));
    model.AddObject(RectangleObject(20, 20, 50, 50));
    model.AddObject(RectangleObject(0, 0, 100, 100));
    ConvertObjectsToCurves(model);
    // With the pen the boxes are 101 x 101, 51 x 51 (2601) and 61 x 41 (2501).
    EXPECT_EQ(CurveBoxes(model),
              (std::vector<Rect>{{0, 0, 100, 100}, {20, 20, 50, 50}, {10, 10, 60, 40}}));
}

TEST_F(ConversionTest, EqualAreasKeepTheOrderOfTheirObjects) {
    // Equal boxes and boxes of equal area in several places: a valid order
    // keeps them as they came instead of depending on the sort's whims.
    const std::vector<Rect> input{{0, 0, 10, 10},  {5, 5, 20, 20}, {50, 0, 10, 10},
                                  {0, 50, 20, 20}, {0, 0, 10, 10}, {9, 9, 20, 20}};
    for (int copy = 0; copy < 30; ++copy) {
        for (const Rect& r : input) model.AddObject(RectangleObject(r.x, r.y, r.width, r.height));
    }
    ConvertObjectsToCurves(model);
    std::vector<Rect> expected;
    for (const int side : {20, 10}) {
        for (int copy = 0; copy < 30; ++copy) {
            for (const Rect& r : input) {
                if (r.width == side) expected.push_back(r);
            }
        }
    }
    EXPECT_EQ(CurveBoxes(model), expected);
}

TEST_F(ConversionTest, CurvesTakeTheirObjectsOutlinesAndAreNamedInTheirNewOrder) {
    model.AddObject(RectangleObject(0, 0, 5, 5));
    model.AddObject(RectangleObject(0, 0, 50, 50));
    const Path large = model.Objects()[1].GetPath();
    const QString largeName = model.Objects()[1].GetName();
    model.AddCurve(std::make_unique<CCurve>());
    ConvertObjectsToCurves(model);

    ASSERT_EQ(model.Curves().size(), 2u);
    EXPECT_EQ(model.Curves()[0]->GetPath().Points(), large.Points());
    EXPECT_EQ(model.Curves()[0]->GetPath().Types(), large.Types());
    EXPECT_EQ(CurveNumber(*model.Curves()[1]), CurveNumber(*model.Curves()[0]) + 1);
    EXPECT_TRUE(model.Curves()[0]->GetName().startsWith("Object"));
    // The outline is held once, by the curve; the object keeps its place.
    ASSERT_EQ(model.Objects().size(), 2u);
    EXPECT_TRUE(model.Objects()[1].GetPath().IsEmpty());
    EXPECT_EQ(model.Objects()[1].GetName(), largeName);
}

TEST_F(ConversionTest, ShowsItsThreeStepsWithOneStepPerItem) {
    for (int i = 0; i < 4; ++i) model.AddObject(RectangleObject(i, i, 10 + i, 10));
    ConvertObjectsToCurves(model);
    EXPECT_EQ(user.progressTexts,
              (QStringList{"Converting to areas...", "Sorting...", "Renaming..."}));
    EXPECT_EQ(user.progressSteps, 8);
}

TEST_F(ConversionTest, NoObjectsLeaveNoCurves) {
    model.AddCurve(std::make_unique<CCurve>());
    ConvertObjectsToCurves(model);
    EXPECT_TRUE(model.Curves().empty());
    EXPECT_EQ(user.progressTexts.size(), 3);
}

}  // namespace
}  // namespace velora
