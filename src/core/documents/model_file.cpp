#include "core/documents/model_file.h"

#include "core/common/errors.h"
#include "core/documents/protected_archive.h"
#include "core/model/drawing_model.h"
#include "core/model/image_record.h"

namespace velora {

bool LoadModelFile(CDrawingModel& model, const QString& path) {
    CProtectedArchive archive(path, CProtectedArchive::Mode::Load, model.User());
    // The framework never serialises an empty file: it opens as nothing.
    if (archive.FileLength() == 0) return true;
    ArchiveReader& reader = archive.Reader();
    const bool isModel = HasModelSignature(reader.RemainingBytes());
    try {
        model.Serialize(reader);
    } catch (const FormatError& error) {
        throw FormatError(QStringLiteral("\"%1\" is damaged: %2").arg(path, error.Message()));
    }
    archive.Close();
    return isModel;
}

void SaveModelFile(CDrawingModel& model, const QString& path) {
    CProtectedArchive archive(path, CProtectedArchive::Mode::Store, model.User());
    model.Serialize(archive.Writer());
    archive.Close();
}

}  // namespace velora
