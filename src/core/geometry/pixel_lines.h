// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

#include <vector>

namespace velora {

// The pixels of a straight line from one pixel to another, both included.

// Each pixel touches the next at least at a corner: the thinnest line that a
// 4-connected fill cannot pass.
std::vector<QPoint> EightConnectedLine(QPoint from, QPoint to);

// Each pixel shares a side with the next, the one nearer the true line
// taken at every step: a line that nothing 8-connected passes either, as a
// pen stroke must be to cut a space in two.
std::vector<QPoint> FourConnectedLine(QPoint from, QPoint to);

}  // namespace velora
