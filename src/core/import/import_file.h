// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace velora {

class CDrawingModel;
class EntityTally;

// A kind of drawing the import reads, known by the extensions of its files
// (lower case, without the dot). Its reader imports the file into the
// cleared model as a template, counting what the template leaves out, and
// throws MetafileError, FormatError or FileError when it cannot; a file
// that is not what its extension claims, is empty, or gives no outline is
// refused before the size is asked.
// What a format lets the user choose besides the size.
enum class DrawingChoice { None, Page, Threshold };
struct DrawingFormat {
    QStringList extensions;
    void (*import)(CDrawingModel& model, const QString& path, EntityTally& leftOut);
    DrawingChoice choice = DrawingChoice::None;
};

// Every drawing format, in the order the Open dialog offers them.
const std::vector<DrawingFormat>& DrawingFormats();
// The extensions of all drawing formats, in that order.
QStringList DrawingExtensions();
// The format of the file by its extension (in any case), or null.
const DrawingFormat* DrawingFormatOf(const QString& path);
// Whether the file's extension (in any case) is a drawing format's.
bool IsDrawingFile(const QString& path);

// Opens a file into the model by its lower-cased extension: a drawing is
// imported by its format's reader, any other name is read as a template or
// design file. The model is cleared first. Returns false when a template or
// design file cannot be opened; one that is no model stream throws
// WrongFormatError. Import failures throw MetafileError,
// FormatError or FileError whose File() is the file and whose Reason() the
// cause; the model is left empty then. What a drawing held that the
// template leaves out is counted in leftOut when it is given.
bool ImportFile(CDrawingModel& model, const QString& path, EntityTally* leftOut = nullptr);

}  // namespace velora
