// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/view_printer.h"

#include "ui/controls/dialog_frame.h"
#include "ui/views/mosvel_view_base.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace velora {

namespace {
// Screen pixels per inch that the printed picture keeps.
constexpr double kScreenDpi = 96.0;
}  // namespace

void ViewPrinter::Print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &m_view);
    ShowCloseButtonOnly(dialog);
    if (dialog.exec() == QDialog::Accepted) PrintOn(printer);
}

void ViewPrinter::PrintDirect() {
    QPrinter printer(QPrinter::HighResolution);
    PrintOn(printer);
}

void ViewPrinter::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, &m_view);
    ShowCloseButtonOnly(dialog);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [this](QPrinter* target) { PrintOn(*target); });
    dialog.exec();
}

void ViewPrinter::PrintOn(QPrinter& printer) {
    m_view.RenderStale();
    const QImage& picture = m_view.Image();
    if (picture.isNull()) return;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double perPixel = printer.resolution() / kScreenDpi;
    const double scale =
        std::min({perPixel, page.width() / picture.width(), page.height() / picture.height()});
    painter.drawImage(QRectF(0, 0, picture.width() * scale, picture.height() * scale), picture);
    painter.end();
}

}  // namespace velora
