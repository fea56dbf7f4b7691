// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

class CDrawingModel;
class EntityTally;

// What a drawing is, by its lower-cased extension (with the dot).
enum class DrawingKind { None, Metafile, Dxf, Svg, Pdf, Raster };
DrawingKind DrawingKindOf(const QString& path);

// Opens a file into the model by its lower-cased extension: a Windows or
// enhanced metafile (.wmf, .emf), a DXF drawing (.dxf), an SVG drawing (.svg,
// .svgz), a PDF document (.pdf) or raster line art (.png, .jpg, .jpeg, .tif,
// .tiff, .bmp, .gif) is imported, any other name is read as a template or
// design file. The model is cleared
// first. Returns false when a template or design file cannot be opened.
// Import failures throw MetafileError, FormatError or FileError whose
// File() is the file and whose Reason() the cause; the model is
// left empty then. The DXF entity types a drawing's import passed over (and
// the pictures in SVG and PDF drawings, as IMAGE) are counted in
// ignoredEntities when it is given.
bool ImportFile(CDrawingModel& model, const QString& path, EntityTally* ignoredEntities = nullptr);

}  // namespace velora
