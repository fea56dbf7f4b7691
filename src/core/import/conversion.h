// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace velora {

class CDrawingModel;

// Makes one curve of every object, which hands its outline over to it (the
// object keeps its name, kind and level), orders the curves largest box first
// and names them. Shows the three progress steps of the work.
void ConvertObjectsToCurves(CDrawingModel& model);

}  // namespace velora
