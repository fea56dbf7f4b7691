// SPDX-License-Identifier: GPL-3.0-or-later
#include "codec_readers.h"
#include "core/common/errors.h"
#include "core/export/image_encoders.h"
#include "export_test_images.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tiffio.h>

namespace velora {
namespace {

using test::ChannelDistance;

struct TiffCase {
    int compression;
    int depth;
};

class TiffEncoder : public ::testing::Test {
protected:
    QString Save(const QImage& image, int compression, int depth) {
        const QString path =
            m_dir.filePath(QStringLiteral("c%1d%2.tiff").arg(compression).arg(depth));
        const EncoderParameters block = BuildTiffParameters(compression, depth);
        SaveImage(image, path, kTiffEncoderId, &block);
        return path;
    }
    QTemporaryDir m_dir;
};

class TiffCombination : public TiffEncoder, public ::testing::WithParamInterface<TiffCase> {};

uint16_t ExpectedCompressionTag(int compression) {
    switch (compression) {
        case kCompressionLzw:
            return COMPRESSION_LZW;
        case kCompressionCcitt3:
            return COMPRESSION_CCITTFAX3;
        case kCompressionCcitt4:
            return COMPRESSION_CCITTFAX4;
        case kCompressionRle:
            return COMPRESSION_CCITTRLE;
        default:
            return COMPRESSION_NONE;
    }
}

// Every combination the encoder can write comes back from libtiff with the
// compression, depth and photometric asked for, and Qt reads it too.
TEST_P(TiffCombination, WritesTheCompressionAndDepthAskedFor) {
    const auto [compression, depth] = GetParam();
    const QImage image = test::QuadrantImage(50, 30);
    const QString path = Save(image, compression, depth);
    const test::TiffFacts facts = test::ReadTiff(path);
    ASSERT_TRUE(facts.ok);
    EXPECT_EQ(facts.width, 50u);
    EXPECT_EQ(facts.height, 30u);
    EXPECT_EQ(facts.compression, ExpectedCompressionTag(compression));
    EXPECT_EQ(facts.bitsPerSample * facts.samplesPerPixel, depth);
    switch (depth) {
        case 1:
            EXPECT_EQ(facts.photometric, PHOTOMETRIC_MINISWHITE);
            break;
        case 4:
        case 8:
            EXPECT_EQ(facts.photometric, PHOTOMETRIC_PALETTE);
            EXPECT_EQ(facts.colormapEntries, size_t(1) << depth);
            break;
        default:
            EXPECT_EQ(facts.photometric, PHOTOMETRIC_RGB);
            EXPECT_EQ(facts.bitsPerSample, 8);
            break;
    }
    if (depth == 32) {
        EXPECT_EQ(facts.extraSamples, std::vector<uint16_t>{EXTRASAMPLE_UNASSALPHA});
    }

    QImageReader reader(path);
    EXPECT_EQ(reader.read().size(), QSize(50, 30)) << reader.errorString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    AllCombinations, TiffCombination,
    ::testing::Values(TiffCase{kCompressionLzw, 1}, TiffCase{kCompressionLzw, 4},
                      TiffCase{kCompressionLzw, 8}, TiffCase{kCompressionLzw, 24},
                      TiffCase{kCompressionLzw, 32}, TiffCase{kCompressionNone, 1},
                      TiffCase{kCompressionNone, 4}, TiffCase{kCompressionNone, 8},
                      TiffCase{kCompressionNone, 24}, TiffCase{kCompressionNone, 32},
                      TiffCase{kCompressionCcitt3, 1}, TiffCase{kCompressionCcitt4, 1},
                      TiffCase{kCompressionRle, 1}),
    [](const auto& info) {
        return "Compression" + std::to_string(info.param.compression) + "Depth" +
               std::to_string(info.param.depth);
    });

TEST_F(TiffEncoder, TrueColourRowsAreExact) {
    const QImage image = test::PatternImage(33, 17);
    for (int compression : {kCompressionLzw, kCompressionNone}) {
        const test::TiffFacts facts = test::ReadTiff(Save(image, compression, 24));
        ASSERT_TRUE(facts.ok);
        EXPECT_EQ(facts.predictor, compression == kCompressionLzw ? PREDICTOR_HORIZONTAL : 1);
        for (int y = 0; y < 17; ++y) {
            const uchar* source = image.constScanLine(y);
            ASSERT_TRUE(std::equal(source, source + 33 * 3, facts.rows[size_t(y)].begin()))
                << "row " << y;
        }
    }
}

TEST_F(TiffEncoder, ThirtyTwoBitsKeepAlpha) {
    QImage image = test::PatternImage(9, 5, QImage::Format_ARGB32);
    image.setPixel(3, 2, qRgba(40, 50, 60, 70));
    const test::TiffFacts facts = test::ReadTiff(Save(image, kCompressionLzw, 32));
    ASSERT_TRUE(facts.ok);
    const uint8_t* p = facts.rows[2].data() + 3 * 4;
    EXPECT_EQ(p[0], 40);
    EXPECT_EQ(p[1], 50);
    EXPECT_EQ(p[2], 60);
    EXPECT_EQ(p[3], 70);
    EXPECT_EQ(facts.rows[0][3], 255);  // opaque elsewhere
}

TEST_F(TiffEncoder, PalettesHoldFewColoursExactly) {
    const QImage image = test::QuadrantImage(20, 10);
    for (int depth : {4, 8}) {
        const test::TiffFacts facts = test::ReadTiff(Save(image, kCompressionLzw, depth));
        ASSERT_TRUE(facts.ok);
        for (uint32_t y = 0; y < 10; ++y) {
            for (uint32_t x = 0; x < 20; ++x) {
                ASSERT_LE(ChannelDistance(facts.Pixel(x, y), image.pixel(int(x), int(y))), 1)
                    << depth << ": " << x << "," << y;
            }
        }
    }
}

TEST_F(TiffEncoder, SixteenColoursFollowASmoothImageOnAverage) {
    const QImage image = test::PatternImage(64, 64);
    const test::TiffFacts facts = test::ReadTiff(Save(image, kCompressionNone, 4));
    ASSERT_TRUE(facts.ok);
    long sumSource = 0, sumSaved = 0;
    for (uint32_t y = 0; y < 64; ++y) {
        for (uint32_t x = 0; x < 64; ++x) {
            sumSource += qRed(image.pixel(int(x), int(y))) + qGreen(image.pixel(int(x), int(y)));
            sumSaved += qRed(facts.Pixel(x, y)) + qGreen(facts.Pixel(x, y));
        }
    }
    EXPECT_NEAR(double(sumSaved) / (64 * 64 * 2), double(sumSource) / (64 * 64 * 2), 4.0);
}

TEST_F(TiffEncoder, SmallPalettesKeepPureWhiteAndBlack) {
    // A white page with black outlines around a texture of many colours,
    // light ones among them, that pull a free palette's white entry off
    // pure white.
    QImage image(96, 64, QImage::Format_RGB888);
    image.fill(Qt::white);
    for (int y = 8; y < 56; ++y) {
        for (int x = 8; x < 88; ++x) {
            image.setPixel(x, y, qRgb((x * 37 + y * 91) % 256, (x * 53 + y * 29) % 256, 160 + x));
        }
    }
    for (int x = 0; x < 96; ++x) image.setPixel(x, 4, qRgb(0, 0, 0));
    for (int depth : {4, 8}) {
        const test::TiffFacts facts = test::ReadTiff(Save(image, kCompressionNone, depth));
        ASSERT_TRUE(facts.ok);
        EXPECT_EQ(facts.Pixel(0, 0), qRgb(255, 255, 255)) << depth;
        EXPECT_EQ(facts.Pixel(95, 63), qRgb(255, 255, 255)) << depth;
        EXPECT_EQ(facts.Pixel(50, 4), qRgb(0, 0, 0)) << depth;
    }
}

TEST_F(TiffEncoder, BilevelIsBlackAndWhiteWithGreyAsDots) {
    QImage image(64, 32, QImage::Format_RGB888);
    image.fill(Qt::white);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (x < 16) image.setPixel(x, y, qRgb(0, 0, 0));
            if (x >= 32) image.setPixel(x, y, qRgb(128, 128, 128));
        }
    }
    for (int compression :
         {kCompressionCcitt3, kCompressionCcitt4, kCompressionRle, kCompressionLzw}) {
        const test::TiffFacts facts = test::ReadTiff(Save(image, compression, 1));
        ASSERT_TRUE(facts.ok) << compression;
        int blackInGrey = 0;
        for (uint32_t y = 0; y < 32; ++y) {
            for (uint32_t x = 0; x < 64; ++x) {
                const int level = qRed(facts.Pixel(x, y));
                ASSERT_TRUE(level == 0 || level == 255);
                const int expected = x < 16 ? 0 : x < 32 ? 255 : level;
                ASSERT_EQ(level, expected) << x << "," << y;
                if (x >= 32 && level == 0) ++blackInGrey;
            }
        }
        // Grey 128 is half black, half white.
        EXPECT_NEAR(blackInGrey, 32 * 32 / 2, 32) << compression;
    }
}

TEST_F(TiffEncoder, DefaultsToLzwAt24Bits) {
    const QString path = m_dir.filePath("plain.tiff");
    SaveImage(test::PatternImage(8, 8), path, kTiffEncoderId, nullptr);
    const test::TiffFacts facts = test::ReadTiff(path);
    EXPECT_EQ(facts.compression, COMPRESSION_LZW);
    EXPECT_EQ(facts.samplesPerPixel, 3);
}

TEST_F(TiffEncoder, BilevelCompressionAtHigherDepthWritesNothing) {
    for (int compression : {kCompressionCcitt3, kCompressionCcitt4, kCompressionRle}) {
        for (int depth : {4, 8, 24, 32}) {
            EXPECT_THROW(Save(test::PatternImage(8, 8), compression, depth), FileError);
        }
    }
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

}  // namespace
}  // namespace velora
