// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/save_plan.h"

#include <QImage>

namespace velora {

class OutputFile;

// Baseline JPEG, 4:2:0, at the quality, with the transformation applied to
// the pixels; written as the BMP and PNG writers write (see there).
void WriteJpeg(const QImage& image, OutputFile& file, const JpegOptions& options);

}  // namespace velora
