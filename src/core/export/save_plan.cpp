// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/save_plan.h"

#include "core/common/errors.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace velora {

namespace {
// Largest side libjpeg writes and GIF's 16-bit screen size.
constexpr int kMaxJpegSide = 65500;
constexpr int kMaxGifSide = 65535;
constexpr qint64 kMaxBmpFileBytes = 0xFFFFFFFFll;
constexpr qint64 kBmpHeaderBytes = 54;

EncoderKind KindOf(const Guid& encoderId) {
    if (encoderId == kBmpEncoderId) return EncoderKind::Bmp;
    if (encoderId == kJpegEncoderId) return EncoderKind::Jpeg;
    if (encoderId == kGifEncoderId) return EncoderKind::Gif;
    if (encoderId == kTiffEncoderId) return EncoderKind::Tiff;
    return EncoderKind::Png;
}

QString ParameterName(const Guid& guid) {
    if (guid == kEncoderQuality) return QStringLiteral("quality");
    if (guid == kEncoderTransformation) return QStringLiteral("transformation");
    if (guid == kEncoderCompression) return QStringLiteral("compression");
    if (guid == kEncoderColorDepth) return QStringLiteral("colour depth");
    return QStringLiteral("parameter ") + guid.ToString();
}

QString ValueList(const std::vector<int32_t>& values) {
    QStringList texts;
    for (int32_t value : values) texts += QString::number(value);
    return texts.join(QStringLiteral(", "));
}

// Throws unless the encoder lists the parameter and allows its value.
void CheckValue(const EncoderInfo& encoder, const EncoderParameter& parameter) {
    const auto info =
        std::ranges::find(encoder.parameters, parameter.guid, &EncoderParameterInfo::guid);
    const QString name = encoder.formatName + QLatin1Char(' ') + ParameterName(parameter.guid);
    if (info == encoder.parameters.end()) {
        throw VeloraError(QStringLiteral("the %1 encoder takes no %2")
                              .arg(encoder.formatName, ParameterName(parameter.guid)));
    }
    if (parameter.type != kValueTypeLong || parameter.numberOfValues != 1) {
        throw VeloraError(name + QStringLiteral(" must be given as one Long value"));
    }
    const int32_t value = parameter.value;
    if (info->type == kValueTypeLongRange) {
        if (value < info->values[0] || value > info->values[1]) {
            throw VeloraError(QStringLiteral("%1 %2 is outside %3 to %4")
                                  .arg(name)
                                  .arg(value)
                                  .arg(info->values[0])
                                  .arg(info->values[1]));
        }
    } else if (std::ranges::find(info->values, value) == info->values.end()) {
        throw VeloraError(QStringLiteral("%1 %2 is not one of %3")
                              .arg(name)
                              .arg(value)
                              .arg(ValueList(info->values)));
    }
}

bool IsBilevelCompression(int compression) {
    return compression == kCompressionCcitt3 || compression == kCompressionCcitt4 ||
           compression == kCompressionRle;
}

QString CompressionName(int compression) {
    switch (compression) {
        case kCompressionCcitt3:
            return QStringLiteral("CCITT3");
        case kCompressionCcitt4:
            return QStringLiteral("CCITT4");
        default:
            return QStringLiteral("RLE (CCITT)");
    }
}

// The last value given for the parameter, already checked.
std::optional<int32_t> ValueOf(const EncoderParameters* parameters, const Guid& guid) {
    std::optional<int32_t> value;
    if (!parameters) return value;
    for (const EncoderParameter& parameter : parameters->parameter) {
        if (parameter.guid == guid) value = parameter.value;
    }
    return value;
}

TiffOptions PlanTiff(const EncoderParameters* parameters, bool hasAlpha) {
    TiffOptions options;
    options.compression = ValueOf(parameters, kEncoderCompression).value_or(kCompressionLzw);
    const bool bilevel = IsBilevelCompression(options.compression);
    options.colorDepth = ValueOf(parameters, kEncoderColorDepth)
                             .value_or(bilevel    ? 1
                                       : hasAlpha ? 32
                                                  : 24);
    if (bilevel && options.colorDepth != 1) {
        throw VeloraError(QCoreApplication::translate(
                              "velora",
                              "%1 compression writes only black-and-white (1-bit) images, not "
                              "%2-bit ones; choose colour depth 1 or another compression. Nothing "
                              "was written.")
                              .arg(CompressionName(options.compression))
                              .arg(options.colorDepth));
    }
    return options;
}

JpegOptions PlanJpeg(const EncoderParameters* parameters) {
    JpegOptions options;
    options.quality = ValueOf(parameters, kEncoderQuality).value_or(options.quality);
    options.transformation = ValueOf(parameters, kEncoderTransformation).value_or(0);
    return options;
}

void CheckSize(EncoderKind kind, QSize size) {
    if (size.width() < 1 || size.height() < 1) {
        throw VeloraError(
            QCoreApplication::translate("velora", "an image of %1 x %2 pixels cannot be saved")
                .arg(size.width())
                .arg(size.height()));
    }
    const auto tooLarge = [&](const QString& limit) {
        return VeloraError(
            QCoreApplication::translate("velora", "an image of %1 x %2 pixels is too large for %3")
                .arg(size.width())
                .arg(size.height())
                .arg(limit));
    };
    const int longest = std::max(size.width(), size.height());
    if (kind == EncoderKind::Jpeg && longest > kMaxJpegSide) {
        throw tooLarge(QCoreApplication::translate("velora", "JPEG (at most %1 pixels a side)")
                           .arg(kMaxJpegSide));
    }
    if (kind == EncoderKind::Gif && longest > kMaxGifSide) {
        throw tooLarge(QCoreApplication::translate("velora", "GIF (at most %1 pixels a side)")
                           .arg(kMaxGifSide));
    }
    if (kind == EncoderKind::Bmp) {
        const qint64 rowBytes = (qint64(size.width()) * 3 + 3) / 4 * 4;
        if (rowBytes * size.height() + kBmpHeaderBytes > kMaxBmpFileBytes) {
            throw tooLarge(QCoreApplication::translate("velora", "a BMP file (at most 4 GB)"));
        }
    }
}
}  // namespace

SavePlan PlanSave(const Guid& encoderId, const EncoderParameters* parameters, QSize size,
                  bool hasAlpha) {
    const EncoderInfo* encoder = FindEncoder(encoderId);
    if (!encoder) {
        throw VeloraError(QStringLiteral("there is no image encoder with the identifier %1")
                              .arg(encoderId.ToString()));
    }
    if (parameters) {
        for (const EncoderParameter& parameter : parameters->parameter) {
            CheckValue(*encoder, parameter);
        }
    }
    SavePlan plan;
    plan.kind = KindOf(encoderId);
    CheckSize(plan.kind, size);
    if (plan.kind == EncoderKind::Jpeg) plan.jpeg = PlanJpeg(parameters);
    if (plan.kind == EncoderKind::Tiff) plan.tiff = PlanTiff(parameters, hasAlpha);
    return plan;
}

}  // namespace velora
