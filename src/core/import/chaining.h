// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace velora {

class CDrawingModel;

// Joins the model's import primitives whose end points meet into closed
// objects and appends them to the object list. A closed primitive is an
// object by itself. Pieces taken in reverse are reversed in the shape list.
void ChainShapes(CDrawingModel& model);

// The same for the flattened path pieces of a DXF drawing; end points meet
// when they round to the same integers, and a piece that ends where it
// starts is closed. Each chain becomes one figure; the pieces move into it
// and stay in the list empty.
void ChainImportPaths(CDrawingModel& model);

}  // namespace velora
