// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/encoder_table.h"

class QSettings;

namespace velora {

// What the Export dialog remembers from one export to the next: the format,
// whether width and height keep the design's proportions, the JPEG quality
// and the TIFF options. A turn or flip is chosen afresh each time.
struct ExportChoices {
    int format = 1;  // BMP, the first of the list
    bool maintainAspectRatio = true;
    int jpegQuality = 100;
    int tiffCompression = kCompressionNone;
    int tiffColorDepth = 32;

    // From the settings' "Export" group; what is missing or not a known
    // value stays as above.
    static ExportChoices Read(QSettings& settings);
    void Write(QSettings& settings) const;
};

}  // namespace velora
