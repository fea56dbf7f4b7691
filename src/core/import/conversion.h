#pragma once

namespace velora {

class CDrawingModel;

void ConvertObjectsToCurves(CDrawingModel& model);

}  // namespace velora
