// SPDX-License-Identifier: GPL-3.0-or-later
#include "library_test_support.h"
#include "scripted_user.h"
#include "ui/library/texture_palette.h"

#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::Click;
using test::ScratchFolder;

struct Notice {
    int code;
    int oldFocus;
    int target;
    bool operator==(const Notice&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Notice& notice) {
    return out << "{" << notice.code << ", " << notice.oldFocus << ", " << notice.target << "}";
}

// A palette whose drags end on a widget of the test instead of going
// through the platform.
class DraggingPalette : public CTexturePalette {
public:
    QWidget* dropSurface = nullptr;
    QPoint dropPoint;
    Qt::KeyboardModifiers dropModifiers = Qt::ShiftModifier;
    QStringList offered;

protected:
    Qt::DropAction ExecDrag(QDrag& drag) override {
        offered = DraggedFiles(drag.mimeData());
        if (!dropSurface) return Qt::IgnoreAction;
        return test::DropOn(dropSurface, *drag.mimeData(), dropPoint, dropModifiers);
    }
};

class ThumbnailGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_grid.SetUserInterface(&m_user);
        m_grid.SetCellSize(100, 100);
        m_grid.SetMultiSelect(true);
        test::ShowWithClientSize(m_grid, {300, 250});
        const auto record = [this](const NMGRIDSEL& notice) {
            m_notices.push_back({notice.header.code, notice.oldFocus, notice.target});
        };
        const auto recordPlain = [this](const GridNotifyHeader& notice) {
            m_notices.push_back({notice.code, 0, 0});
        };
        QObject::connect(&m_grid, &CThumbnailGrid::selChanged, record);
        QObject::connect(&m_grid, &CThumbnailGrid::reselected, record);
        QObject::connect(&m_grid, &CThumbnailGrid::rightClicked, recordPlain);
        QObject::connect(&m_grid, &CThumbnailGrid::doubleClicked, recordPlain);
    }

    // Files t00.png, t01.png, ... in the grid's folder.
    void Fill(int count) {
        for (int i = 0; i < count; ++i) {
            test::WritePicture(m_folder.Path(QString("t%1.png").arg(i, 2, 10, QChar('0'))),
                               test::Solid(20, 20, QColor(10 * i, 0, 0)));
        }
        m_grid.LoadFolder(m_folder.Path(), "*.*");
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&m_grid, static_cast<Qt::Key>(key), modifiers);
    }

    std::vector<int> Selection() const { return m_grid.GetSelection(); }

    ScratchFolder m_folder;
    test::ScriptedUser m_user;
    DraggingPalette m_grid;
    std::vector<Notice> m_notices;
};

TEST_F(ThumbnailGridTest, ClickSelectsTheCellAndTellsTheOldFocus) {
    Fill(5);
    Click(m_grid, 1);
    Click(m_grid, 4);
    EXPECT_EQ(m_notices,
              (std::vector<Notice>{{GRIDN_SELCHANGED, -1, 1}, {GRIDN_SELCHANGED, 1, 4}}));
    EXPECT_EQ(Selection(), std::vector<int>{4});
    EXPECT_EQ(m_grid.GetFocusIndex(), 4);
    EXPECT_EQ(m_grid.GetFocusedPath(), m_folder.Path("t04.png"));
}

TEST_F(ThumbnailGridTest, ClickingTheFocusCellAgainReselectsIt) {
    Fill(5);
    Click(m_grid, 2);
    Click(m_grid, 3, Qt::ControlModifier);
    Click(m_grid, 3);
    EXPECT_EQ(m_notices.back(), (Notice{GRIDN_RESELECTED, 3, 3}));
    EXPECT_EQ(Selection(), std::vector<int>{3}) << "without Ctrl the selection is that cell alone";
}

TEST_F(ThumbnailGridTest, ClicksOutsideTheCellsChangeNothing) {
    Fill(5);
    Click(m_grid, 0);
    m_notices.clear();
    QTest::mouseClick(m_grid.viewport(), Qt::LeftButton, {}, {250, 180});
    EXPECT_TRUE(m_notices.empty());
    EXPECT_EQ(Selection(), std::vector<int>{0});

    m_grid.LoadFolder(m_folder.Path("missing"), "*.*");
    QTest::mouseClick(m_grid.viewport(), Qt::LeftButton, {}, {50, 50});
    EXPECT_TRUE(m_notices.empty());
    EXPECT_EQ(m_grid.GetFocusIndex(), -1);
    EXPECT_EQ(m_grid.GetFocusedPath(), QString());
}

TEST_F(ThumbnailGridTest, CtrlClickAddsCellsAndNeverRemovesOne) {
    Fill(6);
    Click(m_grid, 1);
    Click(m_grid, 4, Qt::ControlModifier);
    Click(m_grid, 1, Qt::ControlModifier);
    EXPECT_EQ(Selection(), (std::vector<int>{1, 4}));
    EXPECT_EQ(m_notices.back(), (Notice{GRIDN_SELCHANGED, 4, 1}));
    EXPECT_EQ(m_grid.GetSelectedPaths(),
              QStringList({m_folder.Path("t01.png"), m_folder.Path("t04.png")}));
}

TEST_F(ThumbnailGridTest, ShiftClickSelectsARangeAnchoredAtTheFocus) {
    Fill(8);
    Click(m_grid, 5);
    Click(m_grid, 2, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(m_grid.GetFocusIndex(), 5) << "the focus stays as the anchor";
    Click(m_grid, 7, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(m_notices.back(), (Notice{GRIDN_SELCHANGED, 5, 7}));
}

TEST_F(ThumbnailGridTest, ModifiersActAsPlainClicksWithoutFocusOrMultiSelection) {
    Fill(6);
    Click(m_grid, 3, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::vector<int>{3}) << "no focus cell to anchor a range";
    EXPECT_EQ(m_grid.GetFocusIndex(), 3);

    m_grid.SetMultiSelect(false);
    Click(m_grid, 1, Qt::ControlModifier);
    Click(m_grid, 5, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::vector<int>{5});
    EXPECT_EQ(m_grid.GetFocusIndex(), 5);
}

TEST_F(ThumbnailGridTest, RightClickSelectsFirstAndThenNotifies) {
    Fill(4);
    Click(m_grid, 2, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(m_notices, (std::vector<Notice>{{GRIDN_SELCHANGED, -1, 2}, {NM_RCLICK, 0, 0}}));
    EXPECT_EQ(Selection(), std::vector<int>{2});
}

TEST_F(ThumbnailGridTest, DoubleClickNotifiesOnce) {
    Fill(4);
    Click(m_grid, 1);
    m_notices.clear();
    QTest::mouseDClick(m_grid.viewport(), Qt::LeftButton, {}, test::CellCentre(m_grid, 1));
    EXPECT_EQ(std::count(m_notices.begin(), m_notices.end(), Notice{NM_DBLCLK, 0, 0}), 1);
}

TEST_F(ThumbnailGridTest, ArrowKeysMoveTheFocusAndScrollItIntoView) {
    Fill(12);  // four rows of three, two of them visible
    Click(m_grid, 0);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_grid.GetFocusIndex(), 6);
    EXPECT_EQ(m_notices.back(), (Notice{GRIDN_SELCHANGED, 3, 6}));
    EXPECT_EQ(m_grid.ScrollOffset(), 100);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (std::vector<int>{7, 8, 9, 10}));
    EXPECT_EQ(m_grid.ScrollOffset(), 200);
    EXPECT_EQ(m_grid.GetFocusIndex(), 7) << "Shift keeps the anchor; the view follows the target";
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(m_grid.GetFocusIndex(), 1);
    EXPECT_EQ(m_grid.ScrollOffset(), 0);
}

TEST_F(ThumbnailGridTest, ArrowKeysPastTheEndsChangeNothing) {
    Fill(5);
    Click(m_grid, 0);
    m_notices.clear();
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_TRUE(m_notices.empty());
    Click(m_grid, 4);
    m_notices.clear();
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_TRUE(m_notices.empty());
    EXPECT_EQ(m_grid.GetFocusIndex(), 4);
}

TEST_F(ThumbnailGridTest, AGridShorterThanOneCellStillMovesAndScrolls) {
    Fill(6);
    test::ShowWithClientSize(m_grid, {60, 40});
    Click(m_grid, 0);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_grid.GetFocusIndex(), 2);
    EXPECT_EQ(m_grid.ScrollOffset(), 200) << "the focus cell's top is at the client's top";
    Key(Qt::Key_Up);
    EXPECT_EQ(m_grid.ScrollOffset(), 100);
}

TEST_F(ThumbnailGridTest, ScrollRequestsMoveByWholeRowsWithinTheRange) {
    Fill(20);  // seven rows, two visible: the last scroll row is 5
    QScrollBar* bar = m_grid.verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 5);
    m_grid.VScroll(ScrollRequest::LineUp);
    EXPECT_EQ(m_grid.ScrollOffset(), 0);
    m_grid.VScroll(ScrollRequest::PageDown);
    m_grid.VScroll(ScrollRequest::PageDown);
    EXPECT_EQ(m_grid.ScrollOffset(), 400);
    m_grid.VScroll(ScrollRequest::PageDown);
    EXPECT_EQ(m_grid.ScrollOffset(), 500) << "a page stops at the last row";
    m_grid.VScroll(ScrollRequest::LineDown);
    EXPECT_EQ(m_grid.ScrollOffset(), 500) << "the last cells are already in view";
    EXPECT_EQ(bar->value(), 5);
    m_grid.VScroll(ScrollRequest::LineUp);
    m_grid.VScroll(ScrollRequest::PageUp);
    EXPECT_EQ(m_grid.ScrollOffset(), 200);
    m_grid.VScroll(ScrollRequest::PageUp);
    m_grid.VScroll(ScrollRequest::PageUp);
    EXPECT_EQ(m_grid.ScrollOffset(), 0);
    EXPECT_EQ(test::CellCentre(m_grid, 0), QPoint(49, 49));
}

TEST_F(ThumbnailGridTest, TheScrollBarsOwnButtonsBoxAndWheelScrollByRows) {
    Fill(20);
    QScrollBar* bar = m_grid.verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(m_grid.ScrollOffset(), 200);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(m_grid.ScrollOffset(), 100);
    bar->setSliderPosition(4);
    EXPECT_EQ(m_grid.ScrollOffset(), 400) << "dragging the box scrolls";
    QWheelEvent wheel({50, 50}, m_grid.viewport()->mapToGlobal(QPoint(50, 50)), {}, {0, -120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_grid.viewport(), &wheel);
    EXPECT_EQ(m_grid.ScrollOffset(), 500);
}

TEST_F(ThumbnailGridTest, FolderIsSortedByLowerCaseNameAndKeepsRealPaths) {
    for (const char* name : {"b.png", "A.png", "c.PNG", "d.jpg"}) {
        m_folder.WriteText(name, "not a picture");
    }
    m_folder.MakeFolder("sub.png");
    m_grid.LoadFolder(m_folder.Path(), "*.png");
    EXPECT_EQ(m_grid.GetItemCount(), 2) << "c.PNG does not pass the mask, sub.png is a folder";
    EXPECT_EQ(m_grid.GetPath(0), m_folder.Path("A.png"));
    EXPECT_EQ(m_grid.GetPath(1), m_folder.Path("b.png"));
    const auto toolTipAt = [this](QPoint point) {
        QHelpEvent help(QEvent::ToolTip, point, m_grid.viewport()->mapToGlobal(point));
        QApplication::sendEvent(m_grid.viewport(), &help);
        return help.isAccepted() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(toolTipAt(test::CellCentre(m_grid, 0)), "A.png") << "the name as it is, in full";
    EXPECT_EQ(toolTipAt(test::CellCentre(m_grid, 1)), "b.png");
    EXPECT_EQ(toolTipAt({250, 200}), QString()) << "no cell there";
    m_grid.LoadFolder(m_folder.Path(), "*.png|*.jpg");
    EXPECT_EQ(m_grid.GetItemCount(), 3);
    EXPECT_EQ(m_grid.GetPath(2), m_folder.Path("d.jpg"));
}

TEST_F(ThumbnailGridTest, DrawnCellsAreKeptWhenTheFolderComesBack) {
    Fill(3);
    ASSERT_TRUE(test::WaitForPictures(m_grid));
    m_folder.MakeFolder("other");
    m_grid.LoadFolder(m_folder.Path("other"), "*.*");
    m_grid.LoadFolder(m_folder.Path(), "*.*");
    m_grid.viewport()->grab();
    EXPECT_FALSE(m_grid.IsLoadingPictures());
}

TEST_F(ThumbnailGridTest, DroppedFilesAreCopiedInReplacingFilesOfTheSameName) {
    m_folder.MakeFolder("grid");
    m_folder.MakeFolder("outside");
    m_folder.WriteText("grid/same.png", "old");
    m_folder.WriteText("outside/same.png", "new");
    m_folder.WriteText("outside/other.png", "other");
    m_grid.LoadFolder(m_folder.Path("grid"), "*.*");
    m_grid.EnableFileDragDrop(true);

    const FileDragData data(
        {m_folder.Path("outside/same.png"), m_folder.Path("outside/other.png")});
    EXPECT_EQ(test::DropOn(m_grid.viewport(), data, {10, 10}), Qt::CopyAction);
    EXPECT_EQ(m_folder.ReadText("grid/same.png"), "new");
    EXPECT_EQ(m_folder.ReadText("grid/other.png"), "other");
    EXPECT_EQ(m_grid.GetItemCount(), 2);
    EXPECT_EQ(data.Delivered().size(), 2);
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ThumbnailGridTest, FilesDroppedOnTheirOwnFolderStayWhereTheyAre) {
    Fill(2);
    m_grid.EnableFileDragDrop(true);
    const FileDragData data({m_folder.Path("t00.png")});
    test::DropOn(m_grid.viewport(), data, {10, 10}, Qt::ShiftModifier);
    EXPECT_TRUE(data.Delivered().isEmpty());
    EXPECT_TRUE(m_folder.Exists("t00.png"));
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ThumbnailGridTest, DragsWithoutFilesAreRefusedAndDropsNeedDragAndDropOn) {
    Fill(1);
    QMimeData text;
    text.setText("just text");
    m_grid.EnableFileDragDrop(true);
    EXPECT_EQ(test::DropOn(m_grid.viewport(), text, {10, 10}), Qt::IgnoreAction);

    m_folder.WriteText("elsewhere.txt", "x");
    m_folder.MakeFolder("grid");
    m_grid.LoadFolder(m_folder.Path("grid"), "*.*");
    m_grid.EnableFileDragDrop(false);
    const FileDragData files({m_folder.Path("elsewhere.txt")});
    EXPECT_EQ(test::DropOn(m_grid.viewport(), files, {10, 10}), Qt::IgnoreAction);
    EXPECT_TRUE(m_folder.Files("grid").isEmpty());
}

TEST_F(ThumbnailGridTest, DeleteSelectedDeletesTheFilesAndReportsTheOnesThatStay) {
    Fill(4);
    Click(m_grid, 0);
    Click(m_grid, 2, Qt::ControlModifier);
    Click(m_grid, 3, Qt::ControlModifier);
    // A folder now stands where t02.png was: nobody can delete it as a file.
    ASSERT_TRUE(QFile::remove(m_folder.Path("t02.png")));
    m_folder.MakeFolder("t02.png/inside");
    m_grid.DeleteSelected();
    EXPECT_EQ(m_folder.Files(), QStringList({"t01.png"}));
    ASSERT_EQ(m_user.messages.size(), 1);
    EXPECT_TRUE(m_user.messages[0].startsWith("These files could not be deleted:\nt02.png: "))
        << m_user.messages[0].toStdString();
    EXPECT_EQ(m_grid.GetItemCount(), 1);
    EXPECT_TRUE(m_grid.GetSelection().empty());
    EXPECT_EQ(m_grid.GetFocusIndex(), -1);
}

TEST_F(ThumbnailGridTest, DeletingALinkLeavesWhatItPointsTo) {
    m_folder.MakeFolder("grid");
    m_folder.WriteText("kept.png", "x");
    ASSERT_TRUE(QFile::link(m_folder.Path("kept.png"), m_folder.Path("grid/link.png")));
    m_grid.LoadFolder(m_folder.Path("grid"), "*.*");
    Click(m_grid, 0);
    m_grid.DeleteSelected();
    EXPECT_TRUE(m_folder.Files("grid").isEmpty());
    EXPECT_EQ(m_folder.ReadText("kept.png"), "x");
}

class GridDragTest : public ThumbnailGridTest {
protected:
    void SetUp() override {
        ThumbnailGridTest::SetUp();
        m_folder.MakeFolder("from");
        for (const char* name : {"a.png", "b.png", "c.png"}) {
            m_folder.WriteText(QString("from/") + name, name);
        }
        m_folder.MakeFolder("to");
        m_grid.LoadFolder(m_folder.Path("from"), "*.*");
        m_grid.EnableFileDragDrop(true);
        m_target.SetCellSize(100, 100);
        test::ShowWithClientSize(m_target, {300, 250});
        m_target.EnableFileDragDrop(true);
        m_grid.dropSurface = m_target.viewport();
        m_grid.dropPoint = {20, 20};
    }

    void DragFromCell(int position) {
        const QPoint start = test::CellCentre(m_grid, position);
        QTest::mousePress(m_grid.viewport(), Qt::LeftButton, {}, start);
        const QPoint end = start + QPoint(3 * QApplication::startDragDistance(), 0);
        QMouseEvent move(QEvent::MouseMove, end, m_grid.viewport()->mapToGlobal(end), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_grid.viewport(), &move);
        QTest::mouseRelease(m_grid.viewport(), Qt::LeftButton, {}, end);
    }

    CTexturePalette m_target;
};

TEST_F(GridDragTest, MovingTheSelectionDeletesWhatTheTargetReceived) {
    m_folder.MakeFolder("to");
    m_target.LoadFolder(m_folder.Path("to"), "*.*");
    Click(m_grid, 0);
    Click(m_grid, 1, Qt::ControlModifier);
    DragFromCell(1);
    EXPECT_EQ(m_grid.offered,
              QStringList({m_folder.Path("from/a.png"), m_folder.Path("from/b.png")}))
        << "the drag carries the whole selection";
    EXPECT_EQ(m_folder.Files("from"), QStringList({"c.png"}));
    EXPECT_EQ(m_folder.Files("to"), QStringList({"a.png", "b.png"}));
    EXPECT_EQ(m_grid.GetItemCount(), 1);
    EXPECT_EQ(m_target.GetItemCount(), 2);
}

TEST_F(GridDragTest, ACopyOrADropOnTheSameFolderDeletesNothing) {
    m_target.LoadFolder(m_folder.Path("from"), "*.*");
    Click(m_grid, 2);
    DragFromCell(2);
    EXPECT_EQ(m_folder.Files("from"), QStringList({"a.png", "b.png", "c.png"}));

    m_target.LoadFolder(m_folder.Path("to"), "*.*");
    m_grid.dropModifiers = Qt::ControlModifier;
    DragFromCell(2);
    EXPECT_EQ(m_folder.Files("from"), QStringList({"a.png", "b.png", "c.png"}));
    EXPECT_EQ(m_folder.Files("to"), QStringList({"c.png"}));
}

TEST_F(GridDragTest, PressingAnUnselectedCellDragsThatCell) {
    m_target.LoadFolder(m_folder.Path("to"), "*.*");
    Click(m_grid, 0);
    DragFromCell(2);
    EXPECT_EQ(m_grid.offered, QStringList({m_folder.Path("from/c.png")}));
    EXPECT_EQ(m_folder.Files("to"), QStringList({"c.png"}));
}

}  // namespace
}  // namespace velora
