// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_fixture.h"
#include "core/model/drawing_model.h"
#include "modal_answer.h"
#include "ui/app/action_table.h"
#include "ui/app/help_window.h"
#include "ui/controls/command_ids.h"
#include "ui/export/export_dlg.h"
#include "ui/library/library_dlg.h"
#include "ui/library/preview_grid.h"
#include "ui/library/texture_groups_dlg.h"
#include "ui/views/area_list_box.h"
#include "ui/views/areas_bar.h"
#include "widget_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>

namespace velora {
namespace {

// Takes the URLs the desktop would have opened.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

class LibraryCommandsTest : public test::AppFixture {
protected:
    QString Library(const QString& relative) const {
        const LibraryFolders& folders = CurrentLibraryFolders();
        return (relative.startsWith("templates") ? folders.templates : folders.veloras) +
               relative.section('/', 1);
    }

    DocumentBase* NewDesign() {
        app->DispatchCommand(cmd::kNewVelora);
        return ActiveDocument();
    }
};

TEST_F(LibraryCommandsTest, SavingANewDesignAsksTheVeloraLibraryForFolderAndName) {
    DocumentBase* design = NewDesign();
    ASSERT_NE(design, nullptr);
    test::AnswerNextModal<CSelectVeloraDlg>([](CSelectVeloraDlg* dialog) {
        EXPECT_EQ(dialog->Mode(), LibraryMode::Save);
        dialog->NameEdit().setText("garden");
        dialog->accept();
    });
    app->DispatchCommand(cmd::kFileSave);
    EXPECT_EQ(design->GetPathName(), Library("veloras/garden.vld"));
    EXPECT_TRUE(QFileInfo::exists(Library("veloras/garden.vld")));
    EXPECT_FALSE(design->IsModified());
    EXPECT_EQ(design->GetTitle(), "garden.vld") << "the windows take the file's name";

    test::AnswerNextModal<CSelectVeloraDlg>([](CSelectVeloraDlg* dialog) { dialog->reject(); });
    app->DispatchCommand(cmd::kFileSaveAs);
    EXPECT_EQ(design->GetPathName(), Library("veloras/garden.vld"));
}

TEST_F(LibraryCommandsTest, SelectTemplatePicksFromTheLibraryAndShowsItsAreas) {
    test::WriteDesign(Library("templates/house.mtp"), {120, 80}, Qt::blue);
    DocumentBase* design = NewDesign();
    ASSERT_NE(design, nullptr);
    test::AnswerNextModal<CSelectTemplateDlg>([](CSelectTemplateDlg* dialog) {
        EXPECT_EQ(dialog->Mode(), LibraryMode::Pick);
        CPreviewGrid& grid = dialog->PreviewGrid();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(0).center());
        dialog->accept();
    });
    app->DispatchCommand(cmd::kSelectTemplate);
    EXPECT_EQ(design->Model().GetWidth(), 120);
    EXPECT_TRUE(design->IsModified());
    CAreasBar* bar = Frame().AreasBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetActiveDocument(), design);
    ASSERT_EQ(bar->AreaList().count(), 1);
    EXPECT_EQ(bar->AreaList().item(0)->text(), "All");
}

TEST_F(LibraryCommandsTest, ExportBelongsToDesignsAndOpensTheExportDialog) {
    test::WriteDesign(Path("tulip.vld"), {50, 60}, Qt::red);
    ASSERT_NE(app->OpenFile(Path("tulip.vld")), nullptr);
    Frame().UpdateCommandUi();
    EXPECT_TRUE(app->Actions().Action(cmd::kExport)->isEnabled());
    bool shown = false;
    test::AnswerNextModal<CExportDlg>([&shown](CExportDlg* dialog) {
        shown = dialog->WidthEdit().value() == 50 && dialog->HeightEdit().value() == 60;
        dialog->reject();
    });
    app->DispatchCommand(cmd::kExport);
    EXPECT_TRUE(shown);
}

TEST_F(LibraryCommandsTest, TheAreasBarReadsTheGroupsAgainAfterTheTexturesGroupsDialog) {
    CAreasBar* bar = Frame().AreasBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GroupCombo().count(), 0);
    test::AnswerNextModal<CTextureGroupsDlg>([](CTextureGroupsDlg* dialog) {
        QDir().mkpath(dialog->LibraryFolder() + "Marble");
        dialog->reject();
    });
    app->DispatchCommand(cmd::kTexturesGroups);
    ASSERT_EQ(bar->GroupCombo().count(), 1);
    EXPECT_EQ(bar->GroupCombo().itemText(0), "Marble");
}

TEST_F(LibraryCommandsTest, HelpShowsTheUserGuideWhenThereIsNoHelpFile) {
    app->DispatchCommand(cmd::kHelp);
    auto* guide = Frame().findChild<CHelpWindow*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(guide->Browser().toPlainText().contains("Colouring a design"));
    app->DispatchCommand(cmd::kHelp);
    EXPECT_EQ(Frame().findChildren<CHelpWindow*>().size(), 1) << "one guide window";
    guide->close();
}

TEST_F(LibraryCommandsTest, HelpOpensTheHelpFileOfTheCurrentFolderThroughTheDesktop) {
    QFile help(Path(kHelpFileName));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    app->DispatchCommand(cmd::kHelp);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(Path(kHelpFileName)));
    EXPECT_EQ(Frame().findChild<CHelpWindow*>(), nullptr);
}

}  // namespace
}  // namespace velora

#include "library_commands_test.moc"
