#pragma once

#include <QByteArray>
#include <QRect>
#include <QRegion>

#include <span>
#include <vector>

namespace velora {

constexpr int kRgnDataHeaderSize = 32;

// The union of the rectangles (right and bottom exclusive, empty ones
// ignored) in the platform's canonical form: y-x bands, touching rectangles
// of a band merged, equal neighbouring bands merged. Built in one pass, so
// thousands of rectangles cost no more than sorting them.
QRegion RegionFromRects(std::span<const QRect> rects);

// Region data as stored: a 32-byte header (dwSize 32, iType 1, nCount,
// nRgnSize = 16 * nCount, bounding box) followed by nCount rectangles of four
// little-endian i32 (left, top, right, bottom).
QByteArray RgnDataFromRegion(const QRegion& region);

// Reads region data. Throws FormatError when the header or the count does not
// fit the bytes. Rectangles may come in any order and may overlap.
QRegion RegionFromRgnData(std::span<const uint8_t> data);

// The region's rectangles in stored order (right and bottom exclusive).
std::vector<QRect> RegionRects(const QRegion& region);

}  // namespace velora
