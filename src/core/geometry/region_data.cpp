// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/region_data.h"

#include "core/common/errors.h"
#include "core/geometry/band_union.h"

#include <QVarLengthArray>
#include <QtEndian>

#include <limits>
#include <stdexcept>

namespace velora {

namespace {

constexpr uint32_t kRectanglesType = 1;
constexpr size_t kRectSize = 16;
// Region coordinates are 27-bit signed integers on the platform.
constexpr int64_t kMinCoordinate = -(int64_t{1} << 26);
constexpr int64_t kMaxCoordinate = (int64_t{1} << 26) - 1;
// Stored region data is normally canonical already; overlapping rectangles
// from other writers may split into more, but not without bound.
constexpr size_t kMaxGrowth = 16;
constexpr size_t kMinRectLimit = 1 << 16;

// Regions of a template mostly have a few rectangles; scratch lists of
// those stay on the stack.
constexpr qsizetype kFewRects = 32;

QRegion RegionFromBoxes(std::span<const Box> boxes) {
    QVarLengthArray<QRect, kFewRects> rects;
    rects.reserve(static_cast<qsizetype>(boxes.size()));
    for (const Box& box : boxes) {
        QRect rect;
        rect.setCoords(static_cast<int>(box.left), static_cast<int>(box.top),
                       static_cast<int>(box.right - 1), static_cast<int>(box.bottom - 1));
        rects.push_back(rect);
    }
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

uint32_t ReadU32(const uint8_t* bytes) { return qFromLittleEndian<uint32_t>(bytes); }
int32_t ReadI32(const uint8_t* bytes) { return qFromLittleEndian<int32_t>(bytes); }

void WriteI32(QByteArray& out, qsizetype offset, int32_t value) {
    qToLittleEndian<int32_t>(value, out.data() + offset);
}

bool InCoordinateRange(int64_t value) { return value >= kMinCoordinate && value <= kMaxCoordinate; }

}  // namespace

QRegion RegionFromRects(std::span<const QRect> rects) {
    std::vector<Box> boxes;
    boxes.reserve(rects.size());
    for (const QRect& rect : rects) {
        if (rect.isEmpty()) continue;
        boxes.push_back(
            {rect.left(), rect.top(), int64_t{rect.right()} + 1, int64_t{rect.bottom()} + 1});
    }
    auto bands = UnionToBands(boxes, std::numeric_limits<int>::max());
    if (!bands) throw std::length_error("region needs more rectangles than it can hold");
    return RegionFromBoxes(*bands);
}

QByteArray RgnDataFromRegion(const QRegion& region) {
    const std::vector<QRect> rects = RegionRects(region);
    QByteArray data(static_cast<qsizetype>(kRgnDataHeaderSize + kRectSize * rects.size()), '\0');
    const QRect bound = region.boundingRect();
    WriteI32(data, 0, kRgnDataHeaderSize);
    WriteI32(data, 4, kRectanglesType);
    WriteI32(data, 8, static_cast<int32_t>(rects.size()));
    WriteI32(data, 12, static_cast<int32_t>(kRectSize * rects.size()));
    if (!rects.empty()) {
        WriteI32(data, 16, bound.left());
        WriteI32(data, 20, bound.top());
        WriteI32(data, 24, bound.right() + 1);
        WriteI32(data, 28, bound.bottom() + 1);
    }
    qsizetype offset = kRgnDataHeaderSize;
    for (const QRect& rect : rects) {
        WriteI32(data, offset, rect.left());
        WriteI32(data, offset + 4, rect.top());
        WriteI32(data, offset + 8, rect.right() + 1);
        WriteI32(data, offset + 12, rect.bottom() + 1);
        offset += kRectSize;
    }
    return data;
}

QRegion RegionFromRgnData(std::span<const uint8_t> data) {
    if (data.size() < static_cast<size_t>(kRgnDataHeaderSize)) {
        throw FormatError(QString("Region data of %1 bytes is shorter than its %2-byte header.")
                              .arg(data.size())
                              .arg(kRgnDataHeaderSize));
    }
    const uint32_t headerSize = ReadU32(data.data());
    if (headerSize != kRgnDataHeaderSize) {
        throw FormatError(QString("Region data header gives its size as %1 bytes instead of %2.")
                              .arg(headerSize)
                              .arg(kRgnDataHeaderSize));
    }
    const uint32_t type = ReadU32(data.data() + 4);
    if (type != kRectanglesType) {
        throw FormatError(QString("Region data is of type %1, not rectangles.").arg(type));
    }
    const uint64_t count = ReadU32(data.data() + 8);
    const uint64_t room = (data.size() - kRgnDataHeaderSize) / kRectSize;
    if (count > room) {
        throw FormatError(
            QString("Region data counts %1 rectangles but holds only %2.").arg(count).arg(room));
    }
    QVarLengthArray<Box, kFewRects> boxes;
    boxes.reserve(static_cast<qsizetype>(count));
    for (const uint8_t* rect = data.data() + kRgnDataHeaderSize;
         rect < data.data() + kRgnDataHeaderSize + count * kRectSize; rect += kRectSize) {
        const Box box{ReadI32(rect), ReadI32(rect + 4), ReadI32(rect + 8), ReadI32(rect + 12)};
        // Empty or inverted rectangles add nothing, as when the platform
        // builds the region.
        if (box.left >= box.right || box.top >= box.bottom) continue;
        if (!InCoordinateRange(box.left) || !InCoordinateRange(box.top) ||
            !InCoordinateRange(box.right) || !InCoordinateRange(box.bottom)) {
            throw FormatError(QString("Region data holds a rectangle beyond the coordinate range: "
                                      "(%1, %2, %3, %4).")
                                  .arg(box.left)
                                  .arg(box.top)
                                  .arg(box.right)
                                  .arg(box.bottom));
        }
        boxes.push_back(box);
    }
    // What the platform and this program write is canonical already and
    // needs no union.
    if (IsBanded(boxes)) return RegionFromBoxes(boxes);
    const size_t limit = std::max(kMinRectLimit, kMaxGrowth * static_cast<size_t>(boxes.size()));
    const auto bands = UnionToBands(boxes, limit);
    if (!bands) {
        throw FormatError(QString("Region data of %1 rectangles overlaps into more than %2.")
                              .arg(boxes.size())
                              .arg(limit));
    }
    return RegionFromBoxes(*bands);
}

std::vector<QRect> RegionRects(const QRegion& region) {
    return std::vector<QRect>(region.begin(), region.end());
}

}  // namespace velora
