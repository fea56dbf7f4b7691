// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/row_source.h"
#include "core/export/save_plan.h"

namespace velora {

class OutputFile;

// Strips of about kTiffStripBytes in the depth and compression asked for;
// written as the BMP and PNG writers write (see there).
void WriteTiff(RowSource& rows, OutputFile& file, const TiffOptions& options);

// Each strip starts its compression afresh, so strips of many rows compress
// better and faster than libtiff's default of about 8 KB, which is a single
// row of a wide picture; a strip is still only a sliver of memory.
inline constexpr qint64 kTiffStripBytes = qint64(256) << 10;

}  // namespace velora
