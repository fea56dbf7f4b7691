// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/export_design.h"

#include "core/common/errors.h"
#include "core/common/folder_ops.h"
#include "core/common/large_image.h"
#include "core/common/library_folders.h"
#include "core/common/user_interface.h"
#include "core/export/image_encoders.h"
#include "core/export/image_scaler.h"
#include "core/export/jpeg_writer.h"
#include "core/model/drawing_model.h"

#include <QCoreApplication>
#include <QPainter>

#include <optional>

#include <unistd.h>

namespace velora {

namespace {
qint64 ImageBytes(QSize size, int bytesPerPixel) {
    // Rows of a QImage are padded to 32 bits.
    const qint64 rowBytes = (qint64(size.width()) * bytesPerPixel + 3) / 4 * 4;
    return rowBytes * size.height();
}

qint64 PhysicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : -1;
}

// What a save holds besides the rendering: a few rows in floats, the
// scaler's tables and, for a JPEG with tables of its own, the coefficients of
// the whole picture.
qint64 ExportWorkingBytes(QSize size) {
    const qint64 pixels = qint64(size.width()) * size.height();
    const qint64 rows = 64 * ImageBytes(QSize(size.width(), 1), 4);
    const qint64 tables = 16 * (qint64(size.width()) + size.height());
    return rows + tables + (pixels <= kMaxOptimizedJpegPixels ? 3 * pixels : 0);
}

QString Gigabytes(qint64 bytes) { return QString::number(double(bytes) / (1 << 30), 'f', 1); }
}  // namespace

void CheckExportSize(QSize size, QSize designSize) {
    if (size.width() < 1 || size.height() < 1) {
        throw VeloraError(
            QCoreApplication::translate("velora",
                                        "The export size %1 x %2 is not valid: width and height "
                                        "must be at least 1 pixel.")
                .arg(size.width())
                .arg(size.height()));
    }
    const qint64 needed = ImageBytes(designSize, 2) + ExportWorkingBytes(size);
    const qint64 available = PhysicalMemoryBytes();
    if (available > 0 && needed > available) {
        throw VeloraError(
            QCoreApplication::translate("velora",
                                        "An image of %1 x %2 pixels is too large: exporting it "
                                        "needs %3 GB of memory, and this computer has %4 GB.")
                .arg(size.width())
                .arg(size.height())
                .arg(Gigabytes(needed), Gigabytes(available)));
    }
}

QImage RenderForExport(CDrawingModel& model) {
    const QSize size(model.GetWidth(), model.GetHeight());
    if (size.width() < 1 || size.height() < 1) {
        throw VeloraError(
            QCoreApplication::translate("velora",
                                        "The design has no size (%1 x %2), so there is nothing "
                                        "to export.")
                .arg(size.width())
                .arg(size.height()));
    }
    QImage image = MakeLargeImage(size, QImage::Format_RGB16);
    if (image.isNull()) {
        throw VeloraError(
            QCoreApplication::translate("velora",
                                        "There is not enough memory to render the design at "
                                        "%1 x %2 pixels.")
                .arg(size.width())
                .arg(size.height()));
    }
    QPainter painter(&image);
    model.Render(painter, true);
    return image;
}

QString ExportPath(const QString& fileName) {
    if (fileName.isEmpty())
        throw VeloraError(QCoreApplication::translate("velora", "No file name was given."));
    if (fileName.contains(QLatin1Char('/'))) return fileName;
    // The program makes its library folders when it starts, but a batch
    // export may be the first thing ever run.
    const QString folder = CurrentLibraryFolders().exportFolder;
    CreateFolderPath(folder);
    return folder + fileName;
}

QString ExportDesign(CDrawingModel& model, const ExportRequest& request, IUserInterface* progress) {
    const QSize size(request.width, request.height);
    const QString path = ExportPath(request.fileName);
    const EncoderParameters* parameters = request.parameters ? &*request.parameters : nullptr;
    CheckExportSize(size, QSize(model.GetWidth(), model.GetHeight()));
    CheckSaveRequest(path, request.encoderId, parameters, size, false);
    // Rendering, then scaling and encoding, which go together a few rows at
    // a time: each takes its share of a large export.
    std::optional<ProgressScope> steps;
    if (progress)
        steps.emplace(*progress, QCoreApplication::translate("velora", "Exporting..."), 2);
    const QImage rendered = RenderForExport(model);
    if (steps) steps->Step();
    ScaledRows rows(rendered, size);
    SaveRows(rows, path, request.encoderId, parameters);
    if (steps) steps->Step();
    return path;
}

}  // namespace velora
