// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>

#include <span>
#include <vector>

namespace velora {

// Where a closed outline turns back on itself as the edge of a stroke of ink
// does at the stroke's end: traced line art has no open curves, only the
// outlines of its strokes, and a gap in a stroke shows as two such ends
// facing each other. An end is a tip whose two sides run on side by side,
// at most kWidestStroke apart, for at least twice as far as the tip is
// wide; the sharp corners of shapes, whose sides part, are none.
struct StrokeEnd {
    // The corner of the outline at the tip, and where the stroke heads there
    // (a unit vector out of the tip).
    size_t corner = 0;
    QPointF heading;
};

constexpr double kWidestStroke = 24;

// The ends of the closed outline through the corners (the last joined back
// to the first).
std::vector<StrokeEnd> StrokeEnds(std::span<const QPointF> corners);

}  // namespace velora
