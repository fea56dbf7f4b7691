// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/encoder_table.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(EncoderTable, IdentifiersKeepTheirPublishedText) {
    EXPECT_EQ(kBmpEncoderId.ToString(), "{557CF400-1A04-11D3-9A73-0000F81EF32E}");
    EXPECT_EQ(kJpegEncoderId.ToString(), "{557CF401-1A04-11D3-9A73-0000F81EF32E}");
    EXPECT_EQ(kGifEncoderId.ToString(), "{557CF402-1A04-11D3-9A73-0000F81EF32E}");
    EXPECT_EQ(kTiffEncoderId.ToString(), "{557CF405-1A04-11D3-9A73-0000F81EF32E}");
    EXPECT_EQ(kPngEncoderId.ToString(), "{557CF406-1A04-11D3-9A73-0000F81EF32E}");
    EXPECT_EQ(kEncoderQuality.ToString(), "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}");
    EXPECT_EQ(kEncoderTransformation.ToString(), "{8D0EB2D1-A58E-4EA8-AA14-108074B7B6F9}");
    EXPECT_EQ(kEncoderCompression.ToString(), "{E09D739D-CCD4-44EE-8EBA-3FBF8BE4FC58}");
    EXPECT_EQ(kEncoderColorDepth.ToString(), "{66087055-AD66-4C7C-9A18-38A2310B8337}");
    EXPECT_TRUE(Guid{}.IsNull());
    EXPECT_FALSE(kPngEncoderId.IsNull());
}

TEST(EncoderTable, GetEncoderClsidFindsEachMimeTypeAtItsIndex) {
    const struct {
        const char* mime;
        int index;
        Guid id;
    } cases[] = {{"image/bmp", 0, kBmpEncoderId},
                 {"image/jpeg", 1, kJpegEncoderId},
                 {"image/gif", 2, kGifEncoderId},
                 {"image/tiff", 3, kTiffEncoderId},
                 {"image/png", 4, kPngEncoderId}};
    for (const auto& c : cases) {
        Guid id;
        EXPECT_EQ(GetEncoderClsid(QString::fromLatin1(c.mime), &id), c.index) << c.mime;
        EXPECT_EQ(id, c.id) << c.mime;
        EXPECT_EQ(FindEncoder(c.id), &ImageEncoders()[size_t(c.index)]);
    }
}

TEST(EncoderTable, UnknownMimeTypeGivesMinusOneAndKeepsTheIdentifier) {
    for (const char* mime : {"image/exif", "IMAGE/PNG", "image/png ", "", "image/jpg"}) {
        Guid id = kGifEncoderId;
        EXPECT_EQ(GetEncoderClsid(QString::fromLatin1(mime), &id), -1) << mime;
        EXPECT_EQ(id, kGifEncoderId) << mime;
    }
    EXPECT_EQ(FindEncoder(Guid{}), nullptr);
}

TEST(EncoderTable, JpegListsTransformationsAndAQualityRange) {
    const EncoderInfo* jpeg = FindEncoder(kJpegEncoderId);
    ASSERT_NE(jpeg, nullptr);
    ASSERT_EQ(jpeg->parameters.size(), 2u);
    const EncoderParameterInfo& transformation = jpeg->parameters[0];
    EXPECT_EQ(transformation.guid, kEncoderTransformation);
    EXPECT_EQ(transformation.type, kValueTypeLong);
    EXPECT_EQ(transformation.values, (std::vector<int32_t>{13, 14, 15, 16, 17}));
    const EncoderParameterInfo& quality = jpeg->parameters[1];
    EXPECT_EQ(quality.guid, kEncoderQuality);
    EXPECT_EQ(quality.type, kValueTypeLongRange);
    EXPECT_EQ(quality.values, (std::vector<int32_t>{0, 100}));
}

TEST(EncoderTable, TiffListsCompressionsAndColourDepths) {
    const EncoderInfo* tiff = FindEncoder(kTiffEncoderId);
    ASSERT_NE(tiff, nullptr);
    ASSERT_EQ(tiff->parameters.size(), 2u);
    EXPECT_EQ(tiff->parameters[0].guid, kEncoderCompression);
    EXPECT_EQ(tiff->parameters[0].type, kValueTypeLong);
    EXPECT_EQ(tiff->parameters[0].values, (std::vector<int32_t>{2, 3, 4, 5, 6}));
    EXPECT_EQ(tiff->parameters[1].guid, kEncoderColorDepth);
    EXPECT_EQ(tiff->parameters[1].type, kValueTypeLong);
    EXPECT_EQ(tiff->parameters[1].values, (std::vector<int32_t>{1, 4, 8, 24, 32}));
}

TEST(EncoderTable, BmpGifAndPngTakeNoParameters) {
    for (const Guid& id : {kBmpEncoderId, kGifEncoderId, kPngEncoderId}) {
        ASSERT_NE(FindEncoder(id), nullptr);
        EXPECT_TRUE(FindEncoder(id)->parameters.empty())
            << FindEncoder(id)->formatName.toStdString();
    }
}

TEST(EncoderTable, BuildParametersMakesTheTwoParameterBlockOfEachPanel) {
    const EncoderParameters jpeg = BuildJpegParameters(85, kTransformFlipVertical);
    ASSERT_EQ(jpeg.Count(), 2u);
    EXPECT_EQ(jpeg.parameter[0].guid, kEncoderQuality);
    EXPECT_EQ(jpeg.parameter[0].value, 85);
    EXPECT_EQ(jpeg.parameter[1].guid, kEncoderTransformation);
    EXPECT_EQ(jpeg.parameter[1].value, 17);

    const EncoderParameters tiff = BuildTiffParameters(kCompressionCcitt4, 1);
    ASSERT_EQ(tiff.Count(), 2u);
    EXPECT_EQ(tiff.parameter[0].guid, kEncoderCompression);
    EXPECT_EQ(tiff.parameter[0].value, 4);
    EXPECT_EQ(tiff.parameter[1].guid, kEncoderColorDepth);
    EXPECT_EQ(tiff.parameter[1].value, 1);

    for (const EncoderParameters* block : {&jpeg, &tiff}) {
        for (const EncoderParameter& parameter : block->parameter) {
            EXPECT_EQ(parameter.type, kValueTypeLong);
            EXPECT_EQ(parameter.numberOfValues, 1u);
        }
    }
}

TEST(EncoderTable, FormatsCarryTheirCodesTextsExtensionsAndMimeTypes) {
    const auto formats = ExportFormats();
    ASSERT_EQ(formats.size(), 6u);
    const struct {
        int code;
        const char* text;
        const char* extension;
        const char* mime;
        OptionsPanel panel;
    } expected[] = {
        {1, "BMP", ".bmp", "image/bmp", OptionsPanel::None},
        {2, "Graphics Interchange Format (GIF)", ".gif", "image/gif", OptionsPanel::None},
        {3, "JPEG", ".jpg", "image/jpeg", OptionsPanel::Jpeg},
        {4, "", ".exif", "image/exif", OptionsPanel::None},
        {5, "PNG", ".png", "image/png", OptionsPanel::None},
        {6, "TIFF", ".tiff", "image/tiff", OptionsPanel::Tiff},
    };
    for (const auto& e : expected) {
        const ExportFormat* format = FindExportFormat(e.code);
        ASSERT_NE(format, nullptr) << e.code;
        EXPECT_STREQ(format->comboText, e.text);
        EXPECT_STREQ(format->extension, e.extension);
        EXPECT_STREQ(format->mimeType, e.mime);
        EXPECT_EQ(format->panel, e.panel);
    }
    EXPECT_EQ(FindExportFormat(0), nullptr);
    EXPECT_EQ(FindExportFormat(7), nullptr);
}

TEST(EncoderTable, EveryListedFormatHasAnEncoderAndExifHasNone) {
    for (const ExportFormat& format : ExportFormats()) {
        Guid id;
        const int index = GetEncoderClsid(QString::fromLatin1(format.mimeType), &id);
        if (format.code == kFormatExif) {
            EXPECT_EQ(index, -1);
        } else {
            EXPECT_GE(index, 0) << format.mimeType;
        }
    }
}

}  // namespace
}  // namespace velora
