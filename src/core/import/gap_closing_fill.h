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
// the joins that enclose it, none when its space has no gap.
struct GapClosedFill {
    std::vector<PixelRun> runs;
    std::vector<GapJoin> joins;
};

// A click at the pixel with the gaps of at most distance pixels around its
// space closed. A space enclosed by its outline has the gaps within its box
// closed: a gap to a larger enclosed space (as in a drawing in a frame) then
// stops the fill. A space that reaches the mask's border is filled again in
// a window around the click that grows until the fill, with the gaps in the
// window closed, stays inside it. Only the joins that bound the fill are
// kept, not those inside it or away from it. Nullopt when even with every
// gap of the drawing closed the fill reaches the border.
std::optional<GapClosedFill> FillClosingGaps(const MonoBitmap& mask, ConstPtrList<CCurve> curves,
                                             QPoint pixel, int distance);

}  // namespace velora
