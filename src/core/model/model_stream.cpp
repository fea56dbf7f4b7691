// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/model_stream.h"

#include "core/archive/archive.h"
#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/geometry/region_data.h"
#include "core/model/drawing_model.h"
#include "core/model/drawing_size.h"
#include "core/model/image_decoder.h"
#include "core/model/image_record.h"
#include "core/model/load_budget.h"
#include "core/model/stored_image.h"
#include "core/model/thumbnail.h"

#include <QCoreApplication>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace velora {

namespace {

constexpr int kImageQuality = 100;

// Smallest records, by which counts are checked against the bytes left:
// an area has a name, a name count and an image length; a curve a point
// count and a name; a point eight bytes of coordinates and a type byte; a
// region a name and a data size; a string its length byte.
constexpr size_t kMinAreaRecord = 1 + 4 + 4;
constexpr size_t kMinCurveRecord = 4 + 1;
constexpr size_t kPointBytes = 4 + 4;
constexpr size_t kPointRecord = kPointBytes + 1;
constexpr size_t kMinRegionRecord = 1 + 4;
constexpr size_t kMinString = 1;

// What the items take in memory, each in its list and its heap blocks, for
// the load budget. Characters, points and rectangles are charged as they
// come.
constexpr uint64_t kNameMemory = sizeof(QString) + kHeapBlockBytes;
constexpr uint64_t kAreaMemory = sizeof(CArea) + kNameMemory + kHeapBlockBytes;
constexpr uint64_t kCurveMemory =
    sizeof(std::unique_ptr<CCurve>) + sizeof(CCurve) + 3 * kHeapBlockBytes;
constexpr uint64_t kPointMemory = sizeof(PointF) + 1;
// A region's shape is a shared block with its rectangle list.
constexpr uint64_t kRegionMemory = sizeof(std::unique_ptr<CRegionItem>) + sizeof(CRegionItem) +
                                   kNameMemory + sizeof(QRect) * 2 + 4 * kHeapBlockBytes;
constexpr uint64_t kCharacterMemory = sizeof(QChar);

// Mask header values of a one-bit bitmap.
constexpr int32_t kBitmapType = 0;
constexpr uint16_t kBitmapPlanes = 1;
constexpr uint16_t kBitmapBitsPixel = 1;

// Texture entries use "/" in memory and "\" in files, as the Windows program
// writes them.
QString TextureEntryToFile(QString entry) { return entry.replace(QLatin1Char('/'), '\\'); }
QString TextureEntryFromFile(QString entry) { return entry.replace(QLatin1Char('\\'), '/'); }

// A stream being read, with the memory its items have taken so far.
struct BudgetedReader {
    ArchiveReader& archive;
    LoadBudget budget;

    // A count of items that take at least minRecord bytes of the stream and
    // memory bytes each once made.
    uint32_t ReadCount(size_t minRecord, uint64_t memory, const char* what) {
        const uint32_t count = archive.ReadCount(minRecord);
        budget.ChargeItems(count, memory, what);
        return count;
    }
    QString ReadString() {
        QString text = archive.ReadString();
        budget.ChargeItems(static_cast<uint64_t>(text.size()), kCharacterMemory, "characters");
        return text;
    }
};

// An area with everything but its image, whose bytes come back for decoding
// once the whole stream is known to be sound.
CArea ReadArea(BudgetedReader& reader, std::span<const uint8_t>& imageBytes) {
    CArea area;
    area.SetName(reader.ReadString());
    const uint32_t nameCount = reader.ReadCount(kMinString, kNameMemory, "region names");
    QStringList names;
    names.reserve(nameCount);
    for (uint32_t i = 0; i < nameCount; ++i) names.append(reader.ReadString());
    area.SetNames(std::move(names));
    imageBytes = ReadImageRecordBytes(reader.archive);
    return area;
}

// The point types the platform's path accepts: the last point does not start
// a figure, Bezier points come in threes, and every base type is a start, a
// line or a Bezier point. A path that breaks the rules loads empty, as it did
// on the platform.
bool IsValidPathTypes(const std::vector<uint8_t>& types) {
    const size_t count = types.size();
    if (count > 1 && (types.back() & PathPointType::TypeMask) == PathPointType::Start) return false;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t type = types[i] & PathPointType::TypeMask;
        if (type == PathPointType::Bezier && i > 0) {
            if (i + 2 >= count ||
                (types[i + 1] & PathPointType::TypeMask) != PathPointType::Bezier ||
                (types[i + 2] & PathPointType::TypeMask) != PathPointType::Bezier) {
                return false;
            }
            i += 2;
        } else if (type != PathPointType::Start && type != PathPointType::Line &&
                   type != PathPointType::Bezier) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<CCurve> ReadCurve(BudgetedReader& reader) {
    ArchiveReader& archive = reader.archive;
    const uint32_t pointCount = reader.ReadCount(kPointRecord, kPointMemory, "curve points");
    // The points in one read: thousands of curves make per-field reads add up.
    const std::span<const uint8_t> pointBytes = archive.ReadBytes(size_t{pointCount} * kPointBytes);
    std::vector<PointF> points(pointCount);
    for (size_t i = 0; i < pointCount; ++i) {
        points[i].x =
            std::bit_cast<float>(qFromLittleEndian<uint32_t>(&pointBytes[i * kPointBytes]));
        points[i].y =
            std::bit_cast<float>(qFromLittleEndian<uint32_t>(&pointBytes[i * kPointBytes + 4]));
    }
    const std::span<const uint8_t> typeBytes = archive.ReadBytes(pointCount);
    std::vector<uint8_t> types(typeBytes.begin(), typeBytes.end());
    QString name = reader.ReadString();
    if (!IsValidPathTypes(types)) {
        points.clear();
        types.clear();
    }
    return std::make_unique<CCurve>(Path(std::move(points), std::move(types), FillMode::Alternate),
                                    std::move(name));
}

std::unique_ptr<CRegionItem> ReadRegion(BudgetedReader& reader) {
    // Every region built for loading takes the next "Area%d" number, which
    // the stored name then replaces. A new region has nothing else to reset.
    auto region = std::make_unique<CRegionItem>();
    region->SetName(reader.ReadString());
    const std::span<const uint8_t> data = reader.archive.ReadBytes(reader.archive.ReadU32());
    // A region without a handle was stored with no data at all.
    if (!data.empty()) {
        // Overlapping rectangles may split into many more than were stored.
        QRegion shape = RegionFromRgnData(data);
        reader.budget.ChargeItems(static_cast<uint64_t>(shape.rectCount()), sizeof(QRect),
                                  "region rectangles");
        region->AssignRegion(shape);
    }
    return region;
}

MonoBitmap ReadMask(BudgetedReader& reader) {
    ArchiveReader& archive = reader.archive;
    const int32_t type = archive.ReadI32();
    const int32_t width = archive.ReadI32();
    const int32_t height = archive.ReadI32();
    const int32_t widthBytes = archive.ReadI32();
    const uint16_t planes = archive.ReadU16();
    const uint16_t bitsPixel = archive.ReadU16();
    archive.ReadU32();  // the bits pointer of the platform's record, always meaningless here
    if (type != kBitmapType || width < 0 || height < 0) {
        throw FormatError(
            QCoreApplication::translate(
                "velora", "the mask header (type %1, %2 x %3) is not that of a bitmap")
                .arg(type)
                .arg(width)
                .arg(height));
    }
    // Rows are padded to an even number of bytes; bits in any other layout
    // would be read askew.
    const qint64 stride = (qint64(width) + 15) / 16 * 2;
    if (widthBytes != stride) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "the mask rows are %1 bytes long, where a mask %2 pixels "
                                        "wide has rows of %3 bytes")
                .arg(widthBytes)
                .arg(width)
                .arg(stride));
    }
    const qint64 byteCount = stride * height;
    if (static_cast<quint64>(byteCount) > archive.Remaining()) {
        throw FormatError(QCoreApplication::translate(
                              "velora", "the mask of %1 x %2 pixels needs %3 bytes, %4 are left")
                              .arg(width)
                              .arg(height)
                              .arg(byteCount)
                              .arg(archive.Remaining()));
    }
    // A mask of no pixels is no mask, whatever the rest of its header says.
    if (byteCount == 0) return {};
    if (planes != kBitmapPlanes || bitsPixel != kBitmapBitsPixel) {
        throw FormatError(
            QCoreApplication::translate(
                "velora", "the mask has %1 planes of %2 bits per pixel, not one of one")
                .arg(planes)
                .arg(bitsPixel));
    }
    reader.budget.ChargeItems(static_cast<uint64_t>(byteCount), 1, "mask bytes");
    const std::span<const uint8_t> bits = archive.ReadBytes(static_cast<size_t>(byteCount));
    return MonoBitmap(width, height, std::vector<uint8_t>(bits.begin(), bits.end()));
}

// Area images are taken last, once the whole stream is known to be sound.
// JPEGs, what every writer stores, keep their bytes and are decoded when
// first needed; reading their headers is enough to refuse bytes that are no
// image while the user can still be told. Anything else is decoded now, all
// at once over the cores. Areas filled from the same texture hold the same
// bytes: they share one image, decoded once. Every image is charged to the
// budget at the size its header declares before any is decoded; a shared
// one is charged once.
void LoadAreaImages(std::vector<CArea>& areas,
                    const std::vector<std::span<const uint8_t>>& imageBytes, LoadBudget& budget,
                    IUserInterface& user) {
    // Areas by the first area holding the same bytes.
    std::unordered_map<std::string_view, size_t> firstWithBytes;
    std::vector<size_t> decodeNow;
    std::vector<std::span<const uint8_t>> decodeNowBytes;
    std::vector<std::pair<size_t, size_t>> copies;
    for (size_t i = 0; i < areas.size(); ++i) {
        if (imageBytes[i].empty()) continue;
        const std::string_view key(reinterpret_cast<const char*>(imageBytes[i].data()),
                                   imageBytes[i].size());
        const auto [first, isNew] = firstWithBytes.try_emplace(key, i);
        if (!isNew) {
            copies.emplace_back(i, first->second);
        } else if (auto stored = StoredImage::FromJpegRecord(imageBytes[i])) {
            budget.ChargeItems(imageBytes[i].size(), 1, "image bytes");
            budget.ChargeImage(stored->Size(), imageBytes[i].size());
            areas[i].SetStoredImage(std::move(stored));
        } else {
            budget.ChargeImage(ProbeImageSize(imageBytes[i], ImageFormats::Stored),
                               imageBytes[i].size());
            decodeNow.push_back(i);
            decodeNowBytes.push_back(imageBytes[i]);
        }
    }
    std::vector<QImage> images = DecodeImageRecords(decodeNowBytes);
    for (size_t k = 0; k < decodeNow.size(); ++k) {
        if (images[k].isNull()) TellImageNotDecoded(user);
        areas[decodeNow[k]].SetImage(std::move(images[k]));
    }
    for (const auto& [copy, original] : copies) areas[copy].ShareImage(areas[original]);
}

// Areas that share an image store the same record; it is encoded once.
class EncodedImages {
public:
    // The record of the image as WriteImageRecord writes it.
    const QByteArray& Record(const QImage& image) {
        const auto known = m_records.find(image.cacheKey());
        if (known != m_records.end()) return known->second;
        ArchiveWriter record;
        WriteImageRecord(record, &image, kImageQuality);
        return m_records.emplace(image.cacheKey(), record.TakeData()).first->second;
    }

private:
    std::unordered_map<qint64, QByteArray> m_records;
};

void WriteArea(ArchiveWriter& archive, const CArea& area, EncodedImages& encoded,
               IUserInterface& user) {
    archive.WriteString(area.GetName());
    archive.WriteU32(static_cast<uint32_t>(area.NameCount()));
    for (const QString& name : area.Names()) archive.WriteString(name);
    // A loaded JPEG goes back as it came.
    if (const StoredImage* stored = area.GetStoredImage()) {
        WriteImageRecordBytes(archive, AsBytes(stored->Bytes()));
        return;
    }
    if (!area.HasImage()) {
        WriteImageRecord(archive, nullptr, kImageQuality);
        return;
    }
    // A failed image still completes the record (with length 0), so the file
    // stays readable; the user learns that the image was not kept.
    const QByteArray& record = encoded.Record(area.GetImage());
    archive.WriteBytes(record);
    if (record.size() <= qsizetype(sizeof(uint32_t))) {
        user.ShowMessage(
            QCoreApplication::translate("velora", "The image of area \"%1\" could not be stored.")
                .arg(area.GetName()),
            MessageIcon::Error, QCoreApplication::translate("velora", "Error"));
    }
}

void WriteCurve(ArchiveWriter& archive, const CCurve& curve) {
    const Path& path = curve.GetPath();
    archive.WriteU32(static_cast<uint32_t>(path.PointCount()));
    // The points in one write, as they are read.
    std::vector<uint8_t> bytes(path.Points().size() * kPointBytes);
    for (size_t i = 0; i < path.Points().size(); ++i) {
        qToLittleEndian(std::bit_cast<uint32_t>(path.Points()[i].x), &bytes[i * kPointBytes]);
        qToLittleEndian(std::bit_cast<uint32_t>(path.Points()[i].y), &bytes[i * kPointBytes + 4]);
    }
    archive.WriteBytes(bytes);
    archive.WriteBytes(path.Types());
    archive.WriteString(curve.GetName());
}

void WriteRegion(ArchiveWriter& archive, const CRegionItem& region) {
    archive.WriteString(region.GetName());
    const QByteArray data =
        region.HasRegion() ? RgnDataFromRegion(region.GetRegion()) : QByteArray();
    archive.WriteU32(static_cast<uint32_t>(data.size()));
    archive.WriteBytes(data);
}

// A model without a mask writes a header of no pixels and no bits.
void WriteMask(ArchiveWriter& archive, const MonoBitmap& mask) {
    archive.WriteI32(kBitmapType);
    archive.WriteI32(mask.Width());
    archive.WriteI32(mask.Height());
    archive.WriteI32(mask.Stride());
    archive.WriteU16(kBitmapPlanes);
    archive.WriteU16(kBitmapBitsPixel);
    archive.WriteU32(0);
    archive.WriteBytes(mask.Bits());
}

}  // namespace

bool HasModelSignature(std::span<const uint8_t> stream) {
    return stream.size() >= kModelSignatureSize &&
           std::memcmp(stream.data(), kModelSignature, kModelSignatureSize) == 0;
}

ModelContent ReadModelContent(ArchiveReader& archive, IUserInterface& user) {
    BudgetedReader reader{archive, LoadBudget(archive.Position() + archive.Remaining())};
    ModelContent content;
    ReadImageRecordBytes(archive);  // the thumbnail is only for the library
    content.templateName = reader.ReadString();

    const uint32_t areaCount = reader.ReadCount(kMinAreaRecord, kAreaMemory, "areas");
    content.areas.reserve(areaCount);
    std::vector<std::span<const uint8_t>> imageBytes(areaCount);
    for (uint32_t i = 0; i < areaCount; ++i) {
        content.areas.push_back(ReadArea(reader, imageBytes[i]));
    }

    const uint32_t curveCount = reader.ReadCount(kMinCurveRecord, kCurveMemory, "curves");
    content.curves.reserve(curveCount);
    for (uint32_t i = 0; i < curveCount; ++i) content.curves.push_back(ReadCurve(reader));

    const uint32_t textureCount = reader.ReadCount(kMinString, kNameMemory, "texture entries");
    content.textures.reserve(textureCount);
    for (uint32_t i = 0; i < textureCount; ++i) {
        content.textures.append(TextureEntryFromFile(reader.ReadString()));
    }

    const uint32_t regionCount = reader.ReadCount(kMinRegionRecord, kRegionMemory, "regions");
    content.regions.reserve(regionCount);
    for (uint32_t i = 0; i < regionCount; ++i) content.regions.push_back(ReadRegion(reader));

    content.width = archive.ReadI32();
    content.height = archive.ReadI32();
    const QString sizeRefusal = DrawingSizeRefusal(content.width, content.height);
    if (!sizeRefusal.isEmpty()) throw FormatError(sizeRefusal);
    content.mask = ReadMask(reader);
    LoadAreaImages(content.areas, imageBytes, reader.budget, user);
    return content;
}

void WriteModelStream(CDrawingModel& model, ArchiveWriter& archive) {
    archive.WriteBytes({reinterpret_cast<const uint8_t*>(kModelSignature), kModelSignatureSize});
    const QImage thumbnail = MakeThumbnail(model);
    WriteImageRecord(archive, &thumbnail, kImageQuality);
    archive.WriteString(model.GetTemplateName());

    archive.WriteU32(static_cast<uint32_t>(model.Areas().size()));
    EncodedImages encoded;
    for (const CArea& area : model.Areas()) WriteArea(archive, area, encoded, model.User());
    archive.WriteU32(static_cast<uint32_t>(model.Curves().size()));
    for (const auto& curve : model.Curves()) WriteCurve(archive, *curve);
    archive.WriteU32(static_cast<uint32_t>(model.Textures().size()));
    for (const QString& entry : model.Textures()) archive.WriteString(TextureEntryToFile(entry));
    archive.WriteU32(static_cast<uint32_t>(model.Regions().size()));
    for (const auto& region : model.Regions()) WriteRegion(archive, *region);

    archive.WriteI32(model.GetWidth());
    archive.WriteI32(model.GetHeight());
    WriteMask(archive, model.GetMaskBitmap());
}

}  // namespace velora
