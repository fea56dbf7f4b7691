// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

class CDrawingModel;

// Opens a file into the model by its lower-cased extension: a Windows or
// enhanced metafile (.wmf, .emf) or a DXF drawing (.dxf) is imported, any
// other name is read as a template or design file. The model is cleared
// first. Returns false when a template or design file cannot be opened.
// Import failures throw MetafileError, FormatError or FileError whose
// message names the file ("Can't import name.ext: cause"); the model is
// left empty then.
bool ImportFile(CDrawingModel& model, const QString& path);

}  // namespace velora
