// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/template_commands.h"

#include "cli/command_support.h"
#include "core/import/import_file.h"
#include "core/model/drawing_model.h"
#include "core/model/region_capture.h"

#include <QFileInfo>

#include <optional>
#include <vector>

namespace velora::cli {

namespace {
bool IsDrawing(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == "dxf" || suffix == "wmf" || suffix == "emf";
}

void RunImport(CommandContext& context) {
    const QString file = context.args.Positional()[0];
    const QString out = OutputPath(context.args);
    if (!context.args.Has("--size")) throw UsageError("the drawing size is missing (--size WxH)");
    const SizeArgument size = ParseSize("--size", context.args.Value("--size"));
    if (!IsDrawing(file)) throw CommandError(file, "is not a drawing (.dxf, .wmf or .emf)");

    CDrawingModel model;
    model.SetDocumentKind(kTemplateDocument);
    model.SetUserInterface(&context.user);
    context.user.SetDrawingSize(QSize(size.width, size.height));
    NamingFile(file, [&] { ImportFile(model, file); });
    if (model.GetWidth() <= 0 || model.GetHeight() <= 0) {
        const QStringList& said = context.user.Messages();
        throw CommandError(file, said.isEmpty() ? QString("no drawing size") : said.back());
    }
    SaveDocument(model, out);
}

// What capture is asked to do, checked before the template is read so that
// bad usage is reported as such whatever the file is.
struct CaptureRequest {
    bool all = false;
    bool areaPerRegion = false;
    std::vector<QPoint> clicks;
    std::optional<QString> area;
};

CaptureRequest ParseCaptureRequest(const ParsedArguments& args) {
    CaptureRequest request;
    if (args.Has("--all")) {
        if (args.Has("--at") || args.Has("--area")) {
            throw UsageError("--all captures by itself; it takes neither --at nor --area");
        }
        request.all = true;
        request.areaPerRegion = args.Has("--area-per-region");
        return request;
    }
    if (args.Has("--area-per-region")) throw UsageError("--area-per-region goes with --all");
    const QStringList points = args.Values("--at");
    if (points.isEmpty()) throw UsageError("give --at X,Y at least once, or --all");
    for (const QString& text : points) request.clicks.push_back(ParsePoint("--at", text));
    if (args.Has("--area")) request.area = args.Value("--area");
    return request;
}

void ClickAt(CDrawingModel& model, const QString& file, const QPoint& point) {
    const MonoBitmap& mask = model.GetMaskBitmap();
    if (point.x() < 0 || point.y() < 0 || point.x() >= mask.Width() || point.y() >= mask.Height()) {
        throw CommandError(file, QString("%1,%2 lies outside the %3 x %4 mask")
                                     .arg(point.x())
                                     .arg(point.y())
                                     .arg(mask.Width())
                                     .arg(mask.Height()));
    }
    model.ToggleRegionAt(static_cast<float>(point.x()), static_cast<float>(point.y()));
}

void CaptureClicks(const CaptureRequest& request, CDrawingModel& model, const QString& file,
                   CliUserInterface& user) {
    for (const QPoint& point : request.clicks) ClickAt(model, file, point);
    if (!request.area) return;
    if (model.CountSelectedRegions() == 0) {
        throw CommandError(file, "no region is selected to make the area of");
    }
    user.SetAreaName(*request.area);
    model.CreateAreaFromSelected();
}

void RunCapture(CommandContext& context) {
    const QString file = context.args.Positional()[0];
    const QString out = OutputPath(context.args);
    const CaptureRequest request = ParseCaptureRequest(context.args);
    CDrawingModel model;
    LoadDocument(model, file, context.user);
    model.SetDocumentKind(kTemplateDocument);
    if (model.GetMaskBitmap().IsNull()) {
        throw CommandError(file, "the template has no mask to capture regions from");
    }
    if (request.all) {
        CaptureAllRegions(model, request.areaPerRegion);
    } else {
        CaptureClicks(request, model, file, context.user);
    }
    SaveDocument(model, out);
}
}  // namespace

std::vector<Command> TemplateCommands() {
    return {
        {"import",
         {"import DRAWING -o OUT.mtp --size WxH"},
         "Reads a .dxf, .wmf or .emf drawing into a new template: its pieces are chained\n"
         "into closed outlines, turned into curves, fitted 10 pixels inside a drawing of\n"
         "WxH pixels (the template is 20 pixels larger each way) and drawn into the mask.\n"
         "Sizes from 1 to 30000 pixels a side are accepted.",
         {{"-o", true, false}, {"--size", true, false}},
         1,
         RunImport},
        {"capture",
         {"capture TEMPLATE -o OUT.mtp (--at X,Y)... [--area NAME]",
          "capture TEMPLATE -o OUT.mtp --all [--area-per-region]"},
         "Clicks at drawing pixel (X, Y) once per --at, in order: a click inside a region\n"
         "toggles its selection, elsewhere it captures the enclosed space of the mask as\n"
         "a new selected region. --area NAME then makes an area of the selected regions.\n\n"
         "--all captures every enclosed space of the mask that no region covers yet and that\n"
         "does not touch the mask's border; --area-per-region gives each new region an\n"
         "area of its own, named like the region.",
         {{"-o", true, false},
          {"--at", true, true},
          {"--area", true, false},
          {"--all", false, false},
          {"--area-per-region", false, false}},
         1,
         RunCapture},
    };
}

}  // namespace velora::cli
