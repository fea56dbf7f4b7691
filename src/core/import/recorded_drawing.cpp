// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/recorded_drawing.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/import/chaining.h"
#include "core/import/conversion.h"
#include "core/import/entity_tally.h"
#include "core/import/import_checks.h"
#include "core/model/drawing_model.h"

#include <algorithm>

namespace velora {

QRectF RecordingBounds(QSizeF size) {
    const double longer = std::max(size.width(), size.height());
    if (!(longer > 0)) return QRectF(0, 0, kRecordingSide, kRecordingSide);
    const double scale = kRecordingSide / longer;
    return QRectF(0, 0, std::max(1.0, size.width() * scale), std::max(1.0, size.height() * scale));
}

QSizeF RecordedExtent(const RecordedFigures& figures) {
    QRectF extent;
    for (const Path& path : figures.paths) {
        const RectF b = path.WorldBounds();
        extent |= QRectF(b.x, b.y, b.width, b.height);
    }
    return extent.size() / figures.unitsPerDrawingUnit;
}

QByteArray ReadDrawingFile(const QString& path, qint64 maxSize) {
    FileBytes file = ReadBoundedFile(path, maxSize);
    if (file.status == FileBytes::Status::TooLarge) throw FormatError(file.reason);
    if (file.status != FileBytes::Status::Read) throw FileError(file.reason);
    if (file.bytes.isEmpty()) throw FormatError(EmptyFileReason());
    return std::move(file.bytes);
}

void ConvertRecordedFigures(CDrawingModel& model, RecordedFigures figures, EntityTally& leftOut) {
    if (figures.overflowed) {
        throw FormatError(QStringLiteral("the drawing holds more than %L1 points, more than a "
                                         "template can hold")
                              .arg(RecordingPaintDevice::kMaxPoints));
    }
    for (int i = 0; i < figures.images; ++i) leftOut.Count("IMAGE");
    if (figures.paths.empty()) throw FormatError(NothingToImportReason(leftOut));
    model.ImportPaths() = std::move(figures.paths);
    ChainImportPaths(model);
    model.ImportPaths().clear();
    ConvertObjectsToCurves(model);
}

}  // namespace velora
