// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"
#include "core/import/dxf_blocks.h"
#include "core/import/entity_tally.h"

#include <QByteArrayView>

#include <vector>

namespace velora {

// What an ASCII DXF text holds for a template.
struct DxfContent {
    // One flattened path at 100 times the DXF units for every outline of
    // an entity that is visible and on a layer that is switched on, in file
    // order, block references replaced by what their blocks hold.
    std::vector<Path> paths;
    // Whether the text has the section structure of a DXF file at all.
    bool hasSections = false;
};

// Reads the entities of the ENTITIES section (LINE, ARC, CIRCLE, ELLIPSE,
// LWPOLYLINE, POLYLINE, SPLINE, HATCH boundaries, SOLID, TRACE and INSERT of
// the blocks of the BLOCKS section) with the LAYER table that decides which
// are shown. Unknown groups are skipped, numbers that do not parse read as
// 0, and a text that ends early keeps what it held; what the template
// leaves out is counted in ignored when it is given. Throws FormatError
// only when the blocks place more than maxPlacements entities.
DxfContent ReadDxf(QByteArrayView text, EntityTally* ignored = nullptr,
                   size_t maxPlacements = kMaxDxfPlacements);

// The paths of ReadDxf alone.
std::vector<Path> ReadDxfPaths(QByteArrayView text, EntityTally* ignored = nullptr);

}  // namespace velora
