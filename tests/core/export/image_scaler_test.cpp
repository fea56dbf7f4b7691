// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/image_scaler.h"
#include "core/common/errors.h"
#include "export_test_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velora {
namespace {

// 5-6-5 values that widen to the given 8-bit levels: 5-bit 16 -> 132,
// 6-bit 32 -> 130, 5-bit 8 -> 66, 0 -> 0.
constexpr quint16 k565A = (16 << 11) | (32 << 5) | 8;  // (132, 130, 66)
constexpr quint16 k565B = 0;                           // (0, 0, 0)

QImage Checker565(int width, int height, int cell) {
    QImage image(width, height, QImage::Format_RGB16);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<quint16*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) row[x] = ((x / cell + y / cell) % 2) ? k565B : k565A;
    }
    return image;
}

TEST(ImageScaler, OwnSizeWidens565Exactly) {
    const QImage source = test::PatternImage(31, 7, QImage::Format_RGB16);
    const QImage scaled = ScaleImage(source, source.size());
    EXPECT_EQ(scaled.format(), QImage::Format_RGB888);
    const QImage widened = source.convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 31; ++x)
            ASSERT_EQ(scaled.pixel(x, y), widened.pixel(x, y)) << x << "," << y;
    }
}

// Rows long enough to be widened in blocks, with and without a pixel after
// the last whole block, read whole and in part, in every layout: each must
// match the platform's own widening and leave the bytes after it alone.
TEST(ImageScaler, OwnSizeWidens565ExactlyInEveryLayoutAndSpan) {
    struct Layout {
        RowLayout layout;
        QImage::Format format;
    };
    const Layout layouts[] = {{RowLayout::Rgb888, QImage::Format_RGB888},
                              {RowLayout::Bgr888, QImage::Format_BGR888},
                              {RowLayout::Rgba8888, QImage::Format_RGBA8888}};
    constexpr uchar kGuard = 0xA5;
    for (const int width : {64, 65, 128, 129, 200}) {
        const QImage source = test::NoiseImage(width, 2).convertToFormat(QImage::Format_RGB16);
        ScaledRows rows(source, source.size());
        for (const Layout& layout : layouts) {
            const QImage widened = source.convertToFormat(layout.format);
            const int bytes = BytesPerPixel(layout.layout);
            for (const int left : {0, 1, 63}) {
                const int span = width - left;
                std::vector<uchar> out(size_t(span + 4) * size_t(bytes), kGuard);
                rows.Read(1, left, span, layout.layout, out.data());
                const uchar* expected = widened.constScanLine(1) + left * bytes;
                ASSERT_TRUE(std::equal(expected, expected + span * bytes, out.begin()))
                    << "width " << width << ", left " << left << ", layout " << bytes;
                EXPECT_TRUE(std::all_of(out.begin() + span * bytes, out.end(),
                                        [](uchar b) { return b == kGuard; }))
                    << "width " << width << ", left " << left << ", layout " << bytes;
            }
        }
    }
}

TEST(ImageScaler, HalvingACheckerGivesItsMean) {
    const QImage scaled = ScaleImage(Checker565(64, 32, 1), QSize(32, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(scaled.pixel(x, y), qRgb(66, 65, 33)) << x << "," << y;
    }
}

TEST(ImageScaler, ShrinkingByAFractionWeighsExactCoverage) {
    // Three columns 0, 90, 180 into two: [0, 1.5) and [1.5, 3).
    QImage source(3, 1, QImage::Format_RGB888);
    source.setPixel(0, 0, qRgb(0, 0, 0));
    source.setPixel(1, 0, qRgb(90, 90, 90));
    source.setPixel(2, 0, qRgb(180, 180, 180));
    const QImage scaled = ScaleImage(source, QSize(2, 1));
    EXPECT_EQ(qRed(scaled.pixel(0, 0)), 30);   // (0 + 0.5 * 90) / 1.5
    EXPECT_EQ(qRed(scaled.pixel(1, 0)), 150);  // (0.5 * 90 + 180) / 1.5
}

TEST(ImageScaler, ShrinkingToOnePixelGivesTheMeanOfAll) {
    const QImage scaled = ScaleImage(Checker565(10, 10, 5), QSize(1, 1));
    EXPECT_EQ(scaled.pixel(0, 0), qRgb(66, 65, 33));
}

TEST(ImageScaler, EnlargingInterpolatesBetweenPixelCentres) {
    QImage source(2, 1, QImage::Format_RGB888);
    source.setPixel(0, 0, qRgb(0, 100, 200));
    source.setPixel(1, 0, qRgb(200, 100, 0));
    const QImage scaled = ScaleImage(source, QSize(4, 3));
    // Centres map to -0.25, 0.25, 0.75, 1.25: edges repeat, the middle blends.
    const int expected[] = {0, 50, 150, 200};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(qRed(scaled.pixel(x, y)), expected[x]) << x;
            EXPECT_EQ(qGreen(scaled.pixel(x, y)), 100);
            EXPECT_EQ(qBlue(scaled.pixel(x, y)), 200 - expected[x]);
        }
    }
}

TEST(ImageScaler, FlatColourStaysFlatAtAnySize) {
    QImage source(7, 5, QImage::Format_RGB16);
    source.fill(QColor(132, 130, 66));
    for (QSize size : {QSize(3, 2), QSize(13, 11), QSize(20, 2), QSize(1, 40), QSize(7, 5)}) {
        const QImage scaled = ScaleImage(source, size);
        ASSERT_EQ(scaled.size(), size);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                ASSERT_EQ(scaled.pixel(x, y), qRgb(132, 130, 66))
                    << size.width() << "x" << size.height();
            }
        }
    }
}

TEST(ImageScaler, EachAxisUsesItsOwnFilter) {
    // Columns alternate, rows are a ramp: halving the width averages columns,
    // doubling the height interpolates the ramp.
    QImage source(4, 2, QImage::Format_RGB888);
    for (int x = 0; x < 4; ++x) {
        source.setPixel(x, 0, qRgb(x % 2 ? 100 : 0, 0, 0));
        source.setPixel(x, 1, qRgb(x % 2 ? 100 : 0, 200, 0));
    }
    const QImage scaled = ScaleImage(source, QSize(2, 4));
    const int greens[] = {0, 50, 150, 200};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(qRed(scaled.pixel(x, y)), 50) << x << "," << y;
            EXPECT_EQ(qGreen(scaled.pixel(x, y)), greens[y]) << x << "," << y;
        }
    }
}

TEST(ImageScaler, OtherSourceFormatsScaleAlike) {
    const QImage rgb16 = Checker565(16, 16, 2);
    const QImage fromRgb16 = ScaleImage(rgb16, QSize(5, 9));
    const QImage fromArgb = ScaleImage(rgb16.convertToFormat(QImage::Format_ARGB32), QSize(5, 9));
    EXPECT_EQ(fromRgb16, fromArgb);
}

TEST(ImageScaler, SizesBelowOnePixelAreRefused) {
    const QImage source = Checker565(4, 4, 1);
    EXPECT_THROW(ScaleImage(source, QSize(0, 4)), VeloraError);
    EXPECT_THROW(ScaleImage(source, QSize(4, -2)), VeloraError);
}

}  // namespace
}  // namespace velora
