#pragma once

namespace velora {

class CDrawingModel;

// Rounds to the nearest integer with halves going up, measured from the value
// truncated toward zero: 2.5 gives 3, -1.3 and -1.7 both give -1. Values
// beyond the int range saturate; NaN gives 0.
int RoundHalfUp(double value);

// Joins the model's import primitives whose end points meet into closed
// objects and appends them to the object list. A closed primitive is an
// object by itself. Pieces taken in reverse are reversed in the shape list.
void ChainShapes(CDrawingModel& model);
void ChainImportPaths(CDrawingModel& model);

// The same for the flattened path pieces of a DXF drawing; end points meet
// when they round to the same integers. Each chain becomes one figure.
void ChainImportPaths(CDrawingModel& model);

}  // namespace velora
