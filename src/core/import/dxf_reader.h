// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <QByteArrayView>

#include <vector>

namespace velora {

// Reads the LINE, ARC, CIRCLE, LWPOLYLINE and SPLINE entities of an ASCII
// DXF text into flattened paths at 100 times the DXF units, one per entity
// that is visible, on a layer that is switched on, and has an outline.
//
// The reader never fails: unknown groups and entities are skipped, numbers
// that do not parse read as 0, and a text that ends early keeps what it held.
std::vector<Path> ReadDxfPaths(QByteArrayView text);

}  // namespace velora
