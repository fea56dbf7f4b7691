// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/mosvel_view.h"
#include "view_test_document.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(ViewPrinterTest, PrintsThePictureToAPdfFile) {
    test::ViewTestDocument document(kDesignDocument);
    document.model.SetSize(300, 200);
    document.model.SetMaskBitmap(test::MaskWithSquare({300, 200}, {20, 20, 100, 80}));
    CMosvelView view;
    view.SetDocument(&document);
    view.resize(200, 200);
    view.OnInitialUpdate();

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("design.pdf"));
    ViewPrinter(view).PrintOn(printer);

    QFile pdf(folder.filePath("design.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // The picture went in as an image.
    EXPECT_TRUE(bytes.contains("/Subtype /Image"));
    EXPECT_FALSE(view.IsRenderPending());
}

TEST(ViewPrinterTest, ViewWithoutPicturePrintsNothing) {
    test::ViewTestDocument document(kDesignDocument);
    CMosvelView view;
    view.SetDocument(&document);
    view.OnInitialUpdate();
    QTemporaryDir folder;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("empty.pdf"));
    ViewPrinter(view).PrintOn(printer);
    EXPECT_FALSE(QFile::exists(folder.filePath("empty.pdf")));
}

}  // namespace
}  // namespace velora
