// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_test_support.h"
#include "ui/library/preview_grid.h"
#include "ui/library/texture_palette.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::Shot;
using test::Solid;

QColor Base(const QWidget& widget) { return widget.palette().color(QPalette::Base); }

// Within the rounding of the screen's colour depth.
bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
           std::abs(a.blue() - b.blue()) <= 3;
}

class TexturePaletteTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_palette.SetCellSize(100, 75);
        test::ShowWithClientSize(m_palette, {300, 150});
    }

    QImage ShowTexture(const QImage& texture) {
        test::WritePicture(m_folder.Path("t.png"), texture);
        m_palette.LoadFolder(m_folder.Path(), "*.*");
        EXPECT_TRUE(test::WaitForPictures(m_palette));
        return Shot(m_palette);
    }

    test::ScratchFolder m_folder;
    test::LibraryFoldersScope m_folders{{{}, m_folder.Path(), {}, {}}};
    CTexturePalette m_palette;
};

TEST_F(TexturePaletteTest, AWideTextureIsCroppedToThePictureAreaAndCentredVertically) {
    const QImage shot = ShowTexture(Solid(200, 30, Qt::red));
    EXPECT_EQ(shot.pixelColor(5, 12), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(94, 41), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(95, 20), Base(m_palette)) << "cropped at the picture area's right";
    EXPECT_EQ(shot.pixelColor(4, 20), Base(m_palette));
    EXPECT_EQ(shot.pixelColor(50, 11), Base(m_palette));
    EXPECT_EQ(shot.pixelColor(50, 42), Base(m_palette));
}

TEST_F(TexturePaletteTest, ASmallTextureIsDrawnWholeInTheMiddle) {
    const QImage shot = ShowTexture(Solid(40, 40, Qt::blue));
    EXPECT_EQ(shot.pixelColor(30, 7), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(69, 46), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(29, 20), Base(m_palette));
    EXPECT_EQ(shot.pixelColor(70, 20), Base(m_palette));
    EXPECT_EQ(shot.pixelColor(50, 6), Base(m_palette));
}

TEST_F(TexturePaletteTest, TexturesOfTheModelsListCarryTheMarkerAfterARefresh) {
    ShowTexture(Solid(60, 40, Qt::blue));
    const QPoint inMarker(25, 10);  // the texture starts at (20, 7)
    EXPECT_EQ(Shot(m_palette).pixelColor(inMarker), QColor(Qt::blue)) << "no model, no marker";
    CDrawingModel model;
    model.AddTexture(m_folder.Path("t.png"));
    m_palette.SetModel(&model);
    EXPECT_EQ(Shot(m_palette).pixelColor(inMarker), QColor(Qt::blue)) << "cells wait for a refresh";
    m_palette.RefreshAll();
    ASSERT_TRUE(test::WaitForPictures(m_palette));
    const QImage marker = CTexturePalette::InListMarker();
    EXPECT_EQ(marker.size(), QSize(34, 19));
    EXPECT_EQ(Shot(m_palette).pixelColor(inMarker), marker.pixelColor(5, 3));
    model.ClearTextures();
    m_palette.RefreshItem(0);
    ASSERT_TRUE(test::WaitForPictures(m_palette));
    EXPECT_EQ(Shot(m_palette).pixelColor(inMarker), QColor(Qt::blue));
}

TEST_F(TexturePaletteTest, FilesThatAreNoPicturesShowACrossedBox) {
    m_folder.WriteText("notes.txt", "not a picture");
    m_palette.LoadFolder(m_folder.Path(), "*.*");
    ASSERT_TRUE(test::WaitForPictures(m_palette));
    const QImage shot = Shot(m_palette);
    const QColor text = m_palette.palette().color(QPalette::Text);
    EXPECT_EQ(shot.pixelColor(0, 40), text) << "the box";
    EXPECT_EQ(shot.pixelColor(40, 30), text) << "a diagonal";
    EXPECT_EQ(shot.pixelColor(50, 10), Base(m_palette));
}

TEST_F(TexturePaletteTest, TheFocusCellIsDrawnSelectedAndItsTextureLoadsWhole) {
    test::WritePicture(m_folder.Path("a.png"), Solid(200, 30, Qt::red));
    test::WritePicture(m_folder.Path("b.png"), Solid(10, 10, Qt::red));
    m_palette.LoadFolder(m_folder.Path(), "*.*");
    EXPECT_TRUE(m_palette.LoadFocusedImage().isNull()) << "no focus cell yet";
    test::Click(m_palette, 0);
    ASSERT_TRUE(test::WaitForPictures(m_palette));
    const QImage shot = Shot(m_palette);
    EXPECT_TRUE(Near(shot.pixelColor(97, 52), m_palette.palette().color(QPalette::Highlight)));
    EXPECT_EQ(shot.pixelColor(197, 52), Base(m_palette));
    EXPECT_EQ(m_palette.LoadFocusedImage().size(), QSize(200, 30));
}

TEST(PreviewGridTest, CellsShowTheStoredPreviewFittedIntoThePictureArea) {
    test::ScratchFolder folder;
    test::WriteDesign(folder.Path("blue.vld"), {200, 100}, Qt::blue);
    folder.WriteText("broken.vld", "MOSVELDAT but no container");
    CPreviewGrid grid;
    grid.SetCellSize(100, 100);
    test::ShowWithClientSize(grid, {300, 150});
    grid.LoadFolder(folder.Path(), "*.vld");
    ASSERT_EQ(grid.GetItemCount(), 2);
    ASSERT_TRUE(test::WaitForPictures(grid));
    const QImage shot = Shot(grid);
    // 100 x 50 scaled by 0.9 into the 90 x 70 area: 90 x 45 from (5, 17).
    const QColor inside = shot.pixelColor(50, 40);
    EXPECT_LT(inside.red(), 60);
    EXPECT_GT(inside.blue(), 150);
    EXPECT_EQ(shot.pixelColor(50, 14), Base(grid));
    EXPECT_EQ(shot.pixelColor(50, 64), Base(grid));
    EXPECT_EQ(shot.pixelColor(140, 40), grid.palette().color(QPalette::Text))
        << "the broken file is crossed out";
}

}  // namespace
}  // namespace velora
