// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/mono_bitmap.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace velora {
namespace {

TEST(MonoBitmapTest, RowsArePaddedToWholeWords) {
    EXPECT_EQ(MonoBitmap::StrideFor(1), 2);
    EXPECT_EQ(MonoBitmap::StrideFor(16), 2);
    EXPECT_EQ(MonoBitmap::StrideFor(17), 4);
    EXPECT_EQ(MonoBitmap::StrideFor(33), 6);
    EXPECT_EQ(MonoBitmap::StrideFor(0), 0);
    EXPECT_EQ(MonoBitmap::StrideFor(std::numeric_limits<int>::max()), 268435456);
    const MonoBitmap bitmap(20, 3);
    EXPECT_EQ(bitmap.Stride(), 4);
    EXPECT_EQ(bitmap.Bits().size(), 12u);
    EXPECT_EQ(bitmap.CountLight(), 0);
}

TEST(MonoBitmapTest, LeftmostPixelIsTheMostSignificantBit) {
    MonoBitmap bitmap(20, 2);
    bitmap.SetPixel(0, 0, true);
    bitmap.SetPixel(9, 1, true);
    bitmap.SetPixel(19, 1, true);
    EXPECT_EQ(bitmap.Row(0)[0], 0x80);
    EXPECT_EQ(bitmap.Row(1)[1], 0x40);
    EXPECT_EQ(bitmap.Row(1)[2], 0x10);
    EXPECT_TRUE(bitmap.Pixel(9, 1));
    EXPECT_FALSE(bitmap.Pixel(8, 1));
    bitmap.SetPixel(9, 1, false);
    EXPECT_EQ(bitmap.Row(1)[1], 0x00);
    EXPECT_EQ(bitmap.Row(1)[2], 0x10);
}

TEST(MonoBitmapTest, CountLightIgnoresPaddingBitsAndBytes) {
    // Every byte set, padding included: only the 10 x 3 pixels count.
    const MonoBitmap bitmap(10, 3, std::vector<uint8_t>(6, 0xFF));
    EXPECT_EQ(bitmap.CountLight(), 30);
    const MonoBitmap wide(24, 1, std::vector<uint8_t>{0xFF, 0x01, 0x80, 0xFF});
    EXPECT_EQ(wide.CountLight(), 10);
}

TEST(MonoBitmapTest, BitsMustMatchTheSize) {
    EXPECT_THROW(MonoBitmap(10, 3, std::vector<uint8_t>(5)), std::invalid_argument);
    EXPECT_THROW(MonoBitmap(0, 3, std::vector<uint8_t>(2)), std::invalid_argument);
    const MonoBitmap empty(0, 5);
    EXPECT_TRUE(empty.IsNull());
    EXPECT_EQ(empty.CountLight(), 0);
    EXPECT_TRUE(empty.ToImage().isNull());
}

TEST(MonoBitmapTest, ImageShowsLightPixelsWhite) {
    MonoBitmap bitmap(11, 2);
    bitmap.SetPixel(10, 0, true);
    bitmap.SetPixel(0, 1, true);
    const QImage image = bitmap.ToImage();
    ASSERT_EQ(image.size(), QSize(11, 2));
    EXPECT_EQ(image.pixel(10, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(9, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace velora
