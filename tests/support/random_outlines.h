// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"
#include "test_seed.h"

#include <QtGlobal>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace velora::test {

// Outlines of every kind a drawing holds, placed at random over a drawing of
// the given size and a little beyond it: arcs of many tiny steps (as DXF
// bulges give), polygons, open chains, ellipses and splines (Bezier
// segments), points repeated or nearly repeated, ends on pixel centres and
// edges.
inline Path RandomOutline(std::mt19937& random, double width, double height) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto coordinate = [&](double extent) {
        double value = unit(random) * (extent + 20) - 10;
        // Ends on whole and half pixels are where rounding decides.
        if (unit(random) < 0.3) value = std::round(value * 2) / 2;
        return float(value);
    };
    Path path;
    const int figures = 1 + int(unit(random) * 3);
    for (int f = 0; f < figures; ++f) {
        const int kind = int(unit(random) * 5);
        const PointF centre{coordinate(width), coordinate(height)};
        std::vector<PointF> points;
        if (kind == 0) {  // an arc of tiny steps, maybe closed
            const double radius = 0.5 + unit(random) * 30;
            const int steps = 8 + int(unit(random) * 150);
            const double sweep = unit(random) < 0.5 ? 2 * std::numbers::pi : 5 * unit(random);
            for (int i = 0; i <= steps; ++i) {
                const double angle = sweep * i / steps;
                points.push_back({float(centre.x + radius * std::cos(angle)),
                                  float(centre.y + radius * std::sin(angle))});
            }
        } else if (kind <= 2) {  // a polygon or chain of long and short lines
            const int count = 5 + int(unit(random) * 12);
            for (int i = 0; i < count; ++i) {
                const bool near = unit(random) < 0.4 && !points.empty();
                PointF p = near ? PointF{points.back().x + float(unit(random) * 2 - 1),
                                         points.back().y + float(unit(random) * 2 - 1)}
                                : PointF{coordinate(width), coordinate(height)};
                if (near && unit(random) < 0.2) p = points.back();  // a repeated point
                if (near && unit(random) < 0.1) p.x = std::nextafter(points.back().x, 1e9f);
                points.push_back(p);
            }
        } else if (kind == 3) {
            path.AddEllipse(centre.x, centre.y, float(unit(random) * 60), float(unit(random) * 40));
            continue;
        } else {
            for (int i = 0; i < 4; ++i) points.push_back({coordinate(width), coordinate(height)});
            path.AddCurve(points, float(unit(random)));
            if (unit(random) < 0.5) path.CloseFigure();
            continue;
        }
        path.AddLines(points);
        if (kind != 2 || unit(random) < 0.5) path.CloseFigure();
        path.StartFigure();
    }
    return path;
}

}  // namespace velora::test
