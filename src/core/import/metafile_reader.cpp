#include "core/import/metafile_reader.h"

#include "core/common/errors.h"
#include "core/import/metafile_bytes.h"
#include "core/import/metafile_wmf.h"

#include <QFile>

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw MetafileError(
            1, QStringLiteral("the file cannot be opened (%1)").arg(file.errorString()));
    if (file.size() > kMaxMetafileFileBytes)
        throw MetafileError(4, QStringLiteral("the file (%1 bytes) is too large to be read into "
                                              "memory")
                                   .arg(file.size()));
    QByteArray bytes = file.readAll();
    if (bytes.size() < 4)
        throw MetafileError(
            1,
            QStringLiteral("the file is too short (%1 bytes) to be a metafile").arg(bytes.size()));
    return bytes;
}

EmfDocument OpenMetafile(QByteArrayView bytes) {
    const LittleEndianBytes view(bytes);
    if (!view.Has(0, 4))
        throw MetafileError(
            1,
            QStringLiteral("the file is too short (%1 bytes) to be a metafile").arg(bytes.size()));
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
