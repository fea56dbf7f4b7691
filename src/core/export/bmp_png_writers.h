// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/row_source.h"

namespace velora {

class OutputFile;

// The writers behind SaveImage, one per format. Each takes rows of a size
// its format can hold (PlanSave has checked it) and streams them into the
// file, which the caller commits. A failing codec throws VeloraError with its
// cause, a failing file FileError.

// 24-bit bottom-up BMP at 96 dpi, its rows read from the bottom up straight
// in the file's byte order.
void WriteBmp(RowSource& rows, OutputFile& file);
// 8-bit RGB, or RGBA when the rows have alpha, at 96 dpi; each row filtered
// with the filter that leaves the smallest sum of absolute differences, and
// compressed at zlib level 3.
void WritePng(RowSource& rows, OutputFile& file);

}  // namespace velora
