// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/raster_import.h"

#include "core/common/errors.h"
#include "core/import/entity_tally.h"
#include "core/import/line_art_trace.h"
#include "core/import/recorded_drawing.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"
#include "core/model/image_decoder.h"

#include <QCoreApplication>

namespace velora {

QImage DecodeLineArt(const QByteArray& bytes) {
    const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        static_cast<size_t>(bytes.size()));
    const QSize size = ProbeImageSize(data, ImageFormats::Stored);
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxTracedPixels) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "the picture is too large to trace (%1 x %2 pixels; at "
                                        "most %L3 pixels)")
                .arg(size.width())
                .arg(size.height())
                .arg(kMaxTracedPixels));
    }
    QString reason;
    const QImage image = DecodeImage(data, ImageFormats::Stored, &reason);
    if (image.isNull()) {
        throw FormatError(
            reason.isEmpty()
                ? QCoreApplication::translate("velora", "is not a picture")
                : QCoreApplication::translate("velora", "is not a readable picture: %1")
                      .arg(reason));
    }
    return image;
}

void LoadLineArtImage(CDrawingModel& model, const QString& path) {
    model.Clear();
    DrawingSizeRequest question;
    question.lineArt = LineArtGrey(DecodeLineArt(ReadDrawingFile(path, kMaxRasterFileBytes)));
    question.extent = question.lineArt.size();
    question.threshold = OtsuThreshold(question.lineArt);
    std::optional<SizingAnswer> answer = AskImportSize(model, question);
    if (!answer) return;
    const DrawingSizeAnswer& choice = answer->choice;
    RecordedFigures outlines;
    outlines.paths =
        TraceLineArt(question.lineArt, choice.threshold, choice.speckSize, model.User());
    EntityTally nothingLeftOut;
    ConvertRecordedFigures(model, std::move(outlines), nothingLeftOut);
    ApplyDrawingSize(model, std::move(*answer));
}

}  // namespace velora
