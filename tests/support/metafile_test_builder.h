// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds small enhanced and placeable Windows metafiles byte by byte, so the
// tests state exactly what a file holds.

#include "core/common/errors.h"
#include "core/metafile/metafile_reader.h"

#include <QByteArray>
#include <QPoint>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace velora::test {

inline void PutU16(QByteArray& out, uint16_t v) { out.append(char(v & 0xFF)).append(char(v >> 8)); }
inline void PutU32(QByteArray& out, uint32_t v) {
    PutU16(out, uint16_t(v & 0xFFFF));
    PutU16(out, uint16_t(v >> 16));
}
inline void SetU32(QByteArray& out, qsizetype at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = char((v >> (8 * i)) & 0xFF);
}
inline uint32_t GetU32(const QByteArray& in, qsizetype at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(in[at + i]);
    return v;
}

using Points = std::vector<QPoint>;

class EmfBuilder {
public:
    // A record of u32 words after type and size; size is computed unless given.
    EmfBuilder& Record(uint32_t type, std::initializer_list<uint32_t> words) {
        QByteArray r;
        PutU32(r, type);
        PutU32(r, uint32_t(8 + 4 * words.size()));
        for (uint32_t w : words) PutU32(r, w);
        m_records += r;
        return *this;
    }
    EmfBuilder& Raw(const QByteArray& bytes) {
        m_records += bytes;
        return *this;
    }
    EmfBuilder& Rectangle(int l, int t, int r, int b) { return Box(43, l, t, r, b); }
    EmfBuilder& Ellipse(int l, int t, int r, int b) { return Box(42, l, t, r, b); }
    EmfBuilder& Box(uint32_t type, int l, int t, int r, int b) {
        return Record(type, {uint32_t(l), uint32_t(t), uint32_t(r), uint32_t(b)});
    }
    // EMR_POLYGON16 (86), EMR_POLYLINE16 (87) or another record of their
    // layout (Bezier and "to" kinds); declaredCount < 0 means the real count.
    EmfBuilder& Poly16(uint32_t type, const Points& points, int64_t declaredCount = -1) {
        QByteArray r;
        PutU32(r, type);
        PutU32(r, uint32_t(28 + 4 * points.size()));
        for (int i = 0; i < 4; ++i) PutU32(r, 0);
        PutU32(r, declaredCount < 0 ? uint32_t(points.size()) : uint32_t(declaredCount));
        for (const QPoint& p : points) {
            PutU16(r, uint16_t(int16_t(p.x())));
            PutU16(r, uint16_t(int16_t(p.y())));
        }
        m_records += r;
        return *this;
    }
    // EMR_POLYGON (3) or EMR_POLYLINE (4) with 32-bit points.
    EmfBuilder& Poly32(uint32_t type, const Points& points) {
        QByteArray r;
        PutU32(r, type);
        PutU32(r, uint32_t(28 + 8 * points.size()));
        for (int i = 0; i < 4; ++i) PutU32(r, 0);
        PutU32(r, uint32_t(points.size()));
        for (const QPoint& p : points) {
            PutU32(r, uint32_t(p.x()));
            PutU32(r, uint32_t(p.y()));
        }
        m_records += r;
        return *this;
    }
    // EMR_POLYPOLYGON16 (91); counts and total may be given to make it lie.
    EmfBuilder& PolyPolygon16(const std::vector<Points>& polygons,
                              std::vector<uint32_t> counts = {}, int64_t total = -1,
                              int64_t polygonCount = -1) {
        Points all;
        if (counts.empty())
            for (const Points& p : polygons) counts.push_back(uint32_t(p.size()));
        for (const Points& p : polygons) all.insert(all.end(), p.begin(), p.end());
        QByteArray r;
        PutU32(r, 91);
        PutU32(r, uint32_t(32 + 4 * counts.size() + 4 * all.size()));
        for (int i = 0; i < 4; ++i) PutU32(r, 0);
        PutU32(r, polygonCount < 0 ? uint32_t(counts.size()) : uint32_t(polygonCount));
        PutU32(r, total < 0 ? uint32_t(all.size()) : uint32_t(total));
        for (uint32_t c : counts) PutU32(r, c);
        for (const QPoint& p : all) {
            PutU16(r, uint16_t(int16_t(p.x())));
            PutU16(r, uint16_t(int16_t(p.y())));
        }
        m_records += r;
        return *this;
    }
    EmfBuilder& Frame(int l, int t, int r, int b) {
        m_frame = {l, t, r, b};
        return *this;
    }
    EmfBuilder& Bounds(int l, int t, int r, int b) {
        m_bounds = {l, t, r, b};
        return *this;
    }
    // The reference device: its size in pixels and in millimetres.
    EmfBuilder& Device(int pixelsX, int pixelsY, int millimetresX, int millimetresY) {
        m_device = {pixelsX, pixelsY, millimetresX, millimetresY};
        return *this;
    }

    // Header, records and an end record, with the byte count patched in.
    QByteArray Build() const {
        QByteArray out;
        PutU32(out, 1);
        PutU32(out, 88);
        for (int v : m_bounds) PutU32(out, uint32_t(v));
        for (int v : m_frame) PutU32(out, uint32_t(v));
        PutU32(out, 0x464D4520);
        PutU32(out, 0x10000);
        PutU32(out, 0);  // bytes, patched below
        PutU32(out, 0);  // records
        PutU32(out, 1);  // handles
        for (int i = 0; i < 3; ++i) PutU32(out, 0);
        for (int v : m_device) PutU32(out, uint32_t(v));
        out += m_records;
        PutU32(out, 14);
        PutU32(out, 20);
        PutU32(out, 0);
        PutU32(out, 16);
        PutU32(out, 20);
        SetU32(out, 48, uint32_t(out.size()));
        return out;
    }

private:
    QByteArray m_records;
    std::vector<int> m_bounds{0, 0, 99, 99};
    std::vector<int> m_frame{0, 0, 2540, 2540};
    // No reference device unless a test gives one.
    std::vector<int> m_device{0, 0, 0, 0};
};

class WmfBuilder {
public:
    WmfBuilder& Record(uint16_t function, std::initializer_list<int> params) {
        PutU32(m_records, uint32_t(3 + params.size()));
        PutU16(m_records, function);
        for (int p : params) PutU16(m_records, uint16_t(p));
        return *this;
    }
    WmfBuilder& Raw(const QByteArray& bytes) {
        m_records += bytes;
        return *this;
    }
    // Rectangle and ellipse store bottom, right, top, left.
    WmfBuilder& Rectangle(int l, int t, int r, int b) { return Record(0x041B, {b, r, t, l}); }
    WmfBuilder& Ellipse(int l, int t, int r, int b) { return Record(0x0418, {b, r, t, l}); }
    WmfBuilder& Poly(uint16_t function, const Points& points) {
        PutU32(m_records, uint32_t(4 + 2 * points.size()));
        PutU16(m_records, function);
        PutU16(m_records, uint16_t(points.size()));
        for (const QPoint& p : points) {
            PutU16(m_records, uint16_t(p.x()));
            PutU16(m_records, uint16_t(p.y()));
        }
        return *this;
    }
    WmfBuilder& Polygon(const Points& points) { return Poly(0x0324, points); }
    WmfBuilder& Polyline(const Points& points) { return Poly(0x0325, points); }
    WmfBuilder& PolyPolygon(const std::vector<Points>& polygons, std::vector<int> counts = {}) {
        Points all;
        if (counts.empty())
            for (const Points& p : polygons) counts.push_back(int(p.size()));
        for (const Points& p : polygons) all.insert(all.end(), p.begin(), p.end());
        PutU32(m_records, uint32_t(4 + counts.size() + 2 * all.size()));
        PutU16(m_records, 0x0538);
        PutU16(m_records, uint16_t(counts.size()));
        for (int c : counts) PutU16(m_records, uint16_t(c));
        for (const QPoint& p : all) {
            PutU16(m_records, uint16_t(p.x()));
            PutU16(m_records, uint16_t(p.y()));
        }
        return *this;
    }
    WmfBuilder& CreatePen(int style, int width, uint32_t color) {
        return Record(0x02FA, {style, width, 0, int(color & 0xFFFF), int(color >> 16)});
    }
    WmfBuilder& CreateBrush(int style, uint32_t color, int hatch = 0) {
        return Record(0x02FC, {style, int(color & 0xFFFF), int(color >> 16), hatch});
    }
    WmfBuilder& Select(int index) { return Record(0x012D, {index}); }
    WmfBuilder& Delete(int index) { return Record(0x01F0, {index}); }
    WmfBuilder& Objects(uint16_t count) {
        m_objects = count;
        return *this;
    }
    WmfBuilder& Version(uint16_t version) {
        m_version = version;
        return *this;
    }
    WmfBuilder& Box(int l, int t, int r, int b, uint16_t unitsPerInch) {
        m_box = {l, t, r, b};
        m_inch = unitsPerInch;
        return *this;
    }

    // The Windows metafile alone: header, records, end record.
    QByteArray Metafile() const {
        QByteArray out;
        PutU16(out, 1);
        PutU16(out, 9);
        PutU16(out, m_version);
        const uint32_t words = uint32_t(9 + m_records.size() / 2 + 3);
        PutU32(out, words);
        PutU16(out, m_objects);
        PutU32(out, 0);
        PutU16(out, 0);
        out += m_records;
        PutU32(out, 3);
        PutU16(out, 0);
        return out;
    }
    // Placeable header in front of the metafile.
    QByteArray Build() const {
        QByteArray out;
        PutU32(out, 0x9AC6CDD7);
        PutU16(out, 0);
        for (int v : m_box) PutU16(out, uint16_t(v));
        PutU16(out, m_inch);
        PutU32(out, 0);
        PutU16(out, 0);
        return out + Metafile();
    }

private:
    QByteArray m_records;
    uint16_t m_objects = 8;
    uint16_t m_version = 0x0300;
    std::vector<int> m_box{0, 0, 1000, 500};
    uint16_t m_inch = 1000;
};

// The error code that reading the bytes raises (each with a message), or 0.
inline int MetafileErrorCode(const QByteArray& bytes) {
    try {
        ReadMetafileRecords(bytes);
    } catch (const MetafileError& error) {
        EXPECT_FALSE(error.Message().isEmpty());
        return error.Code();
    }
    return 0;
}

}  // namespace velora::test
