// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/pixel_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace velora {

std::vector<QPoint> EightConnectedLine(QPoint from, QPoint to) {
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    std::vector<QPoint> pixels;
    pixels.reserve(static_cast<size_t>(std::max(dx, -dy)) + 1);
    QPoint p = from;
    int error = dx + dy;
    for (;;) {
        pixels.push_back(p);
        if (p == to) return pixels;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
}

std::vector<QPoint> FourConnectedLine(QPoint from, QPoint to) {
    const int64_t dx = std::abs(to.x() - from.x());
    const int64_t dy = std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    std::vector<QPoint> pixels;
    pixels.reserve(static_cast<size_t>(dx + dy) + 1);
    QPoint p = from;
    pixels.push_back(p);
    // After ix steps across and iy down, the next step across reaches the
    // middle of its pixel at (ix + 0.5) / dx of the way, the next step down
    // at (iy + 0.5) / dy: the one that comes first is taken.
    for (int64_t ix = 0, iy = 0; ix < dx || iy < dy;) {
        if (iy == dy || (ix < dx && (1 + 2 * ix) * dy < (1 + 2 * iy) * dx)) {
            p.rx() += sx;
            ++ix;
        } else {
            p.ry() += sy;
            ++iy;
        }
        pixels.push_back(p);
    }
    return pixels;
}

}  // namespace velora
