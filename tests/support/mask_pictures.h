// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small 1-bit masks drawn for the tests, and the plain breadth-first fill
// that the fast fills are checked against.

#include "core/geometry/mono_bitmap.h"

#include <QPoint>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace velora::test {

// --- masks -------------------------------------------------------------------------

// A light mask with dark pixels where the picture has '#'.
inline MonoBitmap MaskOf(const std::vector<std::string>& picture) {
    MonoBitmap mask(static_cast<int>(picture[0].size()), static_cast<int>(picture.size()));
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) mask.SetPixel(x, y, picture[y][x] != '#');
    }
    return mask;
}

// A light mask of the size with the outline of the rectangle drawn dark.
inline void DrawOutline(MonoBitmap& mask, int left, int top, int right, int bottom) {
    for (int x = left; x <= right; ++x) {
        mask.SetPixel(x, top, false);
        mask.SetPixel(x, bottom, false);
    }
    for (int y = top; y <= bottom; ++y) {
        mask.SetPixel(left, y, false);
        mask.SetPixel(right, y, false);
    }
}

inline MonoBitmap LightMask(int width, int height) {
    MonoBitmap mask(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) mask.SetPixel(x, y, true);
    }
    return mask;
}

// Light space with random rectangle outlines and specks of dark.
inline MonoBitmap RandomMask(std::mt19937& random) {
    std::uniform_int_distribution<int> side(1, 40);
    const int width = side(random);
    const int height = side(random);
    MonoBitmap mask = LightMask(width, height);
    std::uniform_int_distribution<int> px(0, width - 1), py(0, height - 1);
    const int outlines = static_cast<int>(random() % 6);
    for (int i = 0; i < outlines; ++i) {
        const int x0 = px(random), x1 = px(random), y0 = py(random), y1 = py(random);
        DrawOutline(mask, std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1));
    }
    const int specks = static_cast<int>(random() % (width * height / 3 + 1));
    for (int i = 0; i < specks; ++i) mask.SetPixel(px(random), py(random), false);
    return mask;
}

// The pixels a breadth-first fill from start reaches, start left out, in
// the order it reaches them.
inline std::vector<QPoint> BreadthFirstFill(const MonoBitmap& mask, QPoint start) {
    const auto inside = [&](QPoint p) {
        return p.x() >= 0 && p.y() >= 0 && p.x() < mask.Width() && p.y() < mask.Height();
    };
    std::vector<QPoint> result;
    if (!inside(start)) return result;
    std::set<std::pair<int, int>> visited{{start.x(), start.y()}};
    std::vector<QPoint> frontier{start};
    while (!frontier.empty()) {
        std::vector<QPoint> next;
        for (const QPoint p : frontier) {
            for (const QPoint d : {QPoint(-1, 0), QPoint(0, -1), QPoint(1, 0), QPoint(0, 1)}) {
                const QPoint n = p + d;
                if (!inside(n) || !mask.Pixel(n.x(), n.y())) continue;
                if (!visited.insert({n.x(), n.y()}).second) continue;
                next.push_back(n);
                result.push_back(n);
            }
        }
        frontier = std::move(next);
    }
    return result;
}

}  // namespace velora::test
