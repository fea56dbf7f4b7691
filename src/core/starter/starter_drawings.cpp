// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/starter/starter_drawings.h"

#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/geometry/path.h"
#include "core/geometry/rounding.h"
#include "core/import/import_file.h"
#include "core/model/curve.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"
#include "core/model/region_item.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velora {

namespace {

// Where the drawing's frame lies in the template: the bounds of all curves,
// since the frame is the outermost of them.
QRectF FittedFrame(const CDrawingModel& model) {
    QRectF bounds;
    for (const auto& curve : model.Curves()) {
        const RectF box = curve->GetPath().WorldBounds();
        bounds = bounds.united(QRectF(box.x, box.y, box.width, box.height));
    }
    return bounds;
}

// A drawing point (y upwards) as a template pixel (y downwards).
QPointF ToPixel(const QPointF& point, const QRectF& frame, const QRectF& fitted) {
    return {fitted.left() + (point.x() - frame.left()) / frame.width() * fitted.width(),
            fitted.top() + (frame.bottom() - point.y()) / frame.height() * fitted.height()};
}

void CaptureArea(CDrawingModel& model, const StarterArea& area, const QRectF& frame,
                 const QRectF& fitted) {
    model.DeselectAllRegions();
    for (const QPointF& point : area.points) {
        const size_t before = model.Regions().size();
        const QPointF pixel = ToPixel(point, frame, fitted);
        model.ToggleRegionAt(QPoint(TruncToInt(static_cast<float>(pixel.x())),
                                    TruncToInt(static_cast<float>(pixel.y()))));
        if (model.Regions().size() != before + 1 || !model.Regions().back()->HasRegion()) {
            throw VeloraError(QStringLiteral("The starter drawing's area %1 has no region of its "
                                             "own at %2, %3.")
                                  .arg(QLatin1String(area.name))
                                  .arg(point.x())
                                  .arg(point.y()));
        }
    }
    model.CreateAreaFromSelected(QLatin1String(area.name));
}

QList<QPointF> Ring(QPointF centre, double radius, int count, double startTurn) {
    QList<QPointF> points;
    for (int i = 0; i < count; ++i) {
        const double angle = 2 * std::numbers::pi * (i + startTurn) / count;
        points.append(centre + radius * QPointF(std::cos(angle), std::sin(angle)));
    }
    return points;
}

QList<QPointF> WindowPanes(double left) {
    return {{left + 19, 179}, {left + 61, 179}, {left + 19, 221}, {left + 61, 221}};
}

}  // namespace

const QList<StarterDrawing>& StarterDrawings() {
    static const QList<StarterDrawing> drawings{
        {"House",
         ":/starter/house.dxf",
         {600, 590},
         QRectF(0, -50, 600, 590),
         {{"Sky", {{550, 500}}},
          {"Ground", {{300, -25}}},
          {"Walls", {{120, 20}}},
          {"Roof", {{150, 320}}},
          {"Chimney", {{425, 450}}},
          {"Door", {{290, 100}}},
          {"Door knob", {{322, 85}}},
          {"Windows", WindowPanes(140) + WindowPanes(380) + QList<QPointF>{{250, 385}}},
          {"Sun", {{60, 460}}}}},
        {"Fish",
         ":/starter/fish.dxf",
         {600, 440},
         QRectF(0, 0, 600, 440),
         {{"Water", {{560, 420}}},
          {"Body", {{120, 185}}},
          {"Eye", {{150, 225}}},
          {"Pupil", {{170, 225}}},
          {"Gill", {{215, 205}}},
          {"Stripes", {{290, 200}, {335, 200}, {380, 200}}},
          {"Tail", {{470, 200}}},
          {"Fins", {{300, 320}, {290, 85}}},
          {"Bubbles", {{60, 300}, {40, 350}, {75, 390}}}}},
        {"Flower",
         ":/starter/flower.dxf",
         {400, 640},
         QRectF(100, -30, 400, 640),
         {{"Wall", {{130, 580}}},
          {"Centre", {{300, 420}}},
          {"Ring", {{330, 420}}},
          {"Petals", Ring({300, 420}, 100, 8, 0.5)},
          {"Stem", {{300, 250}}},
          {"Leaves", {{241, 200}, {359, 180}}},
          {"Pot", {{300, 50}}},
          {"Rim", {{300, 112}}}}},
    };
    return drawings;
}

void SaveStarterTemplate(const StarterDrawing& drawing, const QString& path) {
    // The import reads drawings from files; the drawing is built into the
    // program, so it is copied out first.
    QTemporaryDir scratch;
    const QString dxf = scratch.filePath(QStringLiteral("drawing.dxf"));
    if (!scratch.isValid() || !QFile::copy(QLatin1String(drawing.resource), dxf)) {
        throw FileError(dxf, QStringLiteral("cannot be written"));
    }
    CDrawingModel model;
    FixedSizeUser user(drawing.size);
    model.SetUserInterface(&user);
    model.SetDocumentKind(kTemplateDocument);
    ImportFile(model, dxf);
    const QRectF fitted = FittedFrame(model);
    for (const StarterArea& area : drawing.areas) {
        CaptureArea(model, area, drawing.frame, fitted);
    }
    model.DeselectAllRegions();
    model.SetUserInterface(nullptr);
    SaveModelFile(model, path);
}

}  // namespace velora
