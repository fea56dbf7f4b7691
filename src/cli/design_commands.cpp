// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/design_commands.h"

#include "cli/command_support.h"
#include "core/common/library_folders.h"
#include "core/export/encoder_table.h"
#include "core/export/export_design.h"
#include "core/import/import_file.h"
#include "core/model/drawing_model.h"
#include "core/model/texture_image.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace velora::cli {

namespace {
// Larger than any picture this computer could hold; sizes within are
// refused, when they are too large, by what the memory allows.
constexpr int kLargestExportSide = 100000;

// A texture given by a path that does not exist is looked for in the
// textures folder.
QString ResolveTexture(const QString& path) {
    if (QFileInfo::exists(path)) return path;
    const QString inLibrary = CurrentLibraryFolders().textures + path;
    return QFileInfo::exists(inLibrary) ? inLibrary : path;
}

// Each texture file is read once however many areas it fills, and those
// areas then share one image, which every later step converts once.
class TextureFiles {
public:
    QImage Load(const QString& given) {
        const QString path = ResolveTexture(given);
        const auto known = m_images.find(path);
        if (known != m_images.end()) return known->second;
        QString reason;
        const QImage image = LoadTextureImage(path, &reason);
        if (image.isNull()) {
            throw CommandError(given, reason.isEmpty() ? "cannot be read" : reason);
        }
        return m_images.emplace(path, image).first->second;
    }

private:
    std::map<QString, QImage> m_images;
};

std::pair<QString, QString> SplitFill(const QString& option, const QString& text) {
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0 || equals == text.size() - 1) {
        throw UsageError(QString("%1 expects AREA=IMAGE, not \"%2\"").arg(option, text));
    }
    return {text.left(equals), text.mid(equals + 1)};
}

// One --fill (by area name) or --fill-index (by index, name empty).
struct Fill {
    QString areaName;
    int index = -1;
    QString image;
};

// The fills in command-line order, which is the order they are applied (a
// later fill of the same area wins), checked before the template is read so
// that bad usage is reported as such whatever the files are.
std::vector<Fill> ParseFills(const ParsedArguments& args) {
    std::vector<Fill> fills;
    for (const auto& [option, text] : args.Occurrences({"--fill", "--fill-index"})) {
        const auto [area, image] = SplitFill(option, text);
        if (option == "--fill") {
            fills.push_back({area, -1, image});
        } else {
            fills.push_back({{}, ParseInt(option, area), image});
        }
    }
    return fills;
}

int AreaIndexByName(const CDrawingModel& model, const QString& file, const QString& name) {
    for (size_t i = 0; i < model.Areas().size(); ++i) {
        if (model.Areas()[i].GetName() == name) return static_cast<int>(i);
    }
    throw CommandError(file, QString("has no area named \"%1\"").arg(name));
}

int CheckedAreaIndex(const CDrawingModel& model, const QString& file, int index) {
    const int count = static_cast<int>(model.Areas().size());
    if (index < 0 || index >= count) {
        throw CommandError(
            file, QString("has no area %1 (its areas are 0 to %2)").arg(index).arg(count - 1));
    }
    return index;
}

void LoadTemplate(CDrawingModel& model, const QString& file, CliUserInterface& user) {
    if (IsDrawingFile(file)) {
        throw CommandError(file, "is a drawing; make a template of it with import first");
    }
    model.SetDocumentKind(kDesignDocument);
    model.SetUserInterface(&user);
    const bool loaded = NamingFile(file, [&] { return ImportFile(model, file); });
    if (!loaded || !user.Messages().isEmpty()) {
        throw CommandError(
            file, user.Messages().isEmpty() ? QString("cannot be opened") : user.Messages().back());
    }
    // An empty file opens as an empty model; a design of it would be
    // nothing to colour or export.
    if (model.GetWidth() <= 0 || model.GetHeight() <= 0) {
        throw CommandError(file, "holds no drawing to design on");
    }
}

void RunDesign(CommandContext& context) {
    const QString file = context.args.Positional()[0];
    const QString out = OutputPathEndingIn(context.args, {"vld"}, "a design");
    const std::vector<Fill> fills = ParseFills(context.args);
    CDrawingModel model;
    LoadTemplate(model, file, context.user);
    TextureFiles textures;
    for (const Fill& fill : fills) {
        const int index = fill.areaName.isEmpty() ? CheckedAreaIndex(model, file, fill.index)
                                                  : AreaIndexByName(model, file, fill.areaName);
        model.SetAreaImage(index, textures.Load(fill.image));
    }
    SaveDocument(model, out);
}

const ExportFormat& FormatOf(const QString& out) {
    const QString suffix = QFileInfo(out).suffix().toLower();
    int code = 0;
    if (suffix == "bmp") code = kFormatBmp;
    if (suffix == "gif") code = kFormatGif;
    if (suffix == "jpg" || suffix == "jpeg") code = kFormatJpeg;
    if (suffix == "png") code = kFormatPng;
    if (suffix == "tif" || suffix == "tiff") code = kFormatTiff;
    if (code == 0) {
        throw UsageError("the output's extension names no format (.bmp .gif .jpg .png .tif)");
    }
    return *FindExportFormat(code);
}

// A value the encoder lists for the parameter (or lies within its range).
int32_t EncoderValue(const ParsedArguments& args, const QString& option, const Guid& encoder,
                     const Guid& parameter, int32_t fallback) {
    if (!args.Has(option)) return fallback;
    const int32_t value = ParseInt(option, args.Value(option));
    for (const EncoderParameterInfo& info : FindEncoder(encoder)->parameters) {
        if (info.guid != parameter) continue;
        const bool allowed =
            info.type == kValueTypeLongRange
                ? value >= info.values.front() && value <= info.values.back()
                : std::find(info.values.begin(), info.values.end(), value) != info.values.end();
        if (allowed) return value;
        QStringList values;
        for (int32_t v : info.values) values.append(QString::number(v));
        throw UsageError(
            QString("%1 %2 is not offered; the choices are %3")
                .arg(option)
                .arg(value)
                .arg(info.type == kValueTypeLongRange ? values.join(" to ") : values.join(", ")));
    }
    throw UsageError(QString("%1 does not apply to this format").arg(option));
}

std::optional<EncoderParameters> ExportParameters(const ParsedArguments& args,
                                                  const ExportFormat& format, const Guid& encoder) {
    const bool jpeg = format.panel == OptionsPanel::Jpeg;
    const bool tiff = format.panel == OptionsPanel::Tiff;
    for (const char* option : {"--quality", "--transform"}) {
        if (!jpeg && args.Has(option)) throw UsageError(QString(option) + " applies to JPEG only");
    }
    for (const char* option : {"--compression", "--depth"}) {
        if (!tiff && args.Has(option)) throw UsageError(QString(option) + " applies to TIFF only");
    }
    if (jpeg) {
        const int32_t quality = EncoderValue(args, "--quality", encoder, kEncoderQuality, 100);
        if (!args.Has("--transform")) return BuildJpegQualityParameters(quality);
        return BuildJpegParameters(
            quality, EncoderValue(args, "--transform", encoder, kEncoderTransformation, 0));
    }
    if (tiff) {
        return BuildTiffParameters(
            EncoderValue(args, "--compression", encoder, kEncoderCompression, kCompressionNone),
            EncoderValue(args, "--depth", encoder, kEncoderColorDepth, 32));
    }
    return std::nullopt;
}

// The export size: the design's own, or as asked, a side left out worked out
// from the other as the Export dialog's coupling does: in the design's
// proportion, truncated (in whole numbers, so 30 high of 220 x 60 is 110
// wide, not 109.99...), and at least 1.
QSize ExportSize(const std::optional<SizeArgument>& asked, QSize design) {
    if (!asked) return design;
    const auto coupled = [&](int side, int to, int from) {
        const int64_t value = std::max<int64_t>(1, int64_t{side} * to / from);
        if (value > kLargestExportSide) {
            throw UsageError(QString("--size %1x%2 would make the other side %3 pixels long, more "
                                     "than %4")
                                 .arg(asked->width ? QString::number(asked->width) : QString())
                                 .arg(asked->height ? QString::number(asked->height) : QString())
                                 .arg(value)
                                 .arg(kLargestExportSide));
        }
        return static_cast<int>(value);
    };
    const int width =
        asked->width > 0 ? asked->width : coupled(asked->height, design.width(), design.height());
    const int height =
        asked->height > 0 ? asked->height : coupled(asked->width, design.height(), design.width());
    return {width, height};
}

void RunExport(CommandContext& context) {
    const QString file = context.args.Positional()[0];
    const QString out = OutputPath(context.args);
    const ExportFormat& format = FormatOf(out);
    Guid encoder;
    GetEncoderClsid(format.mimeType, &encoder);
    ExportRequest request;
    // Relative to the current folder, like every command-line tool's output;
    // the export folder is for the desktop program's default names.
    request.fileName = QDir::current().absoluteFilePath(out);
    request.encoderId = encoder;
    request.parameters = ExportParameters(context.args, format, encoder);
    std::optional<SizeArgument> size;
    if (context.args.Has("--size")) {
        size = ParseSize("--size", context.args.Value("--size"), kLargestExportSide,
                         SizeParts::EitherMayBeLeftOut);
    }

    CDrawingModel model;
    LoadDocument(model, file, context.user);
    // Said here, so that the message names the design rather than the output.
    if (model.GetWidth() <= 0 || model.GetHeight() <= 0) {
        throw CommandError(file, "the design has no size to export");
    }
    const QSize target = ExportSize(size, QSize(model.GetWidth(), model.GetHeight()));
    request.width = target.width();
    request.height = target.height();
    NamingFile(out, [&] { ExportDesign(model, request, &context.user); });
    context.output += out + "\n";
}
}  // namespace

std::vector<Command> DesignCommands() {
    return {
        {"design",
         {"design TEMPLATE -o OUT.vld [--fill AREA=IMAGE]... [--fill-index N=IMAGE]..."},
         "Makes a new design from the template (as \"Select template...\" does) and fills\n"
         "areas with texture images: --fill by area name, --fill-index by the area's index\n"
         "(from 0). IMAGE is any texture file the program reads (BMP, GIF, JPEG, PNG,\n"
         "TIFF, ICO, EMF, WMF ...); a relative name not found from here is looked for in\n"
         "the textures folder (--textures DIR overrides the settings). Fills apply in\n"
         "the order given, so a later fill of the same area wins.",
         {{"-o", true, false}, {"--fill", true, true}, {"--fill-index", true, true}},
         1,
         RunDesign},
        {"export",
         {"export DESIGN -o OUT.EXT [--size WxH|Wx|xH] [--quality Q] [--transform T]\n"
          "                           [--compression C] [--depth D]"},
         "Exports the design like the Export dialog: the format by the extension (.bmp,\n"
         ".gif, .jpg/.jpeg, .png, .tif/.tiff), the size by default the design's own;\n"
         "with Wx or xH the other side keeps the design's aspect ratio. The file is\n"
         "written where -o says, relative to the current folder; its path is printed.\n\n"
         "  --quality Q      JPEG quality 0 to 100 (default 100)\n"
         "  --transform T    JPEG transformation: 13 rotate 90, 14 rotate 180,\n"
         "                   15 rotate 270, 16 flip horizontally, 17 flip vertically\n"
         "                   (default none)\n"
         "  --compression C  TIFF compression: 2 LZW, 3 CCITT3, 4 CCITT4, 5 RLE,\n"
         "                   6 none (default 6; CCITT needs --depth 1)\n"
         "  --depth D        TIFF colour depth 1, 4, 8, 24 or 32 (default 32)",
         {{"-o", true, false},
          {"--size", true, false},
          {"--quality", true, false},
          {"--transform", true, false},
          {"--compression", true, false},
          {"--depth", true, false}},
         1,
         RunExport},
    };
}

}  // namespace velora::cli
