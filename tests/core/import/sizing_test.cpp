// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/sizing.h"

#include "core/model/drawing_model.h"
#include "support/recording_observer.h"
#include "support/scripted_user.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

std::unique_ptr<CCurve> RectangleCurve(int x, int y, int width, int height) {
    auto curve = std::make_unique<CCurve>();
    curve->GetPath().AddRectangleI(x, y, width, height);
    return curve;
}

std::unique_ptr<CCurve> EllipseCurve(float x, float y, float width, float height) {
    auto curve = std::make_unique<CCurve>();
    curve->GetPath().AddEllipse(x, y, width, height);
    return curve;
}

class SizingTest : public ::testing::Test {
protected:
    SizingTest() { model.SetUserInterface(&user); }
    test::ScriptedUser user;
    CDrawingModel model;
};

TEST_F(SizingTest, AddsTheMarginsAndCentresTheCurves) {
    model.AddCurve(RectangleCurve(0, 0, 200, 100));
    user.drawingSizes = {QSize(400, 300)};
    ASSERT_TRUE(SizeDrawing(model));

    EXPECT_EQ(model.GetWidth(), 420);
    EXPECT_EQ(model.GetHeight(), 320);
    // Scaled by 2 to fill the width, then centred in (10, 10, 400, 300).
    EXPECT_EQ(model.Curves()[0]->GetPath().WorldBoundsI(), (Rect{10, 60, 400, 200}));
    EXPECT_EQ(user.progressTexts, (QStringList{"Resizing...", "Creating bitmap..."}));
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST_F(SizingTest, MaskIsDarkOnTheOutlinesOnly) {
    model.AddCurve(RectangleCurve(0, 0, 100, 50));
    user.drawingSizes = {QSize(100, 50)};
    ASSERT_TRUE(SizeDrawing(model));

    const MonoBitmap& mask = model.GetMaskBitmap();
    ASSERT_EQ(mask.Width(), 120);
    ASSERT_EQ(mask.Height(), 70);
    EXPECT_EQ(mask.Stride(), 16);
    // The outline runs along (10, 10) to (110, 60).
    EXPECT_FALSE(mask.Pixel(10, 30));
    EXPECT_FALSE(mask.Pixel(110, 30));
    EXPECT_FALSE(mask.Pixel(60, 10));
    EXPECT_FALSE(mask.Pixel(60, 60));
    EXPECT_TRUE(mask.Pixel(60, 30));
    EXPECT_TRUE(mask.Pixel(12, 12));
    EXPECT_TRUE(mask.Pixel(5, 5));
    EXPECT_TRUE(mask.Pixel(119, 69));
    // Padding bits past the last pixel stay 0 (pixel 119 is bit 0x01 of byte 14).
    EXPECT_EQ(mask.Row(30)[15], 0);
    EXPECT_EQ(mask.Row(30)[14] & 0x01, 0x01);
}

TEST_F(SizingTest, ThresholdKeepsPixelsAveragingFortyPercent) {
    EXPECT_TRUE(IsLightPixel(qRgb(110, 110, 110)));   // (42 + 42 + 42) / 3 = 42
    EXPECT_FALSE(IsLightPixel(qRgb(100, 100, 100)));  // 39
    EXPECT_TRUE(IsLightPixel(qRgb(103, 103, 103)));   // exactly 40
    EXPECT_FALSE(IsLightPixel(qRgb(102, 102, 102)));
    EXPECT_FALSE(IsLightPixel(qRgb(255, 0, 0)));  // 99 / 3 = 33
    EXPECT_TRUE(IsLightPixel(qRgb(255, 255, 0)));
    EXPECT_TRUE(IsLightPixel(qRgb(0, 255, 110)));  // (0 + 99 + 42) / 3 = 47
    EXPECT_TRUE(IsLightPixel(0xFFFFFFFF));
    EXPECT_FALSE(IsLightPixel(0xFF000000));
}

TEST_F(SizingTest, RefusesUnusableSizesAndAsksAgain) {
    user.drawingSizes = {QSize(0, 0),      QSize(-5, 10),    QSize(10, 0),
                         QSize(30001, 10), QSize(10, 30001), QSize(30000, 1)};
    ASSERT_TRUE(SizeDrawing(model));
    EXPECT_EQ(user.messages.size(), 5);
    EXPECT_TRUE(user.messages[0].contains("0 x 0")) << user.messages[0].toStdString();
    EXPECT_TRUE(user.messages[3].contains("30000"));
    EXPECT_EQ(model.GetWidth(), 30020);
    EXPECT_EQ(model.GetHeight(), 21);
    EXPECT_EQ(model.GetMaskBitmap().Width(), 30020);
}

TEST_F(SizingTest, CancelClearsTheModelAndKeepsItsSize) {
    model.SetSize(50, 40);
    model.AddCurve(RectangleCurve(0, 0, 10, 10));
    model.AddRegion(std::make_unique<CRegionItem>());
    model.SetTemplateName("kept?");
    user.drawingSizes = {QSize(0, 5)};  // refused, then nothing more: cancelled

    EXPECT_FALSE(SizeDrawing(model));
    EXPECT_EQ(user.messages.size(), 1);
    EXPECT_TRUE(model.Curves().empty());
    EXPECT_TRUE(model.Regions().empty());
    EXPECT_TRUE(model.GetTemplateName().isEmpty());
    EXPECT_EQ(model.GetWidth(), 50);
    EXPECT_TRUE(model.GetMaskBitmap().IsNull());
}

TEST_F(SizingTest, NoCurvesGiveABlankMask) {
    user.drawingSizes = {QSize(30, 20)};
    ASSERT_TRUE(SizeDrawing(model));
    EXPECT_EQ(model.GetMaskBitmap().CountLight(), 50 * 40);
}

TEST_F(SizingTest, TheNewSizeIsReportedAsAChangeOfEverything) {
    test::RecordingObserver observer;
    model.SetObserver(&observer);
    user.drawingSizes = {QSize(400, 300)};
    ASSERT_TRUE(SizeDrawing(model));
    EXPECT_TRUE(observer.TakeAll().whole);
}

// The masks of one picture and of bands of 7 rows, with the number of pixels
// where they differ.
int64_t BandedDifference(const CDrawingModel& model, QSize size, MonoBitmap* whole) {
    test::ScriptedUser user;
    auto one = OutlineMaskCanvas::Allocate(size);
    auto banded = OutlineMaskCanvas::Allocate(size, size.width() * 7);
    if (!one || !banded) return -1;
    *whole = std::move(*one).Draw(model, user);
    const MonoBitmap bands = std::move(*banded).Draw(model, user);
    EXPECT_EQ(user.progressSteps, 2 * size.height());
    int64_t differences = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            differences += whole->Pixel(x, y) != bands.Pixel(x, y);
    }
    return differences;
}

TEST(OutlineMaskCanvasTest, BandsDrawUprightOutlinesAsOnePicture) {
    CDrawingModel model;
    model.AddCurve(RectangleCurve(20, 15, 90, 140));
    model.AddCurve(RectangleCurve(3, 3, 200, 190));
    MonoBitmap whole;
    EXPECT_EQ(BandedDifference(model, QSize(241, 203), &whole), 0);
    EXPECT_FALSE(whole.Pixel(20, 50));
    EXPECT_FALSE(whole.Pixel(60, 193));
}

TEST(OutlineMaskCanvasTest, BandsDrawSlantedOutlinesAlmostAsOnePicture) {
    CDrawingModel model;
    model.AddCurve(EllipseCurve(3.3f, 4.7f, 180.5f, 120.25f));
    auto diagonal = std::make_unique<CCurve>();
    diagonal->GetPath().AddLine({0.5f, 199.5f}, {240.2f, 1.1f});
    model.AddCurve(std::move(diagonal));
    MonoBitmap whole;
    const int64_t differences = BandedDifference(model, QSize(241, 203), &whole);
    const int64_t dark = int64_t{241} * 203 - whole.CountLight();
    EXPECT_GT(dark, 500);
    EXPECT_LE(differences * 50, dark);
}

TEST(OutlineMaskCanvasTest, EmptySizeHasNoCanvas) {
    EXPECT_FALSE(OutlineMaskCanvas::Allocate(QSize(0, 10)));
    EXPECT_FALSE(OutlineMaskCanvas::Allocate(QSize(10, -1)));
}

}  // namespace
}  // namespace velora
