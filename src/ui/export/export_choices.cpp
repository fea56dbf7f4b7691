// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/export_choices.h"

#include <QSettings>

#include <algorithm>

namespace velora {

namespace {
const QString kFormat = QStringLiteral("Export/Format");
const QString kMaintainAspectRatio = QStringLiteral("Export/MaintainAspectRatio");
const QString kJpegQuality = QStringLiteral("Export/JpegQuality");
const QString kTiffCompression = QStringLiteral("Export/TiffCompression");
const QString kTiffColorDepth = QStringLiteral("Export/TiffColorDepth");

int ReadOneOf(QSettings& settings, const QString& key, std::initializer_list<int> allowed,
              int fallback) {
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok && std::find(allowed.begin(), allowed.end(), value) != allowed.end() ? value
                                                                                   : fallback;
}
}  // namespace

ExportChoices ExportChoices::Read(QSettings& settings) {
    ExportChoices choices;
    choices.format = ReadOneOf(settings, kFormat, {1, 2, 3, 5, 6}, choices.format);
    choices.maintainAspectRatio =
        settings.value(kMaintainAspectRatio, choices.maintainAspectRatio).toBool();
    bool ok = false;
    const int quality = settings.value(kJpegQuality).toInt(&ok);
    if (ok && quality >= 0 && quality <= 100) choices.jpegQuality = quality;
    choices.tiffCompression = ReadOneOf(settings, kTiffCompression,
                                        {kCompressionLzw, kCompressionCcitt3, kCompressionCcitt4,
                                         kCompressionRle, kCompressionNone},
                                        choices.tiffCompression);
    choices.tiffColorDepth =
        ReadOneOf(settings, kTiffColorDepth, {1, 4, 8, 24, 32}, choices.tiffColorDepth);
    return choices;
}

void ExportChoices::Write(QSettings& settings) const {
    settings.setValue(kFormat, format);
    settings.setValue(kMaintainAspectRatio, maintainAspectRatio);
    settings.setValue(kJpegQuality, jpegQuality);
    settings.setValue(kTiffCompression, tiffCompression);
    settings.setValue(kTiffColorDepth, tiffColorDepth);
}

}  // namespace velora
