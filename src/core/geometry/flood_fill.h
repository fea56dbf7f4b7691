// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/mono_bitmap.h"
#include "core/geometry/pixel_runs.h"

#include <QRect>

#include <optional>
#include <span>
#include <vector>

namespace velora {

// The pixels that a click at (x, y) fills: every light pixel 4-connected to
// the clicked one through light pixels, the clicked pixel itself left out
// whether light or not (so a click on an outline fills the light spaces
// beside it). Nothing outside the mask is filled; a click outside it fills
// nothing. Runs come sorted by row, then by x.
std::vector<PixelRun> FloodFillRuns(const MonoBitmap& mask, int x, int y);

// The light component of the mask holding the pixel, the pixel included;
// nothing for a dark pixel.
std::vector<PixelRun> ComponentRuns(const MonoBitmap& mask, int x, int y);

// The same fill, or nullopt as soon as it reaches the mask's border (the
// space around the drawing, or one open to it): the fill of a space that
// floods the drawing is then not made.
std::optional<std::vector<PixelRun>> EnclosedFillRuns(const MonoBitmap& mask, int x, int y);

// The rectangles of a captured region (right and bottom exclusive), one per
// run, widened so that the region also takes in the outline around the
// filled pixels and the one-pixel gap left by the click. Runs must be sorted
// by row, then by x.
std::vector<QRect> CaptureRects(std::span<const PixelRun> runs);

}  // namespace velora
