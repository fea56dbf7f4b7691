// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/cell_grid.h"
#include "core/geometry/mono_bitmap.h"
#include "core/geometry/point.h"
#include "core/import/gap_targets.h"
#include "core/model/const_ptr_list.h"

#include <QRect>

#include <memory>
#include <span>
#include <vector>

namespace velora {
class CCurve;
struct OutlineFigure;
}  // namespace velora

namespace velora::gaps {

// The curves as the mask draws them: figures of line segments, with the
// distance travelled along each figure, and the open ends of the figures the
// mask leaves open (and the tips of strokes of closed ones), all in a grid
// by position. Only the ends in the area are wanted, and only the curves
// near it are read.
class CurveOutlines {
public:
    CurveOutlines(ConstPtrList<CCurve> curves, const MonoBitmap& mask, double reach,
                  const QRect& within);

    const std::vector<OpenEnd>& Ends() const { return m_ends; }
    // How many items the grid holds, for marking them seen.
    size_t ItemCount() const { return m_points.size() + m_ends.size(); }
    EndTargets TargetsOf(int end, SeenItems& seen) const;

private:
    struct Figure {
        bool closed;
        double length;
    };

    QPointF Point(int index) const { return m_points[index].ToQPointF(); }
    bool IsEndItem(int item) const { return item >= static_cast<int>(m_points.size()); }
    void AddFigure(const OutlineFigure& figure, bool firstCut = false, bool lastCut = false);
    void AddEnd(QPointF at, QPoint pixel, int point, QPointF heading, bool cut);
    void IndexItems();
    bool Detoured(int end, int figure, double travelledTo, double distance) const;
    bool OtherPart(int end, int segment, const NearestPoint& nearest) const;
    bool OtherPart(int end, int other, double distance) const;

    const MonoBitmap& m_mask;
    std::vector<PointF> m_points;
    std::vector<float> m_travelled;
    std::vector<int> m_figureOf;
    std::vector<Figure> m_figures;
    std::vector<OpenEnd> m_ends;
    std::vector<int> m_endPoint;
    std::vector<QPointF> m_heading;
    // Ends where the pen erased the rest of their figure.
    std::vector<bool> m_cut;
    CellGrid m_grid;
    double m_reach;
};

}  // namespace velora::gaps
