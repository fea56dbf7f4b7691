// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/template_commands.h"

#include "cli/command_support.h"
#include "core/import/entity_tally.h"
#include "core/import/gap_closing.h"
#include "core/import/import_checks.h"
#include "core/import/import_file.h"
#include "core/import/pdf_import.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"
#include "core/model/region_capture.h"
#include "core/model/region_item.h"

#include <optional>
#include <vector>

namespace velora::cli {

namespace {
// ".dxf, .wmf or .emf"
QString DrawingExtensionsText() {
    QStringList extensions = DrawingExtensions();
    for (QString& extension : extensions) extension.prepend('.');
    const QString last = extensions.takeLast();
    return extensions.isEmpty() ? last : extensions.join(", ") + " or " + last;
}

// The drawing's choices given on the command line, checked before the
// drawing is read: each only for the format that offers it.
DrawingChoices ParseDrawingChoices(const ParsedArguments& args, const DrawingFormat* format) {
    const DrawingChoice offered = format ? format->choice : DrawingChoice::None;
    const auto given = [&](const char* option, DrawingChoice choice, const char* formats) {
        if (!args.Has(option)) return false;
        if (offered != choice) throw UsageError(QString("%1 is for %2").arg(option, formats));
        return true;
    };
    const auto number = [&](const char* option, int low, int high) {
        const int value = ParseInt(option, args.Value(option));
        if (value < low || value > high) {
            throw UsageError(QString("%1 takes %2 to %3").arg(option).arg(low).arg(high));
        }
        return value;
    };
    DrawingChoices choices;
    if (given("--page", DrawingChoice::Page, "PDF documents")) {
        choices.page = number("--page", 1, kMaxPdfPages);
    }
    if (given("--password", DrawingChoice::Page, "PDF documents")) {
        choices.password = args.Value("--password");
    }
    if (given("--threshold", DrawingChoice::Threshold, "raster line art")) {
        choices.threshold = number("--threshold", 0, 255);
    }
    if (given("--speck-size", DrawingChoice::Threshold, "raster line art")) {
        choices.speckSize = number("--speck-size", 1, kMaxSpeckSize);
    }
    return choices;
}

void RunImport(CommandContext& context) {
    const ParsedArguments& args = context.args;
    const QString file = args.Positional()[0];
    const QString out = OutputPathEndingIn(args, {"mtp"}, "a template");
    if (!args.Has("--size")) throw UsageError("the drawing size is missing (--size WxH)");
    const SizeArgument size = ParseSize("--size", args.Value("--size"), kMaxDrawingSide);
    const DrawingFormat* format = DrawingFormatOf(file);
    DrawingChoices choices = ParseDrawingChoices(args, format);
    if (!format) {
        throw CommandError(file, QString("is not a drawing (%1)").arg(DrawingExtensionsText()));
    }

    CDrawingModel model;
    model.SetDocumentKind(kTemplateDocument);
    model.SetUserInterface(&context.user);
    context.user.SetDrawingSize(QSize(size.width, size.height));
    context.user.SetDrawingChoices(std::move(choices));
    EntityTally ignored;
    NamingFile(file, [&] { ImportFile(model, file, &ignored); });
    if (model.GetWidth() <= 0 || model.GetHeight() <= 0) {
        const QStringList& said = context.user.Messages();
        throw CommandError(file, said.isEmpty() ? QString("no drawing size") : said.back());
    }
    SaveDocument(model, out);
    // What the template leaves out, so that a drawing that comes out empty
    // or thin is not a puzzle.
    if (!ignored.IsEmpty()) context.notes.append(file + ": ignored: " + ignored.Text());
    if (!HasClosedCurve(model)) context.notes.append(file + ": no closed shapes found");
}

// What capture is asked to do, checked before the template is read so that
// bad usage is reported as such whatever the file is.
struct CaptureRequest {
    bool all = false;
    bool areaPerRegion = false;
    std::vector<QPoint> clicks;
    std::optional<QString> area;
    std::optional<int> closeGaps;
};

CaptureRequest ParseCaptureRequest(const ParsedArguments& args) {
    CaptureRequest request;
    if (args.Has("--close-gaps")) {
        request.closeGaps = ParseInt("--close-gaps", args.Value("--close-gaps"));
        if (*request.closeGaps < 1 || *request.closeGaps > kMaxGapDistance) {
            throw UsageError(QString("--close-gaps expects a distance from 1 to %1 pixels, not %2")
                                 .arg(kMaxGapDistance)
                                 .arg(*request.closeGaps));
        }
    }
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
    if (args.Has("--area")) {
        request.area = args.Value("--area");
        // design --fill NAME= finds areas by name: it needs one to find.
        if (request.area->trimmed().isEmpty()) throw UsageError("--area needs a name");
    }
    return request;
}

// An area name that the template has already would make two areas that
// design --fill cannot tell apart.
void CheckNewAreaName(const CDrawingModel& model, const QString& file, const QString& name) {
    for (const CArea& area : model.Areas()) {
        if (area.GetName() == name) {
            throw CommandError(file, QString("already has an area named \"%1\"").arg(name));
        }
    }
}

void ClickAt(CDrawingModel& model, const QString& file, const QPoint& point, QStringList& notes) {
    const MonoBitmap& mask = model.GetMaskBitmap();
    if (point.x() < 0 || point.y() < 0 || point.x() >= mask.Width() || point.y() >= mask.Height()) {
        throw CommandError(file, QString("%1,%2 lies outside the %3 x %4 mask")
                                     .arg(point.x())
                                     .arg(point.y())
                                     .arg(mask.Width())
                                     .arg(mask.Height()));
    }
    const size_t regions = model.Regions().size();
    model.ToggleRegionAt(point);
    if (model.Regions().size() > regions &&
        ReachesMaskBorder(model.Regions().back()->GetRegion(), mask)) {
        notes.append(QString("%1: %2,%3: the region reaches the edge of the drawing: its outline "
                             "may be open")
                         .arg(file)
                         .arg(point.x())
                         .arg(point.y()));
    }
}

void CaptureClicks(const CaptureRequest& request, CDrawingModel& model, const QString& file,
                   CommandContext& context) {
    if (request.area) CheckNewAreaName(model, file, *request.area);
    for (const QPoint& point : request.clicks) ClickAt(model, file, point, context.notes);
    if (!request.area) return;
    if (model.CountSelectedRegions() == 0) {
        throw CommandError(file, "no region is selected to make the area of");
    }
    model.CreateAreaFromSelected(*request.area);
}

void RunCapture(CommandContext& context) {
    const QString file = context.args.Positional()[0];
    const QString out = OutputPathEndingIn(context.args, {"mtp"}, "a template");
    const CaptureRequest request = ParseCaptureRequest(context.args);
    CDrawingModel model;
    LoadDocument(model, file, context.user);
    model.SetDocumentKind(kTemplateDocument);
    if (model.GetMaskBitmap().IsNull()) {
        throw CommandError(file, "the template has no mask to capture regions from");
    }
    if (request.closeGaps) {
        const std::vector<GapJoin> joins =
            FindGapJoins(model.GetMaskBitmap(), model.Curves(), *request.closeGaps);
        for (const GapJoin& join : joins) model.SetMaskPixels(JoinPixels(join), false);
        context.notes.append(QString("%1: closed %2 gap%3")
                                 .arg(file)
                                 .arg(joins.size())
                                 .arg(joins.size() == 1 ? "" : "s"));
    }
    if (request.all) {
        const int edgeSpaces = CaptureAllRegions(model, request.areaPerRegion).edgeSpaces;
        if (edgeSpaces > 0) {
            context.notes.append(
                QString("%1: left out %2 the edge of the drawing: %3 outline may be open")
                    .arg(file,
                         edgeSpaces == 1 ? QString("1 space that reaches")
                                         : QString("%1 spaces that reach").arg(edgeSpaces),
                         edgeSpaces == 1 ? QString("its") : QString("their")));
        }
    } else {
        CaptureClicks(request, model, file, context);
    }
    SaveDocument(model, out);
}
}  // namespace

std::vector<Command> TemplateCommands() {
    return {
        {"import",
         {"import DRAWING -o OUT.mtp --size WxH [--page N] [--password P] [--threshold T]\n"
          "       [--speck-size S]"},
         "Reads a drawing into a new template: its pieces are chained into closed\n"
         "outlines, turned into curves, fitted 10 pixels inside a drawing of WxH pixels\n"
         "(the template is 20 pixels larger each way) and drawn into the mask. Sizes\n"
         "from 1 to 30000 pixels a side are accepted.\n\n"
         "Drawings: DXF (.dxf; blocks are placed where their INSERTs put them), Windows\n"
         "metafiles (.wmf, .emf), SVG (.svg, .svgz), PDF (.pdf; --page N picks the page,\n"
         "from 1, default 1; --password P opens a protected one, which is refused without\n"
         "it or with a wrong one) and raster line art (.png, .jpg, .jpeg, .tif, .tiff,\n"
         ".bmp, .gif), whose ink is traced into curves: grey values up to --threshold T\n"
         "(0 to 255; by default chosen from the picture) are ink, and specks of ink or\n"
         "paper smaller than --speck-size S pixels (default 4) are dropped. Strokes of a\n"
         "pen become the outline of their ink, fills their outline.\n\n"
         "What the drawing holds that the template leaves out (DXF entity types that are\n"
         "not read, pictures, or no closed shape at all) is said on stderr; the template\n"
         "is written all the same. A file that is not the drawing its extension claims,\n"
         "an empty file, and a drawing with no shapes are refused.",
         {{"-o", true, false},
          {"--size", true, false},
          {"--page", true, false},
          {"--password", true, false},
          {"--threshold", true, false},
          {"--speck-size", true, false}},
         1,
         RunImport},
        {"capture",
         {"capture TEMPLATE -o OUT.mtp [--close-gaps D] (--at X,Y)... [--area NAME]",
          "capture TEMPLATE -o OUT.mtp [--close-gaps D] --all [--area-per-region]"},
         "Clicks at drawing pixel (X, Y) once per --at, in order: a click inside a region\n"
         "toggles its selection, elsewhere it captures the enclosed space of the mask as\n"
         "a new selected region. --area NAME then makes an area of the selected regions;\n"
         "the name must be new to the template. A captured region that reaches the edge\n"
         "of the drawing is warned about on stderr: its outline may be open.\n\n"
         "--all captures every enclosed space of the mask that no region covers yet and that\n"
         "does not touch the mask's border, and says on stderr how many spaces reaching\n"
         "the border (besides the one around the drawing) it left out; --area-per-region\n"
         "gives each new region an area of its own, named like the region.\n\n"
         "--close-gaps D first closes the gaps of up to D pixels (1 to 100) in the\n"
         "outlines, as the desktop program's \"Close gaps...\" does: every open end of a\n"
         "curve (of an outline of the mask, in a template without curves) is joined by a\n"
         "straight outline to the nearest outline at most D + 1 pixels away, so a gap of\n"
         "up to D light pixels closes. How many gaps were closed is said on stderr.",
         {{"-o", true, false},
          {"--close-gaps", true, false},
          {"--at", true, true},
          {"--area", true, false},
          {"--all", false, false},
          {"--area-per-region", false, false}},
         1,
         RunCapture},
    };
}

}  // namespace velora::cli
