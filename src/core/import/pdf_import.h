// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/import/recording_paint_device.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

namespace Poppler {
class Document;
}

namespace velora {

class CDrawingModel;
class EntityTally;

inline constexpr qint64 kMaxPdfFileBytes = qint64{1} << 30;
// More pages than any book of line art has; the page sizes of all are read
// for the size dialog.
inline constexpr int kMaxPdfPages = 10000;

// A PDF document read by Poppler, whose pages are painted by its QPainter
// backend into a recording paint device.
class PdfDrawing {
public:
    // Throws FormatError when the bytes are no PDF document Poppler reads.
    explicit PdfDrawing(const QByteArray& bytes);
    ~PdfDrawing();
    PdfDrawing(PdfDrawing&&) noexcept;

    bool IsLocked() const;
    // Tries the password (as Latin-1, as older documents take it, and as
    // UTF-8); false when the document stays locked.
    bool Unlock(const QString& password);
    // The size of every page in points. Throws FormatError for a document
    // without pages or with more than kMaxPdfPages.
    std::vector<QSizeF> PageSizes() const;
    // The figures of the page (from 1), scaled to RecordingBounds. Throws
    // FormatError when the page is not there or cannot be read.
    RecordedFigures RecordPage(int page) const;

private:
    QByteArray m_bytes;
    std::unique_ptr<Poppler::Document> m_document;
};

// Imports one page of a PDF document as a template. A protected document
// asks the user for its password once; a document of several pages has the
// size dialog ask which page. The page's figures are chained, converted and
// sized. Throws FileError when the file cannot be read, FormatError when it
// is no PDF document, the password is wrong or the page asked for is not
// there, and UserAlreadyToldError when the user cancels the password; a
// cancelled size dialog leaves the model empty. Pictures on the page are
// counted as IMAGE in ignored when it is given.
void LoadPdfFile(CDrawingModel& model, const QString& path, EntityTally* ignored = nullptr);

}  // namespace velora
