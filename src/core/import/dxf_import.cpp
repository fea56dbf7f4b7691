// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_import.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/import/chaining.h"
#include "core/import/conversion.h"
#include "core/import/dxf_reader.h"
#include "core/import/entity_tally.h"
#include "core/import/import_checks.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"

#include <QCoreApplication>

namespace velora {

int LoadDxfFile(CDrawingModel& model, const QString& path, EntityTally* ignored,
                QString* openFailure) {
    model.Clear();
    // The whole text is held in memory while it is read; a file beyond any
    // real drawing is refused before it can exhaust memory.
    const FileBytes file = ReadBoundedFile(path, kMaxDxfFileBytes);
    if (file.status == FileBytes::Status::CannotOpen) {
        if (openFailure) *openFailure = file.reason;
        return 0;
    }
    model.ImportPaths().clear();
    if (file.status == FileBytes::Status::TooLarge) throw FormatError(file.reason);
    if (file.status != FileBytes::Status::Read) throw FileError(file.reason);
    // Refused before the size is asked: a file that is no drawing, or a
    // drawing of nothing, would only make a blank template.
    if (file.bytes.isEmpty()) throw FormatError(EmptyFileReason());
    EntityTally leftOut;
    DxfContent content = ReadDxf(file.bytes, &leftOut);
    if (!content.hasSections) {
        throw FormatError(
            QCoreApplication::translate("velora", "is not a DXF drawing: it has no DXF sections"));
    }
    if (content.paths.empty()) throw FormatError(NothingToImportReason(leftOut));
    if (ignored) *ignored = leftOut;
    model.ImportPaths() = std::move(content.paths);

    ChainImportPaths(model);
    ConvertObjectsToCurves(model);
    Matrix flip;
    flip.Scale(1, -1);
    model.TransformCurves(&flip);
    SizeDrawing(model, kDxfImportScale);
    return 1;
}

}  // namespace velora
