// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace velora {

class CDrawingModel;

inline constexpr qint64 kMaxRasterFileBytes = qint64{1} << 30;
// The most pixels traced: a page of A3 at 1200 dpi.
inline constexpr qint64 kMaxTracedPixels = qint64{1} << 28;

// Decodes raster line art. Throws FormatError when the bytes are no picture
// or one of more than kMaxTracedPixels.
QImage DecodeLineArt(const QByteArray& bytes);

// Imports raster line art (a scan or a painting: PNG, JPEG, TIFF, BMP, GIF)
// as a template. The picture is decoded, turned grey on white paper, and the
// size dialog asks for the size together with the threshold between ink and
// paper (proposed by Otsu's method) and the size of the specks to drop. The
// outlines of the ink are then traced into curves, which are fitted to the
// size and drawn into the mask like those of any vector drawing. Throws
// FileError when the file cannot be read and FormatError when it is no
// picture or has more than kMaxTracedPixels; a cancelled size dialog leaves
// the model empty.
void LoadLineArtImage(CDrawingModel& model, const QString& path);

}  // namespace velora
