// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/import/recording_paint_device.h"

#include <QByteArray>
#include <QString>

namespace velora {

class CDrawingModel;
class EntityTally;

inline constexpr qint64 kMaxSvgFileBytes = qint64{256} << 20;
// A compressed drawing may unpack to no more than a plain one may hold, so
// that a small file cannot claim more memory than a large one.
inline constexpr qint64 kMaxSvgTextBytes = kMaxSvgFileBytes;
// Elements a drawing may paint, counting every element a "use" repeats.
inline constexpr qint64 kMaxSvgElements = 4'000'000;
// How deep elements may nest, and "use" may refer through other uses.
inline constexpr int kMaxSvgDepth = 512;

// The text of an SVG drawing, unpacked when it is gzip-compressed (.svgz).
// Throws FormatError when it does not unpack or unpacks to more than
// kMaxSvgTextBytes.
QByteArray SvgText(const QByteArray& bytes);

// Why the SVG text cannot be drawn within the limits above (too deep, or
// more elements than kMaxSvgElements once every "use" is repeated), or empty
// when it can.
QString SvgComplexityRefusal(const QByteArray& text);

// Renders the SVG text into a recording paint device, its view box scaled to
// RecordingBounds. Throws FormatError when the text is no SVG drawing or is
// beyond the limits above.
RecordedFigures RecordSvg(const QByteArray& text);

// Imports an SVG drawing (.svg, or gzip-compressed .svgz) as a template:
// renders it into a recording paint device, chains and converts what it
// painted, and sizes the drawing. Throws FileError when the file cannot be
// read and FormatError when it is no SVG drawing or beyond the limits above.
// Pictures in it are counted as IMAGE in ignored when it is given.
void LoadSvgFile(CDrawingModel& model, const QString& path, EntityTally* ignored = nullptr);

}  // namespace velora
