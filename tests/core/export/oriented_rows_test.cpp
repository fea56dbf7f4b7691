// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/oriented_rows.h"
#include "core/export/encoder_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace velora {
namespace {

// 3 x 2 pixels whose red level names them: 10 20 30 / 40 50 60.
QImage Numbered(QImage::Format format) {
    QImage image(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgb(10 * (1 + x + 3 * y), 0, 8));
    }
    return image.convertToFormat(format);
}

// The red levels of the output, row by row.
std::vector<std::vector<int>> Read(OrientedRows& rows) {
    std::vector<std::vector<int>> levels;
    std::vector<uchar> line(size_t(rows.Size().width()) * 3);
    for (int y = 0; y < rows.Size().height(); ++y) {
        rows.Read(y, line.data());
        levels.emplace_back();
        for (int x = 0; x < rows.Size().width(); ++x) levels.back().push_back(line[3 * x]);
    }
    return levels;
}

using Levels = std::vector<std::vector<int>>;

TEST(OrientedRows, EachTransformationPlacesEveryPixel) {
    const struct {
        int transformation;
        Levels expected;
    } cases[] = {
        {0, {{10, 20, 30}, {40, 50, 60}}},
        {kTransformRotate90, {{40, 10}, {50, 20}, {60, 30}}},
        {kTransformRotate180, {{60, 50, 40}, {30, 20, 10}}},
        {kTransformRotate270, {{30, 60}, {20, 50}, {10, 40}}},
        {kTransformFlipHorizontal, {{30, 20, 10}, {60, 50, 40}}},
        {kTransformFlipVertical, {{40, 50, 60}, {10, 20, 30}}},
    };
    // RGB888 is read in place; ARGB32 goes through converted bands.
    for (QImage::Format format : {QImage::Format_RGB888, QImage::Format_ARGB32}) {
        const QImage image = Numbered(format);
        for (const auto& c : cases) {
            ImageRowSource source(image);
            OrientedRows rows(source, c.transformation);
            EXPECT_EQ(Read(rows), c.expected) << c.transformation << " format " << int(format);
        }
    }
}

TEST(OrientedRows, QuarterTurnsSwapTheSize) {
    const QImage image = Numbered(QImage::Format_RGB888);
    ImageRowSource source(image);
    EXPECT_EQ(OrientedRows(source, kTransformRotate90).Size(), QSize(2, 3));
    EXPECT_EQ(OrientedRows(source, kTransformRotate270).Size(), QSize(2, 3));
    EXPECT_EQ(OrientedRows(source, kTransformRotate180).Size(), QSize(3, 2));
    EXPECT_EQ(OrientedRows(source, 0).Size(), QSize(3, 2));
}

// Quarter turns read the source in blocks of columns; a picture tall enough
// needs several, and every pixel must land where QImage puts it.
TEST(OrientedRows, QuarterTurnsOfAPictureOfManyColumnBlocks) {
    QImage image(2100, 1000, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = uchar(x);
            row[3 * x + 1] = uchar(x >> 8);
            row[3 * x + 2] = uchar(y * 7);
        }
    }
    for (const auto& [transformation, degrees] :
         {std::pair{kTransformRotate90, 90}, std::pair{kTransformRotate270, 270}}) {
        const QImage expected = image.transformed(QTransform().rotate(degrees));
        ImageRowSource source(image);
        OrientedRows rows(source, transformation);
        ASSERT_EQ(rows.Size(), expected.size());
        std::vector<uchar> line(size_t(rows.Size().width()) * 3);
        for (int y = 0; y < rows.Size().height(); ++y) {
            rows.Read(y, line.data());
            ASSERT_EQ(std::memcmp(line.data(), expected.constScanLine(y), line.size()), 0)
                << "rotation " << degrees << " row " << y;
        }
    }
}

}  // namespace
}  // namespace velora
