// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/drawing_model.h"
#include "core/common/library_folders.h"
#include "fake_view.h"
#include "model_test_support.h"
#include "scripted_user.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::AddArea;
using test::AddRegion;

QStringList SelectedNames(const CDrawingModel& model) {
    QStringList names;
    for (const auto& region : model.Regions()) {
        if (region->IsSelected()) names.append(region->GetName());
    }
    return names;
}

TEST(RegionNamesTest, EveryNewRegionTakesTheNextProcessWideNumber) {
    CRegionItem first;
    CRegionItem second;
    const int a = first.GetName().mid(4).toInt();
    EXPECT_TRUE(first.GetName().startsWith("Area"));
    EXPECT_EQ(second.GetName(), QString("Area%1").arg(a + 1));
    CDrawingModel other;
    EXPECT_EQ(test::AddRegion(other, QRegion(0, 0, 1, 1)).GetName(), QString("Area%1").arg(a + 2));
}

class AreasTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.SetUserInterface(&user);
        for (int i = 0; i < 4; ++i) {
            regions.push_back(&AddRegion(model, QRegion(i * 10, 0, 10, 10)));
            regions.back()->SetName(QString("R%1").arg(i));
        }
    }
    CDrawingModel model;
    test::ScriptedUser user;
    std::vector<CRegionItem*> regions;
};

TEST_F(AreasTest, SelectAreaSelectsEveryRegionCarryingOneOfItsNames) {
    regions[3]->SetName("R1");  // two regions share a name
    AddArea(model, "A", {"R1", "R2"});
    regions[0]->SetSelected(true);
    EXPECT_TRUE(model.SelectArea(0));
    EXPECT_EQ(SelectedNames(model), QStringList({"R1", "R2", "R1"}));
    EXPECT_EQ(model.GetCurrentArea(), 0);
}

TEST_F(AreasTest, SelectAreaWithoutMatchingRegionsDeselectsAllAndStillBecomesCurrent) {
    AddArea(model, "A", {"nobody"});
    regions[2]->SetSelected(true);
    EXPECT_TRUE(model.SelectArea(0));
    EXPECT_TRUE(SelectedNames(model).isEmpty());
    EXPECT_EQ(model.GetCurrentArea(), 0);
    EXPECT_FALSE(model.SelectArea(1));
    EXPECT_FALSE(model.SelectArea(-1));
    EXPECT_EQ(model.GetCurrentArea(), 0);
}

TEST_F(AreasTest, AddingSelectedToAnAreaTakesTheNamesFromTheOthersOnce) {
    AddArea(model, "A0", {"R1"});
    AddArea(model, "A1", {"R1", "R0"});
    AddArea(model, "A2", {});
    regions[1]->SetSelected(true);
    EXPECT_TRUE(model.AddSelectedToArea(2));
    EXPECT_TRUE(model.AddSelectedToArea(2));
    EXPECT_EQ(model.Areas()[0].Names(), QStringList());
    EXPECT_EQ(model.Areas()[1].Names(), QStringList({"R0"}));
    EXPECT_EQ(model.Areas()[2].Names(), QStringList({"R1"}));
    EXPECT_FALSE(model.AddSelectedToArea(3));
}

TEST_F(AreasTest, CreateAreaAsksWithTheNextProposalAndAppendsTheArea) {
    AddArea(model, "Old", {"R0", "R2", "R3"});
    regions[0]->SetSelected(true);
    regions[2]->SetSelected(true);
    user.areaNames.push_back(QString("Sky"));
    model.CreateAreaFromSelected();
    ASSERT_EQ(model.Areas().size(), 2u);
    EXPECT_EQ(model.Areas()[1].GetName(), "Sky");
    EXPECT_EQ(model.Areas()[1].Names(), QStringList({"R0", "R2"}));
    EXPECT_EQ(model.Areas()[0].Names(), QStringList({"R3"}));
    ASSERT_EQ(user.areaNameProposals.size(), 1);
    EXPECT_TRUE(user.areaNameProposals[0].startsWith("Area"));
}

TEST_F(AreasTest, CancelledCreateAreaStillTakesTheNamesFromTheirAreas) {
    AddArea(model, "Old", {"R0", "R1"});
    regions[0]->SetSelected(true);
    model.CreateAreaFromSelected();  // the script cancels
    EXPECT_EQ(model.Areas().size(), 1u);
    EXPECT_EQ(model.Areas()[0].Names(), QStringList({"R1"}));
}

TEST_F(AreasTest, CreateAreaWithoutSelectionAsksNothing) {
    model.CreateAreaFromSelected();
    EXPECT_TRUE(user.areaNameProposals.isEmpty());
    EXPECT_TRUE(model.Areas().empty());
}

TEST(AreaNameProposalTest, ProposalsArePaddedToTwoDigits) {
    CDrawingModel model;
    test::ScriptedUser user;
    model.SetUserInterface(&user);
    test::AddRegion(model, QRegion(0, 0, 1, 1), true);
    for (int i = 0; i < 12; ++i) model.CreateAreaFromSelected();
    ASSERT_EQ(user.areaNameProposals.size(), 12);
    // The counter is process-wide; whichever number it is at, a one-digit
    // number gets a leading space and longer numbers none.
    for (const QString& proposal : user.areaNameProposals) {
        const int number = proposal.mid(4).trimmed().toInt();
        EXPECT_EQ(proposal,
                  number < 10 ? QString("Area %1").arg(number) : QString("Area%1").arg(number));
    }
}

TEST_F(AreasTest, RemoveSelectedFromAreasAndDeleteArea) {
    AddArea(model, "A0", {"R0", "R1", "R0"});
    AddArea(model, "A1", {"R0"});
    regions[0]->SetSelected(true);
    EXPECT_FALSE(model.RemoveSelectedFromAreas(5));
    EXPECT_EQ(model.Areas()[0].NameCount(), 3);
    EXPECT_TRUE(model.RemoveSelectedFromAreas(1));
    EXPECT_EQ(model.Areas()[0].Names(), QStringList({"R1"}));
    EXPECT_EQ(model.Areas()[1].Names(), QStringList());

    model.SelectArea(1);
    EXPECT_TRUE(model.DeleteArea(0));
    EXPECT_EQ(model.Areas().size(), 1u);
    EXPECT_EQ(model.GetCurrentArea(), 0) << "the current area follows its area down";
    EXPECT_FALSE(model.DeleteArea(1));
}

TEST_F(AreasTest, FindAreaImageTakesTheFirstAreaWithAnImage) {
    const QImage red = test::SolidImage(2, 2, 0xFFFF0000);
    AddArea(model, "NoImage", {"R0"});
    AddArea(model, "Red", {"R0", "R1"});
    model.SetAreaImage(1, red);
    model.Areas()[0].SetChanged(false);
    model.Areas()[1].SetChanged(true);
    bool changed = false;
    const QImage* found = model.FindAreaImage("R0", &changed);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->pixel(0, 0), red.pixel(0, 0));
    EXPECT_TRUE(changed);
    EXPECT_EQ(model.FindAreaImage("R3", &changed), nullptr);
    EXPECT_FALSE(changed);
}

TEST_F(AreasTest, FindAreaImageWithoutImageReportsTheLastHoldersFlag) {
    AddArea(model, "First", {"R2"}).SetChanged(true);
    AddArea(model, "Second", {"R2"}).SetChanged(false);
    bool changed = true;
    EXPECT_EQ(model.FindAreaImage("R2", &changed), nullptr);
    EXPECT_FALSE(changed);
    model.Areas()[1].SetChanged(true);
    model.Areas()[0].SetChanged(false);
    EXPECT_EQ(model.FindAreaImage("R2", &changed), nullptr);
    EXPECT_TRUE(changed);
}

TEST_F(AreasTest, SetAreaImageMarksChangeOnlyForAnotherImage) {
    AddArea(model, "A", {"R0"});
    const QImage image = test::SolidImage(3, 3, 0xFF00FF00);
    EXPECT_FALSE(model.SetAreaImage(1, image));
    EXPECT_FALSE(model.SetAreaImage(0, QImage()));
    EXPECT_TRUE(model.SetAreaImage(0, image));
    model.Areas()[0].SetChanged(false);
    EXPECT_TRUE(model.SetAreaImage(0, model.GetAreaImage(0)));
    EXPECT_FALSE(model.Areas()[0].IsChanged()) << "the same image again is no change";
    EXPECT_TRUE(model.SetAreaImage(0, test::SolidImage(3, 3, 0xFF0000FF)));
    EXPECT_TRUE(model.Areas()[0].IsChanged());
    EXPECT_TRUE(model.GetAreaImage(5).isNull());
}

TEST_F(AreasTest, DeleteSelectedRegionsForgetsTheirNamesAndInvalidatesTheView) {
    test::FakeView view;
    model.SetView(&view);
    AddArea(model, "A", {"R1", "R2"});
    regions[1]->SetSelected(true);
    model.DeleteSelectedRegions();
    ASSERT_EQ(model.Regions().size(), 3u);
    EXPECT_EQ(model.Areas()[0].Names(), QStringList({"R2"}));
    EXPECT_TRUE(view.renderPending);
    ASSERT_EQ(view.invalidated.size(), 1u);
    // The first region always belongs to the selection region.
    EXPECT_EQ(view.invalidated[0], QRegion(0, 0, 20, 10));
}

TEST_F(AreasTest, SelectionRegionIsOffsetIntoViewCoordinates) {
    test::FakeView view;
    view.scroll = QPoint(5, 7);
    view.offset = QPointF(100.75, 20.5);
    model.SetView(&view);
    regions[2]->SetSelected(true);
    const QRegion expected = (QRegion(0, 0, 10, 10) + QRegion(20, 0, 10, 10)).translated(95, 13);
    EXPECT_EQ(model.GetSelectionRegion(), expected);
    EXPECT_EQ(model.CountSelectedRegions(), 1);
}

class LevelsTest : public ::testing::Test {
protected:
    // Builds objects named by the letters, selected where upper case.
    void Build(const QString& pattern) {
        for (const QChar c : pattern) {
            CDrawingObject object;
            object.SetName(QString(c.toLower()) + QString::number(model.Objects().size()));
            object.SetSelected(c.isUpper());
            model.AddObject(object);
        }
    }
    QString Pattern() const {
        QString result;
        for (const auto& object : model.Objects()) {
            result += object.IsSelected() ? object.GetName().toUpper() : object.GetName();
        }
        return result;
    }
    CDrawingModel model;
};

TEST_F(LevelsTest, LevelDownMovesRunsNotAtTheStart) {
    Build("SSuS");
    model.LevelDown();
    EXPECT_EQ(Pattern(), "S0S1S3u2");
}

TEST_F(LevelsTest, LevelUpMovesRunsNotAtTheEnd) {
    Build("uSu");
    model.LevelUp();
    EXPECT_EQ(Pattern(), "u0u2S1");
    model.Objects().clear();
    Build("Suu");
    model.LevelUp();
    EXPECT_EQ(Pattern(), "u1S0u2");
}

TEST_F(LevelsTest, EveryRunMovesOnceAndOnlyItsNeighbourCrosses) {
    Build("uSSuSu");
    model.LevelDown();
    EXPECT_EQ(Pattern(), "S1S2u0S4u3u5");
    model.Objects().clear();
    Build("uSSuSu");
    model.LevelUp();
    EXPECT_EQ(Pattern(), "u0u3S1S2u5S4");
    model.Objects().clear();
    Build("SSS");
    model.LevelUp();
    model.LevelDown();
    EXPECT_EQ(Pattern(), "S0S1S2");
}

TEST_F(LevelsTest, TopAndBottomKeepRelativeOrders) {
    Build("SuSu");
    model.ToTopLevel();
    EXPECT_EQ(Pattern(), "u1u3S0S2");
    model.ToBottomLevel();
    EXPECT_EQ(Pattern(), "S0S2u1u3");
}

TEST(ModelTest, DocumentKindReachesEveryObject) {
    CDrawingModel model;
    model.SetDocumentKind(kTemplateDocument);
    model.AddObject(CDrawingObject());
    EXPECT_EQ(model.Objects()[0].GetKind(), kTemplateDocument);
    model.SetDocumentKind(kDesignDocument);
    EXPECT_EQ(model.Objects()[0].GetKind(), kDesignDocument);
}

TEST(ModelTest, ClearKeepsSizeMaskKindAndImportLists) {
    CDrawingModel model;
    model.SetDocumentKind(kTemplateDocument);
    model.SetSize(40, 30);
    model.SetMaskBitmap(MonoBitmap(40, 30));
    model.Shapes().push_back(CShape(kShapeLine, false));
    model.SetTemplateName("T");
    model.Textures().append("a.jpg");
    test::AddRegion(model, QRegion(0, 0, 1, 1));
    test::AddArea(model, "A", {});
    model.SelectArea(0);
    model.SetModified(false);
    model.Clear();
    EXPECT_TRUE(model.IsModified());
    EXPECT_EQ(model.GetCurrentArea(), -1);
    EXPECT_TRUE(model.Regions().empty());
    EXPECT_TRUE(model.Areas().empty());
    EXPECT_TRUE(model.Textures().isEmpty());
    EXPECT_TRUE(model.GetTemplateName().isEmpty());
    EXPECT_EQ(model.GetWidth(), 40);
    EXPECT_FALSE(model.GetMaskBitmap().IsNull());
    EXPECT_EQ(model.Shapes().size(), 1u);
    EXPECT_EQ(model.GetDocumentKind(), kTemplateDocument);
}

TEST(ModelTest, FitViewSetsScrollSizesOnlyWithAWindow) {
    CDrawingModel model;
    model.SetSize(420, 320);
    test::FakeView view;
    view.hasWindow = false;
    model.SetView(&view);
    model.FitView();
    EXPECT_EQ(view.invalidateAllCount, 0);
    view.hasWindow = true;
    model.FitView();
    EXPECT_EQ(view.scrollTotal, QSize(420, 320));
    EXPECT_EQ(view.scrollPage, view.client);
    EXPECT_EQ(view.scrollLine, QSize(10, 10));
    EXPECT_TRUE(view.renderPending);
    EXPECT_EQ(view.invalidateAllCount, 1);
}

class TexturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = CurrentLibraryFolders();
        LibraryFolders folders = saved;
        folders.textures = "/srv/T/textures/";
        SetCurrentLibraryFolders(folders);
    }
    void TearDown() override { SetCurrentLibraryFolders(saved); }
    LibraryFolders saved;
    CDrawingModel model;
};

TEST_F(TexturesTest, EntriesAreRelativeToTheTexturesFolder) {
    model.AddTexture("/srv/T/textures/stone/a.jpg");
    EXPECT_EQ(model.Textures(), QStringList({"stone/a.jpg"}));
    EXPECT_TRUE(model.HasTexture("a.jpg")) << "the entry contains the bare name";
    EXPECT_TRUE(model.HasTexture("/srv/T/textures/stone/a.jpg"));
    EXPECT_FALSE(model.HasTexture("b.jpg"));
}

TEST_F(TexturesTest, AddReplacesMatchingEntriesAndRemoveReportsWhetherAnyWent) {
    model.AddTexture("/srv/T/textures/stone/a.jpg");
    model.AddTexture("/srv/T/textures/wood/b.jpg");
    model.AddTexture("/srv/T/textures/stone/a.jpg");
    EXPECT_EQ(model.Textures(), QStringList({"wood/b.jpg", "stone/a.jpg"}));
    EXPECT_TRUE(model.RemoveTexture("/srv/T/textures/stone"));
    EXPECT_EQ(model.Textures(), QStringList({"wood/b.jpg"}));
    EXPECT_FALSE(model.RemoveTexture("stone"));
    model.ClearTextures();
    EXPECT_TRUE(model.Textures().isEmpty());
}

}  // namespace
}  // namespace velora
