// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/edit/document_history.h"
#include "core/edit/edits.h"
#include "core/model/drawing_model.h"
#include "core/model/model_stream_support.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace velora {
namespace {

// Everything a file holds, and what the views show besides: the selection
// and the flags.
QString State(CDrawingModel& model) {
    QString shown = QString::fromLatin1(test::SaveStream(model).toHex());
    for (const CRegionItem* region : model.Regions()) shown += region->IsSelected() ? '1' : '0';
    shown += QStringLiteral(" %1%2").arg(model.GetSmoothLines()).arg(model.GetCorrectionMode());
    return shown;
}

// Four squares of 20 pixels in a row, each in a one-pixel outline; the first
// three captured (the third unselected), two areas, a curve, textures.
class EditStepsTest : public testing::Test {
protected:
    void SetUp() override {
        owned = std::make_unique<CDrawingModel>();
        CDrawingModel& model = *owned;
        MonoBitmap mask(100, 30);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 100; ++x) mask.SetPixel(x, y, x % 25 != 0 && y != 2 && y != 27);
        }
        model.SetSize(100, 30);
        model.SetMaskBitmap(mask);
        model.SetTemplateName("Row");
        for (int i = 0; i < 3; ++i) model.ToggleRegionAt(Inside(i));
        model.SetRegionSelected(2, false);
        CArea first;
        first.SetName("First");
        first.SetNames({model.Regions()[0]->GetName()});
        model.AddArea(first);
        CArea second;
        second.SetName("Second");
        second.SetNames({model.Regions()[1]->GetName()});
        model.AddArea(second);
        auto curve = std::make_unique<CCurve>();
        curve->GetPath().AddRectangleI(25, 2, 25, 25);
        curve->SetSelected(true);
        model.AddCurve(std::move(curve));
        model.SetTextures({"stone/a.jpg", "wood/"});
    }
    static QPoint Inside(int square) { return {12 + 25 * square, 15}; }
    // A line across a square, from its outline at the top to the bottom.
    static std::vector<QPoint> Across(int square, int x) {
        std::vector<QPoint> line;
        for (int y = 2; y <= 27; ++y) line.emplace_back(25 * square + x, y);
        return line;
    }

    std::unique_ptr<CDrawingModel> owned;
};

// Each kind of step, done, undone and redone: undo gives back exactly what
// was there before (as saved and as shown), redo exactly what the change made.
TEST_F(EditStepsTest, EveryKindOfStepUndoesAndRedoesToTheSameBytes) {
    CDrawingModel* m = nullptr;
    struct Case {
        const char* name;
        std::function<std::unique_ptr<EditStep>()> change;
        bool marksModified;  // false for a change of only how the model is shown
    };
    const QImage red = test::Solid(4, 4, qRgb(200, 0, 0));
    const Case cases[] = {
        {"Capture region", [&] { return edits::ClickRegion(*m, Inside(3)); }, true},
        {"Select region", [&] { return edits::ClickRegion(*m, Inside(2)); }, true},
        {"Create area from selected", [&] { return edits::CreateAreaFromSelected(*m, "Both"); },
         true},
        {"Add selected to existing area", [&] { return edits::AddSelectedToArea(*m, 1); }, true},
        {"Delete selected from existing area",
         [&] { return edits::RemoveSelectedFromAreas(*m, 0); }, true},
        {"Delete selected from cache", [&] { return edits::DeleteSelectedRegions(*m); }, true},
        {"Delete selected areas", [&] { return edits::DeleteSelectedCurves(*m); }, true},
        {"Delete area", [&] { return edits::DeleteArea(*m, 0); }, true},
        {"Rename area", [&] { return edits::RenameArea(*m, 1, "Renamed"); }, true},
        {"Template name", [&] { return edits::SetTemplateName(*m, "Column"); }, true},
        {"Smooth lines", [&] { return edits::SetSmoothLines(*m, false, true); }, false},
        {"Colour \"Second\"", [&] { return edits::ColourArea(*m, 1, red); }, true},
        {"Add all",
         [&] {
             return edits::EditTextures(*m, "Add all",
                                        [](CDrawingModel& m) { m.AddTexture(QString()); });
         },
         true},
        {"Close gaps",
         [&] { return edits::DrawOutline(*m, Across(0, 8), QStringLiteral("Close gaps")); }, true},
        {"Capture region", [&] { return edits::CaptureWithOutline(*m, Inside(3), Across(3, 5)); },
         true},
        {"Pen stroke",
         [&] {
             PenStroke stroke(*m, false);
             for (int x = 5; x < 60; ++x) stroke.Paint(QPoint(x, 10));
             return stroke.Finish();
         },
         true},
        {"Select template",
         [&] {
             ModelContent other;
             other.templateName = "Other";
             other.width = 40;
             other.height = 20;
             other.mask = MonoBitmap(40, 20);
             CArea second;
             second.SetName("Second");
             other.areas.push_back(second);
             return edits::ReplaceContent(*m, std::move(other), "Select template");
         },
         true},
    };
    for (const Case& c : cases) {
        SetUp();
        m = owned.get();
        CDrawingModel& model = *m;
        model.SetAreaImage(1, test::Solid(3, 3, qRgb(0, 90, 0)));
        const QString before = State(model);
        std::unique_ptr<EditStep> step = c.change();
        ASSERT_TRUE(step) << c.name;
        EXPECT_EQ(step->Name(), c.name);
        EXPECT_EQ(step->ChangesContent(), c.marksModified) << c.name;
        const QString after = State(model);
        EXPECT_NE(after, before) << c.name;
        step->Undo(model);
        EXPECT_EQ(State(model), before) << c.name;
        step->Redo(model);
        EXPECT_EQ(State(model), after) << c.name;
        step->Undo(model);
        EXPECT_EQ(State(model), before) << c.name;
    }
}

// Outline drawn across captured regions: each keeps its name, selection and
// area with its largest part; the parts left out are counted.
TEST_F(EditStepsTest, RegionsCutByTheMaskKeepTheirLargestPart) {
    CDrawingModel& model = *owned;
    const QString name = model.Regions()[0]->GetName();
    std::vector<QPoint> outline = Across(0, 8);
    const std::vector<QPoint> second = Across(1, 12);
    outline.insert(outline.end(), second.begin(), second.end());
    RegionsFollowed followed;
    ASSERT_TRUE(edits::DrawOutline(model, outline, QStringLiteral("Close gaps"), &followed));
    EXPECT_EQ(followed.cut, QStringList({name, model.Regions()[1]->GetName()}));
    EXPECT_EQ(followed.partsLeftOut, 2);
    const CRegionItem& first = *model.Regions()[0];
    EXPECT_EQ(first.GetName(), name);
    EXPECT_TRUE(first.IsSelected());
    EXPECT_EQ(first.GetRegion().boundingRect(), QRect(8, 2, 18, 26));
    EXPECT_TRUE(model.Areas()[0].HasName(name));
    EXPECT_EQ(model.Regions()[2]->GetRegion().boundingRect(), QRect(50, 2, 26, 26))
        << "a region the outline missed stays as it was";
}

TEST_F(EditStepsTest, ChangesThatChangeNothingMakeNoStep) {
    CDrawingModel& model = *owned;
    EXPECT_FALSE(edits::AddSelectedToArea(model, 5));
    EXPECT_FALSE(edits::RenameArea(model, 0, "First"));
    EXPECT_FALSE(edits::SetTemplateName(model, "Row"));
    EXPECT_FALSE(edits::DeleteArea(model, -1));
    EXPECT_FALSE(edits::RemoveAreaImage(model, 0));
    model.DeselectAllRegions();
    EXPECT_FALSE(edits::CreateAreaFromSelected(model, "None"));
    EXPECT_FALSE(edits::DeleteSelectedRegions(model));
    PenStroke stroke(model, true);
    stroke.Paint(QPoint(10, 10));  // light already
    EXPECT_FALSE(stroke.Finish());
}

TEST_F(EditStepsTest, ANewTemplateKeepsTheTexturesOfAreasOfTheSameName) {
    CDrawingModel& model = *owned;
    model.SetAreaImage(0, test::Solid(3, 3, qRgb(0, 0, 200)));
    model.SetAreaImage(1, test::Solid(3, 3, qRgb(0, 200, 0)));
    ModelContent other;
    for (const char* name : {"Second", "Third"}) {
        CArea area;
        area.SetName(name);
        other.areas.push_back(area);
    }
    EXPECT_EQ(edits::CarryAreaImages(model, other), QStringList({"First"}));
    EXPECT_EQ(other.areas[0].GetImage().pixel(0, 0), qRgb(0, 200, 0));
    EXPECT_FALSE(other.areas[1].HasImage());
}

// The modified mark follows the stack: back at the saved state it is clear,
// and a change of what is only shown never sets it.
TEST_F(EditStepsTest, TheHistoryKnowsWhetherTheDocumentDiffersFromItsFile) {
    CDrawingModel& model = *owned;
    DocumentHistory history(model);
    EXPECT_FALSE(history.IsModified());
    history.Push(edits::SetSmoothLines(model, false, false));
    EXPECT_FALSE(history.IsModified());
    history.Push(edits::ClickRegion(model, Inside(3)));
    history.Push(edits::SetTemplateName(model, "Saved"));
    EXPECT_TRUE(history.IsModified());
    history.SetSaved();
    EXPECT_FALSE(history.IsModified());
    history.Stack().undo();
    EXPECT_TRUE(history.IsModified());
    EXPECT_EQ(model.GetTemplateName(), "Row");
    history.Stack().redo();
    EXPECT_FALSE(history.IsModified());
    history.Stack().setIndex(0);
    EXPECT_EQ(model.Regions().size(), 3u);
    EXPECT_TRUE(model.GetSmoothLines());
}

// Past its budget the stack lets the oldest steps go; what stays still
// undoes to the state after the last step that went.
TEST_F(EditStepsTest, TheOldestStepsGoPastTheBudget) {
    CDrawingModel& model = *owned;
    constexpr int64_t kBudget = 16 * 1024;
    DocumentHistory history(model, kBudget);
    QUndoStack* shown = &history.Stack();
    history.OnStackReplaced([&shown](QUndoStack* stack) { shown = stack; });
    // What the model is after each step, the first a change of name.
    std::vector<QString> states{State(model)};
    history.Push(edits::SetTemplateName(model, "Saved"));
    history.SetSaved();
    states.push_back(State(model));
    for (int row = 3; row < 27; ++row) {
        PenStroke stroke(model, false);
        for (int x = 1; x < 100; ++x) stroke.Paint(QPoint(x, row));
        history.Push(stroke.Finish());
        states.push_back(State(model));
        EXPECT_LE(history.Cost(), kBudget) << row;
    }
    const int dropped = history.DroppedSteps();
    ASSERT_GT(dropped, 1);
    EXPECT_EQ(shown, &history.Stack());
    EXPECT_EQ(history.Stack().count() + dropped, 25);
    EXPECT_TRUE(history.IsModified()) << "the saved state went with the dropped steps";
    for (const int index : {history.Stack().count() - 3, 0}) {
        history.Stack().setIndex(index);
        EXPECT_EQ(State(model), states[dropped + index]) << index;
    }
    EXPECT_EQ(model.GetTemplateName(), "Saved");
}

}  // namespace
}  // namespace velora
