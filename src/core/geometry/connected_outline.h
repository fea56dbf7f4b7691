// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/mono_bitmap.h"
#include "core/geometry/path.h"

#include <QPoint>
#include <QPointF>
#include <QSize>

#include <optional>
#include <vector>

namespace velora {

// Draws the path's figures into the mask (0 = dark) as chains of pixels in
// which each pixel touches the next at least at a corner, as the windowing
// system's one-pixel pen draws a line, so a closed figure always encloses
// what a 4-connected fill starts inside it. The chain takes the pixels the
// painter's aliased one-pixel pen takes (its curve splitting, its choice of
// one pixel per column or row) and adds only the pixels that pen leaves out
// between two that do not touch, so drawn over the pen's own outline it
// closes the breaks and changes nothing else. A figure that ends where it
// began, or within two pixels of it, is closed. Points that are not finite
// and everything outside the mask are left out.
void DrawConnectedOutline(MonoBitmap& mask, const Path& path);

// A figure of a path as DrawConnectedOutline draws it into a mask of the
// size: the corners of its lines (curves split into lines as it splits them),
// whether it is closed, the first and the last pixel of its chain, when it
// has any, and the chain's pixels in the order drawn (a closed chain ends
// back on its first pixel). What gaps are left between outlines lies
// between the first and last pixels; what was erased from the mask since it
// was drawn shows as chain pixels the mask has light.
struct OutlineFigure {
    std::vector<QPointF> corners;
    bool closed = false;
    std::optional<QPoint> firstPixel;
    std::optional<QPoint> lastPixel;
    std::vector<QPoint> chain;
};
std::vector<OutlineFigure> OutlineFigures(const Path& path, QSize maskSize);

}  // namespace velora
