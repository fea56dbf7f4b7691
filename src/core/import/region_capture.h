#pragma once

#include "core/geometry/mono_bitmap.h"

#include <QRect>
#include <QStringList>

#include <span>
#include <vector>

namespace velora {

class CDrawingModel;

// Pixels x0..x1 (inclusive) of row y.
struct PixelRun {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
    friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

// The pixels that a click at (x, y) fills: every light pixel 4-connected to
// the clicked one through light pixels, the clicked pixel itself left out
// whether light or not (so a click on an outline fills the light spaces
// beside it). Nothing outside the mask is filled; a click outside it fills
// nothing. Runs come sorted by row, then by x.
std::vector<PixelRun> FloodFillRuns(const MonoBitmap& mask, int x, int y);

// The rectangles of a captured region (right and bottom exclusive), one per
// run, widened so that the region also takes in the outline around the
// filled pixels and the one-pixel gap left by the click. Runs must be sorted
// by row, then by x.
std::vector<QRect> CaptureRects(std::span<const PixelRun> runs);

// Captures every light component of the mask that touches no border pixel
// and whose click pixel no region covers yet, each as a click at that pixel
// would: a new selected region, in the order of the components' first pixels
// (row by row). The click pixel is chosen so that the widened rectangles
// cover it again, mostly the second pixel of a row that is one run; so a
// second capture of all finds nothing new. Regions made during the call do
// not count as covering, and components of a single pixel (whose click would
// fill nothing) are left alone. With areaPerRegion every new region also gets
// an area of its own, named like the region. Returns the new regions' names.
QStringList CaptureAllRegions(CDrawingModel& model, bool areaPerRegion);

}  // namespace velora
