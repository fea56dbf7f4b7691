// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace velora {

class OutputFile;

// The writers behind SaveImage, one per format. Each takes an image of any
// format with a size its format can hold (PlanSave has checked it) and
// streams it row by row into the file, which the caller commits. A failing
// codec throws VeloraError with its cause, a failing file FileError.

// 24-bit bottom-up BMP at 96 dpi.
void WriteBmp(const QImage& image, OutputFile& file);
// 8-bit RGB, or RGBA when the image has alpha.
void WritePng(const QImage& image, OutputFile& file);

}  // namespace velora
