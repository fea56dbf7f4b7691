#pragma once

namespace velora {

class CDrawingModel;

// Joins the model's import paths whose end points meet into closed objects.
void ChainImportPaths(CDrawingModel& model);

}  // namespace velora
