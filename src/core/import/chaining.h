#pragma once

namespace velora {

class CDrawingModel;

void ChainShapes(CDrawingModel& model);
void ChainImportPaths(CDrawingModel& model);

}  // namespace velora
