// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/encoder_table.h"

#include <algorithm>

namespace velora {

QString Guid::ToString() const {
    QString text = QStringLiteral("{%1-%2-%3-")
                       .arg(data1, 8, 16, QLatin1Char('0'))
                       .arg(data2, 4, 16, QLatin1Char('0'))
                       .arg(data3, 4, 16, QLatin1Char('0'));
    for (size_t i = 0; i < data4.size(); ++i) {
        if (i == 2) text += QLatin1Char('-');
        text += QStringLiteral("%1").arg(data4[i], 2, 16, QLatin1Char('0'));
    }
    return text.toUpper() + QLatin1Char('}');
}

namespace {
constexpr ExportFormat kFormats[] = {
    {kFormatBmp, "BMP", ".bmp", "image/bmp", OptionsPanel::None},
    {kFormatGif, "Graphics Interchange Format (GIF)", ".gif", "image/gif", OptionsPanel::None},
    {kFormatJpeg, "JPEG", ".jpg", "image/jpeg", OptionsPanel::Jpeg},
    {kFormatExif, "", ".exif", "image/exif", OptionsPanel::None},
    {kFormatPng, "PNG", ".png", "image/png", OptionsPanel::None},
    {kFormatTiff, "TIFF", ".tiff", "image/tiff", OptionsPanel::Tiff},
};

std::vector<EncoderInfo> MakeEncoders() {
    const EncoderParameterInfo transformation{
        kEncoderTransformation,
        kValueTypeLong,
        {kTransformRotate90, kTransformRotate180, kTransformRotate270, kTransformFlipHorizontal,
         kTransformFlipVertical}};
    const EncoderParameterInfo quality{kEncoderQuality, kValueTypeLongRange, {0, 100}};
    const EncoderParameterInfo compression{kEncoderCompression,
                                           kValueTypeLong,
                                           {kCompressionLzw, kCompressionCcitt3, kCompressionCcitt4,
                                            kCompressionRle, kCompressionNone}};
    const EncoderParameterInfo colorDepth{kEncoderColorDepth, kValueTypeLong, {1, 4, 8, 24, 32}};
    return {
        {kBmpEncoderId, QStringLiteral("BMP"), QStringLiteral("image/bmp"), {}},
        {kJpegEncoderId,
         QStringLiteral("JPEG"),
         QStringLiteral("image/jpeg"),
         {transformation, quality}},
        {kGifEncoderId, QStringLiteral("GIF"), QStringLiteral("image/gif"), {}},
        {kTiffEncoderId,
         QStringLiteral("TIFF"),
         QStringLiteral("image/tiff"),
         {compression, colorDepth}},
        {kPngEncoderId, QStringLiteral("PNG"), QStringLiteral("image/png"), {}},
    };
}

EncoderParameter LongParameter(const Guid& guid, int32_t value) {
    EncoderParameter parameter;
    parameter.guid = guid;
    parameter.value = value;
    return parameter;
}
}  // namespace

std::span<const ExportFormat> ExportFormats() { return kFormats; }

const ExportFormat* FindExportFormat(int code) {
    const auto it = std::ranges::find(kFormats, code, &ExportFormat::code);
    return it == std::end(kFormats) ? nullptr : &*it;
}

std::span<const EncoderInfo> ImageEncoders() {
    static const std::vector<EncoderInfo> encoders = MakeEncoders();
    return encoders;
}

const EncoderInfo* FindEncoder(const Guid& clsid) {
    const auto encoders = ImageEncoders();
    const auto it = std::ranges::find(encoders, clsid, &EncoderInfo::clsid);
    return it == encoders.end() ? nullptr : &*it;
}

int GetEncoderClsid(const QString& mimeType, Guid* clsid) {
    const auto encoders = ImageEncoders();
    for (size_t i = 0; i < encoders.size(); ++i) {
        if (encoders[i].mimeType == mimeType) {
            *clsid = encoders[i].clsid;
            return static_cast<int>(i);
        }
    }
    return -1;
}

EncoderParameters BuildJpegParameters(int32_t quality, int32_t transformation) {
    return {{LongParameter(kEncoderQuality, quality),
             LongParameter(kEncoderTransformation, transformation)}};
}

EncoderParameters BuildJpegQualityParameters(int32_t quality) {
    return {{LongParameter(kEncoderQuality, quality)}};
}

EncoderParameters BuildTiffParameters(int32_t compression, int32_t colorDepth) {
    return {{LongParameter(kEncoderCompression, compression),
             LongParameter(kEncoderColorDepth, colorDepth)}};
}

}  // namespace velora
