// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/import_file.h"

#include "core/common/errors.h"
#include "core/common/path_parts.h"
#include "core/import/dxf_import.h"
#include "core/import/metafile_import.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QFile>

namespace velora {

namespace {

QString ImportFailure(const QString& path, const QString& cause) {
    return QStringLiteral("Can't import %1%2: %3").arg(GetPathTitle(path), GetPathExt(path), cause);
}

void ImportDrawing(CDrawingModel& model, const QString& path, const QString& extension,
                   EntityTally* ignoredEntities) {
    if (extension == QLatin1String(".dxf")) {
        if (LoadDxfFile(model, path, ignoredEntities) == 0) {
            throw FileError(QStringLiteral("cannot open the file"));
        }
    } else {
        ImportMetafile(model, path);
    }
}

// A template or design file: false when it cannot be opened. A file that
// is no model stream has been reported to the user by the loader and still
// counts as read.
bool ImportModelFile(CDrawingModel& model, const QString& path) {
    if (!QFile(path).open(QIODevice::ReadOnly)) return false;
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
        throw MetafileError(error.Code(), ImportFailure(path, error.Message()));
    } catch (const FormatError& error) {
        model.Clear();
        throw FormatError(ImportFailure(path, error.Message()));
    } catch (const FileError& error) {
        model.Clear();
        throw FileError(ImportFailure(path, error.Message()));
    }
    return true;
}

}  // namespace velora
