// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/const_ptr_list.h"
#include "core/model/curve.h"

#include <QPainter>
#include <QRect>

#include <cstdint>
#include <memory>
#include <vector>

namespace velora {

class PixelTarget;

// Strokes every curve with a black pen of the given width, in list order.
// Smooth outlines get their pixel centres on integer coordinates, so a line
// on a pixel row covers that row rather than half of two rows; the mask
// threshold relies on it.
void StrokeCurves(QPainter& painter, ConstPtrList<CCurve> curves, float penWidth, bool antialias);

// Strokes every curve with a black pen of width 1, first aliased and then
// antialiased over that, with the pixels that StrokeCurves aliased followed
// by StrokeCurves antialiased give, turning each outline into a painter path
// once instead of twice.
void StrokeCurvesAliasedThenSmooth(QPainter& painter, ConstPtrList<CCurve> curves);

// The antialiased outlines of all curves, stroked once into coverage runs
// and blended into every repaint until the curves or the target's area
// change: a repaint then costs a pass over the outline pixels instead of
// stroking thousands of paths again.
class CurveLayer {
public:
    // Strokes the curves again when they or the area changed since last time.
    void Update(ConstPtrList<CCurve> curves, const QRect& area);
    // Blends the outlines (black, 1 pixel pen) into the rows of a direct
    // target that lie in the updated area.
    void BlendInto(PixelTarget& target) const;
    // Identifies the curves of the last update.
    uint64_t CurvesFingerprint() const { return m_fingerprint; }

private:
    struct Run {
        int y;
        int x;
        int length;
        size_t offset;  // into m_coverage
    };

    void Rebuild(ConstPtrList<CCurve> curves, const QRect& area);

    uint64_t m_fingerprint = 0;
    QRect m_area;
    bool m_valid = false;
    std::vector<Run> m_runs;
    std::vector<uint8_t> m_coverage;
};

}  // namespace velora
