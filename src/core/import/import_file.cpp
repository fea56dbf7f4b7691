// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/import_file.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/common/path_parts.h"
#include "core/import/dxf_import.h"
#include "core/import/entity_tally.h"
#include "core/import/metafile_import.h"
#include "core/import/pdf_import.h"
#include "core/import/raster_import.h"
#include "core/import/svg_import.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

namespace velora {

namespace {

void ImportDxf(CDrawingModel& model, const QString& path, EntityTally& leftOut) {
    QString openFailure;
    if (LoadDxfFile(model, path, &leftOut, &openFailure) == 0) throw FileError(openFailure);
}

// A template or design file: false when it cannot be opened.
bool ImportModelFile(CDrawingModel& model, const QString& path) {
    // Only tries to open it (a limit of no bytes reads nothing of a file
    // with content), which a pipe or a folder passes, to be refused by the
    // loader with its name.
    if (ReadBoundedFile(path, 0).status == FileBytes::Status::CannotOpen) return false;
    LoadModelFile(model, path);
    return true;
}

void ImportSvg(CDrawingModel& model, const QString& path, EntityTally& leftOut) {
    LoadSvgFile(model, path, &leftOut);
}

void ImportPdf(CDrawingModel& model, const QString& path, EntityTally& leftOut) {
    LoadPdfFile(model, path, &leftOut);
}

void ImportLineArt(CDrawingModel& model, const QString& path, EntityTally&) {
    LoadLineArtImage(model, path);
}

}  // namespace

const std::vector<DrawingFormat>& DrawingFormats() {
    static const std::vector<DrawingFormat> formats{
        {{QStringLiteral("dxf")}, ImportDxf},
        {{QStringLiteral("wmf"), QStringLiteral("emf")}, ImportMetafile},
        {{QStringLiteral("svg"), QStringLiteral("svgz")}, ImportSvg},
        {{QStringLiteral("pdf")}, ImportPdf, DrawingChoice::Page},
        {{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
          QStringLiteral("tif"), QStringLiteral("tiff"), QStringLiteral("bmp"),
          QStringLiteral("gif")},
         ImportLineArt,
         DrawingChoice::Threshold},
    };
    return formats;
}

const DrawingFormat* DrawingFormatOf(const QString& path) {
    const QString extension = GetPathExt(path).toLower().mid(1);
    if (extension.isEmpty()) return nullptr;
    for (const DrawingFormat& format : DrawingFormats()) {
        if (format.extensions.contains(extension)) return &format;
    }
    return nullptr;
}

QStringList DrawingExtensions() {
    QStringList extensions;
    for (const DrawingFormat& format : DrawingFormats()) extensions += format.extensions;
    return extensions;
}

bool IsDrawingFile(const QString& path) { return DrawingFormatOf(path) != nullptr; }

bool ImportFile(CDrawingModel& model, const QString& path, EntityTally* leftOut) {
    model.Clear();
    const DrawingFormat* format = DrawingFormatOf(path);
    if (!format) return ImportModelFile(model, path);
    EntityTally tally;
    // A failed import leaves the model empty, whatever the reader had made.
    try {
        format->import(model, path, tally);
    } catch (const MetafileError& error) {
        model.Clear();
        throw MetafileError(error.Code(), path, error.Reason());
    } catch (const FormatError& error) {
        model.Clear();
        throw FormatError(path, error.Reason());
    } catch (const FileError& error) {
        model.Clear();
        throw FileError(path, error.Reason());
    } catch (const std::bad_alloc&) {
        model.Clear();
        throw;
    }
    if (leftOut) *leftOut = std::move(tally);
    return true;
}

}  // namespace velora
