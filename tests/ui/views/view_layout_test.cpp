// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/mosvel_view.h"
#include "view_test_document.h"

#include <QPainter>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velora {
namespace {

using test::ViewTestDocument;

class ViewLayoutTest : public testing::Test {
protected:
    void Show(QSize model, QSize client) {
        document.model.SetSize(model.width(), model.height());
        document.AddView(&view);
        view.resize(client);
        view.show();
        view.OnInitialUpdate();
    }

    ViewTestDocument document{kDesignDocument};
    CMosvelView view;
};

TEST_F(ViewLayoutTest, ZoomBelowOneOrNotANumberFallsToOneOnBothAxes) {
    view.SetZoom(0.5f, 2.0f);
    EXPECT_EQ(view.GetZoomX(), 1.0f);
    EXPECT_EQ(view.GetZoomY(), 1.0f);
    view.SetZoom(2.0f, 2.0f);
    EXPECT_EQ(view.GetZoomX(), 2.0f);
    EXPECT_EQ(view.GetZoomY(), 2.0f);
    view.SetZoom(std::numeric_limits<float>::quiet_NaN(), 3.0f);
    EXPECT_EQ(view.GetZoomX(), 1.0f);
    EXPECT_EQ(view.GetZoomY(), 1.0f);
}

// A new design opened empty shows the template it takes whole, and keeps
// the zoom the user chooses after that.
TEST_F(ViewLayoutTest, ADrawingShownWholeStaysWholeAsItTakesItsSize) {
    Show({0, 0}, {600, 500});
    view.ShowWholeOnOpen();
    EXPECT_EQ(view.GetZoomX(), 1.0f);
    const auto resize = [&](int width, int height) {
        document.model.SetSize(width, height);
        view.ShowModelChange(ModelChange::WholePicture());
    };
    resize(1200, 1000);
    EXPECT_FLOAT_EQ(view.GetZoomX(), 0.5f);
    view.ZoomAbout(0.75, {});
    resize(2400, 2000);
    EXPECT_FLOAT_EQ(view.GetZoomX(), 0.75f);
}

TEST_F(ViewLayoutTest, SmallDrawingIsCentredWithoutPageOrLineSteps) {
    Show({200, 100}, {600, 500});
    EXPECT_FLOAT_EQ(view.GetOffsetX(), 200.0f);
    EXPECT_FLOAT_EQ(view.GetOffsetY(), 200.0f);
    EXPECT_EQ(view.ScrollTotal(), QSize(200, 100));
    EXPECT_EQ(view.ScrollPage(), QSize(0, 0));
    EXPECT_EQ(view.ScrollLine(), QSize(0, 0));
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ViewLayoutTest, LargeDrawingScrollsWithLinesOfTenTimesTheZoom) {
    Show({2000, 1500}, {600, 500});
    EXPECT_EQ(view.GetOffsetX(), 0.0f);
    EXPECT_EQ(view.GetOffsetY(), 0.0f);
    EXPECT_EQ(view.ScrollLine(), QSize(10, 10));
    EXPECT_EQ(view.ScrollPage(), view.ClientSize());
    view.SetZoom(2.5f, 2.5f);
    view.UpdateLayout();
    EXPECT_EQ(view.ScrollLine(), QSize(25, 25));
    EXPECT_EQ(view.ScrollTotal(), QSize(5000, 3750));
}

TEST_F(ViewLayoutTest, OneAxisLargerScrollsOnlyThatAxis) {
    Show({1000, 100}, {600, 500});
    EXPECT_EQ(view.GetOffsetX(), 0.0f);
    EXPECT_GT(view.GetOffsetY(), 0.0f);
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
}

TEST_F(ViewLayoutTest, WithoutDocumentScrollSizesAreOne) {
    view.resize(300, 300);
    view.UpdateLayout();
    EXPECT_EQ(view.ScrollTotal(), QSize(1, 1));
    EXPECT_EQ(view.ScrollPage(), QSize(1, 1));
}

TEST_F(ViewLayoutTest, WindowPointsMapToModelPixelsThroughScrollOffsetAndZoom) {
    Show({2000, 1500}, {600, 500});
    view.SetZoom(2.0f, 2.0f);
    view.UpdateLayout();
    view.SetScrollPosition({100, 40});
    // (x + scroll - offset) / zoom, truncated toward zero.
    EXPECT_EQ(view.WindowToModel({10, 20}), QPoint(55, 30));
    EXPECT_EQ(view.WindowToModel({11.9, 21.9}), QPoint(55, 30));
}

// The margin around a centred drawing is white and the drawing is the
// model's own picture: a filled region shows where it belongs.
TEST_F(ViewLayoutTest, PaintsMarginWhiteAndThePictureAtItsOffset) {
    Show({40, 20}, {100, 60});
    document.model.SetMaskBitmap(test::MaskWithSquare({40, 20}, {5, 5, 10, 10}));
    view.SetRenderPending(true);
    view.InvalidateAll(true);
    QImage window(view.viewport()->size(), QImage::Format_RGB32);
    window.fill(Qt::blue);
    QPainter painter(&window);
    view.PaintWindow(painter, window.rect());
    painter.end();
    EXPECT_EQ(window.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(window.pixel(99, 59), qRgb(255, 255, 255));
    // The outline's corner pixel (5, 5) sits at offset (30, 20).
    EXPECT_EQ(window.pixel(35, 25), qRgb(0, 0, 0));
    EXPECT_EQ(window.pixel(36, 26), qRgb(255, 255, 255));
    EXPECT_FALSE(view.IsRenderPending());
}

TEST_F(ViewLayoutTest, TheViewFollowsANewModelSizeByItself) {
    Show({40, 20}, {300, 300});
    view.RenderStale();
    document.model.SetSize(120, 80);
    EXPECT_EQ(view.Image().size(), QSize(120, 80));
    EXPECT_FLOAT_EQ(view.GetOffsetX(), 90.0f);
    EXPECT_TRUE(view.IsRenderPending());
}

// A click picks the drawing pixel with the click and the scroll less the
// offset truncated apart; the pen's mapping truncates once.
TEST_F(ViewLayoutTest, ClicksAndThePenMapWindowPointsToDrawingPixels) {
    struct Case {
        QSize model, client;
        QPoint scroll;
        QPointF point;
        QPoint click, pen;
    };
    const Case cases[] = {
        {{40, 20}, {101, 61}, {}, {40.9, 30.2}, {10, 10}, {10, 9}},
        {{2000, 1500}, {600, 500}, {100, 40}, {10.5, 5.9}, {110, 45}, {110, 45}},
        {{40, 20}, {101, 61}, {}, {2.0, 3.0}, {-28, -17}, {-28, -17}},
    };
    for (const Case& c : cases) {
        Show(c.model, c.client);
        view.SetScrollPosition(c.scroll);
        EXPECT_EQ(view.ClickPixel(c.point), c.click) << c.point.x();
        EXPECT_EQ(view.WindowToModel(c.point), c.pen) << c.point.x();
    }
}

}  // namespace
}  // namespace velora
