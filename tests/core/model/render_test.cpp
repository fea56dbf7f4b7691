// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/curve_layer.h"
#include "core/model/drawing_model.h"
#include "model_test_support.h"

#include <QPainter>

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::AddArea;
using test::AddRegion;

constexpr QRgb kWhite = 0xFFFFFFFF;

QImage RenderInto(CDrawingModel& model, bool exportMode,
                  QImage::Format format = QImage::Format_RGB888) {
    QImage image(model.GetWidth(), model.GetHeight(), format);
    image.fill(Qt::green);
    QPainter painter(&image);
    model.Render(painter, exportMode);
    return image.convertToFormat(QImage::Format_RGB32);
}

// A 10 x 10 texture whose every pixel differs from its neighbours.
QImage Gradient() {
    QImage image(10, 10, QImage::Format_RGB32);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) image.setPixel(x, y, qRgb(x * 20, y * 20, 100));
    }
    return image;
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.SetSize(100, 80);
        model.SetSmoothLines(false);
    }
    CDrawingModel model;
};

TEST_F(RenderTest, SelectedRegionWithoutImageIsRedOnScreenOnly) {
    AddRegion(model, QRegion(10, 10, 5, 5), true);
    EXPECT_EQ(RenderInto(model, false).pixel(12, 12), qRgb(255, 0, 0));
    EXPECT_EQ(RenderInto(model, false, QImage::Format_RGB16).pixel(12, 12), qRgb(255, 0, 0));
    EXPECT_EQ(RenderInto(model, true).pixel(12, 12), kWhite);
    model.SetCorrectionMode(true);
    EXPECT_EQ(RenderInto(model, false).pixel(12, 12), kWhite);
}

TEST_F(RenderTest, TextureTilesFromTheTopLeftOfTheRegionsBox) {
    AddRegion(model, QRegion(25, 40, 35, 30), false, "R");
    AddArea(model, "A", {"R"});
    model.SetAreaImage(0, Gradient());
    const QImage out = RenderInto(model, true);
    // Textures are painted with the 16-bit precision of views and exports.
    const QImage texture =
        Gradient().convertToFormat(QImage::Format_RGB16).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(out.pixel(25, 40), texture.pixel(0, 0));
    EXPECT_EQ(out.pixel(35, 40), texture.pixel(0, 0));
    EXPECT_EQ(out.pixel(26, 41), texture.pixel(1, 1));
    EXPECT_EQ(out.pixel(59, 69), texture.pixel(4, 9));
    EXPECT_EQ(out.pixel(24, 40), kWhite);
    EXPECT_EQ(out.pixel(60, 40), kWhite);
}

// The tile covers only the part of the box inside the drawing, and tiles it
// as the whole box would: a region of 60000 x 60000 pixels around a small
// drawing costs a tile of the drawing's size, not gigabytes.
TEST_F(RenderTest, TileOfARegionReachingOutsideIsClippedToTheDrawing) {
    model.SetSize(24, 12);
    const CRegionItem& region = AddRegion(model, QRegion(-7, -4, 60000, 60000), false, "R");
    AddArea(model, "A", {"R"});
    model.SetAreaImage(0, Gradient());
    const QImage out = RenderInto(model, true, QImage::Format_RGB16);
    EXPECT_EQ(region.GetCacheBitmap().size(), QSize(24, 12));
    const QImage texture =
        Gradient().convertToFormat(QImage::Format_RGB16).convertToFormat(QImage::Format_RGB32);
    for (const QPoint at : {QPoint(0, 0), QPoint(2, 5), QPoint(3, 6), QPoint(23, 11)}) {
        EXPECT_EQ(out.pixel(at), texture.pixel((at.x() + 7) % 10, (at.y() + 4) % 10))
            << at.x() << "," << at.y();
    }
}

TEST_F(RenderTest, RegionEntirelyOutsideTheDrawingTakesNoTile) {
    const CRegionItem& region = AddRegion(model, QRegion(500, 0, 40000, 40000), false, "R");
    AddArea(model, "A", {"R"});
    model.SetAreaImage(0, Gradient());
    const QImage out = RenderInto(model, true);
    EXPECT_TRUE(region.GetCacheBitmap().isNull());
    EXPECT_EQ(out.pixel(99, 79), kWhite);
}

TEST_F(RenderTest, TextureFollowsTheRegionShapeNotItsBox) {
    const QRegion ell = QRegion(0, 0, 20, 5) + QRegion(0, 5, 5, 15);
    AddRegion(model, ell, false, "L");
    AddArea(model, "A", {"L"});
    model.SetAreaImage(0, test::SolidImage(4, 4, 0xFF0000FF));
    const QImage out = RenderInto(model, true);
    EXPECT_EQ(out.pixel(2, 18), qRgb(0, 0, 255));
    EXPECT_EQ(out.pixel(18, 2), qRgb(0, 0, 255));
    EXPECT_EQ(out.pixel(18, 18), kWhite);
}

TEST_F(RenderTest, SecondRenderReusesTheCacheUntilTheImageChanges) {
    const CRegionItem& region = AddRegion(model, QRegion(0, 0, 30, 30), false, "R");
    AddArea(model, "A", {"R"});
    model.SetAreaImage(0, Gradient());
    RenderInto(model, false);
    EXPECT_FALSE(model.Areas()[0].IsChanged());
    const qint64 firstCache = region.GetCacheBitmap().cacheKey();
    RenderInto(model, false);
    EXPECT_EQ(region.GetCacheBitmap().cacheKey(), firstCache);
    model.SetAreaImage(0, test::SolidImage(2, 2, 0xFF00FF00));
    const QImage out = RenderInto(model, false);
    EXPECT_NE(region.GetCacheBitmap().cacheKey(), firstCache);
    EXPECT_EQ(out.pixel(5, 5), qRgb(0, 255, 0));
}

TEST_F(RenderTest, RegionJoiningAnUnchangedAreaShowsNothingUntilTheImageIsSetAgain) {
    AddRegion(model, QRegion(0, 0, 10, 10), false, "R0");
    AddArea(model, "A", {"R0"});
    model.SetAreaImage(0, test::SolidImage(2, 2, 0xFF00FF00));
    RenderInto(model, false);
    AddRegion(model, QRegion(50, 50, 10, 10), false, "R1");
    model.SetAreaNames(0, {"R0", "R1"});
    EXPECT_EQ(RenderInto(model, false).pixel(55, 55), kWhite);
    model.SetAreaImage(0, test::SolidImage(2, 2, 0xFF0000FF));
    EXPECT_EQ(RenderInto(model, false).pixel(55, 55), qRgb(0, 0, 255));
}

TEST_F(RenderTest, MaskIsDrawnOnScreenButNotInExport) {
    MonoBitmap mask(100, 80);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) mask.SetPixel(x, y, x != 40);
    }
    model.SetMaskBitmap(mask);
    const QImage screen = RenderInto(model, false, QImage::Format_RGB16);
    EXPECT_EQ(screen.pixel(40, 3), qRgb(0, 0, 0));
    EXPECT_EQ(screen.pixel(41, 3), kWhite);
    EXPECT_EQ(RenderInto(model, true).pixel(40, 3), kWhite);
}

TEST_F(RenderTest, RegionsOutsideTheImageAreClipped) {
    AddRegion(model, QRegion(-5, -5, 200, 200), true);
    const QImage out = RenderInto(model, false, QImage::Format_RGB16);
    EXPECT_EQ(out.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(out.pixel(99, 79), qRgb(255, 0, 0));
}

// The direct pixel path and the painter path must give the same picture.
TEST_F(RenderTest, DirectWritesMatchPainting) {
    MonoBitmap mask(100, 80);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) mask.SetPixel(x, y, (x * 7 + y * 3) % 11 != 0);
    }
    model.SetMaskBitmap(mask);
    AddRegion(model, QRegion(3, 4, 50, 30) + QRegion(20, 34, 9, 40), false, "R0");
    AddRegion(model, QRegion(60, 10, 30, 30), true);
    AddArea(model, "A", {"R0"});
    model.SetAreaImage(0, Gradient());

    for (QImage::Format format : {QImage::Format_RGB16, QImage::Format_RGB888, QImage::Format_RGB32,
                                  QImage::Format_ARGB32_Premultiplied}) {
        model.SetAreaImage(0, Gradient());
        const QImage direct = RenderInto(model, false, format);

        model.SetAreaImage(0, Gradient());
        QImage painted(model.GetWidth(), model.GetHeight(), format);
        {
            QPainter painter(&painted);
            painter.setClipRect(painted.rect());  // a clip forces the painter path
            model.Render(painter, false);
        }
        EXPECT_EQ(direct, painted.convertToFormat(QImage::Format_RGB32)) << format;
    }
}

// Marked regions of every start and width on rows of every alignment: the
// 16-bit fill writes several pixels at once and must stop exactly at the
// region's edges.
TEST(SpanFillTest, MarkedRegionsCoverExactlyTheirPixels) {
    CDrawingModel model;
    model.SetSize(37, 30);  // 76 bytes a row: rows start at every 4-byte step
    model.SetSmoothLines(false);
    for (int x = 0; x < 6; ++x) AddRegion(model, QRegion(x, x * 5, 1 + x * 5, 3), true);
    AddRegion(model, QRegion(3, 27, 34, 3), true);
    const QImage direct = RenderInto(model, false, QImage::Format_RGB16);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 37; ++x) {
            bool marked = false;
            for (const auto& region : model.Regions())
                marked |= region->GetRegion().contains({x, y});
            ASSERT_EQ(direct.pixel(x, y), marked ? qRgb(255, 0, 0) : kWhite) << x << "," << y;
        }
    }
}

TEST_F(RenderTest, ChangedFlagsAreCleared) {
    AddArea(model, "A", {});
    AddArea(model, "B", {});
    RenderInto(model, true);
    EXPECT_FALSE(model.Areas()[0].IsChanged());
    EXPECT_FALSE(model.Areas()[1].IsChanged());
}

}  // namespace
}  // namespace velora

namespace velora {
namespace {

std::unique_ptr<CCurve> RectangleCurve(float x, float y, float w, float h) {
    auto curve = std::make_unique<CCurve>();
    curve->GetPath().AddPolygon(
        std::vector<PointF>{{x, y}, {x + w, y + 0.3f}, {x + w, y + h}, {x, y + h}});
    return curve;
}

int MaxChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return worst;
}

QImage RenderThroughPainter(CDrawingModel& model, QImage::Format format) {
    QImage image(model.GetWidth(), model.GetHeight(), format);
    QPainter painter(&image);
    painter.setClipRect(image.rect());  // forces the painter path
    model.Render(painter, false);
    return image.convertToFormat(QImage::Format_RGB32);
}

// Smooth outlines are stroked once and blended into later repaints; they
// must look like outlines stroked by the painter, and follow the curves.
TEST(SmoothOutlineTest, BlendedOutlinesMatchStrokedOnesAndFollowTheCurves) {
    CDrawingModel model;
    model.SetSize(120, 90);
    model.AddCurve(RectangleCurve(10.2f, 12.7f, 60.4f, 40.1f));
    model.AddCurve(RectangleCurve(30.5f, 20.5f, 70.0f, 55.0f));
    test::AddRegion(model, QRegion(20, 20, 40, 40), true);
    for (QImage::Format format : {QImage::Format_RGB16, QImage::Format_RGB32}) {
        const QImage blended = RenderInto(model, false, format);
        EXPECT_LE(MaxChannelDifference(blended, RenderThroughPainter(model, format)), 12) << format;
        EXPECT_LT(qGray(blended.pixel(10, 30)), 128) << "an outline crosses here";
    }
    Matrix shift;
    shift.Translate(0, 20);
    model.TransformCurves(&shift);
    const QImage moved = RenderInto(model, false, QImage::Format_RGB16);
    EXPECT_EQ(moved.pixel(10, 25), kWhite) << "the old outline is gone";
    EXPECT_LT(qGray(moved.pixel(10, 45)), 128);
}

// Large pictures are painted in bands by several threads.
TEST(BandedRenderTest, LargePicturesMatchThePainterPath) {
    CDrawingModel model;
    model.SetSize(1500, 1400);
    MonoBitmap mask(1500, 1400);
    for (int y = 0; y < 1400; ++y) {
        for (int x = 0; x < 1500; ++x) mask.SetPixel(x, y, (x + 2 * y) % 97 != 0);
    }
    model.SetMaskBitmap(mask);
    for (int i = 0; i < 30; ++i) {
        AddRegion(model, QRegion(i * 45, i * 40, 300, 500), i % 3 == 0, QString("R%1").arg(i));
        model.AddCurve(RectangleCurve(i * 45.0f, i * 40.0f, 300, 500));
    }
    AddArea(model, "A", {"R1", "R2", "R4", "R5"});
    model.SetAreaImage(0, Gradient());
    const QImage banded = RenderInto(model, false, QImage::Format_RGB16);
    EXPECT_LE(MaxChannelDifference(banded, RenderThroughPainter(model, QImage::Format_RGB16)), 12);
    EXPECT_EQ(banded.pixel(1 * 45 + 150, 1 * 40 + 250),
              RenderThroughPainter(model, QImage::Format_RGB16).pixel(1 * 45 + 150, 1 * 40 + 250));
}

}  // namespace
}  // namespace velora

namespace velora {
namespace {

// A view repaints into the same 16-bit image again and again; whatever
// changes in between must show in the next repaint. Only pictures of a
// million pixels or more are kept.
constexpr int kKeptSide = 1000;

class KeptPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.SetSize(kKeptSide, kKeptSide);
        MonoBitmap mask(kKeptSide, kKeptSide);
        for (int y = 0; y < kKeptSide; ++y) {
            for (int x = 0; x < kKeptSide; ++x) mask.SetPixel(x, y, true);
        }
        model.SetMaskBitmap(mask);
        test::AddRegion(model, QRegion(10, 10, 20, 20), false, "R");
        test::AddArea(model, "A", {"R"});
    }
    QRgb Repaint(int x, int y, bool exportMode = false) {
        QPainter painter(&view);
        model.Render(painter, exportMode);
        return view.pixel(x, y);
    }
    CDrawingModel model;
    QImage view{kKeptSide, kKeptSide, QImage::Format_RGB16};
};

TEST_F(KeptPictureTest, EveryChangeShowsInTheNextRepaint) {
    EXPECT_EQ(Repaint(15, 15), kWhite);
    EXPECT_EQ(Repaint(15, 15), kWhite);
    model.SetRegionSelected(0, true);
    EXPECT_EQ(Repaint(15, 15), qRgb(255, 0, 0));
    model.SetMaskPixel({50, 50}, false);
    EXPECT_EQ(Repaint(50, 50), qRgb(0, 0, 0));
    EXPECT_EQ(Repaint(50, 50, true), kWhite) << "export mode draws no mask";
    EXPECT_EQ(Repaint(50, 50), qRgb(0, 0, 0));
    model.SetAreaImage(0, test::SolidImage(4, 4, 0xFF0000FF));
    EXPECT_EQ(Repaint(15, 15), qRgb(0, 0, 255));
    model.SetCorrectionMode(true);
    model.SetAreaNames(0, {});
    EXPECT_EQ(Repaint(15, 15), kWhite) << "no red in correction mode";
    model.SetRegionShape(0, QRegion(30, 30, 5, 5));
    model.SetCorrectionMode(false);
    EXPECT_EQ(Repaint(32, 32), qRgb(255, 0, 0));
    EXPECT_EQ(Repaint(15, 15), kWhite);
}

TEST_F(KeptPictureTest, PixelsBeyondTheDrawingStayTheTargetsOwn) {
    QImage larger(kKeptSide + 20, 60, QImage::Format_RGB16);
    larger.fill(Qt::green);
    for (int pass = 0; pass < 2; ++pass) {
        QPainter painter(&larger);
        model.Render(painter, false);
        painter.end();
        EXPECT_EQ(larger.pixel(kKeptSide + 10, 5), qRgb(0, 255, 0));
        larger.setPixel(kKeptSide + 15, 5, qRgb(0, 0, 255));
    }
    EXPECT_EQ(larger.pixel(kKeptSide + 15, 5), qRgb(0, 0, 255));
}

// A view renders only the parts a change made stale, each into the pixels
// of its own image that the part covers; every part must come out as the
// same pixels of the whole picture, whichever regions, areas and images
// meet it.
TEST(PartRenderTest, PartsMatchTheWholePicture) {
    CDrawingModel model;
    model.SetSize(200, 150);
    model.SetSmoothLines(false);
    MonoBitmap mask(200, 150);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) mask.SetPixel(x, y, x % 20 != 0 && y % 37 != 0);
    }
    model.SetMaskBitmap(mask);
    for (int i = 0; i < 40; ++i) {
        AddRegion(model, QRegion(i % 10 * 20 + 1, i / 10 * 37 + 1, 19, 36), i == 9,
                  QString("R%1").arg(i));
    }
    // R2 is in two areas with images: the first one fills it. R9 is in one
    // without an image and selected.
    AddArea(model, "A", {"R1", "R2", "R5", "R33"});
    AddArea(model, "B", {"R2", "R7", "R39"});
    AddArea(model, "C", {"R9"});
    model.SetAreaImage(0, Gradient());
    model.SetAreaImage(1, test::SolidImage(3, 3, 0xFF00FF00));
    QImage whole(200, 150, QImage::Format_RGB16);
    {
        QPainter painter(&whole);
        model.Render(painter, false);
    }
    ASSERT_EQ(whole.pixel(145, 5), qRgb(0, 255, 0)) << "R7 has the second area's image";
    ASSERT_NE(whole.pixel(45, 5), qRgb(0, 255, 0)) << "R2 has the first area's image";
    const QRect parts[] = {{0, 0, 7, 5},     {33, 30, 25, 30}, {150, 100, 50, 50},
                           {95, 0, 10, 150}, {181, 0, 19, 38}, {0, 0, 200, 150}};
    for (const QRect& part : parts) {
        QImage image(200, 150, QImage::Format_RGB16);
        image.fill(Qt::blue);
        uchar* first = image.bits() + part.top() * image.bytesPerLine() + part.left() * 2;
        QImage window(first, part.width(), part.height(), image.bytesPerLine(), image.format());
        QPainter painter(&window);
        painter.translate(-part.left(), -part.top());
        model.Render(painter, false);
        painter.end();
        EXPECT_EQ(image.copy(part), whole.copy(part)) << part.x() << "," << part.y();
    }
}

}  // namespace
}  // namespace velora

namespace velora {
namespace {

// A wavy ring of many points fills more than one batch of outlines, so the
// outlines after it are stroked in later batches than the ring.
std::unique_ptr<CCurve> WavyRing(int points) {
    std::vector<PointF> ring;
    ring.reserve(size_t(points));
    for (int i = 0; i < points; ++i) {
        const double angle = 2 * M_PI * i / points;
        const double radius = 60 + 8 * std::sin(angle * 97);
        ring.push_back(
            {float(100 + radius * std::cos(angle)), float(80 + radius * std::sin(angle))});
    }
    auto curve = std::make_unique<CCurve>();
    curve->GetPath().AddPolygon(ring);
    return curve;
}

QImage StrokedOnWhite(const std::function<void(QPainter&)>& stroke) {
    QImage image(200, 160, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(0, -3);
    stroke(painter);
    return image;
}

// Outlines stroked aliased and then smooth in batches give the pixels of
// all aliased strokes followed by all smooth ones.
TEST(OutlineStrokeTest, BatchedStrokesMatchTwoFullPasses) {
    std::vector<std::unique_ptr<CCurve>> curves;
    curves.push_back(RectangleCurve(5.3f, 7.6f, 120.2f, 90.4f));
    curves.push_back(WavyRing(300000));
    curves.push_back(RectangleCurve(40.5f, 30.25f, 150.0f, 100.7f));
    curves.push_back(RectangleCurve(41.1f, 31.4f, 149.3f, 99.9f));
    const QImage batched =
        StrokedOnWhite([&](QPainter& painter) { StrokeCurvesAliasedThenSmooth(painter, curves); });
    const QImage twoPasses = StrokedOnWhite([&](QPainter& painter) {
        StrokeCurves(painter, curves, 1.0f, false);
        StrokeCurves(painter, curves, 1.0f, true);
    });
    EXPECT_EQ(batched, twoPasses);
    int black = 0, partlyDark = 0;
    for (int y = 0; y < batched.height(); ++y) {
        for (int x = 0; x < batched.width(); ++x) {
            const int gray = qGray(batched.pixel(x, y));
            black += gray == 0;
            partlyDark += gray > 0 && gray < 255;
        }
    }
    EXPECT_GT(black, 400) << "the aliased pass leaves lines black";
    EXPECT_GT(partlyDark, 100) << "the smooth pass blends their edges";
}

}  // namespace
}  // namespace velora
