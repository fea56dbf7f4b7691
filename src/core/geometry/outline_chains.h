// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/mono_bitmap.h"

#include <QPoint>
#include <QRect>

#include <vector>

namespace velora {

// The open ends of a mask's outlines, for masks whose outlines are known
// only as dark pixels. The dark pixels are thinned to chains one pixel wide;
// a chain pixel whose neighbours lie on one side only ends its chain, and is
// carried back out along the chain's direction to the last dark pixel there,
// which the thinning eats. Ends of specks (chains of a few pixels) and of the
// short spurs that thinning leaves on thick outlines are left out. Only the
// ends in the area are looked for, and only the mask around it is thinned.
// Ends come row by row.
std::vector<QPoint> OutlineChainEnds(const MonoBitmap& mask, const QRect& area);

}  // namespace velora
