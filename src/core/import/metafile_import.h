#pragma once

#include <QString>

namespace velora {

class CDrawingModel;

// Imports a Windows metafile or enhanced metafile into the model. Throws
// MetafileError when the file cannot be read as a metafile.
void ImportMetafile(CDrawingModel& model, const QString& path);

}  // namespace velora
