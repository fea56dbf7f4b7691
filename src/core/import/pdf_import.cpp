// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/pdf_import.h"

#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/common/user_interface.h"
#include "core/import/recorded_drawing.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"

#include <QFileInfo>
#include <QPainter>

#include <poppler-qt6.h>

#include <memory>

namespace velora {

namespace {

// Readers accept the header anywhere in the first kilobyte.
bool HasPdfHeader(const QByteArray& bytes) { return bytes.left(1024).contains("%PDF-"); }

std::unique_ptr<Poppler::Document> OpenDocument(const QByteArray& bytes) {
    if (!HasPdfHeader(bytes)) throw FormatError(QStringLiteral("is not a PDF document"));
    std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(bytes);
    if (!document) throw FormatError(QStringLiteral("is not a readable PDF document"));
    return document;
}

// A cancelled question ends the import as one the user chose to end.
void Unlock(Poppler::Document& document, const QString& path, IUserInterface& user) {
    if (!document.isLocked()) return;
    const std::optional<QString> password = user.AskPassword(
        QStringLiteral("%1 is protected by a password. Please enter it:")
            .arg(QFileInfo(path).fileName()));
    if (!password) throw UserAlreadyToldError(QStringLiteral("is protected by a password"));
    // Older documents take their passwords in Latin-1, newer ones in UTF-8.
    for (const QByteArray& bytes : {password->toLatin1(), password->toUtf8()}) {
        if (document.isLocked()) document.unlock(bytes, bytes);
    }
    if (document.isLocked()) throw FormatError(QStringLiteral("the password is wrong"));
}

std::vector<QSizeF> PageSizes(const Poppler::Document& document) {
    const int count = document.numPages();
    if (count < 1) throw FormatError(QStringLiteral("the document has no pages"));
    if (count > kMaxPdfPages) {
        throw FormatError(QStringLiteral("the document has %L1 pages, more than the %L2 this "
                                         "program reads")
                              .arg(count)
                              .arg(kMaxPdfPages));
    }
    std::vector<QSizeF> sizes;
    sizes.reserve(count);
    for (int i = 0; i < count; ++i) {
        const std::unique_ptr<Poppler::Page> page = document.page(i);
        sizes.push_back(page ? page->pageSizeF() : QSizeF());
    }
    return sizes;
}

RecordedFigures RecordPage(const Poppler::Document& document, int page) {
    const std::unique_ptr<Poppler::Page> source = document.page(page - 1);
    if (!source) throw FormatError(QStringLiteral("page %1 cannot be read").arg(page));
    const QSizeF points = source->pageSizeF();
    const QRectF bounds = RecordingBounds(points);
    const double scale = points.width() > 0 ? bounds.width() / points.width() : 1;
    RecordingPaintDevice device(bounds.size().toSize());
    {
        QPainter painter(&device);
        source->renderToPainter(&painter, 72 * scale, 72 * scale);
    }
    return device.TakeFigures();
}

}  // namespace

void LoadPdfFile(CDrawingModel& model, const QString& path, EntityTally* ignored) {
    model.Clear();
    const FileBytes file = ReadBoundedFile(path, kMaxPdfFileBytes);
    if (file.status == FileBytes::Status::TooLarge) throw FormatError(file.reason);
    if (file.status != FileBytes::Status::Read) throw FileError(file.reason);
    std::unique_ptr<Poppler::Document> document = OpenDocument(file.bytes);
    Unlock(*document, path, model.User());
    document->setRenderBackend(Poppler::Document::QPainterBackend);

    DrawingSizeQuestion question;
    question.pageSizes = PageSizes(*document);
    std::optional<SizingAnswer> answer = AskImportSize(model, question);
    if (!answer) return;
    const int page = answer->choice.page;
    const int pages = static_cast<int>(question.pageSizes.size());
    if (page < 1 || page > pages) {
        throw FormatError(QStringLiteral("has no page %1; its pages are 1 to %2").arg(page).arg(pages));
    }
    ConvertRecordedFigures(model, RecordPage(*document, page), ignored);
    ApplyDrawingSize(model, std::move(*answer));
}

}  // namespace velora
