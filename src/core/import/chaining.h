#pragma once

namespace velora {

class CDrawingModel;

void ChainShapes(CDrawingModel& model);

}  // namespace velora
