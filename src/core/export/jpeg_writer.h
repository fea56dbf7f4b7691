// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/row_source.h"
#include "core/export/save_plan.h"

namespace velora {

class OutputFile;

// Baseline JPEG, 4:2:0, at the quality, with the transformation applied to
// the pixels and Huffman tables made for the picture (see
// kMaxOptimizedJpegPixels); written as the BMP and PNG writers write (see
// there).
void WriteJpeg(RowSource& rows, OutputFile& file, const JpegOptions& options);

// Tables made for the picture save a few percent of the file, but libjpeg
// then holds every coefficient until the end: two bytes for each of the one
// and a half samples a pixel has at 4:2:0. Beyond this many pixels the
// standard tables keep the memory a few rows.
inline constexpr qint64 kMaxOptimizedJpegPixels = qint64(48) << 20;

}  // namespace velora
