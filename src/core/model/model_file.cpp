// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/model_file.h"

#include "core/archive/protected_archive.h"
#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/model/drawing_model.h"
#include "core/model/image_decoder.h"
#include "core/model/image_record.h"
#include "core/model/model_stream.h"

namespace velora {

std::optional<ModelContent> ReadModelFile(const QString& path, IUserInterface& user) {
    CProtectedArchive archive(path, CProtectedArchive::Mode::Load, user);
    // The framework never serialises an empty file: it opens as nothing.
    if (archive.FileLength() == 0) return std::nullopt;
    ArchiveReader& reader = archive.Reader();
    if (!HasModelSignature(reader.RemainingBytes())) throw WrongFormatError();
    reader.Skip(kModelSignatureSize);
    std::optional<ModelContent> content;
    try {
        content = ReadModelContent(reader, user);
    } catch (const FormatError& error) {
        throw FormatError(path, error.Reason());
    }
    archive.Close();
    return content;
}

void LoadModelFile(CDrawingModel& model, const QString& path) {
    if (std::optional<ModelContent> content = ReadModelFile(path, model.User())) {
        model.SwapContent(std::move(*content));
    }
}

void SaveModelFile(CDrawingModel& model, const QString& path) {
    CProtectedArchive archive(path, CProtectedArchive::Mode::Store, model.User());
    model.Serialize(archive.Writer());
    archive.Close();
}

QImage ReadThumbnail(const QString& path) {
    // Most stored previews are a few kilobytes; the first read takes in this
    // much so that one pass through the file's start is usually all it takes.
    constexpr size_t kLikelyPreviewEnd = 64 * 1024;
    constexpr size_t kRecordStart = kModelSignatureSize + sizeof(uint32_t);
    // A preview is at most 100 x 100 pixels; a record claiming more than this
    // is not one, whatever the rest of the file holds.
    constexpr uint32_t kMaxPreviewRecord = 16 * 1024 * 1024;
    // Previews are made at most 100 pixels a side. A library shows hundreds
    // of them, so a record that claims a larger picture is not decoded: a few
    // bytes could otherwise claim a picture of gigabytes for every cell.
    constexpr int kMaxPreviewSide = 1000;
    NullUserInterface nobody;
    try {
        QByteArray start = CProtectedArchive::ReadStreamStart(path, kLikelyPreviewEnd, nobody);
        if (!HasModelSignature(AsBytes(start))) return {};
        ArchiveReader header(start);
        header.Skip(kModelSignatureSize);
        const uint32_t recordLength = header.ReadU32();
        if (recordLength > kMaxPreviewRecord) return {};
        const size_t recordEnd = kRecordStart + recordLength;
        if (recordEnd > static_cast<size_t>(start.size()) &&
            static_cast<size_t>(start.size()) == kLikelyPreviewEnd) {
            start = CProtectedArchive::ReadStreamStart(path, recordEnd, nobody);
        }
        ArchiveReader reader(start);
        reader.Skip(kModelSignatureSize);
        const std::span<const uint8_t> record = ReadImageRecordBytes(reader);
        const QSize size = ProbeImageSize(record, ImageFormats::Stored);
        if (!size.isValid() || size.width() > kMaxPreviewSide || size.height() > kMaxPreviewSide)
            return {};
        return DecodeImageRecord(record);
    } catch (const std::exception&) {
        // Out of memory included: a preview is not worth a message.
        return {};
    }
}

}  // namespace velora
