// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_hatch.h"

#include "core/import/dxf_geometry.h"
#include "core/import/dxf_numbers.h"

#include <cmath>
#include <numbers>

namespace velora {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kFullTurn = 2 * std::numbers::pi;

double Number(std::string_view value) { return ParseDxfDouble(value); }

PointF ToPointF(QPointF p) { return {static_cast<float>(p.x()), static_cast<float>(p.y())}; }

double DistanceSquared(PointF a, PointF b) {
    const double dx = double(a.x) - b.x, dy = double(a.y) - b.y;
    return dx * dx + dy * dy;
}

// The counter-clockwise sweep from start to end, in (0, full] ; equal ends
// are a full turn, as a closed boundary edge stores it.
double CounterClockwiseSweep(double start, double end, double full) {
    double sweep = std::fmod(end - start, full);
    if (sweep <= 0) sweep += full;
    return sweep;
}

// Clockwise edges store their angles as seen with the plane turned over
// (360 minus the angle): these are the angles of the same arc run counter-
// clockwise, which the edge then runs backwards.
std::pair<double, double> CounterClockwiseAngles(double start, double end, bool counterClockwise) {
    if (counterClockwise) return {start, end};
    return {360.0 - end, 360.0 - start};
}

// Ellipse parameter of a point at the given angle from the major axis.
double ParameterOfAngle(double degrees, double ratio) {
    const double angle = degrees * kRadiansPerDegree;
    return std::atan2(std::sin(angle) / ratio, std::cos(angle));
}

}  // namespace

void DxfHatchReader::Reset() {
    m_part = Part::Header;
    m_elevation = 0;
    m_inLoop = false;
    m_records.clear();
    m_edge = Edge();
    m_loop.Reset();
    m_loops.clear();
}

void DxfHatchReader::Handle(int code, std::string_view value) {
    switch (m_part) {
        case Part::Header:
            if (code == 30) {
                m_elevation = Number(value);
            } else if (code == 92) {
                m_part = Part::Boundary;
                HandleBoundary(code, value);
            }
            break;
        case Part::Boundary:
            HandleBoundary(code, value);
            break;
        case Part::Pattern:
            break;
    }
}

void DxfHatchReader::HandleBoundary(int code, std::string_view value) {
    switch (code) {
        case 92:
            // Bit 2 marks a polyline boundary; anything else is made of edges.
            StartLoop((ParseDxfInt(value) & 2) != 0);
            return;
        // The hatch style, pattern type and seed count follow the last
        // boundary path: what comes after them is no boundary.
        case 75:
        case 76:
        case 98:
            FinishLoop();
            m_part = Part::Pattern;
            return;
        default:
            break;
    }
    if (!m_inLoop) return;
    if (m_polylineLoop) {
        HandlePolylineGroup(code, value);
    } else {
        HandleEdgeGroup(code, value);
    }
}

void DxfHatchReader::HandlePolylineGroup(int code, std::string_view value) {
    switch (code) {
        case 10:
            m_records.push_back({static_cast<float>(Number(value)), 0, 0, 0});
            break;
        case 20:
            if (!m_records.empty()) m_records.back().y = static_cast<float>(Number(value));
            break;
        case 42:
            if (!m_records.empty()) m_records.push_back({0, 0, 42, Number(value)});
            break;
        default:
            break;
    }
}

void DxfHatchReader::HandleEdgeGroup(int code, std::string_view value) {
    if (code == 72) {
        FinishEdge();
        const int type = ParseDxfInt(value);
        m_edge.type = type >= 1 && type <= 4 ? static_cast<EdgeType>(type) : EdgeType::None;
        return;
    }
    const double number = Number(value);
    Edge& edge = m_edge;
    if (edge.type == EdgeType::Spline) {
        DxfSpline& spline = edge.spline;
        switch (code) {
            case 94:
                spline.degree = ParseDxfInt(value);
                break;
            case 40:
                spline.knots.push_back(number);
                break;
            case 10:
                spline.controlPoints.emplace_back(number, 0);
                break;
            case 20:
                if (!spline.controlPoints.empty()) spline.controlPoints.back().setY(number);
                break;
            case 42:
                spline.weights.push_back(number);
                break;
            case 11:
                spline.fitPoints.emplace_back(number, 0);
                break;
            case 21:
                if (!spline.fitPoints.empty()) spline.fitPoints.back().setY(number);
                break;
            case 12:
                spline.startTangent = QPointF(number, 0);
                break;
            case 22:
                if (spline.startTangent) spline.startTangent->setY(number);
                break;
            case 13:
                spline.endTangent = QPointF(number, 0);
                break;
            case 23:
                if (spline.endTangent) spline.endTangent->setY(number);
                break;
            default:
                break;
        }
        return;
    }
    switch (code) {
        case 10:
            edge.points[0].setX(number);
            break;
        case 20:
            edge.points[0].setY(number);
            break;
        case 11:
            edge.points[1].setX(number);
            break;
        case 21:
            edge.points[1].setY(number);
            break;
        case 40:
            edge.radius = number;
            break;
        case 50:
            edge.startAngle = number;
            break;
        case 51:
            edge.endAngle = number;
            break;
        case 73:
            edge.counterClockwise = ParseDxfInt(value) != 0;
            break;
        default:
            break;
    }
}

void DxfHatchReader::StartLoop(bool polyline) {
    FinishLoop();
    m_inLoop = true;
    m_polylineLoop = polyline;
}

void DxfHatchReader::FinishEdge() {
    const Edge& edge = m_edge;
    Path piece;
    const auto finite = [](double v) { return std::isfinite(v); };
    switch (edge.type) {
        case EdgeType::Line:
            piece.AddLine(ToPointF(edge.points[0]), ToPointF(edge.points[1]));
            break;
        case EdgeType::Arc: {
            const auto [start, end] =
                CounterClockwiseAngles(edge.startAngle, edge.endAngle, edge.counterClockwise);
            const double r = edge.radius;
            if (!(r > 0) || !finite(r) || !finite(start) || !finite(end)) break;
            const QPointF c = edge.points[0];
            piece.AddArc(static_cast<float>(c.x() - r), static_cast<float>(c.y() - r),
                         static_cast<float>(2 * r), static_cast<float>(2 * r),
                         static_cast<float>(start),
                         static_cast<float>(CounterClockwiseSweep(start, end, 360)));
            break;
        }
        case EdgeType::Ellipse: {
            const auto [start, end] =
                CounterClockwiseAngles(edge.startAngle, edge.endAngle, edge.counterClockwise);
            const double ratio = edge.radius;
            if (!(ratio > 0) || !finite(ratio) || !finite(start) || !finite(end)) break;
            const QPointF major = edge.points[1];
            const double from = ParameterOfAngle(start, ratio);
            const double to = ParameterOfAngle(end, ratio);
            const double sweep = std::fmod(end - start, 360.0) == 0
                                     ? kFullTurn
                                     : CounterClockwiseSweep(from, to, kFullTurn);
            AppendEllipticArc(piece, edge.points[0], major, QPointF(-major.y(), major.x()) * ratio,
                              from, sweep);
            break;
        }
        case EdgeType::Spline:
            AppendDxfSpline(piece, edge.spline);
            break;
        case EdgeType::None:
            break;
    }
    m_edge = Edge();
    if (piece.IsEmpty()) return;
    if (!edge.counterClockwise && edge.type != EdgeType::Line && edge.type != EdgeType::Spline) {
        piece.Reverse();
    }
    // Edges follow each other head to tail; one stored the other way round
    // is turned so that the boundary stays one line.
    if (const std::optional<PointF> end = m_loop.LastPoint()) {
        if (DistanceSquared(*piece.LastPoint(), *end) <
            DistanceSquared(*piece.FirstPoint(), *end)) {
            piece.Reverse();
        }
    }
    m_loop.AddPath(std::move(piece), true);
}

void DxfHatchReader::FinishLoop() {
    if (!m_inLoop) return;
    if (m_polylineLoop) {
        AddDxfPolyline(m_loop, m_records, true);
        m_records.clear();
    } else {
        FinishEdge();
    }
    const std::optional<PointF> first = m_loop.FirstPoint();
    if (first && !(*m_loop.LastPoint() == *first)) m_loop.AddLine(*m_loop.LastPoint(), *first);
    if (!m_loop.IsEmpty()) m_loops.push_back(std::move(m_loop));
    m_loop = Path();
    m_inLoop = false;
}

std::vector<Path> DxfHatchReader::TakeLoops() {
    FinishLoop();
    std::vector<Path> loops = std::move(m_loops);
    m_loops.clear();
    return loops;
}

}  // namespace velora
