// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/mono_bitmap.h"

#include <QRegion>

namespace velora {

// A captured region after mask pixels inside it or on its outline changed.
struct RecapturedRegion {
    // Empty when the change left the region no light pixel.
    QRegion region;
    // How many spaces of the old region the new one leaves out: it was cut
    // in parts, and only one of them stays captured.
    int partsLeftOut = 0;
};

// Captures the region again from the changed mask: the light spaces that
// its pixels untouched by the change lie in are found, and the largest
// becomes the region, widened over its outline as a click's capture is. The
// region's rectangles must cover the change for it to concern the region
// (inside or on the outline around it).
RecapturedRegion RecaptureRegion(const QRegion& region, const MonoBitmap& mask,
                                 const QRegion& changed);

}  // namespace velora
