#pragma once

namespace velora {

class CDrawingModel;

// Asks for the drawing size, fits the curves into it and makes the mask.
// False when the user cancels.
bool SizeDrawing(CDrawingModel& model);

}  // namespace velora
