// SPDX-License-Identifier: GPL-3.0-or-later
// SVG, PDF and raster line art: what each reader records of known shapes, and
// how the import of each comes out for the user.
#include "core/common/errors.h"
#include "core/import/pdf_import.h"
#include "core/import/raster_import.h"
#include "core/import/recorded_drawing.h"
#include "core/import/svg_import.h"
#include "core/model/drawing_model.h"
#include "core/model/region_item.h"
#include "support/scripted_user.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace velora {
namespace {

// The box of all recorded points, control points included, in the units of
// a drawing whose larger side was `side` long.
QRectF UnitBounds(const RecordedFigures& figures, double side) {
    QRectF box;
    for (const Path& path : figures.paths) {
        const RectF b = path.WorldBounds();
        box = box.united(QRectF(b.x, b.y, b.width, b.height));
    }
    const double scale = side / kRecordingSide;
    return {box.x() * scale, box.y() * scale, box.width() * scale, box.height() * scale};
}

void ExpectNear(const QRectF& actual, const QRectF& expected, double tolerance) {
    EXPECT_NEAR(actual.left(), expected.left(), tolerance);
    EXPECT_NEAR(actual.top(), expected.top(), tolerance);
    EXPECT_NEAR(actual.right(), expected.right(), tolerance);
    EXPECT_NEAR(actual.bottom(), expected.bottom(), tolerance);
}

// A one-pixel PNG, as SVG drawings embed pictures.
const char* const kPixel =
    "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAAAAAA6fptVAAAACklEQVR4nGNgAAAAAgAB"
    "SK+kcQAAAABJRU5ErkJggg==";

TEST(LineArtImportTest, SvgShapesAreRecordedAsTheirOutlines) {
    struct Case {
        const char* name;
        QString body;
        int figures;
        int closed;
        QRectF bounds;  // in the drawing's units (view box 0 0 200 200)
        int images = 0;
    };
    const std::vector<Case> cases = {
        {"stroked circle: both edges of its ink",
         R"svg(<circle cx="100" cy="100" r="50" fill="none" stroke="black" stroke-width="4"/>)svg",
         2, 2, QRectF(48, 48, 104, 104)},
        {"filled star: its outline",
         R"svg(<polygon points="100,10 120,80 190,80 130,120 150,190 100,150 50,190 70,120 10,80 80,80"/>)svg",
         1, 1, QRectF(10, 10, 180, 180)},
        {"filled Bezier path: control points included",
         R"svg(<path d="M20 150 C 20 50 180 50 180 150 Z"/>)svg", 1, 1, QRectF(20, 50, 160, 100)},
        {"transformed group",
         R"svg(<g transform="translate(10 20) scale(2)"><rect width="30" height="10"/></g>)svg", 1,
         1, QRectF(10, 20, 60, 20)},
        {"use of a definition",
         R"svg(<defs><rect id="r" width="10" height="10"/></defs><use xlink:href="#r" x="50" y="60"/>)svg",
         1, 1, QRectF(50, 60, 10, 10)},
        {"hairline stays an open line",
         R"svg(<polyline points="10,10 100,10 100,100" fill="none" stroke="black" vector-effect="non-scaling-stroke"/>)svg",
         1, 0, QRectF(10, 10, 90, 90)},
        {"paper and pictures give no outline",
         QString(
             R"svg(<rect width="200" height="200" fill="white"/><image x="0" y="0" width="20" height="20" xlink:href="%1"/><rect x="30" y="40" width="50" height="60"/>)svg")
             .arg(kPixel),
         1, 1, QRectF(30, 40, 50, 60), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString svg = QStringLiteral(
                                "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"400\" "
                                "height=\"400\" viewBox=\"0 0 200 200\">%1</svg>")
                                .arg(c.body);
        const RecordedFigures figures = RecordSvg(svg.toUtf8());
        ASSERT_EQ(static_cast<int>(figures.paths.size()), c.figures);
        EXPECT_EQ(std::count_if(figures.paths.begin(), figures.paths.end(),
                                [](const Path& path) {
                                    return (path.Types().back() & PathPointType::CloseSubpath) &&
                                           path.FirstPoint() == path.LastPoint();
                                }),
                  c.closed);
        EXPECT_EQ(figures.images, c.images);
        ExpectNear(UnitBounds(figures, 200), c.bounds, 0.05);
    }
}

TEST(LineArtImportTest, SvgBeyondItsLimitsOrNoSvgIsRefused) {
    // Ten uses of ten uses ... of a rectangle: 10^8 rectangles from a few lines.
    QString nested = R"svg(<rect id="l0" width="1" height="1"/>)svg";
    for (int level = 1; level <= 8; ++level) {
        nested += QStringLiteral("<g id=\"l%1\">").arg(level);
        for (int i = 0; i < 10; ++i)
            nested += QStringLiteral("<use xlink:href=\"#l%1\"/>").arg(level - 1);
        nested += "</g>";
    }
    const QString svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\">" +
        nested + "</svg>";
    const QByteArray deep = QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\">") +
                            QByteArray("<g>").repeated(kMaxSvgDepth + 1) + "</svg>";
    for (const QByteArray& text : {svg.toUtf8(), deep, QByteArray("just some text")}) {
        EXPECT_THROW(RecordSvg(text), FormatError);
    }
    // A damaged compressed drawing.
    EXPECT_THROW(SvgText(QByteArray("\x1f\x8b\x08\x00garbage", 12)), FormatError);
}

class LineArtFileTest : public ::testing::Test {
protected:
    LineArtFileTest() { model.SetUserInterface(&user); }

    QString PathOf(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    test::ScriptedUser user;
    CDrawingModel model;
};

// Page 1: a rectangle stroked 4 points wide; page 2: a filled ellipse.
QByteArray TwoPagePdf() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(200, 100), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    painter.setPen(QPen(Qt::black, 4));
    painter.drawRect(QRectF(20, 20, 100, 50));
    writer.newPage();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(50, 10, 80, 60));
    painter.end();
    return buffer.data();
}

TEST_F(LineArtFileTest, PdfPagesPasswordsAndThePageAskedFor) {
    const QByteArray plain = TwoPagePdf();
    const QString plainPath = PathOf("plain.pdf");
    QFile file(plainPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(plain);
    file.close();
    const QString lockedPath = PathOf("locked.pdf");
    ASSERT_EQ(QProcess::execute(
                  "qpdf", {"--encrypt", "secret", "secret", "256", "--", plainPath, lockedPath}),
              0);

    // What each page records, in points.
    const PdfDrawing drawing(plain);
    const std::vector<QSizeF> sizes = drawing.PageSizes();
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[1], QSizeF(200, 100));
    ExpectNear(UnitBounds(drawing.RecordPage(1), 200), QRectF(18, 18, 104, 54), 0.1);
    ExpectNear(UnitBounds(drawing.RecordPage(2), 200), QRectF(50, 10, 80, 60), 0.1);

    struct Case {
        const char* name;
        QString path;
        std::optional<QString> password;
        int page;
        int curves;  // after the import, or -1 when refused
        const char* refusal = "";
    };
    const std::vector<Case> cases = {
        {"first page", plainPath, {}, 1, 2},
        {"second page", plainPath, {}, 2, 1},
        {"a page that is not there", plainPath, {}, 3, -1, "has no page 3; its pages are 1 to 2"},
        {"right password", lockedPath, "secret", 2, 1},
        {"wrong password", lockedPath, "guess", 1, -1, "the password is wrong"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        user.drawingSizes = {QSize(400, 200)};
        user.passwords = {c.password};
        user.page = c.page;
        user.sizeRequests.clear();
        if (c.curves < 0) {
            try {
                LoadPdfFile(model, c.path);
                ADD_FAILURE() << "imported";
            } catch (const FormatError& error) {
                EXPECT_EQ(error.Reason(), c.refusal);
            }
            continue;
        }
        LoadPdfFile(model, c.path);
        EXPECT_EQ(static_cast<int>(model.Curves().size()), c.curves);
        ASSERT_EQ(user.sizeRequests.size(), 1u);
        EXPECT_EQ(user.sizeRequests[0].pageSizes.size(), 2u);
        EXPECT_EQ(model.GetWidth(), 420);
    }
    // Cancelling the password ends the import as the user chose.
    user.passwords = {std::nullopt};
    EXPECT_THROW(LoadPdfFile(model, lockedPath), UserAlreadyToldError);
}

// A ring, a square outline and a disc, with specks of one pixel, drawn at
// 150 or 600 dpi: each shape's inside is one region of the expected area.
TEST_F(LineArtFileTest, RasterShapesAreTracedIntoRegionsAtAnyResolution) {
    for (const int dpi : {150, 600}) {
        SCOPED_TRACE(dpi);
        const double s = dpi / 150.0;
        QImage art(qRound(400 * s), qRound(200 * s), QImage::Format_RGB32);
        art.fill(Qt::white);
        {
            QPainter painter(&art);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(s, s);
            painter.setPen(QPen(Qt::black, 4));
            painter.drawEllipse(QPointF(80, 100), 60, 60);
            painter.drawRect(QRectF(170, 40, 100, 120));
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            painter.drawEllipse(QPointF(330, 100), 40, 40);
        }
        for (const QPoint speck : {QPoint(5, 5), QPoint(150, 190), QPoint(390, 10)})
            art.setPixel(speck * s, qRgb(0, 0, 0));
        const QString path = PathOf(QStringLiteral("art%1.png").arg(dpi));
        ASSERT_TRUE(art.save(path));

        // Drawn at 2000 pixels wide whatever the scan's resolution.
        user.drawingSizes = {QSize(2000, 1000)};
        LoadLineArtImage(model, path);
        ASSERT_EQ(user.sizeRequests.back().lineArt.size(), art.size());
        const int threshold = user.sizeRequests.back().threshold;
        EXPECT_GT(threshold, 40);
        EXPECT_LT(threshold, 220);
        // Ring and square: outer and inner edge; disc: its edge; no specks.
        ASSERT_EQ(model.Curves().size(), 5u);

        // Ink spans x 18..370 of the 400 units, fitted into 2000 pixels; the
        // scale is measured on the square's inside, 96 units wide.
        const double fitted = 2000.0 / (370 - 18);
        const auto capture = [&](double x, double y) {
            const double top = 10 + (1000 - (162 - 38) * fitted) / 2;
            const size_t before = model.Regions().size();
            model.ToggleRegionAt(
                QPoint(qRound(10 + (x - 18) * fitted), qRound(top + (y - 38) * fitted)));
            EXPECT_EQ(model.Regions().size(), before + 1);
            return model.Regions().back()->GetRegion();
        };
        const double scale = capture(220, 100).boundingRect().width() / 96.0;
        const auto pixels = [](const QRegion& region) {
            double count = 0;
            for (const QRect& rect : region) count += double(rect.width()) * rect.height();
            return count;
        };
        // The paper inside the ring, and the ink of the disc.
        EXPECT_NEAR(pixels(capture(80, 100)) / (M_PI * 58 * 58 * scale * scale), 1.0, 0.02);
        EXPECT_NEAR(pixels(capture(330, 100)) / (M_PI * 40 * 40 * scale * scale), 1.0, 0.02);
    }
}

}  // namespace
}  // namespace velora
