// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/save_plan.h"

#include <QImage>

namespace velora {

class OutputFile;

// Strips of the depth and compression asked for; written as the BMP and PNG
// writers write (see there).
void WriteTiff(const QImage& image, OutputFile& file, const TiffOptions& options);

}  // namespace velora
