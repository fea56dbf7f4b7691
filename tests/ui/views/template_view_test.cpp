// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/command_ids.h"
#include "ui/controls/notice_bar.h"
#include "ui/views/mosvel_template_view.h"
#include "view_test_document.h"

#include <QPushButton>
#include <QRubberBand>
#include <QTest>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::ViewTestDocument;

constexpr QSize kModel(60, 40);
constexpr QRect kSquare(10, 10, 21, 21);

class TemplateViewTest : public testing::Test {
protected:
    void SetUp() override { Show(kModel, {300, 200}); }

    void Show(QSize model, QSize client) {
        document.model.SetSize(model.width(), model.height());
        document.model.SetMaskBitmap(test::MaskWithSquare(model, kSquare));
        document.AddView(&view);
        view.resize(client);
        view.show();
        view.OnInitialUpdate();
    }

    // The window point over a model pixel.
    QPoint At(QPoint pixel) const {
        return QPoint(static_cast<int>(view.GetOffsetX()), static_cast<int>(view.GetOffsetY())) -
               view.ScrollPosition() + pixel * view.GetZoomX();
    }

    CommandUpdate Update(int id) {
        CommandUpdate update;
        update.Enable(view.HasCommandHandler(id));
        view.UpdateCommand(id, update);
        return update;
    }

    void EnterCorrectionMode() {
        view.RunCommand(cmd::kCorrectionMode);
        ASSERT_TRUE(document.model.GetCorrectionMode());
    }

    ViewTestDocument document;
    CMosvelTemplateView view;
};

TEST_F(TemplateViewTest, ClickInsideAnOutlineCapturesTheEnclosedRegionSelected) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({20, 20}));
    ASSERT_EQ(document.model.Regions().size(), 1u);
    const auto& region = *document.model.Regions().front();
    EXPECT_TRUE(region.IsSelected());
    // The enclosed 19 x 19 pixels and the outline around them.
    EXPECT_EQ(region.GetRegion().boundingRect(), kSquare);
    EXPECT_TRUE(document.modified);
    // The next paint shows the selected region in red, outside stays white.
    view.RenderStale();
    EXPECT_EQ(view.Image().pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(view.Image().pixel(45, 20), qRgb(255, 255, 255));
}

// Zoomed in or out, a click captures what lies under the pointer.
TEST_F(TemplateViewTest, AZoomedClickPicksThePixelUnderThePointer) {
    for (const double zoom : {3.0, 0.5}) {
        SCOPED_TRACE(zoom);
        view.resize(zoom < 1 ? kModel / 2 : QSize(300, 200));
        view.ZoomAbout(zoom, {});
        ASSERT_FLOAT_EQ(view.GetZoomX(), static_cast<float>(zoom));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({20, 20}));
        ASSERT_EQ(document.model.Regions().size(), 1u);
        EXPECT_EQ(document.model.Regions().front()->GetRegion().boundingRect(), kSquare);
        document.UndoStack().undo();
    }
}

TEST_F(TemplateViewTest, SecondClickTogglesTheRegionWithoutCapturingAgain) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({20, 20}));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({15, 25}));
    ASSERT_EQ(document.model.Regions().size(), 1u);
    EXPECT_FALSE(document.model.Regions().front()->IsSelected());
    view.RenderStale();
    EXPECT_EQ(view.Image().pixel(20, 20), qRgb(255, 255, 255));
}

TEST_F(TemplateViewTest, DoubleClickTogglesTwice) {
    // Through the window system, as real clicks arrive: a double click is a
    // press, a release, a double click and a release.
    const QPoint inside = view.viewport()->mapTo(&view, At({20, 20}));
    QTest::mouseClick(view.windowHandle(), Qt::LeftButton, {}, inside);
    ASSERT_EQ(document.model.Regions().size(), 1u);
    ASSERT_TRUE(document.model.Regions().front()->IsSelected());
    QTest::mouseDClick(view.windowHandle(), Qt::LeftButton, {}, inside);
    ASSERT_EQ(document.model.Regions().size(), 1u);
    EXPECT_TRUE(document.model.Regions().front()->IsSelected());
}

// Outside the square the click floods the drawing: a plain click (Shift)
// captures that space as it is, an ordinary one captures nothing and says
// why in the status bar.
TEST_F(TemplateViewTest, AFloodingClickCapturesOnlyWithShift) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({45, 20}));
    EXPECT_TRUE(document.model.Regions().empty());
    EXPECT_TRUE(document.status.contains("edge of the drawing")) << document.status.toStdString();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, At({45, 20}));
    EXPECT_EQ(document.model.Regions().size(), 1u);
}

// Beside the drawing there is nothing to capture, plainly or not: no region
// and no step to undo.
TEST_F(TemplateViewTest, AClickBesideTheDrawingChangesNothing) {
    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, At({70, 20}));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, At({-5, -5}));
    }
    EXPECT_TRUE(document.model.Regions().empty());
    EXPECT_EQ(document.history.Stack().count(), 0);
    EXPECT_FALSE(document.modified);
}

// A plain capture of a space open to the edge is said in the notice, which
// offers to undo that capture for as long as it is the newest step.
TEST_F(TemplateViewTest, ACaptureReachingTheEdgeOffersToTakeItBack) {
    const NoticeBar& notice = view.Notice();
    auto takeBack = [&notice] {
        for (QPushButton* button : notice.findChildren<QPushButton*>()) {
            if (button->text() == "Take back the click") return button;
        }
        return static_cast<QPushButton*>(nullptr);
    };
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({20, 20}));
    EXPECT_TRUE(notice.isHidden());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, At({45, 20}));
    ASSERT_TRUE(notice.isVisible());
    EXPECT_TRUE(notice.Text().contains("outline is open")) << notice.Text().toStdString();
    ASSERT_EQ(document.model.Regions().size(), 2u);
    EXPECT_TRUE(document.model.Regions().back()->IsSelected());
    ASSERT_NE(takeBack(), nullptr);
    QTest::mouseClick(takeBack(), Qt::LeftButton);
    EXPECT_EQ(document.model.Regions().size(), 1u);
    EXPECT_TRUE(notice.isHidden());
    EXPECT_TRUE(document.history.Stack().canRedo());
    // Once another change follows, the offer is gone and the capture stays.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, At({45, 20}));
    ASSERT_TRUE(notice.isVisible());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({20, 20}));
    EXPECT_TRUE(notice.isHidden());
    EXPECT_EQ(document.model.Regions().size(), 2u);
    document.history.Stack().undo();
    EXPECT_TRUE(notice.isHidden());
    EXPECT_EQ(document.model.Regions().size(), 2u);
}

// A gap of two pixels in the square's outline: the click closes it, captures
// the square alone, and the join is outline from then on.
TEST_F(TemplateViewTest, AClickInAGappedOutlineClosesTheGap) {
    MonoBitmap mask = test::MaskWithSquare(kModel, kSquare);
    mask.SetPixel(20, 10, true);
    mask.SetPixel(21, 10, true);
    document.model.SetMaskBitmap(mask);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({20, 20}));
    ASSERT_EQ(document.model.Regions().size(), 1u);
    EXPECT_EQ(document.model.Regions().front()->GetRegion().boundingRect(), kSquare);
    EXPECT_FALSE(document.model.GetMaskBitmap().Pixel(20, 10));
    EXPECT_EQ(document.history.Stack().count(), 1);
    document.history.Stack().undo();
    EXPECT_TRUE(document.model.Regions().empty());
    EXPECT_TRUE(document.model.GetMaskBitmap().Pixel(20, 10));
}

TEST_F(TemplateViewTest, DeselectAllAndDeleteFromCache) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({20, 20}));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, At({45, 20}));
    ASSERT_EQ(document.model.CountSelectedRegions(), 2);
    EXPECT_TRUE(Update(cmd::kDeleteFromCache).enabled);
    view.RunCommand(cmd::kDeselectAllRegions);
    EXPECT_EQ(document.model.CountSelectedRegions(), 0);
    EXPECT_FALSE(Update(cmd::kDeleteFromCache).enabled);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({20, 20}));
    view.RunCommand(cmd::kDeleteFromCache);
    EXPECT_EQ(document.model.Regions().size(), 1u);
}

TEST_F(TemplateViewTest, ToolCommandsNeedCorrectionMode) {
    for (int id : {cmd::kZoomIn, cmd::kZoomOut, cmd::kZoomOneToOne, cmd::kPen}) {
        EXPECT_FALSE(Update(id).enabled) << id;
    }
    EnterCorrectionMode();
    EXPECT_TRUE(Update(cmd::kZoomIn).enabled);
    EXPECT_TRUE(Update(cmd::kPen).enabled);
    // At zoom 1.0 there is nothing to zoom out of or to return from.
    EXPECT_FALSE(Update(cmd::kZoomOut).enabled);
    EXPECT_FALSE(Update(cmd::kZoomOneToOne).enabled);
    view.RunCommand(cmd::kPen);
    EXPECT_TRUE(Update(cmd::kPen).checked);
    EXPECT_FALSE(Update(cmd::kZoomIn).checked);
    view.RunCommand(cmd::kZoomIn);
    EXPECT_TRUE(Update(cmd::kZoomIn).checked);
    EXPECT_FALSE(Update(cmd::kPen).checked);
}

TEST_F(TemplateViewTest, CorrectionModeAndSmoothLinesExcludeEachOther) {
    ASSERT_TRUE(document.model.GetSmoothLines());
    view.RunCommand(cmd::kCorrectionMode);
    EXPECT_TRUE(document.model.GetCorrectionMode());
    EXPECT_FALSE(document.model.GetSmoothLines());
    EXPECT_TRUE(Update(cmd::kCorrectionMode).checked);
    view.RunCommand(cmd::kSmoothLines);
    EXPECT_TRUE(document.model.GetSmoothLines());
    EXPECT_FALSE(document.model.GetCorrectionMode());
    EXPECT_TRUE(Update(cmd::kSmoothLines).checked);
}

TEST_F(TemplateViewTest, LeavingCorrectionModeResetsTheZoom) {
    EnterCorrectionMode();
    view.SetZoom(3.0f, 3.0f);
    view.RunCommand(cmd::kCorrectionMode);
    EXPECT_EQ(view.GetZoomX(), 1.0f);
}

TEST_F(TemplateViewTest, ZoomOutStepsByFiveSixthsDownToTheFloor) {
    EnterCorrectionMode();
    view.SetZoom(2.0f, 2.0f);
    view.UpdateLayout();
    const float expected[] = {1.6666666f, 1.3888888f, 1.1574074f, 1.0f};
    for (float zoom : expected) {
        ASSERT_TRUE(Update(cmd::kZoomOut).enabled);
        view.RunCommand(cmd::kZoomOut);
        EXPECT_FLOAT_EQ(view.GetZoomX(), zoom);
        EXPECT_FLOAT_EQ(view.GetZoomY(), zoom);
    }
    EXPECT_FALSE(Update(cmd::kZoomOut).enabled);
    view.SetZoom(1.1f, 1.1f);
    view.RunCommand(cmd::kZoomOut);
    EXPECT_EQ(view.GetZoomX(), 1.0f);
}

TEST_F(TemplateViewTest, OneToOneReturnsToZoomOne) {
    EnterCorrectionMode();
    view.SetZoom(2.0f, 2.0f);
    EXPECT_TRUE(Update(cmd::kZoomOneToOne).enabled);
    view.RunCommand(cmd::kZoomOneToOne);
    EXPECT_EQ(view.GetZoomX(), 1.0f);
    EXPECT_FALSE(Update(cmd::kZoomOneToOne).enabled);
}

TEST_F(TemplateViewTest, PenDrawsWithTheLeftButtonAndErasesWithTheRight) {
    EnterCorrectionMode();
    view.RunCommand(cmd::kPen);
    const MonoBitmap& mask = document.model.GetMaskBitmap();
    ASSERT_TRUE(mask.Pixel(40, 5));
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, At({40, 5}));
    QTest::mouseMove(view.viewport(), At({42, 5}));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, At({42, 5}));
    EXPECT_FALSE(mask.Pixel(40, 5));
    EXPECT_FALSE(mask.Pixel(42, 5));
    // The line between the two as well.
    EXPECT_FALSE(mask.Pixel(41, 5));
    EXPECT_TRUE(document.modified);

    ASSERT_FALSE(mask.Pixel(10, 15));
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, At({10, 15}));
    QTest::mouseMove(view.viewport(), At({10, 16}));
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, At({10, 16}));
    EXPECT_TRUE(mask.Pixel(10, 15));
    EXPECT_TRUE(mask.Pixel(10, 16));
    // A move with no button held paints nothing.
    QTest::mouseMove(view.viewport(), At({10, 18}));
    EXPECT_FALSE(mask.Pixel(10, 18));
    // The picture follows the mask.
    view.RenderStale();
    EXPECT_EQ(view.Image().pixel(40, 5), qRgb(0, 0, 0));
}

// Fast moves a long way apart, across the captured square: the stroke is
// unbroken, and the region it cuts keeps its name with the larger part, the
// rest said.
TEST_F(TemplateViewTest, AFastPenStrokeIsUnbrokenAndTheRegionFollows) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, At({20, 20}));
    const QString name = document.model.Regions().front()->GetName();
    EnterCorrectionMode();
    view.RunCommand(cmd::kPen);
    const QPoint stroke[] = {{5, 14}, {33, 17}, {50, 35}};
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, At(stroke[0]));
    for (const QPoint& pixel : stroke) QTest::mouseMove(view.viewport(), At(pixel));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, At(stroke[2]));
    // Had the stroke a hole, the square's two parts would still be one.
    const CRegionItem& region = *document.model.Regions().front();
    EXPECT_EQ(region.GetName(), name);
    EXPECT_TRUE(region.GetRegion().contains(QPoint(20, 25)));
    EXPECT_FALSE(region.GetRegion().contains(QPoint(20, 12)));
    EXPECT_TRUE(document.status.contains(name)) << document.status.toStdString();
}

TEST_F(TemplateViewTest, ToolsGetNoMouseOutsideCorrectionMode) {
    EnterCorrectionMode();
    view.RunCommand(cmd::kPen);
    view.RunCommand(cmd::kCorrectionMode);
    ASSERT_FALSE(document.model.GetCorrectionMode());
    EXPECT_EQ(view.ActiveTool(), nullptr);
    const MonoBitmap& mask = document.model.GetMaskBitmap();
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, At({10, 15}));
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, At({10, 15}));
    EXPECT_FALSE(mask.Pixel(10, 15));
}

class ZoomToolTest : public TemplateViewTest {
protected:
    void SetUp() override { Show({1000, 1000}, {400, 400}); }
};

TEST_F(ZoomToolTest, DraggedRectangleFillsTheWindowCentred) {
    EnterCorrectionMode();
    view.RunCommand(cmd::kZoomIn);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, {100, 100});
    QTest::mouseMove(view.viewport(), {200, 150});
    auto* band = view.viewport()->findChild<QRubberBand*>();
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(band->isVisible());
    QTest::mouseMove(view.viewport(), {300, 200});
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, {300, 200});
    EXPECT_FALSE(band->isVisible());
    // 200 x 100 window pixels in a 400 x 400 window: zoom 2, and the
    // rectangle's centre (200, 150) comes to the window's centre.
    EXPECT_FLOAT_EQ(view.GetZoomX(), 2.0f);
    EXPECT_EQ(view.ScrollPosition(), QPoint(200, 100));
    EXPECT_EQ(view.WindowToModel({200, 200}), QPoint(200, 150));
}

TEST_F(ZoomToolTest, ClickWithoutDragKeepsTheZoom) {
    EnterCorrectionMode();
    view.RunCommand(cmd::kZoomIn);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, {100, 100});
    EXPECT_EQ(view.GetZoomX(), 1.0f);
}

}  // namespace
}  // namespace velora
