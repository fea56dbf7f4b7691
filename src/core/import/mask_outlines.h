// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/cell_grid.h"
#include "core/geometry/mono_bitmap.h"
#include "core/import/gap_targets.h"

#include <QRect>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace velora::gaps {

// Outlines known only as mask pixels: the ends of the thinned chains are
// joined to dark pixels. The width of a gap is what the mask shows: the
// light pixels along the join, so a diagonal gap is as wide as a straight
// one of as many pixels. How far the outline travels to a pixel is counted
// in steps between neighbouring dark pixels. Only the ends in the area are
// wanted, and only the mask around it is thinned.
class MaskOutlines {
public:
    MaskOutlines(const MonoBitmap& mask, double reach, const QRect& within);

    const std::vector<OpenEnd>& Ends() const { return m_ends; }
    // The mask holds no items to mark seen.
    size_t ItemCount() const { return 0; }
    EndTargets TargetsOf(int end, SeenItems&) const;

private:
    bool IsDark(QPoint p) const;
    std::vector<int> StepsAround(QPoint from) const;
    QPointF Heading(const std::vector<int>& walked) const;
    bool CrossesOutline(const GapJoin& join) const;

    const MonoBitmap& m_mask;
    int m_radius;
    int m_walk;
    std::vector<OpenEnd> m_ends;
    std::unordered_map<int64_t, int> m_endAt;
};

}  // namespace velora::gaps
