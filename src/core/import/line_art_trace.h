// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <QImage>

#include <vector>

namespace velora {

class IUserInterface;

// The grey picture (one byte a pixel) of raster line art, transparent parts
// laid on white paper.
QImage LineArtGrey(const QImage& image);

// The threshold that best parts the grey values into ink and paper (Otsu's
// method: the split with the largest variance between the two classes).
// Grey values up to it are ink.
int OtsuThreshold(const QImage& grey);

// Traces the outlines of the ink (grey values up to the threshold) with
// potrace into closed Bezier figures in pixel coordinates, one per outline:
// a stroke of ink gives its outer edge and the edge of every hole in it.
// Blobs of ink and holes in it smaller than speckSize pixels are dropped.
// Shows the "Tracing..." progress. Throws std::bad_alloc when potrace runs
// out of memory.
std::vector<Path> TraceLineArt(const QImage& grey, int threshold, int speckSize,
                               IUserInterface& user);

}  // namespace velora
