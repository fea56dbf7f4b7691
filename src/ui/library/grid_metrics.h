// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace velora {

// The layout arithmetic of a thumbnail grid: equal cells read left to right
// and top to bottom, scrolled by whole rows. Integer division throughout.
struct GridMetrics {
    QSize client;
    QSize cell;
    int count = 0;
    // Pixels; a multiple of the cell height.
    int scrollOffset = 0;

    // A client narrower than one cell still has one column, clipped: the
    // cells stay reachable and nothing divides by zero.
    int Columns() const;
    // Rows that fit wholly; 0 when the client is shorter than one cell.
    int VisibleRows() const;
    int TotalRows() const;
    // The highest scroll position, in rows.
    int MaxScrollRow() const;
    // Empty for a negative position.
    QRect CellRect(int position) const;
    // The position under a client point. Not clamped: a point right of the
    // last column or below the last cell gives a position the callers
    // ignore.
    int HitTest(QPoint point) const;
    // The positions to paint: the rows that touch the client, including the
    // partly visible one; [first, end).
    int FirstVisible() const;
    int EndVisible() const;
};

}  // namespace velora
