// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/row_source.h"

namespace velora {

class OutputFile;

// 8-bit palette of at most 256 colours, dithered (see PaletteRows); written
// as the BMP and PNG writers write (see there).
void WriteGif(RowSource& rows, OutputFile& file);

}  // namespace velora
