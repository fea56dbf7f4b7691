// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/metafile/metafile_emf.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <vector>

namespace velora {

// Largest metafile file read into memory.
constexpr qint64 kMaxMetafileFileBytes = qint64{1} << 30;

// The bytes of a metafile file. Throws MetafileError 1 when the file cannot
// be opened or holds fewer than 4 bytes, and 4 when it is too large to be
// read into memory.
QByteArray ReadMetafileFile(const QString& path);

// Opens metafile bytes as the import does: a placeable Windows metafile
// (first u32 0x9AC6CDD7) is converted to an enhanced metafile, anything else
// must be an enhanced metafile. Throws the MetafileError codes of
// ConvertPlaceableWmf and EmfDocument, and 1 for fewer than 4 bytes.
EmfDocument OpenMetafile(QByteArrayView bytes);

// A record the import keeps: EMR_ELLIPSE, EMR_RECTANGLE, EMR_POLYGON16,
// EMR_POLYLINE16 or EMR_POLYPOLYGON16.
struct MetafileRecord {
    uint32_t type = 0;
    // Ellipse and rectangle: (left, top) and (right, bottom) as stored.
    // The others: all points in order.
    std::vector<QPoint> points;
    // Poly-polygon only: the number of points of each polygon, in order.
    std::vector<uint32_t> polygonSizes;
    friend bool operator==(const MetafileRecord&, const MetafileRecord&) = default;
};

// The kept records in file order. A kept record whose counts do not fit its
// size is skipped; a record whose own size is damaged ends the reading with
// the records found before it.
std::vector<MetafileRecord> ReadKeptRecords(const EmfDocument& metafile);
// The same for metafile bytes (through OpenMetafile) and for a file (through
// ReadMetafileFile), with the MetafileError codes of those.
std::vector<MetafileRecord> ReadMetafileRecords(QByteArrayView bytes);
std::vector<MetafileRecord> ReadMetafileRecordsFromFile(const QString& path);

}  // namespace velora
