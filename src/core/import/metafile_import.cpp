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
}  // namespace

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

void ImportMetafile(CDrawingModel& model, const QString& path) {
    model.Clear();
    model.Shapes().clear();
    AddMetafileShapes(model, ReadMetafileRecordsFromFile(path));
    // Refused before the size is asked, rather than made a blank template.
    if (model.Shapes().empty()) throw FormatError(NothingToImportReason(EntityTally()));
    ChainShapes(model);
    ConvertObjectsToCurves(model);
    SizeDrawing(model);
}

}  // namespace velora
