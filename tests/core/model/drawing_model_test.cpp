// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/drawing_model.h"
#include "core/common/library_folders.h"
#include "core/model/name_counters.h"
#include "model_test_support.h"
#include "recording_observer.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

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

// Regions R0 to R3 side by side, 10 pixels square each.
class AreasTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 4; ++i) AddRegion(model, QRegion(i * 10, 0, 10, 10), false, Name(i));
        model.SetObserver(&observer);
    }
    virtual QString Name(int i) const { return QString("R%1").arg(i); }
    void Select(std::initializer_list<size_t> indices) {
        for (size_t i : indices) model.SetRegionSelected(i, true);
    }
    CDrawingModel model;
    test::RecordingObserver observer;
};

// The last region shares its name with the second.
class SharedNameTest : public AreasTest {
    QString Name(int i) const override { return i == 3 ? "R1" : AreasTest::Name(i); }
};

TEST_F(SharedNameTest, SelectAreaSelectsEveryRegionCarryingOneOfItsNames) {
    AddArea(model, "A", {"R1", "R2"});
    Select({0});
    EXPECT_TRUE(model.SelectArea(0));
    EXPECT_EQ(SelectedNames(model), QStringList({"R1", "R2", "R1"}));
    EXPECT_EQ(model.GetCurrentArea(), 0);
}

TEST_F(AreasTest, SelectAreaWithoutMatchingRegionsDeselectsAllAndStillBecomesCurrent) {
    AddArea(model, "A", {"nobody"});
    Select({2});
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
    Select({1});
    EXPECT_TRUE(model.AddSelectedToArea(2));
    EXPECT_TRUE(model.AddSelectedToArea(2));
    EXPECT_EQ(model.Areas()[0].Names(), QStringList());
    EXPECT_EQ(model.Areas()[1].Names(), QStringList({"R0"}));
    EXPECT_EQ(model.Areas()[2].Names(), QStringList({"R1"}));
    EXPECT_FALSE(model.AddSelectedToArea(3));
}

TEST_F(AreasTest, CreateAreaTakesTheSelectedNamesFromTheirAreas) {
    AddArea(model, "Old", {"R0", "R2", "R3"});
    EXPECT_FALSE(model.CreateAreaFromSelected("None")) << "nothing is selected";
    EXPECT_EQ(model.Areas().size(), 1u);
    Select({0, 2});
    EXPECT_TRUE(model.CreateAreaFromSelected("Sky"));
    ASSERT_EQ(model.Areas().size(), 2u);
    EXPECT_EQ(model.Areas()[1].GetName(), "Sky");
    EXPECT_EQ(model.Areas()[1].Names(), QStringList({"R0", "R2"}));
    EXPECT_EQ(model.Areas()[0].Names(), QStringList({"R3"}));
}

TEST(AreaNameProposalTest, ProposalsArePaddedToTwoDigits) {
    // The counter is process-wide; whichever number it is at, a one-digit
    // number gets a leading space and longer numbers none.
    for (int i = 0; i < 12; ++i) {
        const QString proposal = NameCounters::NextAreaNameProposal();
        const int number = proposal.mid(4).trimmed().toInt();
        EXPECT_EQ(proposal,
                  number < 10 ? QString("Area %1").arg(number) : QString("Area%1").arg(number));
    }
}

TEST_F(AreasTest, RemoveSelectedFromAreasAndDeleteArea) {
    AddArea(model, "A0", {"R0", "R1", "R0"});
    AddArea(model, "A1", {"R0"});
    Select({0});
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

// A rendering clears every area's changed flag; a new image sets it again.
TEST_F(AreasTest, FindAreaImageTakesTheFirstAreaWithAnImage) {
    const QImage red = test::SolidImage(2, 2, 0xFFFF0000);
    AddArea(model, "NoImage", {"R0"});
    AddArea(model, "Red", {"R0", "R1"});
    model.SetAreaImage(1, red);
    bool changed = false;
    const QImage* found = model.FindAreaImage("R0", &changed);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->pixel(0, 0), red.pixel(0, 0));
    EXPECT_TRUE(changed);
    EXPECT_EQ(model.FindAreaImage("R3", &changed), nullptr);
    EXPECT_FALSE(changed);
}

TEST_F(AreasTest, FindAreaImageWithoutImageReportsTheLastHoldersFlag) {
    AddArea(model, "First", {"R2"});
    AddArea(model, "Second", {"R2"});
    QImage picture(1, 1, QImage::Format_RGB16);
    QPainter painter(&picture);
    model.Render(painter, false);
    bool changed = true;
    EXPECT_EQ(model.FindAreaImage("R2", &changed), nullptr);
    EXPECT_FALSE(changed);
    model.SetAreaImageRef(1, CArea::ImageRef{test::SolidImage(1, 1, 0xFF0000FF), nullptr});
    model.SetAreaImageRef(1, {});
    EXPECT_EQ(model.FindAreaImage("R2", &changed), nullptr);
    EXPECT_TRUE(changed);
}

TEST_F(AreasTest, SetAreaImageMarksChangeOnlyForAnotherImage) {
    AddArea(model, "A", {"R0"});
    const QImage image = test::SolidImage(3, 3, 0xFF00FF00);
    EXPECT_FALSE(model.SetAreaImage(1, image));
    EXPECT_FALSE(model.SetAreaImage(0, QImage()));
    EXPECT_TRUE(model.SetAreaImage(0, image));
    QImage picture(1, 1, QImage::Format_RGB16);
    QPainter painter(&picture);
    model.Render(painter, false);
    EXPECT_TRUE(model.SetAreaImage(0, model.GetAreaImage(0)));
    EXPECT_FALSE(model.Areas()[0].IsChanged()) << "the same image again is no change";
    EXPECT_TRUE(model.SetAreaImage(0, test::SolidImage(3, 3, 0xFF0000FF)));
    EXPECT_TRUE(model.Areas()[0].IsChanged());
    EXPECT_TRUE(model.GetAreaImage(5).isNull());
}

TEST_F(AreasTest, DeleteSelectedRegionsGivesThemBackAndForgetsTheirNames) {
    AddArea(model, "A", {"R1", "R2"});
    Select({1});
    observer.changes.clear();
    const auto removed = model.DeleteSelectedRegions();
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].index, 1u);
    EXPECT_EQ(removed[0].item->GetName(), "R1");
    ASSERT_EQ(model.Regions().size(), 3u);
    EXPECT_EQ(model.Areas()[0].Names(), QStringList({"R2"}));
    // The first region always belongs to the selection region.
    ASSERT_EQ(observer.changes.size(), 1u);
    EXPECT_EQ(observer.changes[0].pixels, QRegion(0, 0, 20, 10));
    EXPECT_TRUE(observer.changes[0].areas);
}

TEST_F(AreasTest, SelectionRegionIsInDrawingPixels) {
    Select({2});
    EXPECT_EQ(model.GetSelectionRegion(), QRegion(0, 0, 10, 10) + QRegion(20, 0, 10, 10));
    EXPECT_EQ(model.CountSelectedRegions(), 1);
}

// Each operation reports the drawing pixels it changed, and whether the
// areas or the texture list changed, so the views repaint only that.
TEST_F(AreasTest, OperationsReportWhatTheyChanged) {
    struct Case {
        const char* what;
        std::function<void()> operation;
        QRegion pixels;
        bool whole;
        bool areas;
        bool textures;
    };
    const Case cases[] = {
        {"select a region", [&] { model.SetRegionSelected(2, true); }, QRegion(20, 0, 10, 10),
         false, false, false},
        {"deselect all", [&] { model.DeselectAllRegions(); }, QRegion(20, 0, 10, 10), false, false,
         false},
        {"make an area",
         [&] {
             AddArea(model, "A", {"R0", "R3"});
         },
         QRegion(0, 0, 10, 10) + QRegion(30, 0, 10, 10), false, true, false},
        {"colour it", [&] { model.SetAreaImage(0, test::SolidImage(2, 2, 0xFF00FF00)); },
         QRegion(0, 0, 10, 10) + QRegion(30, 0, 10, 10), false, true, false},
        {"select it", [&] { model.SelectArea(0); }, QRegion(0, 0, 10, 10) + QRegion(30, 0, 10, 10),
         false, false, false},
        {"rename it", [&] { model.RenameArea(0, "B"); }, {}, false, true, false},
        {"take a member", [&] { model.SetAreaNames(0, {"R3"}); }, QRegion(0, 0, 10, 10), false,
         true, false},
        {"add a texture", [&] { model.AddTexture("a.jpg"); }, {}, false, false, true},
        {"smooth lines", [&] { model.SetSmoothLines(false); }, {}, true, false, false},
        {"take a region", [&] { model.TakeRegion(1); }, QRegion(10, 0, 10, 10), false, false,
         false},
    };
    for (const Case& c : cases) {
        observer.changes.clear();
        c.operation();
        ASSERT_EQ(observer.changes.size(), 1u) << c.what;
        const ModelChange& change = observer.changes[0];
        EXPECT_EQ(change.pixels, c.pixels) << c.what;
        EXPECT_EQ(change.whole, c.whole) << c.what;
        EXPECT_EQ(change.areas, c.areas) << c.what;
        EXPECT_EQ(change.textures, c.textures) << c.what;
    }
}

TEST_F(AreasTest, AreasKeepTheCurrentOneAcrossInsertAndTake) {
    AddArea(model, "A", {});
    AddArea(model, "B", {});
    model.SelectArea(1);
    model.InsertArea(0, CArea());
    EXPECT_EQ(model.GetCurrentArea(), 2);
    std::optional<CArea> taken = model.TakeArea(2);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->GetName(), "B");
    EXPECT_EQ(model.GetCurrentArea(), -1);
    EXPECT_FALSE(model.TakeArea(5));
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
    model.Clear();
    Build("Suu");
    model.LevelUp();
    EXPECT_EQ(Pattern(), "u1S0u2");
}

TEST_F(LevelsTest, EveryRunMovesOnceAndOnlyItsNeighbourCrosses) {
    Build("uSSuSu");
    model.LevelDown();
    EXPECT_EQ(Pattern(), "S1S2u0S4u3u5");
    model.Clear();
    Build("uSSuSu");
    model.LevelUp();
    EXPECT_EQ(Pattern(), "u0u3S1S2u5S4");
    model.Clear();
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
    model.AddTexture("a.jpg");
    test::AddRegion(model, QRegion(0, 0, 1, 1));
    test::AddArea(model, "A", {});
    model.SelectArea(0);
    model.Clear();
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
