// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/const_ptr_list.h"
#include "core/model/curve.h"

#include <QPainter>
#include <QRect>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace velora {

class HairlineBand;
class PixelTarget;

// Strokes every curve with a black pen of the given width, in list order.
// Smooth outlines get their pixel centres on integer coordinates, so a line
// on a pixel row covers that row rather than half of two rows; the mask
// threshold relies on it.
void StrokeCurves(QPainter& painter, ConstPtrList<CCurve> curves, float penWidth, bool antialias);

// The antialiased outlines of all curves, stroked once into coverage runs
// and blended into every repaint until the curves or the area change: a
// repaint then costs a pass over the outline pixels instead of stroking
// thousands of paths again. The area is the picture the outlines are
// stroked for, as the painter strokes them on an image of that part of the
// drawing (pen width 1, pixel centres on integer coordinates); it is
// stroked a band of rows at a time, so the coverage of the largest drawing
// never needs a picture of its size.
class CurveLayer {
public:
    // Strokes the curves again when they or the area changed since last time.
    void Update(ConstPtrList<CCurve> curves, const QRect& area);
    // Strokes the curves for the area in bands of at most bandRows rows,
    // with the smooth pen and the other HairlineBand strokes asked; after
    // each band, alsoPerBand is given the band to use as well. A band holds
    // the shade when any stroke besides the smooth one is asked.
    void Build(ConstPtrList<CCurve> curves, const QRect& area, unsigned strokes, int bandRows,
               const std::function<void(HairlineBand&)>& alsoPerBand);
    // Whether the layer holds the outlines of these curves for the area.
    bool Holds(ConstPtrList<CCurve> curves, const QRect& area) const;
    // Blends the outlines (black, 1 pixel pen) into the rows of a direct
    // target that lie in the updated area.
    void BlendInto(PixelTarget& target) const;
    // Identifies the curves of the last update.
    uint64_t CurvesFingerprint() const { return m_fingerprint; }

    // The area a picture of the drawing of the given size is stroked for
    // when it shows the bounds: the whole drawing, unless the bounds reach
    // beyond it.
    static QRect AreaFor(const QRect& bounds, QSize drawing);

private:
    struct Run {
        int y;
        int x;
        int length;
        size_t offset;  // into m_coverage
    };

    struct Survey;
    void Stroke(ConstPtrList<CCurve> curves, const Survey& survey, const QRect& area,
                unsigned strokes, int bandRows,
                const std::function<void(HairlineBand&)>& alsoPerBand);
    void AddRuns(const HairlineBand& band);

    uint64_t m_fingerprint = 0;
    QRect m_area;
    bool m_valid = false;
    std::vector<Run> m_runs;
    std::vector<uint8_t> m_coverage;
};

}  // namespace velora
