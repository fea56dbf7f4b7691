#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QPoint>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace velora {

// Enhanced metafile record types this program reads.
namespace emr {
constexpr uint32_t kHeader = 1;
constexpr uint32_t kPolygon = 3;
constexpr uint32_t kPolyline = 4;
constexpr uint32_t kPolyPolygon = 8;
constexpr uint32_t kEof = 14;
constexpr uint32_t kSelectObject = 37;
constexpr uint32_t kCreatePen = 38;
constexpr uint32_t kCreateBrushIndirect = 39;
constexpr uint32_t kDeleteObject = 40;
constexpr uint32_t kEllipse = 42;
constexpr uint32_t kRectangle = 43;
constexpr uint32_t kPolygon16 = 86;
constexpr uint32_t kPolyline16 = 87;
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
};

// Decoders of drawing records. Each returns nullopt when the counts inside
// the record do not fit the record's size.
//
// EMR_ELLIPSE and EMR_RECTANGLE: the box as stored.
std::optional<EmfRect> DecodeEmfBox(const EmfRecord& record);
// EMR_POLYGON(16) and EMR_POLYLINE(16): the points in order; the 16-bit
// types hold two i16 per point, the others two i32.
std::optional<std::vector<QPoint>> DecodeEmfPoly(const EmfRecord& record);

struct EmfPolyPolygon {
    std::vector<uint32_t> counts;  // points of each polygon, in order
    std::vector<QPoint> points;    // all points, polygon after polygon
};
// EMR_POLYPOLYGON(16): the per-polygon counts must not add up to more points
// than the record declares and holds.
std::optional<EmfPolyPolygon> DecodeEmfPolyPolygon(const EmfRecord& record);

}  // namespace velora
