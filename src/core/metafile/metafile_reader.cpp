// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/metafile/metafile_reader.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/metafile/metafile_bytes.h"
#include "core/metafile/metafile_wmf.h"

#include <QCoreApplication>

#include <optional>

namespace velora {

namespace {
std::optional<MetafileRecord> KeptRecord(const EmfRecord& record) {
    switch (record.type) {
        case emr::kEllipse:
        case emr::kRectangle: {
            const auto box = DecodeEmfBox(record);
            if (!box) return std::nullopt;
            return MetafileRecord{
                record.type, {{box->left, box->top}, {box->right, box->bottom}}, {}};
        }
        case emr::kPolygon16:
        case emr::kPolyline16: {
            auto points = DecodeEmfPoly(record);
            if (!points) return std::nullopt;
            return MetafileRecord{record.type, std::move(*points), {}};
        }
        case emr::kPolyPolygon16: {
            auto poly = DecodeEmfPolyPolygon(record);
            if (!poly) return std::nullopt;
            return MetafileRecord{record.type, std::move(poly->points), std::move(poly->counts)};
        }
        default:
            return std::nullopt;
    }
}
}  // namespace

QByteArray ReadMetafileFile(const QString& path) {
    FileBytes file = ReadBoundedFile(path, kMaxMetafileFileBytes);
    switch (file.status) {
        case FileBytes::Status::Read:
            break;
        case FileBytes::Status::TooLarge:
            throw MetafileError(4, file.reason);
        case FileBytes::Status::CannotOpen:
        case FileBytes::Status::NotRegularFile:
        case FileBytes::Status::CannotRead:
            throw MetafileError(1, file.reason);
    }
    if (file.bytes.isEmpty()) throw MetafileError(1, EmptyFileReason());
    if (file.bytes.size() < 4)
        throw MetafileError(
            1, QCoreApplication::translate("velora", "is too short (%1 bytes) to be a metafile")
                   .arg(file.bytes.size()));
    return std::move(file.bytes);
}

EmfDocument OpenMetafile(QByteArrayView bytes) {
    const LittleEndianBytes view(bytes);
    if (!view.Has(0, 4))
        throw MetafileError(1, QCoreApplication::translate(
                                   "velora", "the file is too short (%1 bytes) to be a metafile")
                                   .arg(bytes.size()));
    if (view.U32(0) == kPlaceableKey) return EmfDocument(ConvertPlaceableWmf(bytes));
    return EmfDocument(bytes.toByteArray());
}

std::vector<MetafileRecord> ReadKeptRecords(const EmfDocument& metafile) {
    std::vector<MetafileRecord> records;
    metafile.ForEachRecord([&records](const EmfRecord& record) {
        if (auto kept = KeptRecord(record)) records.push_back(std::move(*kept));
    });
    return records;
}

std::vector<MetafileRecord> ReadMetafileRecords(QByteArrayView bytes) {
    return ReadKeptRecords(OpenMetafile(bytes));
}

std::vector<MetafileRecord> ReadMetafileRecordsFromFile(const QString& path) {
    return ReadMetafileRecords(ReadMetafileFile(path));
}

}  // namespace velora
