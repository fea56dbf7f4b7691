// SPDX-License-Identifier: GPL-3.0-or-later
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
// of a band merged, equal neighbouring bands merged. The region's rectangles
// iterate in exactly that order. Built in one sweep whose cost grows with
// (rectangles + result) * log(rectangles), so thousands of rows of a few
// rectangles each cost little more than sorting them. Throws
// std::length_error in the unlikely case that the result needs more than
// INT_MAX rectangles.
QRegion RegionFromRects(std::span<const QRect> rects);

// Region data as stored: a 32-byte header (dwSize 32, iType 1, nCount,
// nRgnSize = 16 * nCount, bounding box) followed by nCount rectangles of four
// little-endian i32 (left, top, right, bottom).
QByteArray RgnDataFromRegion(const QRegion& region);

// Reads region data as the platform builds a region from it: the union of the
// rectangles, which may come in any order and may overlap; empty or inverted
// rectangles are skipped; nRgnSize and the bounding box are not used. Bytes
// after the rectangles are ignored. Rectangles that are already in canonical
// form (as the platform and RgnDataFromRegion write them) are taken as they
// are, in time linear in their number. Throws FormatError when the data is
// shorter than the header, dwSize is not 32, iType is not 1, nCount
// rectangles do not fit the bytes, a rectangle lies outside the 27-bit
// coordinate range of regions, or overlapping rectangles would split into
// more than 16 times their number (at least 65536).
QRegion RegionFromRgnData(std::span<const uint8_t> data);

// The region's rectangles in stored order (right and bottom exclusive).
std::vector<QRect> RegionRects(const QRegion& region);

}  // namespace velora
