// SPDX-License-Identifier: GPL-3.0-or-later
// Curve records come from files with any point types. Every path operation
// must cope with them: no reads out of bounds, bounded work, and flattening
// leaves no Bezier points behind.
#include "core/geometry/path.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Each record is two floats and a type byte.
    constexpr size_t kRecord = 9;
    std::vector<velora::PointF> points;
    std::vector<uint8_t> types;
    for (size_t offset = 0; offset + kRecord <= size && points.size() < 4096; offset += kRecord) {
        velora::PointF point;
        std::memcpy(&point.x, data + offset, 4);
        std::memcpy(&point.y, data + offset + 4, 4);
        points.push_back(point);
        types.push_back(data[offset + 8]);
    }
    velora::Path path(points, types);
    (void)path.ToPainterPath();
    (void)path.WorldBoundsI(nullptr, 1.0f);
    velora::Path reversed = path;
    reversed.Reverse();
    if (reversed.PointCount() != path.PointCount()) std::abort();
    reversed.AddPath(path, true);
    const velora::Matrix scale(10, 0, 0, 10, 0, 0);
    reversed.Flatten(&scale, 0.01f);
    for (uint8_t type : reversed.Types()) {
        if ((type & velora::PathPointType::TypeMask) == velora::PathPointType::Bezier) std::abort();
    }
    return 0;
}
