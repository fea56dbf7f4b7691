// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/large_image.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

// Large images live on memory of their own: they must still behave as any
// QImage of the size and format, down to the row padding, and copies must not
// share their pixels.
TEST(LargeImage, BehavesAsAnOrdinaryImageOfItsSizeAndFormat) {
    // Odd widths make padded rows; the first two are above the huge-page size.
    for (const QSize size : {QSize(1501, 1000), QSize(3, 2000001), QSize(37, 11)}) {
        for (const auto format : {QImage::Format_RGB16, QImage::Format_Alpha8}) {
            QImage image = MakeLargeImage(size, format);
            const QImage ordinary(size, format);
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), size);
            EXPECT_EQ(image.format(), format);
            EXPECT_EQ(image.bytesPerLine(), ordinary.bytesPerLine());

            image.fill(0);
            const int last = size.height() - 1;
            image.scanLine(last)[0] = 0x5A;
            QImage copy = image;
            copy.scanLine(last)[0] = 0x3C;
            EXPECT_EQ(image.constScanLine(last)[0], 0x5A);
            EXPECT_EQ(copy.constScanLine(last)[0], 0x3C);
            EXPECT_EQ(image.constScanLine(0)[0], 0);
        }
    }
}

TEST(LargeImage, EmptySizesGiveANullImage) {
    EXPECT_TRUE(MakeLargeImage(QSize(0, 100), QImage::Format_RGB16).isNull());
    EXPECT_TRUE(MakeLargeImage(QSize(100, -1), QImage::Format_RGB16).isNull());
}

}  // namespace
}  // namespace velora
