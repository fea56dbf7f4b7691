// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace velora {

// First u32 of a placeable Windows metafile.
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
// Size of the placeable header in front of the Windows metafile.
constexpr int kPlaceableHeaderSize = 22;
// Size of the Windows metafile header (METAHEADER).
constexpr int kWmfHeaderSize = 18;
// Largest Windows metafile we hold in memory; a header declaring more is
// refused before anything is allocated.
constexpr uint64_t kMaxWmfBytes = uint64_t{1} << 30;

// Windows metafile record functions the conversion knows.
namespace wmf {
constexpr uint16_t kEof = 0x0000;
constexpr uint16_t kCreatePalette = 0x00F7;
constexpr uint16_t kSelectObject = 0x012D;
constexpr uint16_t kDibCreatePatternBrush = 0x0142;
constexpr uint16_t kDeleteObject = 0x01F0;
constexpr uint16_t kCreatePatternBrush = 0x01F9;
constexpr uint16_t kCreatePenIndirect = 0x02FA;
constexpr uint16_t kCreateFontIndirect = 0x02FB;
constexpr uint16_t kCreateBrushIndirect = 0x02FC;
constexpr uint16_t kPolygon = 0x0324;
constexpr uint16_t kPolyline = 0x0325;
constexpr uint16_t kEllipse = 0x0418;
constexpr uint16_t kRectangle = 0x041B;
constexpr uint16_t kPolyPolygon = 0x0538;
constexpr uint16_t kCreateRegion = 0x06FF;
}  // namespace wmf

// Turns a placeable Windows metafile (the whole file, placeable header
// included) into the enhanced metafile that the system's conversion makes of
// it: the Windows metafile after byte 22 is played into an enhanced-metafile
// recorder, which writes rectangles, ellipses, polygons, polylines and
// poly-polygons with their logical coordinates, and pens and brushes as they
// are selected. Other drawing records are left out.
//
// The frame of the result is the placeable bounding box at its units per
// inch, so the picture keeps its physical size.
//
// Throws MetafileError: 3 when the Windows metafile header cannot be read,
// 4 when it declares more than kMaxWmfBytes, 6 when the file does not hold
// the size it declares, 7 when the header is not a valid Windows metafile
// header.
QByteArray ConvertPlaceableWmf(QByteArrayView file);

}  // namespace velora
