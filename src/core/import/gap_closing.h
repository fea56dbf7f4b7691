// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/mono_bitmap.h"
#include "core/model/const_ptr_list.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace velora {

class CCurve;

// The widest gap closed when the user has not chosen one, and the widest
// that can be chosen: wider joins would bridge spaces a drawing means to
// keep apart.
constexpr int kDefaultGapDistance = 5;
constexpr int kMaxGapDistance = 100;

// A straight piece of outline that closes a gap: from an open end of an
// outline to the nearest point of another outline, or of another part of
// its own, in drawing pixels; and the mask pixels it runs between: the last
// pixel of the end's outline and the outline pixel nearest the point.
struct GapJoin {
    QPointF from;
    QPointF to;
    QPoint fromPixel;
    QPoint toPixel;
    friend bool operator==(const GapJoin&, const GapJoin&) = default;
};

// The mask pixels a join darkens: the 8-connected line between its pixels,
// both included. A 4-connected fill never passes such a line.
std::vector<QPoint> JoinPixels(const GapJoin& join);
// Whether the join would darken any light pixel of the mask.
bool DarkensLight(const MonoBitmap& mask, const GapJoin& join);

// Draws the joins into the mask as outline. Returns the box of the pixels
// that changed (empty when none did); pixels outside the mask are left out.
QRect DrawJoins(MonoBitmap& mask, std::span<const GapJoin> joins);

// The joins that close every gap of at most `distance` pixels: each open end
// is joined to the nearest outline point whose light gap to it is at most
// that wide (centres at most distance + 1 apart), preferring another open
// end that lies at most a pixel farther, so that two ends facing each other
// make one join. A point of the end's own outline counts only where the
// outline travels at least three times as far to reach it as the join
// would, so an outline is never joined to its own tail. No join crosses an
// outline or another join; an end already touching another outline, and a
// join that would darken no light pixel, give none.
//
// The ends are those of the curves' open figures, and the tips of strokes
// whose edges closed figures are (traced line art; see StrokeEnds); a
// template without curves has its outlines only in the mask, and there the
// ends of its thinned outline chains serve. Given an area, only the ends whose pixels lie in it
// are joined, and only the outlines near it are looked at. Joins come
// ordered from the shortest.
std::vector<GapJoin> FindGapJoins(const MonoBitmap& mask, ConstPtrList<CCurve> curves, int distance,
                                  const std::optional<QRect>& within = std::nullopt);

}  // namespace velora
