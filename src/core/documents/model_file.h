#pragma once

#include <QString>

namespace velora {

class CDrawingModel;

// Reads a template or design file into the model. False when the file cannot
// be opened.
bool LoadModelFile(CDrawingModel& model, const QString& path);

}  // namespace velora
