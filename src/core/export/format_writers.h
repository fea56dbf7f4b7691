#pragma once

#include "core/export/save_plan.h"

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
// Baseline JPEG, 4:2:0, at the quality, with the transformation applied to
// the pixels.
void WriteJpeg(const QImage& image, OutputFile& file, const JpegOptions& options);
// 8-bit palette of at most 256 colours, dithered (see PaletteRows).
void WriteGif(const QImage& image, OutputFile& file);
// Strips of the depth and compression asked for.
void WriteTiff(const QImage& image, OutputFile& file, const TiffOptions& options);

}  // namespace velora
