#pragma once

namespace velora {

class CDrawingModel;

bool SizeDrawing(CDrawingModel& model);

}  // namespace velora
