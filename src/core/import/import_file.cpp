// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/import_file.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/common/path_parts.h"
#include "core/import/dxf_import.h"
#include "core/import/metafile_import.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

namespace velora {

namespace {

void ImportDrawing(CDrawingModel& model, const QString& path, const QString& extension,
                   EntityTally* ignoredEntities) {
    if (extension == QLatin1String(".dxf")) {
        QString openFailure;
        if (LoadDxfFile(model, path, ignoredEntities, &openFailure) == 0)
            throw FileError(openFailure);
    } else {
        ImportMetafile(model, path);
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

bool ImportFile(CDrawingModel& model, const QString& path, EntityTally* ignoredEntities) {
    model.Clear();
    const QString extension = GetPathExt(path).toLower();
    if (extension != QLatin1String(".wmf") && extension != QLatin1String(".emf") &&
        extension != QLatin1String(".dxf")) {
        return ImportModelFile(model, path);
    }
    // A failed import leaves the model empty, whatever the reader had made.
    try {
        ImportDrawing(model, path, extension, ignoredEntities);
    } catch (const MetafileError& error) {
        model.Clear();
        throw MetafileError(error.Code(), path, error.Reason());
    } catch (const FormatError& error) {
        model.Clear();
        throw FormatError(path, error.Reason());
    } catch (const FileError& error) {
        model.Clear();
        throw FileError(path, error.Reason());
    }
    return true;
}

}  // namespace velora
