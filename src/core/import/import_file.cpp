// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/import_file.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/common/path_parts.h"
#include "core/import/dxf_import.h"
#include "core/import/metafile_import.h"
#include "core/import/pdf_import.h"
#include "core/import/raster_import.h"
#include "core/import/svg_import.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QHash>

namespace velora {

namespace {

void ImportDrawing(CDrawingModel& model, const QString& path, DrawingKind kind,
                   EntityTally* ignoredEntities) {
    switch (kind) {
        case DrawingKind::Dxf: {
            QString openFailure;
            if (LoadDxfFile(model, path, ignoredEntities, &openFailure) == 0)
                throw FileError(openFailure);
            break;
        }
        case DrawingKind::Metafile:
            ImportMetafile(model, path);
            break;
        case DrawingKind::Svg:
            LoadSvgFile(model, path, ignoredEntities);
            break;
        case DrawingKind::Pdf:
            LoadPdfFile(model, path, ignoredEntities);
            break;
        case DrawingKind::Raster:
            LoadLineArtImage(model, path);
            break;
        case DrawingKind::None:
            break;
    }
}

// A template or design file: false when it cannot be opened. A file that
// is no model stream has been reported to the user by the loader and still
// counts as read.
bool ImportModelFile(CDrawingModel& model, const QString& path) {
    // Only tries to open it (a limit of no bytes reads nothing of a file
    // with content), which a pipe or a folder passes, to be refused by the
    // loader with its name.
    if (ReadBoundedFile(path, 0).status == FileBytes::Status::CannotOpen) return false;
    LoadModelFile(model, path);
    return true;
}

}  // namespace

DrawingKind DrawingKindOf(const QString& path) {
    static const QHash<QString, DrawingKind> kinds{
        {".wmf", DrawingKind::Metafile}, {".emf", DrawingKind::Metafile},
        {".dxf", DrawingKind::Dxf},      {".svg", DrawingKind::Svg},
        {".svgz", DrawingKind::Svg},     {".pdf", DrawingKind::Pdf},
        {".png", DrawingKind::Raster},   {".jpg", DrawingKind::Raster},
        {".jpeg", DrawingKind::Raster},  {".tif", DrawingKind::Raster},
        {".tiff", DrawingKind::Raster},  {".bmp", DrawingKind::Raster},
        {".gif", DrawingKind::Raster},
    };
    return kinds.value(GetPathExt(path).toLower(), DrawingKind::None);
}

bool ImportFile(CDrawingModel& model, const QString& path, EntityTally* ignoredEntities) {
    model.Clear();
    const DrawingKind kind = DrawingKindOf(path);
    if (kind == DrawingKind::None) return ImportModelFile(model, path);
    // A failed import leaves the model empty, whatever the reader had made.
    try {
        ImportDrawing(model, path, kind, ignoredEntities);
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
    return true;
}

}  // namespace velora
