// SPDX-License-Identifier: GPL-3.0-or-later
// Line art as people have it: an A4 page scanned at 300 dpi (2480 x 3508),
// imported at 4000 x 5600 (goal: at most 2 s), and an SVG drawing of 20,000
// paths (goal: at most 1 s). Each covers the whole import from the file:
// decoding, tracing or rendering, chaining, conversion, fitting and the mask.

#include "core/common/user_interface.h"
#include "core/import/raster_import.h"
#include "core/import/svg_import.h"
#include "core/model/drawing_model.h"

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QTemporaryDir>

#include <random>
#include <stdexcept>

namespace velora {
namespace {

// A colouring page: outlines of circles, boxes and curved petals in rows,
// drawn 3 pixels wide and antialiased as a scanner sees them, with noise.
QImage ScannedPage() {
    QImage page(2480, 3508, QImage::Format_Grayscale8);
    page.fill(Qt::white);
    std::mt19937 random(5);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 3));
        for (int row = 0; row < 14; ++row) {
            for (int column = 0; column < 10; ++column) {
                const QPointF centre(140 + column * 240, 160 + row * 240);
                painter.drawEllipse(centre, 100, 90);
                painter.drawRect(QRectF(centre - QPointF(40, 40), QSizeF(80, 80)));
                QPainterPath petal(centre + QPointF(-90, 0));
                petal.cubicTo(centre + QPointF(-60, -80), centre + QPointF(60, -80),
                              centre + QPointF(90, 0));
                painter.drawPath(petal);
            }
        }
    }
    for (int i = 0; i < 20000; ++i)
        page.setPixel(int(random() % 2480), int(random() % 3508), qRgb(0, 0, 0));
    return page;
}

// Stroked curves and filled shapes in a grid, as an illustration drawn in a
// vector editor holds them.
QByteArray ManyPathsSvg(int paths) {
    QByteArray svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"2000\" height=\"2000\" "
        "viewBox=\"0 0 2000 2000\">";
    for (int i = 0; i < paths; ++i) {
        const int x = (i % 141) * 14;
        const int y = (i / 141) * 14;
        if (i % 2 == 0) {
            svg += QStringLiteral(
                       "<path d=\"M%1 %2 c 3 -6 9 -6 12 0 s -9 6 -12 0 z\" fill=\"none\" "
                       "stroke=\"black\" stroke-width=\"1\"/>")
                       .arg(x)
                       .arg(y + 7)
                       .toUtf8();
        } else {
            svg += QStringLiteral("<path d=\"M%1 %2 h10 v10 h-10 z\" fill=\"black\"/>")
                       .arg(x + 2)
                       .arg(y + 2)
                       .toUtf8();
        }
    }
    return svg + "</svg>";
}

template <typename Import>
void RunImport(benchmark::State& state, QSize size, Import&& import) {
    FixedSizeUser user(size);
    for (auto _ : state) {
        CDrawingModel model;
        model.SetUserInterface(&user);
        import(model);
        if (model.Curves().empty()) throw std::logic_error("nothing imported");
        state.counters["curves"] = static_cast<double>(model.Curves().size());
    }
}

void BM_ScanImport(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath("page.png");
    if (!ScannedPage().save(path)) throw std::runtime_error("cannot write the page");
    RunImport(state, QSize(4000, 5600),
              [&](CDrawingModel& model) { LoadLineArtImage(model, path); });
}
BENCHMARK(BM_ScanImport)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_SvgImport(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath("paths.svg");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the drawing");
    file.write(ManyPathsSvg(20000));
    file.close();
    RunImport(state, QSize(4000, 4000), [&](CDrawingModel& model) { LoadSvgFile(model, path); });
}
BENCHMARK(BM_SvgImport)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora

BENCHMARK_MAIN();
