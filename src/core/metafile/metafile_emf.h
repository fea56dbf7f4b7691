// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QPoint>
#include <QSize>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace velora {

// Enhanced metafile record types this program reads.
namespace emr {
constexpr uint32_t kHeader = 1;
constexpr uint32_t kPolyBezier = 2;
constexpr uint32_t kPolygon = 3;
constexpr uint32_t kPolyline = 4;
constexpr uint32_t kPolyBezierTo = 5;
constexpr uint32_t kPolylineTo = 6;
constexpr uint32_t kPolyPolyline = 7;
constexpr uint32_t kPolyPolygon = 8;
constexpr uint32_t kSetWindowExtEx = 9;
constexpr uint32_t kSetWindowOrgEx = 10;
constexpr uint32_t kSetViewportExtEx = 11;
constexpr uint32_t kSetViewportOrgEx = 12;
constexpr uint32_t kEof = 14;
constexpr uint32_t kSetMapMode = 17;
constexpr uint32_t kSetPolyFillMode = 19;
constexpr uint32_t kMoveToEx = 27;
constexpr uint32_t kScaleViewportExtEx = 31;
constexpr uint32_t kScaleWindowExtEx = 32;
constexpr uint32_t kSaveDc = 33;
constexpr uint32_t kRestoreDc = 34;
constexpr uint32_t kSetWorldTransform = 35;
constexpr uint32_t kModifyWorldTransform = 36;
constexpr uint32_t kSelectObject = 37;
constexpr uint32_t kCreatePen = 38;
constexpr uint32_t kCreateBrushIndirect = 39;
constexpr uint32_t kDeleteObject = 40;
constexpr uint32_t kEllipse = 42;
constexpr uint32_t kRectangle = 43;
constexpr uint32_t kLineTo = 54;
constexpr uint32_t kBeginPath = 59;
constexpr uint32_t kEndPath = 60;
constexpr uint32_t kCloseFigure = 61;
constexpr uint32_t kFillPath = 62;
constexpr uint32_t kStrokeAndFillPath = 63;
constexpr uint32_t kStrokePath = 64;
constexpr uint32_t kAbortPath = 68;
constexpr uint32_t kPolyBezier16 = 85;
constexpr uint32_t kPolygon16 = 86;
constexpr uint32_t kPolyline16 = 87;
constexpr uint32_t kPolyBezierTo16 = 88;
constexpr uint32_t kPolylineTo16 = 89;
constexpr uint32_t kPolyPolyline16 = 90;
constexpr uint32_t kPolyPolygon16 = 91;
constexpr uint32_t kCreateMonoBrush = 93;
constexpr uint32_t kCreateDibPatternBrushPt = 94;
constexpr uint32_t kExtCreatePen = 95;
}  // namespace emr

// " EMF" read as a little-endian u32 at byte 40 of the header record.
constexpr uint32_t kEmfSignature = 0x464D4520;
// The fixed part of the header record, up to and including szlMillimeters.
constexpr uint32_t kEmfHeaderMinSize = 88;

// A rectangle as an enhanced metafile stores it: left, top, right, bottom.
struct EmfRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const EmfRect&, const EmfRect&) = default;
};

// One record: its type and all its bytes, type and size fields included.
struct EmfRecord {
    uint32_t type = 0;
    QByteArrayView bytes;
};

// An enhanced metafile held in memory. Construction accepts exactly what the
// system's enhanced-metafile loader accepts and otherwise throws
// MetafileError 9: the first record must be a header record with the " EMF"
// signature, and the byte count it declares must be a multiple of 4 that the
// file holds.
class EmfDocument {
public:
    explicit EmfDocument(QByteArray bytes);

    // Logical bounds of the picture in device units, inclusive.
    EmfRect Bounds() const { return m_bounds; }
    // Picture frame in 0.01 mm, inclusive.
    EmfRect Frame() const { return m_frame; }
    // The reference device that the picture was recorded for: its size in
    // pixels and in millimetres, as stored (possibly zero or negative).
    QSize DevicePixels() const { return m_devicePixels; }
    QSize DeviceMillimetres() const { return m_deviceMillimetres; }

    // Visits every record in file order, the header first, up to the byte
    // count the header declares. A record whose size is under 8, not a
    // multiple of 4 or runs past that count ends the walk, since nothing
    // after it can be found reliably; the result is then false.
    bool ForEachRecord(const std::function<void(const EmfRecord&)>& visit) const;

private:
    QByteArray m_bytes;
    uint32_t m_declaredSize = 0;
    EmfRect m_bounds;
    EmfRect m_frame;
    QSize m_devicePixels;
    QSize m_deviceMillimetres;
};

// Decoders of drawing records. Each returns nullopt when the counts inside
// the record do not fit the record's size.
//
// EMR_ELLIPSE and EMR_RECTANGLE: the box as stored.
std::optional<EmfRect> DecodeEmfBox(const EmfRecord& record);
// EMR_POLYGON(16), EMR_POLYLINE(16), EMR_POLYLINETO(16), EMR_POLYBEZIER(16)
// and EMR_POLYBEZIERTO(16): the points in order; the 16-bit types hold two
// i16 per point, the others two i32.
std::optional<std::vector<QPoint>> DecodeEmfPoly(const EmfRecord& record);
// EMR_MOVETOEX, EMR_LINETO and the window and viewport origin and extent
// records: the one pair of i32 they hold.
std::optional<QPoint> DecodeEmfPoint(const EmfRecord& record);

// EMR_SCALEVIEWPORTEXTEX and EMR_SCALEWINDOWEXTEX: each extent is multiplied
// by its numerator and divided by its denominator.
struct EmfExtentScale {
    int32_t xNum = 1;
    int32_t xDenom = 1;
    int32_t yNum = 1;
    int32_t yDenom = 1;
};
std::optional<EmfExtentScale> DecodeEmfExtentScale(const EmfRecord& record);

// An XFORM: x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy.
struct EmfXform {
    float m11 = 1;
    float m12 = 0;
    float m21 = 0;
    float m22 = 1;
    float dx = 0;
    float dy = 0;
};
// EMR_SETWORLDTRANSFORM and EMR_MODIFYWORLDTRANSFORM: the transform they
// start with; the values may be any float, infinities and NaN included.
std::optional<EmfXform> DecodeEmfXform(const EmfRecord& record);

// The polygons of a poly-polygon record.
struct EmfPolyPolygon {
    std::vector<uint32_t> counts;  // points of each polygon, in order
    std::vector<QPoint> points;    // all points, polygon after polygon
};
// EMR_POLYPOLYGON(16) and EMR_POLYPOLYLINE(16): the per-polygon counts must
// not add up to more points than the record declares and holds.
std::optional<EmfPolyPolygon> DecodeEmfPolyPolygon(const EmfRecord& record);

}  // namespace velora
