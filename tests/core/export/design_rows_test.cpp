// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/design_rows.h"
#include "core/export/image_scaler.h"
#include "core/model/drawing_model.h"
#include "core/model/model_test_support.h"
#include "export_test_images.h"
#include "support/random_outlines.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace velora {
namespace {

// A design with everything a band can cut: regions whose boxes reach over
// many bands and out of the drawing, textures of several sizes (one with
// transparent parts) tiled from the regions' boxes, a selected region without
// an image, a mask, and outlines of every kind.
void MakeDesign(CDrawingModel& model, bool smooth, uint32_t seed) {
    model.SetSize(211, 157);
    model.SetSmoothLines(smooth);
    MonoBitmap mask(211, 157);
    for (int y = 0; y < 157; ++y) {
        for (int x = 0; x < 211; ++x) mask.SetPixel(x, y, (x * 7 + y * 3) % 29 != 0);
    }
    model.SetMaskBitmap(mask);
    const QRegion shapes[] = {QRegion(5, 3, 120, 140), QRegion(60, 20, 140, 60, QRegion::Ellipse),
                              QRegion(-20, 90, 300, 90), QRegion(150, 100, 40, 40)};
    for (int i = 0; i < 4; ++i) {
        test::AddRegion(model, shapes[i], i == 3, QString("R%1").arg(i));
    }
    QImage transparent(13, 9, QImage::Format_ARGB32);
    transparent.fill(qRgba(200, 30, 90, 120));
    transparent.setPixel(3, 4, qRgba(0, 0, 0, 0));
    const QImage textures[] = {test::PatternImage(37, 23, QImage::Format_RGB32), transparent,
                               test::PatternImage(300, 200, QImage::Format_RGB32)};
    for (int i = 0; i < 3; ++i) {
        test::AddArea(model, QString("A%1").arg(i), {QString("R%1").arg(i)});
        model.SetAreaImage(i, textures[i]);
    }
    std::mt19937 random(seed);
    for (int i = 0; i < 25; ++i) {
        auto curve = std::make_unique<CCurve>();
        curve->GetPath() = test::RandomOutline(random, 211, 157);
        model.AddCurve(std::move(curve));
    }
}

struct Case {
    const char* name;
    bool exportMode;
    bool smooth;
    QSize size;  // of the picture made from the rows; empty: the design's own
    int bandRows;
};

// Rows rendered a band at a time, scaled or not, are the whole picture's.
TEST(DesignRowsTest, BandsGiveTheWholePicturesPixels) {
    const Case cases[] = {
        {"own size, bands of one row", true, true, {}, 1},
        {"own size, bands of 7 rows", true, true, {}, 7},
        {"aliased outlines, halved, bands of 13", true, false, {105, 78}, 13},
        {"screen, grown, bands of 64", false, true, {360, 270}, 64},
        {"odd size, bands of 5", true, true, {97, 31}, 5},
    };
    const uint32_t seed = test::TestSeed();
    SCOPED_TRACE("VELORA_TEST_SEED=" + std::to_string(seed));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDrawingModel model;
        MakeDesign(model, c.smooth, seed);
        QImage whole(211, 157, QImage::Format_RGB16);
        {
            QPainter painter(&whole);
            model.Render(painter, c.exportMode);
        }
        const QSize size = c.size.isEmpty() ? whole.size() : c.size;
        const QImage expected = ScaleImage(whole, size);
        DesignRows design(model, c.exportMode, c.bandRows);
        ScaledRows rows(design, size);
        std::vector<uchar> row(size_t(size.width()) * 3);
        int differing = 0;
        for (int y = 0; y < size.height(); ++y) {
            rows.Read(y, RowLayout::Rgb888, row.data());
            differing += std::memcmp(row.data(), expected.constScanLine(y), row.size()) != 0;
        }
        EXPECT_EQ(differing, 0) << "rows differ";
    }
}

}  // namespace
}  // namespace velora
