// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

class CDrawingModel;
class EntityTally;

// Why an import refuses a drawing that is read but gives no outline at all,
// worded alike for every kind of drawing; what it held that the template
// leaves out is named.
QString NothingToImportReason(const EntityTally& leftOut);

// Whether any of the model's curves is a closed outline: a figure closed as
// such, or one that ends within half a pixel of where it starts.
bool HasClosedCurve(const CDrawingModel& model);

}  // namespace velora
