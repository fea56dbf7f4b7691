// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/inspect_commands.h"

#include "cli/command_support.h"
#include "cli/info_report.h"
#include "core/archive/archive.h"
#include "core/archive/protected_archive.h"
#include "core/common/file_bytes.h"
#include "core/export/design_rows.h"
#include "core/export/encoder_table.h"
#include "core/export/image_encoders.h"
#include "core/export/image_scaler.h"
#include "core/model/drawing_model.h"
#include "core/model/image_record.h"
#include "core/model/model_stream.h"

#include <QFileInfo>
#include <QPainter>

#include <optional>

namespace velora::cli {

namespace {
void RunInfo(CommandContext& context) {
    const QString file = context.args.Positional()[0];
    NamingFile(file, [&] {
        WriteInfoReport(file, context.args.Has("--rects"), context.user, context.output);
    });
}

// The stored preview's bytes: the encoded image exactly as the file holds it.
QByteArray StoredThumbnail(const QString& file, CliUserInterface& user) {
    const QByteArray bytes =
        ReadFileBytes(file, qint64{CProtectedArchive::kMaxStreamLength} + 4096);
    const QByteArray stream = CProtectedArchive::Unpack(AsBytes(bytes), {}, user);
    if (!HasModelSignature(AsBytes(stream))) return {};
    ArchiveReader reader(stream);
    reader.Skip(kModelSignatureSize);
    const uint32_t length = reader.ReadU32();
    const std::span<const uint8_t> data = reader.ReadBytes(length);
    return QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(length));
}

void RunThumbnail(CommandContext& context) {
    const QString file = context.args.Positional()[0];
    const QString out = ImageOutputPath(context.args);
    const QByteArray stored = NamingFile(file, [&] { return StoredThumbnail(file, context.user); });
    const QImage image = QImage::fromData(stored);
    if (image.isNull()) throw CommandError(file, "the file holds no preview image");
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix == "jpg" || suffix == "jpeg") {
        NamingFile(out, [&] { WriteFileAtomically(out, stored); });
    } else {
        WriteImageFile(image, out);
    }
}

// The --smooth choice, if given; checked before any file is read, so bad
// usage is reported as such whatever the files are.
std::optional<bool> SmoothLines(const ParsedArguments& args) {
    if (!args.Has("--smooth")) return std::nullopt;
    const QString smooth = args.Value("--smooth");
    if (smooth != "on" && smooth != "off") throw UsageError("--smooth expects on or off");
    return smooth == "on";
}

// Our own encoder for the kinds of image that it writes with the pixels the
// general image writer gives them, and in bands.
std::optional<Guid> StreamingEncoderFor(const QString& out) {
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix == "png") return kPngEncoderId;
    if (suffix == "bmp") return kBmpEncoderId;
    if (suffix == "jpg" || suffix == "jpeg") return kJpegEncoderId;
    if (suffix == "tif" || suffix == "tiff") return kTiffEncoderId;
    return std::nullopt;
}

void RunRender(CommandContext& context) {
    const QString file = context.args.Positional()[0];
    const QString out = ImageOutputPath(context.args);
    const std::optional<bool> smooth = SmoothLines(context.args);
    CDrawingModel model;
    LoadDocument(model, file, context.user);
    if (smooth) model.SetSmoothLines(*smooth);
    if (model.GetWidth() <= 0 || model.GetHeight() <= 0) {
        throw CommandError(file, "the drawing has no size to render");
    }
    const bool exportMode = !context.args.Has("--screen");
    if (const std::optional<Guid> encoder = StreamingEncoderFor(out)) {
        // Rendered and written a band of rows at a time; JPEG at the highest
        // quality, as the other kinds of image are written.
        DesignRows design(model, exportMode);
        ScaledRows rows(design, design.Size());
        const EncoderParameters best = BuildJpegQualityParameters(100);
        NamingFile(out, [&] {
            SaveRows(rows, out, *encoder, *encoder == kJpegEncoderId ? &best : nullptr);
        });
        return;
    }
    QImage image(model.GetWidth(), model.GetHeight(), QImage::Format_RGB16);
    if (image.isNull()) throw CommandError(file, "not enough memory for the picture");
    QPainter painter(&image);
    model.Render(painter, exportMode);
    painter.end();
    WriteImageFile(image, out);
}

void RunResave(CommandContext& context) {
    const QString file = context.args.Positional()[0];
    CDrawingModel model;
    LoadDocument(model, file, context.user);
    SaveDocument(model, OutputPath(context.args));
}
}  // namespace

std::vector<Command> InspectCommands() {
    return {
        {"info",
         {"info FILE [--rects]"},
         "Prints one JSON object describing a template (.mtp) or design (.vld) file:\n"
         "its container header, template name, size, preview, areas, curves, textures,\n"
         "regions and mask.\n\n"
         "  --rects   also list every region's rectangles in stored order",
         {{"--rects", false, false}},
         1,
         RunInfo},
        {"thumbnail",
         {"thumbnail FILE -o OUT.jpg"},
         "Writes the preview image stored in the file (exit status 1 when it has none).\n"
         "A .jpg output receives the stored bytes unchanged; other extensions are encoded.",
         {{"-o", true, false}},
         1,
         RunThumbnail},
        {"render",
         {"render FILE -o OUT.png [--screen] [--smooth on|off]"},
         "Renders the model at its own size into a 16-bit (5-6-5) picture and writes it.\n\n"
         "  --screen        screen mode: the mask is drawn and selected regions without\n"
         "                  image are red (export mode otherwise)\n"
         "  --smooth on|off set the smooth-lines flag first",
         {{"-o", true, false}, {"--screen", false, false}, {"--smooth", true, false}},
         1,
         RunRender},
        {"resave",
         {"resave FILE -o OUT"},
         "Loads a template or design and saves it again as the desktop program's Save\n"
         "does, with a fresh preview image.",
         {{"-o", true, false}},
         1,
         RunResave},
    };
}

}  // namespace velora::cli
