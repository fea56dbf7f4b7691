// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/drawing_model.h"
#include "scripted_user.h"
#include "ui/controls/command_ids.h"
#include "ui/documents/close_gaps_dlg.h"
#include "ui/documents/mosvel_template_doc.h"
#include "ui/documents/name_dialogs.h"
#include "ui/views/areas_bar.h"
#include "ui/views/mosvel_template_view.h"

#include "document_host.h"
#include "modal_answer.h"

#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace velora {
namespace {

class TemplateCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        document.Model().SetSize(40, 40);
        for (int i = 0; i < 3; ++i) {
            auto region = std::make_unique<CRegionItem>();
            region->AssignRegion(QRegion(i * 10, 0, 10, 10));
            document.Model().AddRegion(std::move(region));
        }
        host.Show();
        bar->SetActiveDocument(&document, &document.Model(), view, true);
    }

    CommandUpdate Update(int id) {
        CommandUpdate update;
        update.Enable(document.HasCommandHandler(id));
        document.UpdateCommand(id, update);
        return update;
    }
    void Select(int index, bool on = true) { document.Model().SetRegionSelected(index, on); }
    void AddArea(const QString& name, const QStringList& regions) {
        CArea area;
        area.SetName(name);
        for (const QString& region : regions) area.AddName(region);
        document.Model().AddArea(area);
        bar->SetActiveDocument(&document, &document.Model(), view, true);
    }
    QListWidget* AreaList() { return bar->findChild<QListWidget*>(); }
    QString RegionName(int index) { return document.Model().Regions()[index]->GetName(); }

    test::ScriptedUser user;
    CMosvelTemplateDoc document{user};
    test::DocumentHost<CMosvelTemplateView> host{document};
    CAreasBar* bar = host.bar;
    CMosvelTemplateView* view = host.view;
};

TEST_F(TemplateCommandsTest, SelectionCommandsNeedASelectedRegionOutsideCorrectionMode) {
    const int selectionCommands[] = {cmd::kCreateArea, cmd::kDeleteFromArea,
                                     cmd::kZoomOut,    cmd::kToBottomLevel,
                                     cmd::kToTopLevel, cmd::kDeleteSelectedCurves};
    for (int id : selectionCommands) EXPECT_FALSE(Update(id).enabled) << id;
    Select(1);
    for (int id : selectionCommands) EXPECT_TRUE(Update(id).enabled) << id;
    document.Model().SetCorrectionMode(true);
    for (int id : selectionCommands) EXPECT_FALSE(Update(id).enabled) << id;
}

TEST_F(TemplateCommandsTest, AreaCommandsNeedACurrentAreaInTheBar) {
    EXPECT_FALSE(Update(cmd::kAddToArea).enabled);
    EXPECT_FALSE(Update(cmd::kDeleteArea).enabled);
    AddArea("Sky", {});
    AreaList()->setCurrentRow(0);
    EXPECT_TRUE(Update(cmd::kAddToArea).enabled);
    EXPECT_TRUE(Update(cmd::kDeleteArea).enabled);
    document.Model().SetCorrectionMode(true);
    EXPECT_FALSE(Update(cmd::kAddToArea).enabled);
    EXPECT_FALSE(Update(cmd::kDeleteArea).enabled);
    // The Pen's id has no update handler here and the name is always there.
    EXPECT_TRUE(Update(cmd::kTemplateName).enabled);
    EXPECT_TRUE(Update(cmd::kPen).enabled);
}

TEST_F(TemplateCommandsTest, CreateAreaAsksForANameAndListsTheNewArea) {
    Select(0);
    Select(2);
    user.areaNames = {QString("Roof")};
    document.RunCommand(cmd::kCreateArea);
    ASSERT_EQ(user.areaNameProposals.size(), 1);
    EXPECT_TRUE(user.areaNameProposals[0].startsWith("Area"));
    ASSERT_EQ(document.Model().Areas().size(), 1u);
    EXPECT_EQ(document.Model().Areas()[0].Names(), QStringList({RegionName(0), RegionName(2)}));
    ASSERT_EQ(AreaList()->count(), 1);
    EXPECT_EQ(AreaList()->item(0)->text(), "Roof");
    EXPECT_TRUE(document.IsModified());
}

// Cancel changes nothing: the regions stay in the areas that held them.
TEST_F(TemplateCommandsTest, CancelledNameChangesNothing) {
    AddArea("Sky", {RegionName(0), RegionName(1)});
    Select(0);
    user.areaNames = {std::nullopt};
    document.RunCommand(cmd::kCreateArea);
    ASSERT_EQ(document.Model().Areas().size(), 1u);
    EXPECT_EQ(document.Model().Areas()[0].Names(), QStringList({RegionName(0), RegionName(1)}));
    EXPECT_EQ(AreaList()->count(), 1);
}

TEST_F(TemplateCommandsTest, AddAndDeleteUseTheBarsCurrentArea) {
    AddArea("Sky", {});
    AddArea("Sea", {});
    AreaList()->setCurrentRow(1);
    Select(0);
    document.RunCommand(cmd::kAddToArea);
    EXPECT_EQ(document.Model().Areas()[1].Names(), QStringList({RegionName(0)}));
    EXPECT_TRUE(document.Model().Areas()[0].Names().isEmpty());
    document.SetModifiedFlag(false);
    document.RunCommand(cmd::kDeleteFromArea);
    EXPECT_TRUE(document.Model().Areas()[1].Names().isEmpty());
    EXPECT_TRUE(document.IsModified());
}

TEST_F(TemplateCommandsTest, DeleteAreaRemovesItFromModelAndList) {
    AddArea("Sky", {});
    AddArea("Sea", {});
    AreaList()->setCurrentRow(0);
    document.RunCommand(cmd::kDeleteArea);
    ASSERT_EQ(document.Model().Areas().size(), 1u);
    EXPECT_EQ(document.Model().Areas()[0].GetName(), "Sea");
    ASSERT_EQ(AreaList()->count(), 1);
    EXPECT_EQ(AreaList()->item(0)->text(), "Sea");
    EXPECT_EQ(bar->GetSelectedArea(), -1);
}

TEST_F(TemplateCommandsTest, ChoosingAnAreaInTheBarSelectsItsRegions) {
    AddArea("Sky", {RegionName(1)});
    AreaList()->setCurrentRow(0);
    EXPECT_FALSE(document.Model().Regions()[0]->IsSelected());
    EXPECT_TRUE(document.Model().Regions()[1]->IsSelected());
    EXPECT_TRUE(view->IsRenderPending());
}

TEST_F(TemplateCommandsTest, TemplateNameDialogShowsAndSetsTheName) {
    document.Model().SetTemplateName("Old");
    QString shown;
    test::AnswerNextModal<CTemplateNameDlg>([&shown](CTemplateNameDlg* dialog) {
        shown = dialog->Name();
        dialog->SetName("Harbour");
        dialog->accept();
    });
    document.RunCommand(cmd::kTemplateName);
    EXPECT_EQ(shown, "Old");
    EXPECT_EQ(document.Model().GetTemplateName(), "Harbour");
    EXPECT_TRUE(document.IsModified());
}

// A square outline open two pixels wide: the dialog shows the join in the
// view; Cancel leaves the mask and the history alone, OK draws the join as
// one step that undo takes back.
TEST_F(TemplateCommandsTest, CloseGapsShowsTheJoinsAndAppliesThemOnOK) {
    MonoBitmap mask(40, 40);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool side = x == 5 || x == 30 || y == 5 || y == 30;
            mask.SetPixel(x, y, !(side && x >= 5 && x <= 30 && y >= 5 && y <= 30));
        }
    }
    mask.SetPixel(15, 5, true);
    mask.SetPixel(16, 5, true);
    document.Model().SetMaskBitmap(mask);
    for (const bool ok : {false, true}) {
        size_t shown = 0;
        test::AnswerNextModal<CloseGapsDialog>([&](CloseGapsDialog* dialog) {
            EXPECT_EQ(dialog->Distance(), 5);
            shown = view->JoinPreview().size();
            ok ? dialog->accept() : dialog->reject();
        });
        document.RunCommand(cmd::kCloseGaps);
        EXPECT_EQ(shown, 1u);
        EXPECT_TRUE(view->JoinPreview().empty());
        EXPECT_EQ(document.Model().GetMaskBitmap().Pixel(15, 5), !ok) << ok;
        EXPECT_EQ(document.UndoStack().count(), ok ? 1 : 0);
    }
    document.UndoStack().undo();
    EXPECT_TRUE(document.Model().GetMaskBitmap().Pixel(15, 5));
}

TEST_F(TemplateCommandsTest, DeletingCurvesAsksFirst) {
    auto curve = std::make_unique<CCurve>();
    curve->SetSelected(true);
    document.Model().AddCurve(std::move(curve));
    user.answers = {Answer::No};
    document.RunCommand(cmd::kDeleteSelectedCurves);
    EXPECT_EQ(document.Model().Curves().size(), 1u);
    EXPECT_FALSE(document.IsModified());
    user.answers = {Answer::Yes};
    document.RunCommand(cmd::kDeleteSelectedCurves);
    EXPECT_TRUE(document.Model().Curves().empty());
    EXPECT_TRUE(document.IsModified());
}

TEST_F(TemplateCommandsTest, ClosingTheViewDetachesTheBar) {
    ASSERT_EQ(bar->GetActiveDocument(), &document);
    document.RemoveView(view);
    EXPECT_EQ(bar->GetActiveDocument(), nullptr);
}

}  // namespace
}  // namespace velora
