// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_import.h"

#include "core/model/drawing_model.h"
#include "dxf_test_text.h"
#include "scripted_user.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace velora {
namespace {

using dxftest::Groups;
using dxftest::InEntities;
using dxftest::LineEntity;

class DxfImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_model.SetUserInterface(&m_user);
    }

    QString Write(const std::string& text) {
        const QString path = m_folder.filePath(QStringLiteral("drawing.dxf"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }

    static std::string Square(double x, double y, double size) {
        return LineEntity(x, y, x + size, y) + LineEntity(x + size, y, x + size, y + size) +
               LineEntity(x + size, y + size, x, y + size) + LineEntity(x, y + size, x, y);
    }

    QTemporaryDir m_folder;
    test::ScriptedUser m_user;
    CDrawingModel m_model;
};

TEST_F(DxfImportTest, FileThatCannotBeOpenedReturnsZeroWithTheModelCleared) {
    m_model.SetTemplateName(QStringLiteral("Old"));
    m_model.AddTexture(QStringLiteral("wood/oak.jpg"));
    EXPECT_EQ(LoadDxfFile(m_model, m_folder.filePath(QStringLiteral("missing.dxf"))), 0);
    EXPECT_TRUE(m_model.GetTemplateName().isEmpty());
    EXPECT_TRUE(m_model.Textures().isEmpty());
    EXPECT_TRUE(m_model.Curves().empty());
    EXPECT_TRUE(m_user.progressTexts.isEmpty());  // nothing else happened
}

TEST_F(DxfImportTest, SquaresBecomeCurvesLargestFirstFittedIntoTheDrawing) {
    m_user.drawingSizes.push_back(QSize(400, 300));
    const QString path = Write(InEntities(Square(1, 1, 1) + Square(0, 0, 3)));
    ASSERT_EQ(LoadDxfFile(m_model, path), 1);

    EXPECT_EQ(m_model.ImportPaths().size(), 8u);
    ASSERT_EQ(m_model.Curves().size(), 2u);
    // The size dialog is told the drawing's own extent, in DXF units.
    ASSERT_EQ(m_user.sizeRequests.size(), 1u);
    EXPECT_NEAR(m_user.sizeRequests[0].extent.width(), 3, 1e-4);
    EXPECT_NEAR(m_user.sizeRequests[0].extent.height(), 3, 1e-4);
    EXPECT_EQ(m_model.GetWidth(), 420);
    EXPECT_EQ(m_model.GetHeight(), 320);
    const Rect outer = m_model.Curves()[0]->GetPath().WorldBoundsI();
    const Rect inner = m_model.Curves()[1]->GetPath().WorldBoundsI();
    // The 3 x 3 square fills the height of the 400 x 300 area, centred.
    EXPECT_NEAR(outer.y, 10, 1);
    EXPECT_NEAR(outer.height, 300, 1);
    EXPECT_NEAR(outer.x, 60, 1);
    EXPECT_NEAR(inner.width, 100, 1);
    EXPECT_NEAR(inner.x, outer.x + 100, 1);
}

TEST_F(DxfImportTest, DrawingIsTurnedUprightForTheScreen) {
    // A triangle with its apex up in DXF coordinates (y up) has it at the
    // top of the screen (smallest y) after the import.
    m_user.drawingSizes.push_back(QSize(200, 200));
    const QString path =
        Write(InEntities(LineEntity(0, 0, 2, 0) + LineEntity(2, 0, 1, 2) + LineEntity(1, 2, 0, 0)));
    ASSERT_EQ(LoadDxfFile(m_model, path), 1);
    ASSERT_EQ(m_model.Curves().size(), 1u);
    const std::vector<PointF>& points = m_model.Curves()[0]->GetPath().Points();
    const PointF top = *std::min_element(points.begin(), points.end(),
                                         [](PointF a, PointF b) { return a.y < b.y; });
    const RectF bounds = m_model.Curves()[0]->GetPath().WorldBounds();
    EXPECT_NEAR(top.x, bounds.x + bounds.width / 2, 1);
}

TEST_F(DxfImportTest, PreviousImportPathsAreReplaced) {
    m_user.drawingSizes.push_back(QSize(100, 100));
    m_model.ImportPaths().emplace_back();
    m_model.ImportPaths().back().AddLine({5, 5}, {6, 6});
    ASSERT_EQ(LoadDxfFile(m_model, Write(InEntities(Square(0, 0, 1)))), 1);
    EXPECT_EQ(m_model.ImportPaths().size(), 4u);
}

TEST_F(DxfImportTest, CancelledSizeLeavesAnEmptyModel) {
    const QString path = Write(InEntities(Square(0, 0, 1)));
    EXPECT_EQ(LoadDxfFile(m_model, path), 1);
    EXPECT_TRUE(m_model.Curves().empty());
}

}  // namespace
}  // namespace velora
