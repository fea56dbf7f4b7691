// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/save_plan.h"
#include "core/common/errors.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

const QSize kSize(40, 30);

// The message of the VeloraError the plan throws, or "" when it plans.
QString Refusal(const Guid& id, const EncoderParameters* parameters, QSize size = kSize) {
    try {
        PlanSave(id, parameters, size, false);
    } catch (const VeloraError& error) {
        return error.Message();
    }
    return {};
}

TEST(SavePlan, DefaultsWithoutParameters) {
    const SavePlan jpeg = PlanSave(kJpegEncoderId, nullptr, kSize, false);
    EXPECT_EQ(jpeg.kind, EncoderKind::Jpeg);
    EXPECT_EQ(jpeg.jpeg.quality, 75);
    EXPECT_EQ(jpeg.jpeg.transformation, 0);

    const SavePlan tiff = PlanSave(kTiffEncoderId, nullptr, kSize, false);
    EXPECT_EQ(tiff.kind, EncoderKind::Tiff);
    EXPECT_EQ(tiff.tiff.compression, kCompressionLzw);
    EXPECT_EQ(tiff.tiff.colorDepth, 24);
    EXPECT_EQ(PlanSave(kTiffEncoderId, nullptr, kSize, true).tiff.colorDepth, 32);

    EXPECT_EQ(PlanSave(kBmpEncoderId, nullptr, kSize, false).kind, EncoderKind::Bmp);
    EXPECT_EQ(PlanSave(kGifEncoderId, nullptr, kSize, false).kind, EncoderKind::Gif);
    EXPECT_EQ(PlanSave(kPngEncoderId, nullptr, kSize, false).kind, EncoderKind::Png);
}

TEST(SavePlan, PanelBlocksAreTakenAsGiven) {
    const EncoderParameters jpegBlock = BuildJpegParameters(0, kTransformRotate270);
    const SavePlan jpeg = PlanSave(kJpegEncoderId, &jpegBlock, kSize, false);
    EXPECT_EQ(jpeg.jpeg.quality, 0);
    EXPECT_EQ(jpeg.jpeg.transformation, kTransformRotate270);

    for (int depth : {1, 4, 8, 24, 32}) {
        for (int compression : {kCompressionLzw, kCompressionNone}) {
            const EncoderParameters block = BuildTiffParameters(compression, depth);
            const SavePlan tiff = PlanSave(kTiffEncoderId, &block, kSize, false);
            EXPECT_EQ(tiff.tiff.compression, compression);
            EXPECT_EQ(tiff.tiff.colorDepth, depth);
        }
    }
}

TEST(SavePlan, BilevelCompressionsRefuseEveryDepthButOne) {
    for (int compression : {kCompressionCcitt3, kCompressionCcitt4, kCompressionRle}) {
        const EncoderParameters one = BuildTiffParameters(compression, 1);
        EXPECT_EQ(PlanSave(kTiffEncoderId, &one, kSize, false).tiff.colorDepth, 1);
        for (int depth : {4, 8, 24, 32}) {
            const EncoderParameters block = BuildTiffParameters(compression, depth);
            const QString message = Refusal(kTiffEncoderId, &block);
            EXPECT_TRUE(message.contains("1-bit")) << message.toStdString();
            EXPECT_TRUE(message.contains(QString::number(depth))) << message.toStdString();
            EXPECT_TRUE(message.contains("Nothing was written")) << message.toStdString();
        }
    }
    const EncoderParameters ccitt3 = BuildTiffParameters(kCompressionCcitt3, 24);
    EXPECT_TRUE(Refusal(kTiffEncoderId, &ccitt3).contains("CCITT3"));
}

TEST(SavePlan, BilevelCompressionAloneChoosesOneBit) {
    EncoderParameters block;
    block.parameter.push_back({kEncoderCompression, 1, kValueTypeLong, kCompressionCcitt4});
    EXPECT_EQ(PlanSave(kTiffEncoderId, &block, kSize, false).tiff.colorDepth, 1);
}

TEST(SavePlan, ValuesOutsideTheEncodersListAreRefused) {
    const EncoderParameters highQuality = BuildJpegParameters(101, kTransformRotate90);
    EXPECT_TRUE(Refusal(kJpegEncoderId, &highQuality).contains("101 is outside 0 to 100"));
    const EncoderParameters lowQuality = BuildJpegParameters(-1, kTransformRotate90);
    EXPECT_FALSE(Refusal(kJpegEncoderId, &lowQuality).isEmpty());
    const EncoderParameters transformation = BuildJpegParameters(50, 12);
    EXPECT_TRUE(
        Refusal(kJpegEncoderId, &transformation).contains("12 is not one of 13, 14, 15, 16, 17"));
    const EncoderParameters compression = BuildTiffParameters(1, 24);
    EXPECT_TRUE(Refusal(kTiffEncoderId, &compression).contains("compression 1"));
    const EncoderParameters depth = BuildTiffParameters(kCompressionLzw, 16);
    EXPECT_TRUE(Refusal(kTiffEncoderId, &depth).contains("colour depth 16"));
}

TEST(SavePlan, ParametersTheEncoderDoesNotListAreRefused) {
    const EncoderParameters tiffBlock = BuildTiffParameters(kCompressionLzw, 24);
    EXPECT_TRUE(Refusal(kJpegEncoderId, &tiffBlock).contains("JPEG encoder takes no compression"));
    const EncoderParameters jpegBlock = BuildJpegParameters(90, kTransformRotate90);
    for (const Guid& id : {kBmpEncoderId, kGifEncoderId, kPngEncoderId, kTiffEncoderId}) {
        EXPECT_TRUE(Refusal(id, &jpegBlock).contains("takes no quality"));
    }
    const EncoderParameters empty;
    EXPECT_TRUE(Refusal(kPngEncoderId, &empty).isEmpty());
}

TEST(SavePlan, ParametersMustBeOneLongValue) {
    EncoderParameters range = BuildJpegParameters(50, kTransformRotate90);
    range.parameter[0].type = kValueTypeLongRange;
    EXPECT_TRUE(Refusal(kJpegEncoderId, &range).contains("one Long value"));
    EncoderParameters two = BuildJpegParameters(50, kTransformRotate90);
    two.parameter[1].numberOfValues = 2;
    EXPECT_TRUE(Refusal(kJpegEncoderId, &two).contains("one Long value"));
}

TEST(SavePlan, UnknownEncoderIsRefused) {
    EXPECT_TRUE(Refusal(Guid{}, nullptr).contains("no image encoder"));
}

TEST(SavePlan, SizesBeyondTheFormatAreRefused) {
    EXPECT_FALSE(Refusal(kPngEncoderId, nullptr, QSize(0, 5)).isEmpty());
    EXPECT_FALSE(Refusal(kPngEncoderId, nullptr, QSize(5, -1)).isEmpty());
    EXPECT_TRUE(Refusal(kJpegEncoderId, nullptr, QSize(65500, 1)).isEmpty());
    EXPECT_TRUE(Refusal(kJpegEncoderId, nullptr, QSize(1, 65501)).contains("JPEG"));
    EXPECT_TRUE(Refusal(kGifEncoderId, nullptr, QSize(65535, 2)).isEmpty());
    EXPECT_TRUE(Refusal(kGifEncoderId, nullptr, QSize(65536, 2)).contains("GIF"));
    // 37836 pixels a side stay under the 4 GB of a BMP file, 37840 do not.
    EXPECT_TRUE(Refusal(kBmpEncoderId, nullptr, QSize(37836, 37836)).isEmpty());
    EXPECT_TRUE(Refusal(kBmpEncoderId, nullptr, QSize(37840, 37840)).contains("BMP"));
    EXPECT_TRUE(Refusal(kPngEncoderId, nullptr, QSize(100000, 100000)).isEmpty());
}

}  // namespace
}  // namespace velora
