// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/model_file.h"

#include "core/archive/protected_archive.h"
#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/model/drawing_model.h"
#include "core/model/image_record.h"
#include "core/model/model_stream.h"

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
        throw FormatError(path, error.Reason());
    }
    archive.Close();
    return isModel;
}

void SaveModelFile(CDrawingModel& model, const QString& path) {
    CProtectedArchive archive(path, CProtectedArchive::Mode::Store, model.User());
    model.Serialize(archive.Writer());
    archive.Close();
}

QImage ReadThumbnail(const QString& path) {
    NullUserInterface nobody;
    try {
        CProtectedArchive archive(path, CProtectedArchive::Mode::Load, nobody);
        ArchiveReader& reader = archive.Reader();
        if (!HasModelSignature(reader.RemainingBytes())) return {};
        reader.Skip(kModelSignatureSize);
        return ReadImageRecord(reader, nullptr);
    } catch (const std::exception&) {
        // Out of memory included: a preview is not worth a message.
        return {};
    }
}

}  // namespace velora
