// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace velora {

class CDrawingModel;

// Joins the model's import primitives whose end points meet into closed
// objects and appends them to the object list. A closed primitive is an
// object by itself. Pieces taken in reverse are reversed in the shape list.
void ChainShapes(CDrawingModel& model);

// The same for the path pieces of a DXF drawing or a recorded painting; end
// points meet when they round to the same integers. Each chain becomes one
// figure; the pieces move into it and stay in the list empty. The pieces
// whose closed flag is set (when flags are given) are objects by themselves.
void ChainImportPaths(CDrawingModel& model, const std::vector<char>* closed = nullptr);

}  // namespace velora
