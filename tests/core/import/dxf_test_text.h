// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"
#include "core/import/dxf_reader.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velora::dxftest {

// DXF text from alternating code and value lines, each ended by LF.
inline std::string Groups(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

// The entities wrapped in an ENTITIES section and a complete file end.
inline std::string InEntities(const std::string& entities) {
    return Groups({"0", "SECTION", "2", "ENTITIES"}) + entities +
           Groups({"0", "ENDSEC", "0", "EOF"});
}

inline std::string Number(double value) { return std::to_string(value); }

inline std::string LineEntity(double x1, double y1, double x2, double y2) {
    return Groups(
        {"0", "LINE", "10", Number(x1), "20", Number(y1), "11", Number(x2), "21", Number(y2)});
}

inline std::string CircleEntity(double x, double y, double radius) {
    return Groups({"0", "CIRCLE", "10", Number(x), "20", Number(y), "40", Number(radius)});
}

// A LAYER table naming layers with their colour numbers.
inline std::string LayerTable(std::initializer_list<std::pair<std::string, int>> layers) {
    std::string text = Groups({"0", "SECTION", "2", "TABLES", "0", "TABLE", "2", "LAYER"});
    for (const auto& [name, colour] : layers) {
        text += Groups({"0", "LAYER", "2", name, "70", "0", "62", std::to_string(colour)});
    }
    return text + Groups({"0", "ENDTAB", "0", "ENDSEC"});
}

inline std::vector<Path> Read(const std::string& text) {
    return ReadDxfPaths(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

// The path's points with runs of equal points collapsed, so that checks do
// not depend on whether joined segments repeat their shared point.
inline std::vector<PointF> DistinctPoints(const Path& path) {
    std::vector<PointF> points;
    for (PointF p : path.Points()) {
        if (points.empty() || !(points.back() == p)) points.push_back(p);
    }
    return points;
}

inline double DistanceFrom(PointF p, double x, double y) { return std::hypot(p.x - x, p.y - y); }

}  // namespace velora::dxftest
