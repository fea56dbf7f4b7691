// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/mono_bitmap.h"
#include "core/geometry/pixel_runs.h"
#include "core/import/gap_closing.h"

#include <QPoint>

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace velora {

class CCurve;

// Whether a click's fill reaches the border of the mask: the space around
// the drawing, or one whose outline is open to it.
bool FillReachesBorder(std::span<const PixelRun> runs, const MonoBitmap& mask);

// What a click fills once the gaps in the outline around its space are
// closed: the fill (the clicked pixel left out, as a click's fill is) and
// the joins that enclose it.
struct GapClosedFill {
    std::vector<PixelRun> runs;
    std::vector<GapJoin> joins;
};

// A click at the pixel whose fill reaches the mask's border, tried again
// with the gaps of at most distance pixels closed around it: the gaps in a
// window around the click are closed and the click fills again, the window
// growing until the fill stays inside it, which then is the space enclosed
// once its gaps are closed. Only the joins that bound that fill are kept,
// not those inside it or away from it. Nullopt when even with every gap of
// the drawing closed the fill reaches the border.
std::optional<GapClosedFill> FillClosingGaps(const MonoBitmap& mask, ConstPtrList<CCurve> curves,
                                             QPoint pixel, int distance);

}  // namespace velora
