// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/starter/texture_generator.h"
#include "core/starter/starter_textures.h"

#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace velora {
namespace {

int ChannelDistance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// Mean difference between column a and column b (or rows, transposed).
double LineDifference(const QImage& image, int a, int b, bool columns) {
    double sum = 0;
    for (int i = 0; i < image.width(); ++i) {
        sum += columns ? ChannelDistance(image.pixel(a, i), image.pixel(b, i))
                       : ChannelDistance(image.pixel(i, a), image.pixel(i, b));
    }
    return sum / image.width();
}

// A tile repeats without a seam when the step from its last line to its
// first is no larger than the steps between neighbouring lines inside it.
void ExpectSeamless(const QImage& image, const char* name) {
    const int size = image.width();
    for (bool columns : {true, false}) {
        double largestInside = 0;
        for (int i = 0; i + 1 < size; ++i) {
            largestInside = std::max(largestInside, LineDifference(image, i, i + 1, columns));
        }
        EXPECT_LE(LineDifference(image, size - 1, 0, columns), largestInside * 1.25 + 0.5)
            << name << (columns ? " across its left and right edges" : " across top and bottom");
    }
}

TEST(TextureGeneratorTest, EveryStarterTextureIsASeamlessRepeatableTileOfItsPattern) {
    for (const StarterTexture& texture : StarterTextures()) {
        const QImage tile = GenerateTexture(texture.recipe, 64);
        ASSERT_EQ(tile.size(), QSize(64, 64)) << texture.name;
        ExpectSeamless(tile, texture.name);
        EXPECT_EQ(tile, GenerateTexture(texture.recipe, 64))
            << texture.name << " is not repeatable";

        QSet<QRgb> colours;
        for (int y = 0; y < tile.height(); ++y)
            for (int x = 0; x < tile.width(); ++x) colours.insert(tile.pixel(x, y) & 0xFFFFFF);
        if (texture.recipe.pattern == TexturePattern::Flat) {
            EXPECT_EQ(colours, QSet<QRgb>{texture.recipe.light & 0xFFFFFF}) << texture.name;
        } else {
            EXPECT_GT(colours.size(), 40) << texture.name << " shows no pattern";
        }
    }
}

TEST(TextureGeneratorTest, AnotherSeedGivesAnotherPictureOfTheSamePattern) {
    const TextureRecipe oak{TexturePattern::Wood, 0xD9A866, 0x8A5A2B, 1};
    TextureRecipe other = oak;
    other.seed = 2;
    EXPECT_NE(GenerateTexture(oak, 32), GenerateTexture(other, 32));
}

}  // namespace
}  // namespace velora
