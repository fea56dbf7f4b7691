// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/pdf_import.h"

#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/import/entity_tally.h"
#include "core/import/recorded_drawing.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

#include <poppler-qt6.h>

namespace velora {

namespace {

// Poppler reports every fault it works around on stderr; the import reports
// what matters itself, in one message.
void QuietPoppler() {
    static const bool quiet = [] {
        Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant());
        return true;
    }();
    (void)quiet;
}

// Readers accept the header anywhere in the first kilobyte.
bool HasPdfHeader(const QByteArray& bytes) { return bytes.left(1024).contains("%PDF-"); }

// A cancelled question ends the import as one the user chose to end.
void Unlock(PdfDrawing& drawing, const QString& path, IUserInterface& user) {
    if (!drawing.IsLocked()) return;
    const std::optional<QString> password = user.AskPassword(
        QCoreApplication::translate("velora", "%1 is protected by a password. Please enter it:")
            .arg(QFileInfo(path).fileName()));
    if (!password)
        throw UserAlreadyToldError(
            QCoreApplication::translate("velora", "is protected by a password"));
    if (!drawing.Unlock(*password))
        throw FormatError(QCoreApplication::translate("velora", "the password is wrong"));
}

}  // namespace

PdfDrawing::PdfDrawing(const QByteArray& bytes) : m_bytes(bytes) {
    if (!HasPdfHeader(bytes))
        throw FormatError(QCoreApplication::translate("velora", "is not a PDF document"));
    QuietPoppler();
    m_document = Poppler::Document::loadFromData(bytes);
    if (!m_document)
        throw FormatError(QCoreApplication::translate("velora", "is not a readable PDF document"));
    m_document->setRenderBackend(Poppler::Document::QPainterBackend);
}

PdfDrawing::~PdfDrawing() = default;
PdfDrawing::PdfDrawing(PdfDrawing&&) noexcept = default;

bool PdfDrawing::IsLocked() const { return m_document->isLocked(); }

// The document is read again with the password.
bool PdfDrawing::Unlock(const QString& password) {
    for (const QByteArray& bytes : {password.toLatin1(), password.toUtf8()}) {
        std::unique_ptr<Poppler::Document> opened =
            Poppler::Document::loadFromData(m_bytes, bytes, bytes);
        if (!opened || opened->isLocked()) continue;
        m_document = std::move(opened);
        m_document->setRenderBackend(Poppler::Document::QPainterBackend);
        return true;
    }
    return false;
}

std::vector<QSizeF> PdfDrawing::PageSizes() const {
    const int count = m_document->numPages();
    if (count < 1)
        throw FormatError(QCoreApplication::translate("velora", "the document has no pages"));
    if (count > kMaxPdfPages) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "the document has %L1 pages, more than the %L2 this "
                                        "program reads")
                .arg(count)
                .arg(kMaxPdfPages));
    }
    std::vector<QSizeF> sizes;
    sizes.reserve(count);
    for (int i = 0; i < count; ++i) {
        const std::unique_ptr<Poppler::Page> page = m_document->page(i);
        sizes.push_back(page ? page->pageSizeF() : QSizeF());
    }
    return sizes;
}

RecordedFigures PdfDrawing::RecordPage(int page) const {
    const int count = m_document->numPages();
    if (page < 1 || page > count) {
        throw FormatError(
            QCoreApplication::translate("velora", "has no page %1; its pages are 1 to %2")
                .arg(page)
                .arg(count));
    }
    const std::unique_ptr<Poppler::Page> source = m_document->page(page - 1);
    if (!source)
        throw FormatError(
            QCoreApplication::translate("velora", "page %1 cannot be read").arg(page));
    const QSizeF points = source->pageSizeF();
    return RecordDrawing(points, [&](QPainter& painter, const QRectF& bounds) {
        const double scale = points.width() > 0 ? bounds.width() / points.width() : 1;
        source->renderToPainter(&painter, 72 * scale, 72 * scale);
    });
}

void LoadPdfFile(CDrawingModel& model, const QString& path, EntityTally* ignored) {
    model.Clear();
    PdfDrawing drawing(ReadDrawingFile(path, kMaxPdfFileBytes));
    Unlock(drawing, path, model.User());
    DrawingSizeRequest question;
    question.pageSizes = drawing.PageSizes();
    // The only page is read first, so that the dialog proposes its shape;
    // of several, the dialog does not know yet which one is wanted.
    std::optional<RecordedFigures> onlyPage;
    if (question.pageSizes.size() == 1) {
        onlyPage = drawing.RecordPage(1);
        question.extent = RecordedExtent(*onlyPage);
    }
    std::optional<SizingAnswer> answer = AskImportSize(model, question);
    if (!answer) return;
    EntityTally leftOut;
    const int page = answer->choice.page;
    ConvertRecordedFigures(
        model, onlyPage && page == 1 ? std::move(*onlyPage) : drawing.RecordPage(page), leftOut);
    if (ignored) *ignored = leftOut;
    ApplyDrawingSize(model, std::move(*answer));
}

}  // namespace velora
