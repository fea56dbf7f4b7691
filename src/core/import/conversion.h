#pragma once

namespace velora {

class CDrawingModel;

// Turns the model's objects into curves, sorted largest first and named.
void ConvertObjectsToCurves(CDrawingModel& model);

}  // namespace velora
