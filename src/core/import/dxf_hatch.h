// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"
#include "core/import/dxf_spline.h"
#include "core/model/shape.h"

#include <QPointF>

#include <string_view>
#include <vector>

namespace velora {

// Reads the boundary paths of a HATCH from its groups, which come in a fixed
// order: the elevation point, the boundary paths (each a polyline or a run
// of line, arc, elliptic arc and spline edges), then the fill pattern and
// seed points, which are passed over. The same group codes mean different
// things in each part, so the reader follows where it is.
class DxfHatchReader {
public:
    void Reset();
    void Handle(int code, std::string_view value);

    double Elevation() const { return m_elevation; }
    // Every boundary path as a closed outline of its own, in the hatch's
    // own coordinates; the reader is empty afterwards.
    std::vector<Path> TakeLoops();

private:
    enum class Part { Header, Boundary, Pattern };
    enum class EdgeType { None = 0, Line = 1, Arc = 2, Ellipse = 3, Spline = 4 };

    // One edge of a boundary path. Points hold: a line's start and end; an
    // arc's or elliptic arc's centre and the end of its major axis.
    struct Edge {
        EdgeType type = EdgeType::None;
        QPointF points[2];
        double radius = 0;  // arc radius, or the elliptic arc's axis ratio
        double startAngle = 0;
        double endAngle = 360;
        bool counterClockwise = true;
        DxfSpline spline;
    };

    void HandleBoundary(int code, std::string_view value);
    void HandlePolylineGroup(int code, std::string_view value);
    void HandleEdgeGroup(int code, std::string_view value);
    void StartLoop(bool polyline);
    void FinishEdge();
    void FinishLoop();

    Part m_part = Part::Header;
    double m_elevation = 0;
    bool m_inLoop = false;
    bool m_polylineLoop = false;
    std::vector<ShapePoint> m_records;
    Edge m_edge;
    Path m_loop;
    std::vector<Path> m_loops;
};

}  // namespace velora
