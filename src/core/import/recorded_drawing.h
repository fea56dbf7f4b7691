// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/import/recording_paint_device.h"

#include <QByteArray>
#include <QPainter>
#include <QRectF>
#include <QSizeF>

namespace velora {

class CDrawingModel;
class EntityTally;

// Drawings are recorded with their larger side this many units long, whatever
// units they declare: pieces whose ends round to the same unit meet, so this
// is how close, relative to the drawing, ends must be to be chained.
inline constexpr double kRecordingSide = 10000;

// The rectangle a drawing of the size is recorded into: at the origin, its
// larger side kRecordingSide long.
QRectF RecordingBounds(QSizeF size);

// What paint (a function of a painter and the bounds to paint into) paints
// of a drawing of the size, recorded.
template <typename Paint>
RecordedFigures RecordDrawing(QSizeF size, Paint&& paint) {
    const QRectF bounds = RecordingBounds(size);
    RecordingPaintDevice device(bounds.size().toSize());
    {
        QPainter painter(&device);
        paint(painter, bounds);
    }
    RecordedFigures figures = device.TakeFigures();
    if (size.width() > 0) figures.unitsPerDrawingUnit = bounds.width() / size.width();
    return figures;
}

// The width and height of all figures, in the drawing's own units.
QSizeF RecordedExtent(const RecordedFigures& figures);

// The whole file of a drawing. Throws FormatError when it is empty or larger
// than maxSize and FileError when it cannot be read.
QByteArray ReadDrawingFile(const QString& path, qint64 maxSize);

// Hands the figures of a recording to the import: pictures are counted as
// IMAGE in leftOut, a recording that had to drop points or holds no figure is
// refused (FormatError), and the figures are chained (closed ones stay by
// themselves) and converted to curves.
void ConvertRecordedFigures(CDrawingModel& model, RecordedFigures figures, EntityTally& leftOut);

}  // namespace velora
