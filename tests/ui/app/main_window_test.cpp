// SPDX-License-Identifier: GPL-3.0-or-later
#include "access_keys.h"
#include "app_fixture.h"
#include "core/model/drawing_model.h"
#include "modal_answer.h"
#include "test_drawings.h"
#include "ui/app/action_table.h"
#include "ui/app/banner_bar.h"
#include "ui/app/help_window.h"
#include "ui/app/starter_offer.h"
#include "ui/controls/command_ids.h"
#include "ui/documents/name_dialogs.h"
#include "ui/library/velora_size_dlg.h"
#include "ui/views/area_list_box.h"
#include "ui/views/areas_bar.h"
#include "ui/views/mosvel_template_view.h"
#include "widget_test_support.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace velora {
namespace {

QStringList MenuTitles(QMainWindow& window) {
    QStringList titles;
    for (QAction* action : window.menuBar()->actions()) titles.append(action->text());
    return titles;
}

QMenu* MenuNamed(QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions()) {
        if (action->text() == title) return action->menu();
    }
    return nullptr;
}

// Command ids of a menu's visible items, separators as 0.
QList<int> MenuIds(QMenu* menu) {
    QList<int> ids;
    for (QAction* action : menu->actions()) {
        if (!action->isVisible()) continue;
        ids.append(action->isSeparator() ? 0 : CommandActions::IdOf(action));
    }
    return ids;
}

class MainWindowTest : public test::AppFixture {
protected:
    bool Enabled(int id) {
        Frame().UpdateCommandUi();
        return app->Actions().Action(id)->isEnabled();
    }
    bool Checked(int id) {
        Frame().UpdateCommandUi();
        return app->Actions().Action(id)->isChecked();
    }
    DocumentBase* ImportDrawing(const QString& name) {
        test::DxfDrawing drawing;
        drawing.Square({0, 0, 100, 100}).Circle({50, 50}, 30).Circle({160, 50}, 40);
        EXPECT_TRUE(drawing.WriteTo(Path(name)));
        test::AnswerNextModal<CVeloraSizeDlg>([this](CVeloraSizeDlg* dialog) {
            titleWhileAsked = Frame().windowTitle();
            dialog->accept();
        });
        return app->OpenFile(Path(name));
    }
    QString titleWhileAsked;
};

TEST_F(MainWindowTest, WithoutDocumentOnlyFileViewAndHelp) {
    EXPECT_EQ(MenuTitles(Frame()), QStringList({"&File", "&View", "&Help"}));
    using namespace cmd;
    const QList<int> file{kNewVelora,       kFileOpen, 0, kFileMruFirst, 0,
                          kConnectionSetup, kDownload, 0, kSendToServer, 0,
                          kAppExit};
    EXPECT_EQ(MenuIds(MenuNamed(Frame(), "&File")), file);
    EXPECT_EQ(MenuIds(MenuNamed(Frame(), "&View")),
              QList<int>({kViewToolbar, kViewStatusBar, kViewAreas, kTexturesGroups}));
    // An empty recent-file list shows one disabled "Recent File".
    EXPECT_EQ(app->Actions().Action(kFileMruFirst)->text(), "Recent File");
    EXPECT_FALSE(Enabled(kFileMruFirst));
}

TEST_F(MainWindowTest, NewVeloraSwitchesToTheDesignMenusAndCountsTitles) {
    app->DispatchCommand(cmd::kNewVelora);
    EXPECT_EQ(MenuTitles(Frame()),
              QStringList({"&File", "&Edit", "&View", "&Template", "&Window", "&Help"}));
    EXPECT_EQ(MenuIds(MenuNamed(Frame(), "&Template")), QList<int>({cmd::kSelectTemplate}));
    EXPECT_EQ(ActiveDocument()->GetTitle(), "Velora1");
    EXPECT_EQ(Frame().windowTitle(), "Velora1[*] - Velora");
    const QList<int> window{
        cmd::kWindowNew,  cmd::kWindowCascade,   cmd::kWindowTile, cmd::kWindowArrange, 0,
        cmd::kWindowTabs, cmd::kWindowSubWindows};
    EXPECT_EQ(MenuIds(MenuNamed(Frame(), "&Window")).mid(0, window.size()), window);
    const QList<int> file = MenuIds(MenuNamed(Frame(), "&File"));
    EXPECT_EQ(file.mid(file.indexOf(cmd::kExport), 3),
              QList<int>({cmd::kExport, cmd::kFilePrint, cmd::kFilePrintPreview}));
    app->DispatchCommand(cmd::kNewVelora);
    EXPECT_EQ(ActiveDocument()->GetTitle(), "Velora2");
    EXPECT_TRUE(ActiveDocument()->GetPathName().isEmpty());
}

// Both document menu sets have the Edit menu after File, the undo history in
// View, and the template's menu holds Delete area and Template name too.
TEST_F(MainWindowTest, DocumentMenusHaveTheEditMenuAndTheTemplateAdditions) {
    using namespace cmd;
    app->DispatchCommand(kNewVelora);
    EXPECT_EQ(MenuIds(MenuNamed(Frame(), "&Edit")), QList<int>({kEditUndo, kEditRedo}));
    EXPECT_EQ(MenuIds(MenuNamed(Frame(), "&View")),
              QList<int>({kViewToolbar, kViewStatusBar, kViewAreas, kUndoHistory}));
    test::WriteModelFile(Path("castle.mtp"), kTemplateDocument, {120, 80}, "Castle");
    ASSERT_NE(app->OpenFile(Path("castle.mtp")), nullptr);
    EXPECT_EQ(MenuIds(MenuNamed(Frame(), "&Edit")), QList<int>({kEditUndo, kEditRedo}));
    EXPECT_EQ(
        MenuIds(MenuNamed(Frame(), "&View")),
        QList<int>({kViewToolbar, kViewStatusBar, kViewAreas, kTexturesGroups, kUndoHistory}));
    const QList<int> templateMenu{kDeselectAllRegions,
                                  0,
                                  kCreateArea,
                                  kAddToArea,
                                  kDeleteFromArea,
                                  kDeleteFromCache,
                                  kDeleteArea,
                                  0,
                                  kTemplateName,
                                  0,
                                  kSmoothLines,
                                  kCorrectionMode,
                                  0,
                                  kZoomIn,
                                  kZoomOut,
                                  kZoomOneToOne,
                                  kPen,
                                  0,
                                  kCloseGaps,
                                  kCloseGapsWhenClickFloods};
    EXPECT_EQ(MenuIds(MenuNamed(Frame(), "&Template")), templateMenu);
    EXPECT_EQ(app->Actions().Action(kEditRedo)->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    EXPECT_EQ(app->Actions().Action(kEditUndo)->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_FALSE(Enabled(kEditUndo)) << "nothing done yet";
}

TEST_F(MainWindowTest, CtrlNMakesANewVelora) {
    Frame().activateWindow();
    QAction* newVelora = app->Actions().Action(cmd::kNewVelora);
    EXPECT_EQ(newVelora->shortcut(), QKeySequence("Ctrl+N"));
    newVelora->trigger();
    ASSERT_NE(ActiveDocument(), nullptr);
    EXPECT_TRUE(ActiveDocument()->GetTitle().startsWith("Velora"));
}

TEST_F(MainWindowTest, TemplateOpensWithTheTemplateMenusAndTitleFromItsFile) {
    test::WriteModelFile(Path("castle.mtp"), kTemplateDocument, {120, 80}, "Castle");
    DocumentBase* document = app->OpenFile(Path("castle.mtp"));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetTitle(), "castle.mtp");
    EXPECT_EQ(document->Model().GetTemplateName(), "Castle");
    EXPECT_EQ(document->Model().GetDocumentKind(), kTemplateDocument);
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(MenuTitles(Frame()),
              QStringList({"&File", "&Edit", "&View", "&Template", "&Window", "&Help"}));
    EXPECT_TRUE(MenuIds(MenuNamed(Frame(), "&Template")).contains(cmd::kPen));
    // The file went to the recent-file list.
    EXPECT_EQ(app->RecentFiles().Paths().value(0), Path("castle.mtp"));
    EXPECT_TRUE(app->Actions().Action(cmd::kFileMruFirst)->text().endsWith("castle.mtp"));
}

TEST_F(MainWindowTest, VeloraFileOpensAsADesign) {
    test::WriteModelFile(Path("tulip.vld"), kDesignDocument, {50, 60}, "Tulip");
    DocumentBase* document = app->OpenFile(Path("tulip.vld"));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Model().GetDocumentKind(), kDesignDocument);
    EXPECT_EQ(MenuIds(MenuNamed(Frame(), "&Template")), QList<int>({cmd::kSelectTemplate}));
    EXPECT_EQ(Frame().ActiveFrame()->View()->Image().size(), QSize(50, 60));
}

// A drawing larger than the document area opens whole, a smaller one at
// 1:1; either keeps so while the window takes its size, until the user zooms.
TEST_F(MainWindowTest, ADrawingLargerThanTheAreaOpensWholeASmallerOneAtOneToOne) {
    Frame().resize(900, 700);
    Frame().show();
    auto open = [&](const QString& name, QSize size) {
        test::WriteModelFile(Path(name), kTemplateDocument, size, name);
        EXPECT_NE(app->OpenFile(Path(name)), nullptr);
        QCoreApplication::processEvents();
        return Frame().ActiveFrame()->View();
    };
    auto showsWhole = [](CMosvelViewBase* view) {
        const QSize shown = (QSizeF(view->Image().size()) * view->GetZoomX()).toSize();
        const QSize room = view->viewport()->size();
        return shown.width() <= room.width() && shown.height() <= room.height() &&
               (shown.width() == room.width() || shown.height() == room.height());
    };
    CMosvelViewBase* small = open("small.mtp", {50, 60});
    EXPECT_EQ(small->GetZoomX(), 1.0f);
    CMosvelViewBase* large = open("large.mtp", {3000, 2000});
    EXPECT_LT(large->GetZoomX(), 1.0f);
    EXPECT_TRUE(showsWhole(large));
    const float opened = large->GetZoomX();
    Frame().resize(1100, 800);
    QCoreApplication::processEvents();
    EXPECT_GT(large->GetZoomX(), opened) << "the window grew";
    EXPECT_TRUE(showsWhole(large));
    QTest::keyClick(large, Qt::Key_Plus, Qt::ControlModifier);
    const float chosen = large->GetZoomX();
    Frame().resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(large->GetZoomX(), chosen) << "the user's zoom stays";
    EXPECT_FALSE(ActiveDocument()->IsModified()) << "zooming leaves the document as it was";
}

TEST_F(MainWindowTest, DrawingImportsThroughTheSizeDialogAsNumberedTemplates) {
    QSettings(SettingsOrganization(), SettingsApplication()).setValue("LastVeloraWidth", 400);
    QSettings(SettingsOrganization(), SettingsApplication()).setValue("LastVeloraHeight", 300);
    DocumentBase* first = ImportDrawing("shapes.dxf");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(titleWhileAsked, "shapes.dxf[*] - Velora") << "the size asked is the drawing's";
    EXPECT_EQ(first->GetTitle(), "Template1");
    EXPECT_TRUE(first->IsModified());
    EXPECT_TRUE(first->GetPathName().isEmpty());
    // The remembered width, with the height of the drawing's shape (2 : 1).
    EXPECT_EQ(first->Model().GetWidth(), 420);
    EXPECT_EQ(first->Model().GetHeight(), 220);
    EXPECT_EQ(first->Model().Curves().size(), 3u);
    DocumentBase* second = ImportDrawing("shapes.dxf");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetTitle(), "Template2");
    // An imported drawing is not a file of the recent-file list.
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
}

TEST_F(MainWindowTest, ViewCommandsWinOverTheDocumentsLevelCommands) {
    test::WriteModelFile(Path("levels.mtp"), kTemplateDocument, {800, 800}, "Levels");
    DocumentBase* document = app->OpenFile(Path("levels.mtp"));
    ASSERT_NE(document, nullptr);
    auto* view = qobject_cast<CMosvelTemplateView*>(Frame().ActiveFrame()->View());
    ASSERT_NE(view, nullptr);
    app->DispatchCommand(cmd::kCorrectionMode);
    view->SetZoom(2.0f, 2.0f);
    document->SetModifiedFlag(false);
    // Zoom out and Pen are the view's; the document's level moves would mark
    // the document modified.
    app->DispatchCommand(cmd::kZoomOut);
    EXPECT_FLOAT_EQ(view->GetZoomX(), 1.6666666f);
    app->DispatchCommand(cmd::kPen);
    EXPECT_EQ(view->CurrentTool(), &view->PenTool());
    EXPECT_FALSE(document->IsModified());
    // An id only the document handles reaches it.
    app->DispatchCommand(cmd::kToTopLevel);
    EXPECT_TRUE(document->IsModified());
}

TEST_F(MainWindowTest, ButtonsWithoutHandlerInTheRoutingAreDisabled) {
    EXPECT_FALSE(Enabled(cmd::kSelectTemplate));
    EXPECT_FALSE(Enabled(cmd::kFileSave));
    EXPECT_TRUE(Enabled(cmd::kNewVelora));
    app->DispatchCommand(cmd::kNewVelora);
    EXPECT_TRUE(Enabled(cmd::kSelectTemplate));
    EXPECT_TRUE(Enabled(cmd::kFileSave));
    EXPECT_FALSE(Enabled(cmd::kCreateArea));
    EXPECT_FALSE(Enabled(cmd::kZoomIn));
    EXPECT_FALSE(Enabled(cmd::kEditCopy));
    EXPECT_TRUE(Enabled(cmd::kSmoothLines));
    EXPECT_TRUE(Checked(cmd::kSmoothLines));
    app->DispatchCommand(cmd::kSmoothLines);
    EXPECT_FALSE(Checked(cmd::kSmoothLines));
    EXPECT_FALSE(ActiveDocument()->IsModified());
}

TEST_F(MainWindowTest, BothToolBarsHoldTheirButtonsInOrder) {
    using namespace cmd;
    EXPECT_EQ(Frame().toolBarArea(Frame().MainToolBar()), Qt::TopToolBarArea);
    EXPECT_EQ(Frame().toolBarArea(Frame().TemplateToolBar()), Qt::LeftToolBarArea);
    QList<int> ids;
    for (QAction* action : Frame().TemplateToolBar()->actions()) {
        ids.append(action->isSeparator() ? 0 : CommandActions::IdOf(action));
    }
    EXPECT_EQ(ids, QList<int>({kZoomIn, kZoomOut, 0, kZoomOneToOne, 0, kPen, 0, kCloseGaps}));
    ids.clear();
    for (QAction* action : Frame().MainToolBar()->actions().mid(0, 8)) {
        ids.append(action->isSeparator() ? 0 : CommandActions::IdOf(action));
    }
    EXPECT_EQ(ids, QList<int>({kNewVelora, 0, kFileOpen, kFileSave, 0, kEditUndo, kEditRedo, 0}));
    for (QAction* action : Frame().MainToolBar()->actions()) {
        if (action->isSeparator()) continue;
        EXPECT_FALSE(action->toolTip().isEmpty());
        EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
    }
}

TEST_F(MainWindowTest, ToolbarAndStatusBarCommandsToggleTheirOwnBars) {
    Frame().show();
    ASSERT_TRUE(Frame().statusBar()->isVisible());
    app->DispatchCommand(cmd::kViewStatusBar);
    EXPECT_FALSE(Frame().statusBar()->isVisible());
    EXPECT_TRUE(Frame().Banner()->isVisible());
    EXPECT_FALSE(Checked(cmd::kViewStatusBar));
    app->DispatchCommand(cmd::kViewToolbar);
    EXPECT_FALSE(Frame().MainToolBar()->isVisible());
    EXPECT_TRUE(Frame().TemplateToolBar()->isVisible());
}

TEST_F(MainWindowTest, AreasIsADockAtTheRightKeptInStepWithTheViewMenu) {
    QDockWidget* dock = Frame().AreasDock();
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(dock->widget(), Frame().AreasBar());
    EXPECT_EQ(Frame().dockWidgetArea(dock), Qt::RightDockWidgetArea);
    EXPECT_TRUE(dock->features().testFlags(QDockWidget::DockWidgetClosable |
                                           QDockWidget::DockWidgetFloatable));
    EXPECT_TRUE(dock->isVisible());
    EXPECT_TRUE(Checked(cmd::kViewAreas));
    app->DispatchCommand(cmd::kViewAreas);
    EXPECT_FALSE(dock->isVisible());
    EXPECT_FALSE(Checked(cmd::kViewAreas));
    app->DispatchCommand(cmd::kViewAreas);
    EXPECT_TRUE(Checked(cmd::kViewAreas));
    dock->setFloating(true);
    EXPECT_EQ(FindAreasBar(Frame().MdiArea()), Frame().AreasBar()) << "found while it floats";
    dock->close();
    EXPECT_FALSE(Checked(cmd::kViewAreas)) << "its own close button unticks the menu";
}

// What the user arranged comes back in the next session's window.
TEST_F(MainWindowTest, LayoutOfDocksToolBarsAndDocumentsIsKeptBetweenSessions) {
    Frame().addDockWidget(Qt::LeftDockWidgetArea, Frame().AreasDock());
    app->DispatchCommand(cmd::kViewToolbar);
    app->DispatchCommand(cmd::kWindowSubWindows);
    Frame().resize(900, 700);
    QSettings settings(Path("layout.ini"), QSettings::IniFormat);
    Frame().SaveLayout(settings);

    CommandActions actions;
    CMainFrame next(actions);
    EXPECT_EQ(next.dockWidgetArea(next.AreasDock()), Qt::RightDockWidgetArea) << "a first start";
    EXPECT_EQ(next.MdiArea()->viewMode(), QMdiArea::TabbedView);
    EXPECT_TRUE(next.RestoreLayout(settings));
    EXPECT_EQ(next.dockWidgetArea(next.AreasDock()), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(next.MainToolBar()->isHidden());
    EXPECT_FALSE(next.TemplateToolBar()->isHidden());
    EXPECT_EQ(next.MdiArea()->viewMode(), QMdiArea::SubWindowView);
    EXPECT_EQ(next.size(), QSize(900, 700));

    QSettings empty(Path("empty.ini"), QSettings::IniFormat);
    EXPECT_FALSE(next.RestoreLayout(empty)) << "nothing kept: the window fills the screen";
}

TEST_F(MainWindowTest, DocumentsFillTheAreaAsTabsOrAsWindowsArrangedOnRequest) {
    Frame().show();
    app->DispatchCommand(cmd::kNewVelora);
    DocumentFrame* first = Frame().ActiveFrame();
    app->DispatchCommand(cmd::kNewVelora);
    EXPECT_EQ(Frame().MdiArea()->viewMode(), QMdiArea::TabbedView);
    EXPECT_TRUE(Checked(cmd::kWindowTabs));
    EXPECT_FALSE(Checked(cmd::kWindowSubWindows));
    EXPECT_TRUE(Frame().ActiveFrame()->isMaximized());

    app->DispatchCommand(cmd::kWindowSubWindows);
    EXPECT_EQ(Frame().MdiArea()->viewMode(), QMdiArea::SubWindowView);
    EXPECT_TRUE(Checked(cmd::kWindowSubWindows));
    EXPECT_EQ(Frame().ActiveFrame()->geometry(), Frame().MdiArea()->viewport()->rect())
        << "the document still fills the area";
    Frame().resize(Frame().size() + QSize(120, 80));
    EXPECT_EQ(Frame().ActiveFrame()->geometry(), Frame().MdiArea()->viewport()->rect())
        << "a window filling the area follows it as the main window grows";
    app->DispatchCommand(cmd::kWindowTile);
    EXPECT_FALSE(first->isMaximized());
    EXPECT_LT(first->width(), Frame().MdiArea()->viewport()->width());

    app->DispatchCommand(cmd::kWindowTabs);
    app->DispatchCommand(cmd::kWindowCascade);
    EXPECT_EQ(Frame().MdiArea()->viewMode(), QMdiArea::SubWindowView)
        << "arranging windows leaves the tabs";
}

// The menu titles, the starter offer and the Areas panel share the window's
// keys; no two of them may take the same one, whatever document is active.
TEST_F(MainWindowTest, EveryMenuSetKeepsTheWindowsAccessKeysUnique) {
    ASSERT_NE(Frame().findChild<CStarterOffer*>(), nullptr) << "a first start offers the starter";
    for (int command : {0, cmd::kNewVelora, cmd::kNewTemplate}) {
        if (command) app->DispatchCommand(command);
        const QStringList faults = test::AccessKeyFaults(Frame());
        EXPECT_TRUE(faults.isEmpty()) << command << ":\n" << faults.join('\n').toStdString();
    }
}

TEST_F(MainWindowTest, F1OpensHelpAndCtrlWOrCtrlF4ClosesTheActiveDocument) {
    Frame().show();
    QApplication::setActiveWindow(&Frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QTest::keyClick(&Frame(), Qt::Key_F1);
    auto* help = Frame().findChild<CHelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    help->close();
    for (const QKeyCombination key : {Qt::CTRL | Qt::Key_W, Qt::CTRL | Qt::Key_F4}) {
        QApplication::setActiveWindow(&Frame());
        app->DispatchCommand(cmd::kNewVelora);
        ASSERT_NE(ActiveDocument(), nullptr);
        QTest::keyClick(Frame().ActiveFrame()->View(), key.key(), key.keyboardModifiers());
        Settle();
        EXPECT_EQ(ActiveDocument(), nullptr) << QKeySequence(key).toString().toStdString();
    }
}

TEST_F(MainWindowTest, AreasBarFollowsTheActiveWindowAndLetsGoOfAClosedOne) {
    app->DispatchCommand(cmd::kNewVelora);
    DocumentFrame* first = Frame().ActiveFrame();
    app->DispatchCommand(cmd::kNewVelora);
    DocumentFrame* second = Frame().ActiveFrame();
    CAreasBar* bar = Frame().AreasBar();
    EXPECT_EQ(bar->GetActiveDocument(), second->Document());
    Frame().MdiArea()->setActiveSubWindow(first);
    EXPECT_EQ(bar->GetActiveDocument(), first->Document());
    EXPECT_EQ(bar->GetView(), first->View());
    // Closing another window leaves the bar as it is; closing the shown one
    // empties it.
    second->close();
    Settle();
    EXPECT_EQ(bar->GetActiveDocument(), first->Document());
    first->close();
    Settle();
    EXPECT_EQ(bar->GetActiveDocument(), nullptr);
    EXPECT_EQ(bar->GetModel(), nullptr);
}

// The areas list's context menu acts on the area under the pointer, through
// the document's commands; Rename keeps names unique.
TEST_F(MainWindowTest, TheAreaMenuRenamesDeletesAndTakesTheTextureOff) {
    test::WriteDesign(Path("tulip.vld"), {40, 30}, Qt::red);
    DocumentBase* document = app->OpenFile(Path("tulip.vld"));
    ASSERT_NE(document, nullptr);
    QListWidget& list = Frame().AreasBar()->AreaList();
    ASSERT_EQ(list.count(), 1);
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                offered << action->text() + (action->isEnabled() ? "" : "-");
        }
        menu->close();
    });
    const QPoint at = list.visualItemRect(list.item(0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &event);
    EXPECT_EQ(offered, QStringList({"&Rename area...", "D&elete area", "Remove &texture"}));
    EXPECT_EQ(list.currentRow(), 0);

    QStringList proposals;
    test::AnswerNextModal<CAreaNameDlg>([&proposals](CAreaNameDlg* dialog) {
        proposals << dialog->Name();
        dialog->SetName("  Petals ");
        dialog->accept();
    });
    app->DispatchCommand(cmd::kRenameArea);
    EXPECT_EQ(proposals, QStringList({"All"}));
    EXPECT_EQ(document->Model().Areas()[0].GetName(), "Petals");
    EXPECT_EQ(list.item(0)->text(), "Petals");

    app->DispatchCommand(cmd::kRemoveTexture);
    EXPECT_FALSE(document->Model().Areas()[0].HasImage());
    app->DispatchCommand(cmd::kEditUndo);
    EXPECT_TRUE(document->Model().Areas()[0].HasImage());
    app->DispatchCommand(cmd::kEditUndo);
    EXPECT_EQ(list.item(0)->text(), "All");
    EXPECT_FALSE(document->IsModified());
}

TEST_F(MainWindowTest, UnknownFileTypeIsReportedNotIgnored) {
    QFile file(Path("notes.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("hello");
    file.close();
    QString shown;
    test::AnswerNextModal<QMessageBox>([&shown](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });
    EXPECT_EQ(app->OpenFile(Path("notes.txt")), nullptr);
    EXPECT_TRUE(shown.contains("notes.txt"));
    EXPECT_EQ(ActiveDocument(), nullptr);
}

}  // namespace
}  // namespace velora
