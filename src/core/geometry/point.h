// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

namespace velora {

// Single-precision point, as curve records store them.
struct PointF {
    float x = 0;
    float y = 0;
    friend bool operator==(const PointF&, const PointF&) = default;
    QPointF ToQPointF() const { return {x, y}; }
};

// Float rectangle as left, top, width, height.
struct RectF {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const RectF&, const RectF&) = default;
};

// Integer rectangle as left, top, width, height (not right/bottom).
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
};

}  // namespace velora
