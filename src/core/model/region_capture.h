// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/mono_bitmap.h"

#include <QPoint>
#include <QRegion>
#include <QStringList>

#include <memory>

namespace velora {

class CDrawingModel;
class CRegionItem;

// What a click at a drawing pixel captures: a new selected region of the
// light pixels the flood fill reaches from it, widened over their outline.
// A click outside the mask gives an empty region.
std::unique_ptr<CRegionItem> CaptureRegionAt(const MonoBitmap& mask, QPoint pixel);

// Whether a captured region's fill reached the mask's border: its widened
// rectangles then reach past the mask. Such a region is the space around the
// drawing, or its outline is open.
bool ReachesMaskBorder(const QRegion& region, const MonoBitmap& mask);

// What capturing every enclosed space made: the new regions' names, and how
// many spaces were left out because they reach the mask's border, besides
// the space around the drawing (the one holding the top left pixel). Those
// are spaces whose outlines are open to the border.
struct CapturedRegions {
    QStringList names;
    int edgeSpaces = 0;
};

// Captures every light component of the mask that touches no border pixel
// and whose click pixel no region covers yet, each as a click at that pixel
// would: a new selected region, in the order of the components' first pixels
// (row by row). The click pixel is chosen so that the widened rectangles
// cover it again, mostly the second pixel of a row that is one run; so a
// second capture of all finds nothing new. Regions made during the call do
// not count as covering, and components of a single pixel (whose click would
// fill nothing) are left alone. With areaPerRegion every new region also gets
// an area of its own, named like the region.
CapturedRegions CaptureAllRegions(CDrawingModel& model, bool areaPerRegion);

}  // namespace velora
