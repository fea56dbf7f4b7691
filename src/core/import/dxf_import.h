#pragma once

#include <QString>

namespace velora {

class CDrawingModel;

// Reads an ASCII DXF drawing into the model; 0 when the file cannot be opened.
int LoadDxfFile(CDrawingModel& model, const QString& path);

}  // namespace velora
