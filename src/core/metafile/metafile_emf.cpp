// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/metafile/metafile_emf.h"

#include "core/common/errors.h"
#include "core/metafile/metafile_bytes.h"

#include <QCoreApplication>

#include <bit>

namespace velora {

namespace {
constexpr uint32_t kRecordHeaderSize = 8;
constexpr uint32_t kBoundsSize = 16;

EmfRect ReadRect(const LittleEndianBytes& bytes, uint64_t offset) {
    return {bytes.I32(offset), bytes.I32(offset + 4), bytes.I32(offset + 8),
            bytes.I32(offset + 12)};
}

bool IsSixteenBit(uint32_t type) {
    switch (type) {
        case emr::kPolyBezier16:
        case emr::kPolygon16:
        case emr::kPolyline16:
        case emr::kPolyBezierTo16:
        case emr::kPolylineTo16:
        case emr::kPolyPolyline16:
        case emr::kPolyPolygon16:
            return true;
        default:
            return false;
    }
}

// Reads count points starting at offset; the caller has checked they fit.
std::vector<QPoint> ReadPoints(const LittleEndianBytes& bytes, uint64_t offset, uint64_t count,
                               bool sixteenBit) {
    std::vector<QPoint> points;
    points.reserve(count);
    const uint64_t step = sixteenBit ? 4 : 8;
    for (uint64_t i = 0; i < count; ++i, offset += step) {
        if (sixteenBit)
            points.emplace_back(bytes.I16(offset), bytes.I16(offset + 2));
        else
            points.emplace_back(bytes.I32(offset), bytes.I32(offset + 4));
    }
    return points;
}

[[noreturn]] void Refuse(const QString& cause) {
    throw MetafileError(
        9, QCoreApplication::translate("velora", "not a valid enhanced metafile: %1").arg(cause));
}
}  // namespace

EmfDocument::EmfDocument(QByteArray bytes) : m_bytes(std::move(bytes)) {
    const LittleEndianBytes view(m_bytes);
    if (!view.Has(0, kEmfHeaderMinSize))
        Refuse(QCoreApplication::translate(
                   "velora", "the file is too short for an enhanced metafile header (%1 bytes)")
                   .arg(view.Size()));
    if (view.U32(0) != emr::kHeader)
        Refuse(QCoreApplication::translate("velora", "it does not start with a header record"));
    if (view.U32(40) != kEmfSignature)
        Refuse(QCoreApplication::translate("velora", "the header has no \" EMF\" signature"));
    m_declaredSize = view.U32(48);
    if (m_declaredSize % 4 != 0)
        Refuse(QCoreApplication::translate("velora",
                                           "its declared size of %1 bytes is not a multiple of 4")
                   .arg(m_declaredSize));
    if (m_declaredSize > static_cast<uint64_t>(view.Size()))
        Refuse(QCoreApplication::translate(
                   "velora", "the header declares %1 bytes but the file holds only %2")
                   .arg(m_declaredSize)
                   .arg(view.Size()));
    m_bounds = ReadRect(view, 8);
    m_frame = ReadRect(view, 24);
    m_devicePixels = QSize(view.I32(72), view.I32(76));
    m_deviceMillimetres = QSize(view.I32(80), view.I32(84));
}

bool EmfDocument::ForEachRecord(const std::function<void(const EmfRecord&)>& visit) const {
    const LittleEndianBytes view(QByteArrayView(m_bytes).first(m_declaredSize));
    uint64_t offset = 0;
    while (offset < m_declaredSize) {
        if (!view.Has(offset, kRecordHeaderSize)) return false;
        const uint32_t type = view.U32(offset);
        const uint32_t size = view.U32(offset + 4);
        if (size < kRecordHeaderSize || size % 4 != 0 || !view.Has(offset, size)) return false;
        visit({type, view.View().sliced(static_cast<qsizetype>(offset), size)});
        offset += size;
    }
    return true;
}

std::optional<EmfRect> DecodeEmfBox(const EmfRecord& record) {
    const LittleEndianBytes bytes(record.bytes);
    if (!bytes.Has(kRecordHeaderSize, kBoundsSize)) return std::nullopt;
    return ReadRect(bytes, kRecordHeaderSize);
}

std::optional<QPoint> DecodeEmfPoint(const EmfRecord& record) {
    const LittleEndianBytes bytes(record.bytes);
    if (!bytes.Has(kRecordHeaderSize, 8)) return std::nullopt;
    return QPoint(bytes.I32(kRecordHeaderSize), bytes.I32(kRecordHeaderSize + 4));
}

std::optional<EmfExtentScale> DecodeEmfExtentScale(const EmfRecord& record) {
    const LittleEndianBytes bytes(record.bytes);
    if (!bytes.Has(kRecordHeaderSize, 16)) return std::nullopt;
    return EmfExtentScale{bytes.I32(kRecordHeaderSize), bytes.I32(kRecordHeaderSize + 4),
                          bytes.I32(kRecordHeaderSize + 8), bytes.I32(kRecordHeaderSize + 12)};
}

std::optional<EmfXform> DecodeEmfXform(const EmfRecord& record) {
    const LittleEndianBytes bytes(record.bytes);
    if (!bytes.Has(kRecordHeaderSize, 24)) return std::nullopt;
    const auto at = [&bytes](uint64_t index) {
        return std::bit_cast<float>(bytes.U32(kRecordHeaderSize + 4 * index));
    };
    return EmfXform{at(0), at(1), at(2), at(3), at(4), at(5)};
}

std::optional<std::vector<QPoint>> DecodeEmfPoly(const EmfRecord& record) {
    const LittleEndianBytes bytes(record.bytes);
    const uint64_t countOffset = kRecordHeaderSize + kBoundsSize;
    if (!bytes.Has(countOffset, 4)) return std::nullopt;
    const uint64_t count = bytes.U32(countOffset);
    const bool sixteenBit = IsSixteenBit(record.type);
    const uint64_t pointSize = sixteenBit ? 4 : 8;
    if (!bytes.Has(countOffset + 4, count * pointSize)) return std::nullopt;
    return ReadPoints(bytes, countOffset + 4, count, sixteenBit);
}

std::optional<EmfPolyPolygon> DecodeEmfPolyPolygon(const EmfRecord& record) {
    const LittleEndianBytes bytes(record.bytes);
    const uint64_t polygonsOffset = kRecordHeaderSize + kBoundsSize;
    if (!bytes.Has(polygonsOffset, 8)) return std::nullopt;
    const uint64_t polygonCount = bytes.U32(polygonsOffset);
    const uint64_t pointCount = bytes.U32(polygonsOffset + 4);
    const bool sixteenBit = IsSixteenBit(record.type);
    const uint64_t countsOffset = polygonsOffset + 8;
    const uint64_t pointsOffset = countsOffset + 4 * polygonCount;
    if (!bytes.Has(countsOffset, 4 * polygonCount) ||
        !bytes.Has(pointsOffset, pointCount * (sixteenBit ? 4 : 8)))
        return std::nullopt;

    EmfPolyPolygon result;
    result.counts.reserve(polygonCount);
    uint64_t used = 0;
    for (uint64_t i = 0; i < polygonCount; ++i) {
        const uint32_t count = bytes.U32(countsOffset + 4 * i);
        used += count;
        if (used > pointCount) return std::nullopt;
        result.counts.push_back(count);
    }
    result.points = ReadPoints(bytes, pointsOffset, used, sixteenBit);
    return result;
}

}  // namespace velora
