// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/areas_bar.h"
#include "core/model/drawing_model.h"
#include "ui/library/texture_palette.h"
#include "ui/views/area_list_box.h"
#include "ui/views/mosvel_view.h"
#include "view_test_document.h"
#include "widget_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFocusEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::ScratchFolder;
using test::ViewTestDocument;

// A design view that remembers the drawing pixels it was told to repaint.
class RecordingView : public CMosvelView {
public:
    void InvalidateDrawing(const QRegion& pixels) override {
        invalidated += pixels;
        CMosvelView::InvalidateDrawing(pixels);
    }
    void InvalidateAll(bool erase) override {
        ++wholeRepaints;
        CMosvelView::InvalidateAll(erase);
    }

    QRegion invalidated;
    int wholeRepaints = 0;
};

// Two areas side by side, "Left" and "Right", each one region of 100 x 100.
void BuildDesign(CDrawingModel& model) {
    model.SetSize(200, 100);
    model.SetMaskBitmap(MonoBitmap(200, 100));
    const QRect halves[] = {{0, 0, 100, 100}, {100, 0, 100, 100}};
    const char* names[] = {"Left", "Right"};
    for (int i = 0; i < 2; ++i) {
        auto region = std::make_unique<CRegionItem>();
        region->SetName(QString("Area%1").arg(i + 1));
        region->AssignRegion(QRegion(halves[i]));
        model.AddRegion(std::move(region));
        CArea area;
        area.SetName(names[i]);
        area.SetNames({QString("Area%1").arg(i + 1)});
        model.AddArea(area);
    }
}

class AreasBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* group : {"wood", "Stone"})
            m_folder.MakeFolder(QString("textures/") + group);
        test::WritePicture(m_folder.Path("textures/wood/oak.png"), test::Solid(8, 8, Qt::red));
        test::WritePicture(m_folder.Path("textures/wood/pine.png"), test::Solid(8, 8, Qt::green));
        test::WritePicture(m_folder.Path("textures/Stone/slate.png"), test::Solid(8, 8, Qt::gray));
        BuildDesign(m_document.model);
        m_view = new RecordingView;
        m_document.AddView(m_view);
        // The view and the bar in its dock, as the main window holds them.
        m_window.setCentralWidget(m_view);
        auto* dock = new QDockWidget(&m_window);
        m_bar = new CAreasBar(dock);
        dock->setWidget(m_bar);
        m_window.addDockWidget(Qt::RightDockWidgetArea, dock);
        m_window.resize(700, 600);
        m_window.show();
        m_view->OnInitialUpdate();
        QApplication::processEvents();
        // Showing the window gave the view the focus, which bound the bar;
        // each test binds it itself.
        m_bar->SetActiveDocument(nullptr, nullptr, nullptr, false);
    }

    void Bind(bool force = false) {
        m_bar->SetActiveDocument(&m_document, &m_document.model, m_view, force);
    }
    void ForgetRepaints() {
        m_view->invalidated = QRegion();
        m_view->wholeRepaints = 0;
    }

    void ChooseGroup(const QString& name) {
        m_bar->GroupCombo().setCurrentIndex(m_bar->GroupCombo().findText(name));
    }

    void ClickTexture(int position, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(m_bar->Palette().viewport(), button, {},
                          m_bar->Palette().CellRect(position).center());
    }

    QPushButton* Button(const QString& text) { return test::Button(*m_bar, text); }

    QString Texture(const QString& relative) { return m_folder.Path("textures/" + relative); }

    ScratchFolder m_folder;
    test::LibraryFoldersScope m_folders{{{}, m_folder.Path("textures/"), {}, {}}};
    ViewTestDocument m_document{kDesignDocument};
    QMainWindow m_window;
    RecordingView* m_view = nullptr;
    CAreasBar* m_bar = nullptr;
};

TEST_F(AreasBarTest, ADocumentBringsItsAreasAndTheGroupsWithTheFirstOnesTextures) {
    EXPECT_EQ(m_bar->AreaList().count(), 0);
    Bind();
    ASSERT_EQ(m_bar->AreaList().count(), 2);
    EXPECT_EQ(m_bar->AreaList().item(1)->text(), "Right");
    EXPECT_EQ(m_bar->AreaList().visualItemRect(m_bar->AreaList().item(0)).height(), 25);
    ASSERT_EQ(m_bar->GroupCombo().count(), 2);
    EXPECT_EQ(m_bar->GroupCombo().itemText(0), "Stone");
    EXPECT_EQ(m_bar->Palette().GetFolder(), Texture("Stone/"));
    EXPECT_EQ(m_bar->Palette().GetItemCount(), 1);
    EXPECT_EQ(m_bar->Palette().GetModel(), &m_document.model);
    EXPECT_EQ(m_bar->Palette().CellSize(), QSize(100, 75));
    ChooseGroup("wood");
    EXPECT_EQ(m_bar->Palette().GetItemCount(), 2);

    m_bar->AreaList().setCurrentRow(1);
    Bind();
    EXPECT_EQ(m_bar->GetSelectedArea(), 1) << "the same document again changes nothing";
    m_bar->SetActiveDocument(nullptr, nullptr, nullptr, false);
    EXPECT_EQ(m_bar->AreaList().count(), 0);
    EXPECT_EQ(m_bar->GetModel(), nullptr);
    EXPECT_EQ(m_bar->Palette().GetModel(), nullptr);
}

TEST_F(AreasBarTest, TheViewThatGetsTheFocusBindsItsDocument) {
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(m_view, &focus);
    EXPECT_EQ(m_bar->GetActiveDocument(), &m_document);
    EXPECT_EQ(m_bar->GetView(), m_view);
    EXPECT_EQ(m_bar->AreaList().count(), 2);
}

TEST_F(AreasBarTest, ChoosingAnAreaSelectsItsRegionsAndRepaintsThem) {
    Bind();
    ForgetRepaints();
    m_bar->AreaList().setCurrentRow(1);
    EXPECT_FALSE(m_document.model.Regions()[0]->IsSelected());
    EXPECT_TRUE(m_document.model.Regions()[1]->IsSelected());
    EXPECT_TRUE(m_view->invalidated.contains(QRect(100, 0, 100, 100)));
    EXPECT_EQ(m_view->wholeRepaints, 0);
}

TEST_F(AreasBarTest, ClickingATextureColoursTheChosenAreaOnly) {
    Bind();
    ChooseGroup("wood");
    m_bar->AreaList().setCurrentRow(1);
    m_view->repaint();
    ForgetRepaints();
    ClickTexture(0);
    EXPECT_EQ(m_document.model.GetAreaImage(1).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(m_document.model.GetAreaImage(0).isNull());
    EXPECT_TRUE(m_document.modified);
    const QPoint offset = m_view->CentringOffset().toPoint();
    EXPECT_TRUE(m_view->invalidated.contains(QRect(100, 0, 100, 100)));
    EXPECT_EQ(m_view->wholeRepaints, 0) << "only the coloured regions are repainted";

    const QImage shown = m_view->viewport()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(offset + QPoint(150, 50)), QColor(Qt::red));
    EXPECT_NE(shown.pixelColor(offset + QPoint(50, 50)), QColor(Qt::red));
    const QRect swatch = m_bar->AreaList().visualItemRect(m_bar->AreaList().item(1));
    EXPECT_EQ(
        m_bar->AreaList().viewport()->grab().toImage().pixelColor(swatch.topLeft() + QPoint(5, 5)),
        QColor(Qt::red));

    m_bar->AreaList().setCurrentRow(0);
    ClickTexture(0);
    EXPECT_EQ(m_document.model.GetAreaImage(0).pixelColor(0, 0), QColor(Qt::red))
        << "clicking the focused texture again applies it to the new area";
}

TEST_F(AreasBarTest, TexturesAreNotAppliedWithoutAnAreaOrToATemplate) {
    Bind();
    ChooseGroup("wood");
    ClickTexture(0);
    EXPECT_TRUE(m_document.model.GetAreaImage(0).isNull());
    EXPECT_TRUE(m_document.model.GetAreaImage(1).isNull());
    EXPECT_TRUE(m_document.modified) << "a texture click counts as an edit of the design";

    ViewTestDocument templateDocument{kTemplateDocument};
    BuildDesign(templateDocument.model);
    m_bar->SetActiveDocument(&templateDocument, &templateDocument.model, nullptr, false);
    ChooseGroup("wood");
    m_bar->AreaList().setCurrentRow(0);
    ClickTexture(1);
    EXPECT_TRUE(templateDocument.model.GetAreaImage(0).isNull());
    EXPECT_FALSE(templateDocument.modified);
}

TEST_F(AreasBarTest, ARightClickTogglesTheTextureInTheDesignsList) {
    Bind();
    ChooseGroup("wood");
    m_bar->AreaList().setCurrentRow(1);
    ClickTexture(1, Qt::RightButton);
    EXPECT_EQ(m_document.model.Textures(), QStringList({"wood/pine.png"}));
    EXPECT_TRUE(m_document.model.GetAreaImage(1).isNull()) << "a right click colours nothing";
    EXPECT_TRUE(m_document.modified);
    ClickTexture(1, Qt::RightButton);
    EXPECT_TRUE(m_document.model.Textures().isEmpty());

    Button("Add all")->click();
    ClickTexture(1, Qt::RightButton);
    EXPECT_EQ(m_document.model.Textures(), QStringList({"", "wood/pine.png"}))
        << "removal matches only entries holding the texture, so it is added";

    m_bar->Palette().LoadFolder(m_bar->GetGroupPath(), "*.*");
    QTest::mouseClick(m_bar->Palette().viewport(), Qt::RightButton, {}, {190, 140});
    EXPECT_EQ(m_document.model.Textures().size(), 2) << "a click beside the cells changes nothing";
}

TEST_F(AreasBarTest, TheFourButtonsEditTheListAndTheMarkersFollow) {
    Bind();
    ChooseGroup("wood");
    Button("Add all group")->click();
    EXPECT_EQ(m_document.model.Textures(), QStringList({"wood/"}));
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
            m_bar->Palette().viewport()->grab();
            return !m_bar->Palette().IsLoadingPictures();
        },
        5000));
    const QPoint marker = m_bar->Palette().CellRect(0).topLeft() + QPoint(46 + 5, 23 + 3);
    EXPECT_EQ(m_bar->Palette().viewport()->grab().toImage().pixelColor(marker),
              CTexturePalette::InListMarker().pixelColor(5, 3));
    Button("Remove all group")->click();
    EXPECT_TRUE(m_document.model.Textures().isEmpty());
    Button("Add all")->click();
    EXPECT_EQ(m_document.model.Textures(), QStringList({""}));
    Button("Remove all")->click();
    EXPECT_TRUE(m_document.model.Textures().isEmpty());
    EXPECT_TRUE(m_document.modified);
    QStringList steps;
    for (int i = 0; i < m_document.history.Stack().count(); ++i) {
        steps << m_document.history.Stack().text(i);
    }
    EXPECT_EQ(steps, QStringList({"Add all group", "Remove all group", "Add all", "Remove all"}));
    m_document.history.Stack().setIndex(3);
    EXPECT_EQ(m_document.model.Textures(), QStringList({""})) << "each button is one step";
}

TEST_F(AreasBarTest, WithoutADocumentOrGroupsNothingChanges) {
    Button("Add all")->click();
    Button("Add all group")->click();
    ClickTexture(0, Qt::RightButton);
    EXPECT_TRUE(m_document.model.Textures().isEmpty());

    m_document.model.SetTextures({"keep/me.png"});
    ASSERT_TRUE(QDir(m_folder.Path("textures/wood")).removeRecursively());
    ASSERT_TRUE(QDir(m_folder.Path("textures/Stone")).removeRecursively());
    Bind(true);
    EXPECT_EQ(m_bar->GroupCombo().count(), 0);
    EXPECT_EQ(m_bar->Palette().GetItemCount(), 0);
    Button("Remove all group")->click();
    EXPECT_EQ(m_document.model.Textures(), QStringList({"keep/me.png"}))
        << "without a group there is nothing to remove";
}

TEST_F(AreasBarTest, RefillingTheGroupsReadsTheTexturesFolderAgain) {
    Bind();
    m_folder.MakeFolder("textures/Metal");
    EXPECT_EQ(m_bar->GroupCombo().count(), 2);
    m_bar->RefillGroups();
    EXPECT_EQ(m_bar->GroupCombo().count(), 3);
    EXPECT_EQ(m_bar->GroupCombo().currentText(), "Metal");
    m_bar->AreaList().setCurrentRow(0);
    m_bar->DeleteCurrentItem();
    EXPECT_EQ(m_bar->AreaList().count(), 1);
    EXPECT_EQ(m_bar->GetSelectedArea(), -1);
}

}  // namespace
}  // namespace velora
