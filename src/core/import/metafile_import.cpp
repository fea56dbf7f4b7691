// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/metafile_import.h"

#include "core/common/errors.h"
#include "core/import/chaining.h"
#include "core/import/conversion.h"
#include "core/import/entity_tally.h"
#include "core/import/import_checks.h"
#include "core/import/sizing.h"
#include "core/metafile/metafile_emf.h"
#include "core/model/drawing_model.h"

#include <span>

namespace velora {

namespace {
// Fills the shape under construction and appends a copy of it.
void AppendShape(CDrawingModel& model, int kind, bool closed, std::span<const QPoint> points) {
    CShape& shape = model.ShapeUnderConstruction();
    shape.Clear();
    shape.SetKind(kind);
    shape.SetClosed(closed);
    for (const QPoint& p : points)
        shape.AddPoint({static_cast<float>(p.x()), static_cast<float>(p.y()), 0, 0});
    model.Shapes().push_back(shape);
}

void AppendPolygons(CDrawingModel& model, const MetafileRecord& record) {
    std::span<const QPoint> remaining(record.points);
    for (uint32_t size : record.polygonSizes) {
        if (size > remaining.size()) return;
        AppendShape(model, kShapePolygon, true, remaining.first(size));
        remaining = remaining.subspan(size);
    }
}

// The kind each left-out drawing record is counted as, by record type.
constexpr std::pair<uint32_t, const char*> kLeftOutKinds[] = {
    {2, "BEZIER"},    {5, "BEZIER"},   {85, "BEZIER"},  {88, "BEZIER"},  {56, "BEZIER"},
    {92, "BEZIER"},   {4, "LINE"},     {6, "LINE"},     {7, "LINE"},     {54, "LINE"},
    {89, "LINE"},     {90, "LINE"},    {3, "POLYGON"},  {8, "POLYGON"},  {41, "ARC"},
    {45, "ARC"},      {46, "ARC"},     {47, "ARC"},     {55, "ARC"},     {44, "ROUNDRECT"},
    {62, "PATH"},     {63, "PATH"},    {64, "PATH"},    {83, "TEXT"},    {84, "TEXT"},
    {96, "TEXT"},     {97, "TEXT"},    {108, "TEXT"},   {76, "PICTURE"}, {77, "PICTURE"},
    {78, "PICTURE"},  {79, "PICTURE"}, {80, "PICTURE"}, {81, "PICTURE"}, {114, "PICTURE"},
    {116, "PICTURE"},
};
}  // namespace

void CountLeftOutRecords(const EmfDocument& metafile, EntityTally& leftOut) {
    metafile.ForEachRecord([&leftOut](const EmfRecord& record) {
        for (const auto& [type, kind] : kLeftOutKinds) {
            if (type == record.type) leftOut.CountKind(QString::fromLatin1(kind));
        }
    });
}

void AddMetafileShapes(CDrawingModel& model, const std::vector<MetafileRecord>& records) {
    for (const MetafileRecord& record : records) {
        switch (record.type) {
            case emr::kEllipse:
                AppendShape(model, kShapeEllipse, true, record.points);
                break;
            case emr::kRectangle:
                AppendShape(model, kShapeRectangle, true, record.points);
                break;
            case emr::kPolygon16:
                AppendShape(model, kShapePolygon, false, record.points);
                break;
            case emr::kPolyline16:
                AppendShape(model, kShapePolyline, false, record.points);
                break;
            case emr::kPolyPolygon16:
                AppendPolygons(model, record);
                break;
            default:
                break;
        }
    }
}

void ImportMetafile(CDrawingModel& model, const QString& path, EntityTally& leftOut) {
    model.Clear();
    model.Shapes().clear();
    const EmfDocument metafile = OpenMetafile(ReadMetafileFile(path));
    AddMetafileShapes(model, ReadKeptRecords(metafile));
    CountLeftOutRecords(metafile, leftOut);
    // Refused before the size is asked, rather than made a blank template.
    if (model.Shapes().empty()) throw FormatError(NothingToImportReason(leftOut));
    ChainShapes(model);
    ConvertObjectsToCurves(model);
    SizeDrawing(model);
}

}  // namespace velora
