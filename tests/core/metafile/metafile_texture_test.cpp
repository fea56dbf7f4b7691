// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/metafile/metafile_texture.h"
#include "metafile_test_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>

namespace velora {
namespace {

using test::EmfBuilder;
using test::Points;
using test::WmfBuilder;

constexpr uint32_t kSelect = 37, kCreatePen = 38, kCreateBrush = 39, kDelete = 40;
constexpr uint32_t kSetWindowExt = 9, kSetWindowOrg = 10, kSetViewportExt = 11,
                   kSetViewportOrg = 12, kSetMapMode = 17, kSetPolyFillMode = 19, kMoveTo = 27,
                   kScaleViewportExt = 31, kScaleWindowExt = 32, kSaveDc = 33, kRestoreDc = 34,
                   kSetWorldTransform = 35, kModifyWorldTransform = 36, kLineTo = 54,
                   kBeginPath = 59, kEndPath = 60, kCloseFigure = 61, kFillPath = 62,
                   kStrokeAndFillPath = 63, kStrokePath = 64, kAbortPath = 68, kPolyBezier16 = 85,
                   kPolyBezierTo16 = 88, kPolylineTo16 = 89;
constexpr uint32_t kMapText = 1, kMapLowMetric = 2, kMapIsotropic = 7, kMapAnisotropic = 8;
constexpr uint32_t kStock = 0x80000000;
constexpr uint32_t kNullPen = kStock | 8;
// COLORREF values are 0x00BBGGRR.
constexpr uint32_t kRed = 0x0000FF, kBlue = 0xFF0000;
// The same colours as image pixels, 0xRRGGBB.
constexpr QRgb kRedPixel = 0xFF0000, kBluePixel = 0x0000FF, kWhitePixel = 0xFFFFFF;

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
QRgb Pixel(const QImage& image, QPointF at) {
    return Pixel(image, int(std::floor(at.x())), int(std::floor(at.y())));
}

uint32_t Word(int value) { return uint32_t(value); }
uint32_t Word(float value) { return std::bit_cast<uint32_t>(value); }

// A one-inch frame recorded for a 96 dpi reference device: a 96 x 96 image
// whose pixels are the device's pixels.
EmfBuilder InchAt96Dpi() { return EmfBuilder().Frame(0, 0, 2540, 2540).Device(960, 960, 254, 254); }

// Red brush, no pen: shapes come out as plain red areas.
EmfBuilder& RedFill(EmfBuilder& emf) {
    return emf.Record(kCreateBrush, {1, 0, kRed, 0})
        .Record(kSelect, {1})
        .Record(kSelect, {kNullPen});
}

// The pixels at the centres of the image's quarters: top left, top right,
// bottom left, bottom right.
std::array<QRgb, 4> Quarters(const QImage& image) {
    const int w = image.width(), h = image.height();
    return {Pixel(image, w / 4, h / 4), Pixel(image, 3 * w / 4, h / 4),
            Pixel(image, w / 4, 3 * h / 4), Pixel(image, 3 * w / 4, 3 * h / 4)};
}
constexpr std::array<QRgb, 4> kOnlyTopLeftRed{kRedPixel, kWhitePixel, kWhitePixel, kWhitePixel};

QImage Render(const QByteArray& bytes) {
    QString reason;
    const QImage image = RenderMetafileTexture(bytes, &reason);
    EXPECT_FALSE(image.isNull()) << reason.toStdString();
    return image;
}

TEST(MetafileTextureTest, ImageSizeIsTheFrameAtNinetySixDpi) {
    // 50.8 mm x 25.4 mm: 2 x 1 inch.
    const QImage image =
        RenderMetafileTexture(EmfBuilder().Frame(0, 0, 5080, 2540).Build(), nullptr);
    EXPECT_EQ(image.size(), QSize(192, 96));
}

TEST(MetafileTextureTest, AnEmptyFrameFallsBackToTheBounds) {
    const QImage image = RenderMetafileTexture(
        EmfBuilder().Frame(0, 0, 0, 0).Bounds(10, 10, 59, 29).Build(), nullptr);
    EXPECT_EQ(image.size(), QSize(50, 20));
}

TEST(MetafileTextureTest, HugeFramesAreScaledDownKeepingTheirShape) {
    const QImage image =
        RenderMetafileTexture(EmfBuilder().Frame(0, 0, 2540000, 1270000).Build(), nullptr);
    EXPECT_EQ(image.size(), QSize(kMaxMetafileTextureSide, kMaxMetafileTextureSide / 2));
}

TEST(MetafileTextureTest, FillsWithTheSelectedBrushAndMapsTheDrawingOntoTheImage) {
    // Two side-by-side rectangles: red brush, then a stock black brush;
    // together they cover the whole 100 x 100 image.
    const QByteArray emf = EmfBuilder()
                               .Frame(0, 0, 2646, 2646)  // 100 px
                               .Record(kCreateBrush, {1, 0, kRed, 0})
                               .Record(kSelect, {kStock | 8})  // NULL_PEN
                               .Record(kSelect, {1})
                               .Rectangle(1000, 1000, 1050, 1100)
                               .Record(kSelect, {kStock | 4})  // BLACK_BRUSH
                               .Rectangle(1050, 1000, 1100, 1100)
                               .Build();
    QString reason;
    const QImage image = RenderMetafileTexture(emf, &reason);
    ASSERT_FALSE(image.isNull()) << reason.toStdString();
    ASSERT_EQ(image.size(), QSize(100, 100));
    EXPECT_EQ(Pixel(image, 10, 10), 0xFF0000u);
    EXPECT_EQ(Pixel(image, 40, 90), 0xFF0000u);
    EXPECT_EQ(Pixel(image, 60, 10), 0x000000u);
    EXPECT_EQ(Pixel(image, 90, 90), 0x000000u);
}

TEST(MetafileTextureTest, PensOutlineAndNullBrushesLeaveTheInsideWhite) {
    const QByteArray emf = EmfBuilder()
                               .Frame(0, 0, 2646, 2646)
                               .Record(kCreatePen, {1, 0, 4, 0, kBlue})
                               .Record(kSelect, {1})
                               .Record(kSelect, {kStock | 5})  // NULL_BRUSH
                               .Ellipse(0, 0, 100, 100)
                               .Record(kDelete, {1})
                               .Build();
    const QImage image = RenderMetafileTexture(emf, nullptr);
    ASSERT_EQ(image.size(), QSize(100, 100));
    EXPECT_EQ(Pixel(image, 50, 50), 0xFFFFFFu);
    EXPECT_EQ(Pixel(image, 50, 1), 0x0000FFu);  // top of the outline
}

TEST(MetafileTextureTest, AGiantPenCoversTheImageInItsColour) {
    const QByteArray emf = EmfBuilder()
                               .Frame(0, 0, 2646, 2646)
                               .Record(kCreatePen, {1, 0, 16000000, 0, kBlue})
                               .Record(kSelect, {1})
                               .Poly16(87, {{0, 0}, {50, 50}})
                               .Build();
    const QImage image = RenderMetafileTexture(emf, nullptr);
    ASSERT_EQ(image.size(), QSize(100, 100));
    for (const QPoint corner : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 99), QPoint(99, 99)})
        EXPECT_EQ(Pixel(image, corner.x(), corner.y()), 0x0000FFu);
}

TEST(MetafileTextureTest, PlaceableWindowsMetafilesFillTheImageWithTheirBox) {
    // The box fills the image wherever it lies, and a drawing over part of
    // the box keeps its place in it.
    for (const QPoint origin : {QPoint(0, 0), QPoint(-300, 200)}) {
        SCOPED_TRACE(origin.x());
        // 1 x 1 inch at 100 units per inch; a green filled polygon over its
        // left half.
        const int l = origin.x(), t = origin.y(), r = l + 50, b = t + 100;
        const QByteArray wmf = WmfBuilder()
                                   .Box(l, t, l + 100, b, 100)
                                   .CreateBrush(0, 0x00FF00)
                                   .CreatePen(5, 0, 0)  // PS_NULL
                                   .Select(0)
                                   .Select(1)
                                   .Polygon({{l, t}, {r, t}, {r, b}, {l, b}})
                                   .Build();
        const QImage image = Render(wmf);
        ASSERT_EQ(image.size(), QSize(96, 96));
        for (const QPoint p : {QPoint(24, 48), QPoint(2, 2), QPoint(45, 2), QPoint(2, 93)})
            EXPECT_EQ(Pixel(image, p.x(), p.y()), 0x00FF00u) << p.x() << "," << p.y();
        for (const QPoint p : {QPoint(72, 48), QPoint(51, 2), QPoint(93, 93)})
            EXPECT_EQ(Pixel(image, p.x(), p.y()), 0xFFFFFFu) << p.x() << "," << p.y();
    }
}

TEST(MetafileTextureTest, TheFrameFillsTheImageAndShapesKeepTheirPlaceInIt) {
    // A red rectangle over the top-left quarter of a one-inch frame, for
    // reference devices of several resolutions and frames at two origins.
    struct Case {
        int pixelsX, pixelsY;  // reference-device pixels per 254 mm: dpi x 10
        int frameOrigin;       // in 0.01 mm
    };
    for (const Case c : {Case{960, 960, 0}, Case{1920, 1920, 0}, Case{960, 3840, 0},
                         Case{960, 960, 1270}, Case{1920, 960, 1270}}) {
        SCOPED_TRACE(testing::Message() << c.pixelsX << "x" << c.pixelsY << " @" << c.frameOrigin);
        const int dpiX = c.pixelsX / 10, dpiY = c.pixelsY / 10;
        // Frame origin in device pixels.
        const int left = c.frameOrigin * dpiX / 2540, top = c.frameOrigin * dpiY / 2540;
        EmfBuilder emf;
        emf.Frame(c.frameOrigin, c.frameOrigin, c.frameOrigin + 2540, c.frameOrigin + 2540)
            .Device(c.pixelsX, c.pixelsY, 254, 254);
        RedFill(emf).Rectangle(left, top, left + dpiX / 2, top + dpiY / 2);
        const QImage image = Render(emf.Build());
        ASSERT_EQ(image.size(), QSize(96, 96));
        EXPECT_EQ(Quarters(image), kOnlyTopLeftRed);
    }
}

TEST(MetafileTextureTest, MappingModesTakeLogicalUnitsToTheDevice) {
    // Anisotropic: the window (1000,1000) + (2000 x 1000) fills the 96 x 96
    // viewport, given as 192 x 192 and halved by a scaling record.
    EmfBuilder anisotropic = InchAt96Dpi();
    RedFill(anisotropic)
        .Record(kSetMapMode, {kMapAnisotropic})
        .Record(kSetWindowOrg, {1000, 1000})
        .Record(kSetWindowExt, {2000, 1000})
        .Record(kSetViewportExt, {192, 192})
        .Record(kScaleViewportExt, {1, 2, 1, 2})
        .Rectangle(1000, 1000, 2000, 1500);
    EXPECT_EQ(Quarters(Render(anisotropic.Build())), kOnlyTopLeftRed);

    // The window extent scales the other way: doubling it halves the drawing.
    EmfBuilder scaledWindow = InchAt96Dpi();
    RedFill(scaledWindow)
        .Record(kSetMapMode, {kMapAnisotropic})
        .Record(kSetWindowExt, {48, 48})
        .Record(kSetViewportExt, {96, 96})
        .Record(kScaleWindowExt, {2, 1, 2, 1})
        .Rectangle(0, 0, 48, 48);
    EXPECT_EQ(Quarters(Render(scaledWindow.Build())), kOnlyTopLeftRed);

    // Isotropic keeps the aspect: both axes take the smaller scale, 96/2000,
    // so the rectangle is half as high as in the anisotropic case.
    EmfBuilder isotropic = InchAt96Dpi();
    RedFill(isotropic)
        .Record(kSetMapMode, {kMapIsotropic})
        .Record(kSetWindowOrg, {1000, 1000})
        .Record(kSetWindowExt, {2000, 1000})
        .Record(kSetViewportExt, {96, 96})
        .Rectangle(1000, 1000, 2000, 1500);
    const QImage iso = Render(isotropic.Build());
    EXPECT_EQ(Pixel(iso, 24, 12), kRedPixel);
    EXPECT_EQ(Pixel(iso, 24, 36), kWhitePixel);
    EXPECT_EQ(Pixel(iso, 72, 12), kWhitePixel);

    // Low metric: 0.1 mm units with y growing upwards from the viewport
    // origin at the bottom left; 127 units are half an inch.
    EmfBuilder metric = InchAt96Dpi();
    RedFill(metric)
        .Record(kSetMapMode, {kMapLowMetric})
        .Record(kSetViewportOrg, {0, 96})
        .Rectangle(0, 0, 127, 127);
    EXPECT_EQ(Quarters(Render(metric.Build())),
              (std::array{kWhitePixel, kWhitePixel, kRedPixel, kWhitePixel}));

    // In the text mode extents are ignored, origins are not.
    EmfBuilder text = InchAt96Dpi();
    RedFill(text)
        .Record(kSetMapMode, {kMapText})
        .Record(kSetWindowExt, {10, 10})
        .Record(kSetWindowOrg, {100, 100})
        .Record(kSetViewportOrg, {48, 0})
        .Rectangle(100, 100, 148, 148);
    EXPECT_EQ(Quarters(Render(text.Build())),
              (std::array{kWhitePixel, kRedPixel, kWhitePixel, kWhitePixel}));
}

TEST(MetafileTextureTest, WorldTransformsComeBeforeTheMapping) {
    // Scale by one half, then (left multiply) move by 96 logical units
    // first: the rectangle at (-96,-96)-(0,0) lands on the top-left quarter.
    EmfBuilder emf = InchAt96Dpi();
    RedFill(emf)
        .Record(kSetWorldTransform,
                {Word(0.5f), Word(0.f), Word(0.f), Word(0.5f), Word(0.f), Word(0.f)})
        .Record(kModifyWorldTransform,
                {Word(1.f), Word(0.f), Word(0.f), Word(1.f), Word(96.f), Word(96.f), 2})
        .Rectangle(-96, -96, 0, 0);
    EXPECT_EQ(Quarters(Render(emf.Build())), kOnlyTopLeftRed);
}

TEST(MetafileTextureTest, LinesAndCurvesFollowTheCurrentPositionWithThePen) {
    // A red pen 4 pixels wide; a line, then two more from where it ended.
    EmfBuilder lines = InchAt96Dpi();
    lines.Record(kCreatePen, {1, 0, 4, 0, kRed})
        .Record(kSelect, {1})
        .Record(kMoveTo, {10, 20})
        .Record(kLineTo, {86, 20})
        .Poly16(kPolylineTo16, {{86, 76}, {10, 76}});
    const QImage image = Render(lines.Build());
    EXPECT_EQ(Pixel(image, 48, 20), kRedPixel);    // the line
    EXPECT_EQ(Pixel(image, 86, 48), kRedPixel);    // down from its end
    EXPECT_EQ(Pixel(image, 48, 76), kRedPixel);    // and back along the bottom
    EXPECT_EQ(Pixel(image, 48, 27), kWhitePixel);  // the pen is thin
    EXPECT_EQ(Pixel(image, 48, 48), kWhitePixel);  // lines are not filled
    EXPECT_EQ(Pixel(image, 10, 48), kWhitePixel);  // nor closed
    EXPECT_EQ(Pixel(image, 4, 20), kWhitePixel);   // the line starts at the move

    // A curve from the current position, and the same curve stated whole.
    const Points controls{{10, 10}, {86, 10}, {86, 80}};
    const QPointF start(10, 80);
    QPointF middle = start / 8;  // the curve at t = 1/2
    for (int i = 0; i < 3; ++i) middle += QPointF(controls[i]) * (i < 2 ? 3.0 : 1.0) / 8;
    EmfBuilder curveTo = InchAt96Dpi();
    curveTo.Record(kCreatePen, {1, 0, 4, 0, kRed})
        .Record(kSelect, {1})
        .Record(kMoveTo, {10, 80})
        .Poly16(kPolyBezierTo16, controls);
    EmfBuilder curve = InchAt96Dpi();
    curve.Record(kCreatePen, {1, 0, 4, 0, kRed})
        .Record(kSelect, {1})
        .Poly16(kPolyBezier16, {{10, 80}, {10, 10}, {86, 10}, {86, 80}});
    for (const QImage& drawn : {Render(curveTo.Build()), Render(curve.Build())}) {
        EXPECT_EQ(Pixel(drawn, middle), kRedPixel);
        EXPECT_EQ(Pixel(drawn, 48, 80), kWhitePixel);  // no chord between the ends
    }
}

TEST(MetafileTextureTest, PathsAreDrawnOnlyByTheirFillAndStrokeRecords) {
    // A square path from (10,10) to (86,86): blue brush, red pen 8 wide.
    const auto squarePath = [](std::initializer_list<uint32_t> ending) {
        EmfBuilder emf = InchAt96Dpi();
        emf.Record(kCreatePen, {1, 0, 8, 0, kRed})
            .Record(kCreateBrush, {2, 0, kBlue, 0})
            .Record(kSelect, {1})
            .Record(kSelect, {2})
            .Record(kBeginPath, {})
            .Record(kMoveTo, {10, 10})
            .Record(kLineTo, {86, 10})
            .Poly16(kPolylineTo16, {{86, 86}, {10, 86}})
            .Record(kCloseFigure, {});
        for (uint32_t type : ending) emf.Record(type, {});
        return Render(emf.Build());
    };
    struct Case {
        const char* name;
        std::initializer_list<uint32_t> ending;
        QRgb inside, onTheClosingEdge;
    };
    for (const Case& c :
         {Case{"fill", {kEndPath, kFillPath}, kBluePixel, kBluePixel},
          Case{"stroke", {kEndPath, kStrokePath}, kWhitePixel, kRedPixel},
          Case{"stroke and fill", {kEndPath, kStrokeAndFillPath}, kBluePixel, kRedPixel},
          Case{"never drawn", {kEndPath}, kWhitePixel, kWhitePixel},
          Case{"aborted", {kEndPath, kAbortPath, kStrokeAndFillPath}, kWhitePixel, kWhitePixel},
          Case{"still open", {kStrokeAndFillPath}, kWhitePixel, kWhitePixel}}) {
        SCOPED_TRACE(c.name);
        const QImage image = squarePath(c.ending);
        EXPECT_EQ(Pixel(image, 48, 48), c.inside);
        // The left edge comes only from closing the figure; just outside
        // it only the pen reaches.
        EXPECT_EQ(Pixel(image, 12, 48), c.onTheClosingEdge);
        EXPECT_EQ(Pixel(image, 7, 48), c.onTheClosingEdge == kRedPixel ? kRedPixel : kWhitePixel);
    }
}

TEST(MetafileTextureTest, ThePolygonFillModeDecidesWhetherNestedOutlinesLeaveAHole) {
    // Two squares drawn the same way round, the second inside the first.
    const std::vector<Points> squares{{{8, 8}, {88, 8}, {88, 88}, {8, 88}},
                                      {{28, 28}, {68, 28}, {68, 68}, {28, 68}}};
    for (const auto& [mode, hole] :
         {std::pair{0u, kWhitePixel}, std::pair{1u, kWhitePixel}, std::pair{2u, kRedPixel}}) {
        SCOPED_TRACE(mode);
        EmfBuilder emf = InchAt96Dpi();
        RedFill(emf);
        if (mode != 0) emf.Record(kSetPolyFillMode, {mode});
        emf.PolyPolygon16(squares);
        const QImage image = Render(emf.Build());
        EXPECT_EQ(Pixel(image, 48, 48), hole);
        EXPECT_EQ(Pixel(image, 18, 48), kRedPixel);
    }
}

TEST(MetafileTextureTest, RestoreDcBringsBackTheStateSavedThatManyLevelsAgo) {
    EmfBuilder emf = InchAt96Dpi();
    RedFill(emf)
        .Record(kSaveDc, {})            // red brush, origin (0,0)
        .Record(kSelect, {kStock | 4})  // BLACK_BRUSH
        .Record(kSetViewportOrg, {48, 48})
        .Record(kSaveDc, {})
        .Record(kSetViewportOrg, {0, 48})
        .Record(kRestoreDc, {Word(-2)})
        .Rectangle(0, 0, 48, 48)
        // Nothing is saved any more: these restores change nothing.
        .Record(kRestoreDc, {Word(-1)})
        .Record(kRestoreDc, {Word(INT_MIN)})
        .Rectangle(48, 48, 96, 96);
    EXPECT_EQ(Quarters(Render(emf.Build())),
              (std::array{kRedPixel, kWhitePixel, kWhitePixel, kRedPixel}));
}

TEST(MetafileTextureTest, WithoutAUsableFrameOrDeviceTheDrawingIsStretchedOverTheImage) {
    // A rectangle far outside the frame: with a usable frame and device it
    // is not seen; otherwise it is mapped onto the whole image.
    struct Case {
        const char* name;
        std::array<int, 4> frame;
        std::array<int, 4> device;
        QRgb colour;
    };
    for (const Case& c : {
             Case{"usable", {0, 0, 2540, 2540}, {960, 960, 254, 254}, kWhitePixel},
             Case{"empty frame", {0, 0, 0, 0}, {960, 960, 254, 254}, kRedPixel},
             Case{"no device", {0, 0, 2540, 2540}, {0, 0, 0, 0}, kRedPixel},
             Case{"negative millimetres", {0, 0, 2540, 2540}, {960, 960, -254, 254}, kRedPixel},
             Case{"absurd resolution", {0, 0, 2540, 2540}, {1, 1, 1000000, 1000000}, kRedPixel},
         }) {
        SCOPED_TRACE(c.name);
        EmfBuilder emf;
        emf.Frame(c.frame[0], c.frame[1], c.frame[2], c.frame[3])
            .Bounds(0, 0, 95, 95)
            .Device(c.device[0], c.device[1], c.device[2], c.device[3]);
        RedFill(emf).Rectangle(1000, 1000, 1100, 1100);
        const QImage image = Render(emf.Build());
        ASSERT_EQ(image.size(), QSize(96, 96));
        EXPECT_EQ(Quarters(image), (std::array{c.colour, c.colour, c.colour, c.colour}));
    }
}

TEST(MetafileTextureTest, RefusedMappingRecordsLeaveTheMappingAsItWas) {
    // Zero extents, zero denominators, scalings to nothing, world transforms
    // that are not finite or cannot be undone: all refused, so the
    // rectangle stays on the top-left quarter.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EmfBuilder emf = InchAt96Dpi();
    RedFill(emf)
        .Record(kSetMapMode, {kMapAnisotropic})
        .Record(kSetWindowExt, {96, 96})
        .Record(kSetViewportExt, {96, 96})
        .Record(kSetMapMode, {99})
        .Record(kSetWindowExt, {0, 5})
        .Record(kSetViewportExt, {5, 0})
        .Record(kScaleWindowExt, {1, 0, 1, 0})
        .Record(kScaleViewportExt, {1, Word(INT_MAX), 1, 1})
        .Record(kScaleViewportExt, {Word(INT_MAX), 1, Word(INT_MAX), 1})
        .Record(kSetWorldTransform, {Word(nan), 0, 0, Word(1.f), 0, 0})
        .Record(kSetWorldTransform, {Word(inf), 0, 0, Word(1.f), 0, 0})
        .Record(kSetWorldTransform, {Word(1e30f), 0, 0, Word(1.f), 0, 0})
        .Record(kSetWorldTransform, {Word(1.f), Word(1.f), Word(1.f), Word(1.f), 0, 0})
        .Record(kModifyWorldTransform, {Word(0.f), 0, 0, Word(0.f), 0, 0, 2})
        .Record(kModifyWorldTransform, {Word(1.f), 0, 0, Word(1.f), 0, 0, 99})
        .Rectangle(0, 0, 48, 48);
    EXPECT_EQ(Quarters(Render(emf.Build())), kOnlyTopLeftRed);
}

TEST(MetafileTextureTest, ExtremeCoordinatesAndMappingsStillGiveTheImage) {
    EmfBuilder emf = InchAt96Dpi();
    emf.Record(kCreatePen, {1, 0, 16000000, 0, kBlue})
        .Record(kSelect, {1})
        .Record(kSetMapMode, {kMapAnisotropic})
        .Record(kSetWindowExt, {Word(INT_MIN), 1})
        .Record(kSetViewportExt, {Word(INT_MAX), Word(INT_MIN)})
        .Record(kSetWindowOrg, {Word(INT_MIN), Word(INT_MAX)});
    // Repeated growth of the world transform stops short of overflowing.
    for (int i = 0; i < 40; ++i)
        emf.Record(kModifyWorldTransform, {Word(1e9f), 0, 0, Word(1e9f), Word(1e9f), 0, 2});
    emf.Record(kMoveTo, {Word(INT_MIN), Word(INT_MAX)})
        .Record(kLineTo, {Word(INT_MAX), Word(INT_MIN)})
        .Poly16(kPolyBezierTo16, {{-32768, 32767}, {32767, -32768}})  // an incomplete curve
        .Record(kBeginPath, {})
        .Record(kLineTo, {Word(INT_MIN), Word(INT_MIN)})
        .Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX)
        .Record(kEndPath, {})
        .Record(kStrokeAndFillPath, {});
    for (int i = 0; i < 5000; ++i) emf.Record(kSaveDc, {});
    const QImage image = Render(emf.Build());
    EXPECT_EQ(image.size(), QSize(96, 96));
}

TEST(MetafileTextureTest, UndecodableBytesGiveANullImageAndTheReason) {
    QString reason;
    EXPECT_TRUE(RenderMetafileTexture(QByteArray("not a metafile at all"), &reason).isNull());
    EXPECT_TRUE(reason.contains(QStringLiteral("enhanced metafile")));

    reason.clear();
    QByteArray wmf = WmfBuilder().Build();
    wmf.truncate(30);
    EXPECT_TRUE(RenderMetafileTexture(wmf, &reason).isNull());
    EXPECT_FALSE(reason.isEmpty());

    reason.clear();
    const QByteArray sizeless = EmfBuilder().Frame(0, 0, 0, 0).Bounds(0, 0, -1, -1).Build();
    EXPECT_TRUE(RenderMetafileTexture(sizeless, &reason).isNull());
    EXPECT_FALSE(reason.isEmpty());
}

}  // namespace
}  // namespace velora
