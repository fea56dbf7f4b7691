// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/metafile/metafile_wmf.h"

#include "core/common/errors.h"
#include "core/metafile/metafile_bytes.h"
#include "core/metafile/metafile_emf.h"

#include <QCoreApplication>

#include <algorithm>
#include <optional>
#include <vector>

namespace velora {

namespace {

constexpr uint16_t kMemoryMetafile = 1;
constexpr uint16_t kHeaderSizeInWords = kWmfHeaderSize / 2;
constexpr uint16_t kVersion100 = 0x0100;
constexpr uint16_t kVersion300 = 0x0300;
constexpr uint32_t kBrushSolid = 0;
constexpr uint32_t kBrushNull = 1;
constexpr uint32_t kBrushHatched = 2;
// The recorder's bounds of a record whose points give none.
constexpr EmfRect kEmptyBounds{0, 0, -1, -1};

// One enhanced-metafile record under construction.
class RecordBuilder {
public:
    explicit RecordBuilder(uint32_t type) { PutU32(type).PutU32(0); }
    RecordBuilder& PutU32(uint32_t value) {
        for (int i = 0; i < 4; ++i) m_bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
        return *this;
    }
    RecordBuilder& PutI32(int32_t value) { return PutU32(static_cast<uint32_t>(value)); }
    RecordBuilder& PutI16(int16_t value) {
        const auto bits = static_cast<uint16_t>(value);
        m_bytes.append(static_cast<char>(bits & 0xFF)).append(static_cast<char>(bits >> 8));
        return *this;
    }
    RecordBuilder& PutRect(const EmfRect& r) {
        return PutI32(r.left).PutI32(r.top).PutI32(r.right).PutI32(r.bottom);
    }
    RecordBuilder& PutPoints(const std::vector<QPoint>& points) {
        for (const QPoint& p : points)
            PutI16(static_cast<int16_t>(p.x())).PutI16(static_cast<int16_t>(p.y()));
        return *this;
    }
    QByteArray Finish() {
        while (m_bytes.size() % 4 != 0) m_bytes.append('\0');
        const auto size = static_cast<uint32_t>(m_bytes.size());
        for (int i = 0; i < 4; ++i) m_bytes[4 + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
        return m_bytes;
    }

private:
    QByteArray m_bytes;
};

// The placeable header's bounding box in logical units, the frame it makes
// in 0.01 mm, and a reference device on which one logical unit is one pixel,
// so that a player maps the frame back onto the box. Without units per inch
// there is neither frame nor device.
struct PlaceableBox {
    EmfRect bounds;
    EmfRect frame;
    // Both axes: devicePixels pixels on deviceMillimetres millimetres.
    uint32_t devicePixels = 0;
    uint32_t deviceMillimetres = 0;
};

PlaceableBox ReadPlaceableBox(const LittleEndianBytes& file) {
    const int32_t left = file.I16(6), top = file.I16(8), right = file.I16(10),
                  bottom = file.I16(12);
    const uint16_t unitsPerInch = file.U16(14);
    PlaceableBox box{{std::min(left, right), std::min(top, bottom), std::max(left, right),
                      std::max(top, bottom)},
                     {}};
    if (unitsPerInch == 0) return box;
    const auto toFrame = [unitsPerInch](int64_t units) {
        return static_cast<int32_t>(units * 2540 / unitsPerInch);
    };
    const EmfRect& b = box.bounds;
    box.frame.left = toFrame(b.left);
    box.frame.top = toFrame(b.top);
    // The size is converted as a whole, so that it does not depend on where
    // the box lies.
    box.frame.right = box.frame.left + toFrame(int64_t{b.right} - b.left);
    box.frame.bottom = box.frame.top + toFrame(int64_t{b.bottom} - b.top);
    // unitsPerInch / 25.4 pixels per millimetre.
    box.devicePixels = 5u * unitsPerInch;
    box.deviceMillimetres = 127;
    return box;
}

// Collects records and writes the whole enhanced metafile around them.
class EmfWriter {
public:
    void Add(RecordBuilder record) {
        m_records.append(record.Finish());
        ++m_recordCount;
    }
    void NoteHandles(uint32_t inUse) { m_handles = std::max(m_handles, inUse); }

    QByteArray Finish(const PlaceableBox& box) {
        Add(std::move(RecordBuilder(emr::kEof).PutU32(0).PutU32(16).PutU32(20)));
        RecordBuilder header(emr::kHeader);
        header.PutRect(box.bounds).PutRect(box.frame).PutU32(kEmfSignature).PutU32(0x10000);
        header.PutU32(kEmfHeaderMinSize + static_cast<uint32_t>(m_records.size()));
        header.PutU32(m_recordCount + 1);
        // Handle slot 0 is the metafile itself. No description, no palette.
        header.PutU32(m_handles + 1).PutU32(0).PutU32(0).PutU32(0);
        header.PutU32(box.devicePixels).PutU32(box.devicePixels);
        header.PutU32(box.deviceMillimetres).PutU32(box.deviceMillimetres);
        return header.Finish() + m_records;
    }

private:
    QByteArray m_records;
    uint32_t m_recordCount = 0;
    uint32_t m_handles = 0;
};

// A GDI object created by the Windows metafile, held in its handle table.
struct WmfObject {
    enum class Kind { Pen, Brush, PatternBrush, Other };
    Kind kind = Kind::Other;
    uint32_t style = 0;
    int32_t width = 0;
    uint32_t color = 0;
    uint32_t hatch = 0;
    // Slot in the enhanced metafile's table once it has been written there.
    uint32_t emfIndex = 0;
};

EmfRect PointBounds(const std::vector<QPoint>& points) {
    if (points.empty()) return kEmptyBounds;
    EmfRect r{points[0].x(), points[0].y(), points[0].x(), points[0].y()};
    for (const QPoint& p : points) {
        r.left = std::min(r.left, p.x());
        r.top = std::min(r.top, p.y());
        r.right = std::max(r.right, p.x());
        r.bottom = std::max(r.bottom, p.y());
    }
    return r;
}

// Plays the records of a Windows metafile into an enhanced-metafile writer,
// the way the system's recorder writes the calls that playback makes.
class WmfPlayer {
public:
    WmfPlayer(QByteArrayView metafile, uint16_t objectCount)
        : m_metafile(metafile), m_table(objectCount) {}

    QByteArray Play(const PlaceableBox& box) {
        // Playback stops at the end record, at a record shorter than its own
        // header, and (unlike the system, which reads on) at a record that
        // runs past the end of the metafile.
        uint64_t offset = kWmfHeaderSize;
        while (m_metafile.Has(offset, 6)) {
            const uint64_t words = m_metafile.U32(offset);
            const uint16_t function = m_metafile.U16(offset + 4);
            if (words < 3 || !m_metafile.Has(offset, 2 * words) || function == wmf::kEof) break;
            PlayRecord(function, LittleEndianBytes(m_metafile.View().sliced(
                                     static_cast<qsizetype>(offset + 6),
                                     static_cast<qsizetype>(2 * words - 6))));
            offset += 2 * words;
        }
        return m_out.Finish(box);
    }

private:
    void PlayRecord(uint16_t function, const LittleEndianBytes& params) {
        switch (function) {
            case wmf::kRectangle:
                PlayBox(emr::kRectangle, params);
                break;
            case wmf::kEllipse:
                PlayBox(emr::kEllipse, params);
                break;
            case wmf::kPolygon:
                PlayPoly(emr::kPolygon16, params);
                break;
            case wmf::kPolyline:
                PlayPoly(emr::kPolyline16, params);
                break;
            case wmf::kPolyPolygon:
                PlayPolyPolygon(params);
                break;
            case wmf::kCreatePenIndirect:
                if (params.Has(0, 10))
                    AddObject(
                        {WmfObject::Kind::Pen, params.U16(0), params.I16(2), params.U32(6), 0, 0});
                break;
            case wmf::kCreateBrushIndirect:
                if (params.Has(0, 8)) AddObject(BrushFrom(params));
                break;
            case wmf::kCreatePatternBrush:
            case wmf::kDibCreatePatternBrush:
                AddObject({WmfObject::Kind::PatternBrush});
                break;
            case wmf::kCreateFontIndirect:
            case wmf::kCreatePalette:
            case wmf::kCreateRegion:
                AddObject({WmfObject::Kind::Other});
                break;
            case wmf::kSelectObject:
                if (params.Has(0, 2)) SelectObject(params.U16(0));
                break;
            case wmf::kDeleteObject:
                if (params.Has(0, 2)) DeleteObject(params.U16(0));
                break;
            default:
                break;
        }
    }

    // Rectangle and ellipse parameters are stored bottom, right, top, left.
    // The recorder drops an empty box, orders the corners and, in the
    // compatible graphics mode that playback runs in, makes right and bottom
    // inclusive.
    void PlayBox(uint32_t type, const LittleEndianBytes& params) {
        if (!params.Has(0, 8)) return;
        const int32_t bottom = params.I16(0), right = params.I16(2);
        const int32_t top = params.I16(4), left = params.I16(6);
        if (left == right || top == bottom) return;
        const EmfRect box{std::min(left, right), std::min(top, bottom), std::max(left, right) - 1,
                          std::max(top, bottom) - 1};
        m_out.Add(std::move(RecordBuilder(type).PutRect(box)));
    }

    // A polygon needs two points to be recorded; a polyline is recorded
    // whatever its count.
    void PlayPoly(uint32_t type, const LittleEndianBytes& params) {
        if (!params.Has(0, 2)) return;
        const uint16_t count = params.U16(0);
        if (!params.Has(2, 4 * uint64_t{count})) return;
        if (type == emr::kPolygon16 && count < 2) return;
        const std::vector<QPoint> points = ReadPoints(params, 2, count);
        m_out.Add(std::move(
            RecordBuilder(type).PutRect(PointBounds(points)).PutU32(count).PutPoints(points)));
    }

    // Polygon counts are signed words. The system adds a negative one into
    // its total and reads a wrong number of points; such a record is
    // skipped here. Counts under 2 are still recorded, without bounds.
    void PlayPolyPolygon(const LittleEndianBytes& params) {
        if (!params.Has(0, 2)) return;
        const uint16_t polygonCount = params.U16(0);
        if (!params.Has(2, 2 * uint64_t{polygonCount})) return;
        std::vector<uint32_t> counts;
        uint64_t total = 0;
        bool boundsValid = polygonCount > 0;
        for (uint16_t i = 0; i < polygonCount; ++i) {
            const int16_t count = params.I16(2 + 2 * uint64_t{i});
            if (count < 0) return;
            if (count < 2) boundsValid = false;
            counts.push_back(static_cast<uint32_t>(count));
            total += static_cast<uint64_t>(count);
        }
        const uint64_t pointsOffset = 2 + 2 * uint64_t{polygonCount};
        if (!params.Has(pointsOffset, 4 * total)) return;
        const std::vector<QPoint> points = ReadPoints(params, pointsOffset, total);
        RecordBuilder record(emr::kPolyPolygon16);
        record.PutRect(boundsValid && total > 0 ? PointBounds(points) : kEmptyBounds);
        record.PutU32(polygonCount).PutU32(static_cast<uint32_t>(total));
        for (uint32_t count : counts) record.PutU32(count);
        m_out.Add(std::move(record.PutPoints(points)));
    }

    static std::vector<QPoint> ReadPoints(const LittleEndianBytes& params, uint64_t offset,
                                          uint64_t count) {
        std::vector<QPoint> points;
        points.reserve(count);
        for (uint64_t i = 0; i < count; ++i)
            points.emplace_back(params.I16(offset + 4 * i), params.I16(offset + 4 * i + 2));
        return points;
    }

    static WmfObject BrushFrom(const LittleEndianBytes& params) {
        const uint32_t style = params.U16(0);
        const bool plain = style == kBrushSolid || style == kBrushNull || style == kBrushHatched;
        return {plain ? WmfObject::Kind::Brush : WmfObject::Kind::PatternBrush,
                style,
                0,
                params.U32(2),
                params.U16(6),
                0};
    }

    // A new object takes the first free slot of the handle table; with no
    // free slot it is lost, as in the system's playback.
    void AddObject(const WmfObject& object) {
        const auto free = std::find(m_table.begin(), m_table.end(), std::nullopt);
        if (free != m_table.end()) *free = object;
    }

    void SelectObject(uint16_t index) {
        if (index >= m_table.size() || !m_table[index]) return;
        WmfObject& object = *m_table[index];
        if (object.kind == WmfObject::Kind::Other) return;
        if (object.emfIndex == 0) WriteCreate(object);
        m_out.Add(std::move(RecordBuilder(emr::kSelectObject).PutU32(object.emfIndex)));
    }

    void DeleteObject(uint16_t index) {
        if (index >= m_table.size() || !m_table[index]) return;
        const uint32_t emfIndex = m_table[index]->emfIndex;
        if (emfIndex != 0) {
            m_out.Add(std::move(RecordBuilder(emr::kDeleteObject).PutU32(emfIndex)));
            m_emfSlots[emfIndex - 1] = false;
        }
        m_table[index].reset();
    }

    // The recorder writes an object the first time it is selected, into the
    // first free slot of its table; slot numbers start at 1.
    void WriteCreate(WmfObject& object) {
        const auto free = std::find(m_emfSlots.begin(), m_emfSlots.end(), false);
        object.emfIndex = static_cast<uint32_t>(free - m_emfSlots.begin()) + 1;
        if (free == m_emfSlots.end())
            m_emfSlots.push_back(true);
        else
            *free = true;
        m_out.NoteHandles(
            static_cast<uint32_t>(std::count(m_emfSlots.begin(), m_emfSlots.end(), true)));
        switch (object.kind) {
            case WmfObject::Kind::Pen:
                m_out.Add(std::move(RecordBuilder(emr::kCreatePen)
                                        .PutU32(object.emfIndex)
                                        .PutU32(object.style)
                                        .PutI32(object.width)
                                        .PutI32(0)
                                        .PutU32(object.color)));
                break;
            case WmfObject::Kind::Brush:
                m_out.Add(std::move(RecordBuilder(emr::kCreateBrushIndirect)
                                        .PutU32(object.emfIndex)
                                        .PutU32(object.style)
                                        .PutU32(object.color)
                                        .PutU32(object.hatch)));
                break;
            default:
                // The pattern itself is not carried over; readers know the
                // brush only as a pattern brush.
                m_out.Add(std::move(RecordBuilder(emr::kCreateDibPatternBrushPt)
                                        .PutU32(object.emfIndex)
                                        .PutU32(0)
                                        .PutU32(0)
                                        .PutU32(0)
                                        .PutU32(0)
                                        .PutU32(0)));
                break;
        }
    }

    LittleEndianBytes m_metafile;
    std::vector<std::optional<WmfObject>> m_table;
    std::vector<bool> m_emfSlots;
    EmfWriter m_out;
};

// The last six bytes are the end-of-metafile record: size 3 words, function 0.
bool EndsWithEndRecord(QByteArrayView file) {
    static constexpr char kEndRecord[] = {3, 0, 0, 0, 0, 0};
    return file.size() >= kPlaceableHeaderSize + kWmfHeaderSize + 6 &&
           file.last(6) == QByteArrayView(kEndRecord, 6);
}

// The checks of the system's SetMetaFileBitsEx on the metafile bytes.
void CheckMetafileHeader(const LittleEndianBytes& metafile) {
    if (metafile.Size() < kWmfHeaderSize)
        throw MetafileError(
            7, QCoreApplication::translate("velora",
                                           "the Windows metafile is too small (%1 bytes) to "
                                           "hold its own header")
                   .arg(metafile.Size()));
    const uint16_t type = metafile.U16(0);
    const uint16_t headerWords = metafile.U16(2);
    const uint16_t version = metafile.U16(4);
    if (type != kMemoryMetafile || headerWords != kHeaderSizeInWords ||
        (version != kVersion100 && version != kVersion300))
        throw MetafileError(
            7, QCoreApplication::translate("velora",
                                           "the Windows metafile header is invalid (type %1, "
                                           "header size %2 words, version 0x%3)")
                   .arg(type)
                   .arg(headerWords)
                   .arg(version, 4, 16, QLatin1Char('0')));
}

}  // namespace

QByteArray ConvertPlaceableWmf(QByteArrayView file) {
    const LittleEndianBytes bytes(file);
    if (!bytes.Has(kPlaceableHeaderSize, kWmfHeaderSize))
        throw MetafileError(
            3, QCoreApplication::translate("velora",
                                           "the Windows metafile header after the placeable "
                                           "header cannot be read: the file is too short"));
    const uint64_t declared = 2 * uint64_t{bytes.U32(kPlaceableHeaderSize + 6)};
    if (declared > kMaxWmfBytes)
        throw MetafileError(
            4, QCoreApplication::translate("velora",
                                           "the Windows metafile declares %1 bytes, more "
                                           "than can be read into memory")
                   .arg(declared));
    const uint64_t available = static_cast<uint64_t>(file.size()) - kPlaceableHeaderSize;
    // Some writers count the placeable header in the metafile's size. Such a
    // file is complete when it still ends with the end-of-metafile record, and
    // is read as far as it goes.
    if (declared > available && !EndsWithEndRecord(file))
        throw MetafileError(
            6, QCoreApplication::translate("velora",
                                           "the metafile records cannot be read: the header "
                                           "declares %1 bytes but the file holds only %2")
                   .arg(declared)
                   .arg(available));
    const LittleEndianBytes metafile(
        file.sliced(kPlaceableHeaderSize, static_cast<qsizetype>(std::min(declared, available))));
    CheckMetafileHeader(metafile);
    return WmfPlayer(metafile.View(), metafile.U16(10)).Play(ReadPlaceableBox(bytes));
}

}  // namespace velora
