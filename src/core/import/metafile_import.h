// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/metafile/metafile_reader.h"

#include <QString>

#include <vector>

namespace velora {

class CDrawingModel;
class EntityTally;

// Appends the import primitives of the kept records to the model's shape
// list, one shape per record and one closed polygon per polygon of a
// poly-polygon, each built in the model's shape under construction:
//   ellipse       kind 4, (left, top) and (right, bottom), closed
//   rectangle     kind 3, (left, top) and (right, bottom), closed
//   polygon       kind 2, all points, open
//   polyline      kind 1, all points, open
//   poly-polygon  kind 2 per polygon, its points, closed
void AddMetafileShapes(CDrawingModel& model, const std::vector<MetafileRecord>& records);

// Counts the drawing records the import does not keep (pen lines, Bezier
// curves, arcs, paths, text, pictures) by their kind.
void CountLeftOutRecords(const EmfDocument& metafile, EntityTally& leftOut);

// Imports a Windows metafile or enhanced metafile into the model: clears the
// model and its shape list, reads the kept records into shapes, chains them
// into objects, converts the objects to curves and sizes the drawing. The
// drawing records it leaves out are counted in leftOut. Throws
// MetafileError (codes 1 to 9) when the file cannot be read as a metafile,
// and FormatError when it keeps no record, before the size is asked; the
// model has been cleared by then.
void ImportMetafile(CDrawingModel& model, const QString& path, EntityTally& leftOut);

}  // namespace velora
