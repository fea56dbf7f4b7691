// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/info_report.h"

#include "cli/cli_user_interface.h"
#include "cli/json_writer.h"
#include "core/archive/archive.h"
#include "core/archive/protected_archive.h"
#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/geometry/region_data.h"
#include "core/model/drawing_model.h"
#include "core/model/image_record.h"
#include "core/model/model_stream.h"

namespace velora::cli {

namespace {
void WriteContainer(JsonWriter& json, const ContainerInfo& info) {
    json.BeginObject("container").Value("magic", info.magic);
    if (info.magic) {
        json.Value("version", qint64{info.version})
            .Value("streamLength", qint64{info.streamLength});
    } else {
        json.Null("version").Null("streamLength");
    }
    if (info.checksumOk) {
        json.Value("checksumOk", *info.checksumOk);
    } else {
        json.Null("checksumOk");
    }
    json.EndObject();
}

void WriteSize(JsonWriter& json, const QString& key, const QSize& size) {
    if (size.isEmpty()) {
        json.Null(key);
        return;
    }
    json.BeginObject(key)
        .Value("width", qint64{size.width()})
        .Value("height", qint64{size.height()})
        .EndObject();
}

void WriteAreas(JsonWriter& json, const CDrawingModel& model) {
    json.BeginArray("areas");
    for (const CArea& area : model.Areas()) {
        json.BeginObject().Value("name", area.GetName()).BeginArray("regions");
        for (const QString& name : area.Names()) json.Element(name);
        json.EndArray();
        WriteSize(json, "image", area.ImageSize());
        json.EndObject();
    }
    json.EndArray();
}

void WriteCurves(JsonWriter& json, const CDrawingModel& model) {
    json.BeginArray("curves");
    for (const auto& curve : model.Curves()) {
        const Rect box = curve->GetPath().WorldBoundsI();
        json.BeginObject()
            .Value("name", curve->GetName())
            .Value("points", qint64{curve->GetPath().PointCount()})
            .BeginArray("bounds")
            .Element(box.x)
            .Element(box.y)
            .Element(box.width)
            .Element(box.height)
            .EndArray()
            .EndObject();
    }
    json.EndArray();
}

void WriteRect(JsonWriter& json, const QRect& rect, const QString& key = {}) {
    json.BeginArray(key)
        .Element(rect.left())
        .Element(rect.top())
        .Element(rect.right() + 1)
        .Element(rect.bottom() + 1)
        .EndArray();
}

void WriteRegions(JsonWriter& json, const CDrawingModel& model, bool withRects) {
    json.BeginArray("regions");
    for (const auto& region : model.Regions()) {
        const std::vector<QRect> rects = RegionRects(region->GetRegion());
        qint64 pixels = 0;
        for (const QRect& rect : rects) pixels += qint64{rect.width()} * rect.height();
        json.BeginObject().Value("name", region->GetName());
        WriteRect(json, region->GetRegion().boundingRect(), "bounds");
        json.Value("rects", static_cast<qint64>(rects.size())).Value("pixels", pixels);
        if (withRects) {
            json.BeginArray("rectList");
            for (const QRect& rect : rects) WriteRect(json, rect);
            json.EndArray();
        }
        json.EndObject();
    }
    json.EndArray();
}

void WriteMask(JsonWriter& json, const MonoBitmap& mask) {
    if (mask.IsNull()) {
        json.Null("mask");
        return;
    }
    json.BeginObject("mask")
        .Value("width", qint64{mask.Width()})
        .Value("height", qint64{mask.Height()})
        .Value("widthBytes", qint64{mask.Stride()})
        .Value("light", static_cast<qint64>(mask.CountLight()))
        .EndObject();
}

void WriteModel(JsonWriter& json, const CDrawingModel& model, const QImage& thumbnail,
                bool withRects) {
    json.Value("templateName", model.GetTemplateName())
        .Value("width", qint64{model.GetWidth()})
        .Value("height", qint64{model.GetHeight()});
    WriteSize(json, "thumbnail", thumbnail.size());
    WriteAreas(json, model);
    WriteCurves(json, model);
    json.BeginArray("textures");
    for (const QString& texture : model.Textures()) json.Element(texture);
    json.EndArray();
    WriteRegions(json, model, withRects);
    WriteMask(json, model.GetMaskBitmap());
}
}  // namespace

void WriteInfoReport(const QString& file, bool withRects, CliUserInterface& user, QString& output) {
    const QByteArray bytes =
        ReadFileBytes(file, qint64{CProtectedArchive::kMaxStreamLength} + 4096);
    const ContainerInfo container = CProtectedArchive::Inspect(AsBytes(bytes));

    JsonWriter json;
    json.BeginObject().Value("file", file);
    WriteContainer(json, container);
    if (container.checksumOk == false) {
        output += json.EndObject().Text() + "\n";
        throw UserAlreadyToldError("Password incorrect!!!");
    }
    const QByteArray stream = CProtectedArchive::Unpack(AsBytes(bytes), {}, user);
    const bool signature = HasModelSignature(AsBytes(stream));
    json.Value("signature", signature);
    if (signature) {
        ArchiveReader thumbnailReader(stream);
        thumbnailReader.Skip(kModelSignatureSize);
        const QImage thumbnail = ReadImageRecord(thumbnailReader, nullptr);
        CDrawingModel model;
        model.SetUserInterface(&user);
        ArchiveReader reader(stream);
        model.Serialize(reader);
        WriteModel(json, model, thumbnail, withRects);
    }
    json.EndObject();
    output += json.Text() + "\n";
}

}  // namespace velora::cli
