#include "core/import/metafile_texture.h"
#include "metafile_test_builder.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::EmfBuilder;
using test::WmfBuilder;

constexpr uint32_t kSelect = 37, kCreatePen = 38, kCreateBrush = 39, kDelete = 40;
constexpr uint32_t kStock = 0x80000000;
// COLORREF values are 0x00BBGGRR.
constexpr uint32_t kRed = 0x0000FF, kBlue = 0xFF0000;

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

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

TEST(MetafileTextureTest, DrawsPlaceableWindowsMetafilesThroughTheConversion) {
    // 1 x 1 inch at 100 units per inch; a green filled polygon over all of it.
    const QByteArray wmf = WmfBuilder()
                               .Box(0, 0, 100, 100, 100)
                               .CreateBrush(0, 0x00FF00)
                               .CreatePen(5, 0, 0)  // PS_NULL
                               .Select(0)
                               .Select(1)
                               .Polygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}})
                               .Build();
    QString reason;
    const QImage image = RenderMetafileTexture(wmf, &reason);
    ASSERT_EQ(image.size(), QSize(96, 96)) << reason.toStdString();
    EXPECT_EQ(Pixel(image, 48, 48), 0x00FF00u);
    EXPECT_EQ(Pixel(image, 2, 93), 0x00FF00u);
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
