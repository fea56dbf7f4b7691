// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/rgb565.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(Rgb565Test, WideningReachesBothEndsOfTheRange) {
    EXPECT_EQ(Widen5(0), 0);
    EXPECT_EQ(Widen5(31), 255);
    EXPECT_EQ(Widen6(0), 0);
    EXPECT_EQ(Widen6(63), 255);
    // The top bits repeat into the low ones.
    EXPECT_EQ(Widen5(0b10000), 0b10000100);
    EXPECT_EQ(Widen6(0b100000), 0b10000010);
}

TEST(Rgb565Test, EveryPixelSurvivesWideningAndNarrowing) {
    for (uint32_t pixel = 0; pixel <= 0xFFFF; ++pixel) {
        const QRgb wide = RgbFrom565(static_cast<uint16_t>(pixel));
        ASSERT_EQ(qAlpha(wide), 255);
        ASSERT_EQ(To565(qRed(wide), qGreen(wide), qBlue(wide)), pixel) << pixel;
    }
}

TEST(Rgb565Test, NarrowingKeepsTheTopBitsOfEachChannel) {
    EXPECT_EQ(To565(0xFF, 0, 0), 0xF800);
    EXPECT_EQ(To565(0, 0xFF, 0), 0x07E0);
    EXPECT_EQ(To565(0, 0, 0xFF), 0x001F);
    EXPECT_EQ(To565(0x07, 0x03, 0x07), 0);
    EXPECT_EQ(RgbFrom565(To565(0x12, 0x34, 0x56)), qRgb(0x10, 0x34, 0x52));
}

}  // namespace
}  // namespace velora
