// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/hairline_band.h"
#include "random_outlines.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <string>

namespace velora {
namespace {

// What the painter leaves on an image of the device: a one-pixel black pen
// with flat caps, smooth strokes moved by half a pixel.
QImage PainterStrokes(const std::vector<Path>& paths, const QRect& device, bool smooth,
                      QImage::Format format) {
    QImage image(device.size(), format);
    image.fill(format == QImage::Format_RGB32 ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.translate(-device.topLeft());
    if (smooth) painter.translate(0.5, 0.5);
    for (const Path& path : paths) painter.drawPath(path.ToPainterPath());
    return image;
}

uint8_t PainterByte(const QImage& image, int x, int y) {
    switch (image.format()) {
        case QImage::Format_RGB32:
            return uint8_t(qRed(image.pixel(x, y)));
        case QImage::Format_Alpha8:
            return image.constScanLine(y)[x];
        default:
            return uint8_t(qAlpha(image.pixel(x, y)));
    }
}

struct Case {
    const char* name;
    bool smooth;
    QImage::Format format;  // RGB32: the shade; the others: the coverage
    int bandRows;           // 0: the whole device in one band
    QPoint origin;          // the device's top left in the drawing
};

TEST(HairlineBandTest, StrokesGiveThePaintersPixelsInAnyBand) {
    const Case cases[] = {
        {"aliased shade", false, QImage::Format_RGB32, 0, {}},
        {"aliased shade in bands of 7", false, QImage::Format_RGB32, 7, {}},
        {"smooth shade", true, QImage::Format_RGB32, 0, {}},
        {"smooth shade in bands of 1", true, QImage::Format_RGB32, 1, {}},
        {"smooth coverage, premultiplied", true, QImage::Format_ARGB32_Premultiplied, 0, {}},
        {"smooth coverage, alpha only, in bands of 64", true, QImage::Format_Alpha8, 64, {}},
        {"smooth coverage of a part of the drawing", true, QImage::Format_Alpha8, 5, {13, 8}},
    };
    const uint32_t seed = test::TestSeed();
    SCOPED_TRACE("VELORA_TEST_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    for (int round = 0; round < 12; ++round) {
        const QSize drawing(20 + int(random() % 280), 20 + int(random() % 200));
        std::vector<Path> paths;
        for (int i = 0; i < 40; ++i) {
            paths.push_back(test::RandomOutline(random, drawing.width(), drawing.height()));
        }
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const QRect device(c.origin, drawing - QSize(c.origin.x(), c.origin.y()) / 2);
            const QImage expected = PainterStrokes(paths, device, c.smooth, c.format);
            const int bandRows = c.bandRows ? c.bandRows : device.height();
            const unsigned plane =
                c.format == QImage::Format_RGB32 ? HairlineBand::kShade : HairlineBand::kCoverage;
            HairlineBand band(device, device.top(), bandRows, plane);
            int differing = 0;
            for (int top = device.top(); top <= device.bottom(); top += bandRows) {
                band.Restart(top, std::min(bandRows, device.bottom() + 1 - top));
                for (const Path& path : paths) {
                    band.Stroke(path, c.smooth ? HairlineBand::kSmoothStroke
                                               : HairlineBand::kAliasedStroke);
                }
                for (int y = top; y < top + band.Rows(); ++y) {
                    const uint8_t* row =
                        plane == HairlineBand::kShade ? band.ShadeRow(y) : band.CoverageRow(y);
                    for (int x = 0; x < device.width(); ++x) {
                        const uint8_t painted = PainterByte(expected, x, y - device.top());
                        if (row[x] == painted) continue;
                        if (++differing == 1) {
                            ADD_FAILURE()
                                << "first difference at device pixel (" << x << ", "
                                << y - device.top() << "): " << int(row[x])
                                << " against the painter's " << int(painted) << ", drawing "
                                << drawing.width() << " x " << drawing.height();
                        }
                    }
                }
            }
            EXPECT_EQ(differing, 0);
        }
    }
}

TEST(HairlineBandTest, PainterElementsAreThePainterPathsElements) {
    std::mt19937 random(test::TestSeed());
    std::vector<PainterElement> elements;
    for (int i = 0; i < 300; ++i) {
        const Path path = test::RandomOutline(random, 100, 100);
        const QPainterPath expected = path.ToPainterPath();
        path.PainterElements(elements);
        ASSERT_EQ(int(elements.size()), expected.elementCount());
        for (int e = 0; e < expected.elementCount(); ++e) {
            const QPainterPath::Element& element = expected.elementAt(e);
            ASSERT_EQ(elements[size_t(e)].type, element.type) << e;
            ASSERT_EQ(elements[size_t(e)].x, element.x) << e;
            ASSERT_EQ(elements[size_t(e)].y, element.y) << e;
        }
    }
}

}  // namespace
}  // namespace velora
