// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/library_dlg.h"
#include "core/common/error_text.h"
#include "library_test_support.h"
#include "modal_answer.h"
#include "scripted_user.h"
#include "ui/controls/folder_tree.h"
#include "ui/controls/tree_helpers.h"
#include "ui/library/name_prompt_dlg.h"
#include "ui/library/preview_grid.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cerrno>

namespace velora {
namespace {

using test::AnswerNextModal;
using test::Button;

class LibraryDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root.MakeFolder("templates/Kitchen/Old");
        m_root.MakeFolder("templates/bath");
        m_root.MakeFolder("templates/ZOO");
        m_root.MakeFolder("veloras");
        m_root.MakeFolder("outside");
        ASSERT_TRUE(QFile::link(m_root.Path("outside"), m_root.Path("templates/linked")));
    }

    QString Templates(const QString& relative = {}) const {
        return m_root.Path("templates/") + relative;
    }

    static QStringList ChildTexts(const QTreeWidgetItem* item) {
        QStringList texts;
        for (int i = 0; i < item->childCount(); ++i) texts.append(item->child(i)->text(0));
        return texts;
    }

    static QTreeWidgetItem* Child(const QTreeWidgetItem* item, const QString& text) {
        for (int i = 0; i < item->childCount(); ++i) {
            if (item->child(i)->text(0) == text) return item->child(i);
        }
        ADD_FAILURE() << "no item " << text.toStdString();
        return nullptr;
    }

    // Types the name into the next name prompt and answers it; returns what
    // it proposed.
    std::shared_ptr<QString> AnswerNamePrompt(std::optional<QString> name) {
        auto proposal = std::make_shared<QString>();
        AnswerNextModal<CNamePromptDlg>([proposal, name](CNamePromptDlg* prompt) {
            *proposal = prompt->Text();
            if (!name) return prompt->reject();
            prompt->SetText(*name);
            prompt->accept();
        });
        return proposal;
    }

    test::ScratchFolder m_root;
    test::LibraryFoldersScope m_folders{
        {m_root.Path("templates/"), m_root.Path("textures/"), m_root.Path("veloras/"), {}}};
    test::ScriptedUser m_user;
};

TEST_F(LibraryDlgTest, TheTreeShowsRealFoldersInLowerCaseWithACapitalAndReadsThemOnExpanding) {
    CSelectTemplateDlg dialog(LibraryMode::Pick, m_user);
    QTreeWidgetItem* root = dialog.RootItem();
    EXPECT_EQ(root->text(0), "Templates");
    EXPECT_EQ(ChildTexts(root), QStringList({"Bath", "Kitchen", "Zoo"})) << "no linked folder";
    QTreeWidgetItem* kitchen = Child(root, "Kitchen");
    EXPECT_EQ(kitchen->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(Child(root, "Zoo")->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
    EXPECT_EQ(dialog.FolderOf(Child(root, "Zoo")), Templates("ZOO/"));

    kitchen->setExpanded(true);
    ASSERT_EQ(ChildTexts(kitchen), QStringList({"Old"}));
    EXPECT_EQ(dialog.FolderOf(kitchen->child(0)), Templates("Kitchen/Old/"));
    kitchen->setExpanded(false);
    EXPECT_EQ(kitchen->childCount(), 0);
    m_root.MakeFolder("templates/Kitchen/new");
    kitchen->setExpanded(true);
    EXPECT_EQ(ChildTexts(kitchen), QStringList({"New", "Old"})) << "read again from disk";
}

TEST_F(LibraryDlgTest, ChoosingAFolderShowsItsFiles) {
    test::WriteDesign(Templates("top.mtp"), {40, 20}, Qt::red);
    test::WriteDesign(Templates("Kitchen/a.mtp"), {40, 20}, Qt::red);
    test::WriteDesign(Templates("Kitchen/b.mtp"), {40, 20}, Qt::red);
    m_root.WriteText("templates/Kitchen/c.vld", "not a template");
    CSelectTemplateDlg dialog(LibraryMode::Pick, m_user);
    CPreviewGrid& grid = dialog.PreviewGrid();
    EXPECT_EQ(grid.GetFolder(), Templates());
    EXPECT_EQ(grid.GetItemCount(), 1);
    dialog.Tree().setCurrentItem(Child(dialog.RootItem(), "Kitchen"));
    EXPECT_EQ(grid.GetFolder(), Templates("Kitchen/"));
    EXPECT_EQ(grid.GetItemCount(), 2);
    EXPECT_EQ(grid.CellSize(), QSize(100, 100));
}

TEST_F(LibraryDlgTest, PickModeTakesTheFocusedFileAndWaitsForOne) {
    test::WriteDesign(Templates("house.mtp"), {40, 20}, Qt::red);
    CSelectTemplateDlg dialog(LibraryMode::Pick, m_user);
    test::ShowWithClientSize(dialog.PreviewGrid(), {300, 200});
    EXPECT_TRUE(dialog.NameEdit().isHidden());
    EXPECT_FALSE(dialog.findChildren<QLabel*>().empty());
    EXPECT_NE(dialog.findChild<QLabel*>(), nullptr);
    bool prompted = false;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        prompted |= label->text() == "Please select template";
    }
    EXPECT_TRUE(prompted);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted) << "nothing picked yet";
    test::Click(dialog.PreviewGrid(), 0);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.SelectedPath(), Templates("house.mtp"));
}

TEST_F(LibraryDlgTest, DoubleClickingAFilePicksIt) {
    test::WriteDesign(m_root.Path("veloras/mine.vld"), {40, 20}, Qt::red);
    CSelectVeloraDlg dialog(LibraryMode::Pick, m_user);
    test::ShowWithClientSize(dialog.PreviewGrid(), {300, 200});
    // A double click: the first press selects, the second one notifies.
    test::Click(dialog.PreviewGrid(), 0);
    QTest::mouseDClick(dialog.PreviewGrid().viewport(), Qt::LeftButton, {}, {50, 50});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.SelectedPath(), m_root.Path("veloras/mine.vld"));
}

TEST_F(LibraryDlgTest, SaveModeBuildsThePathInTheChosenFolder) {
    CSelectVeloraDlg dialog(LibraryMode::Save, m_user);
    EXPECT_FALSE(dialog.NameEdit().isHidden());
    m_root.MakeFolder("veloras/Blue");
    dialog.Tree().setCurrentItem(dialog.RootItem());
    dialog.NameEdit().setText("house");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ResultPath(), m_root.Path("veloras/house.vld"));

    CSelectTemplateDlg templates(LibraryMode::Save, m_user);
    templates.Tree().setCurrentItem(Child(templates.RootItem(), "Kitchen"));
    templates.NameEdit().setText("flat.mtp");
    templates.accept();
    EXPECT_EQ(templates.ResultPath(), Templates("Kitchen/flat.mtp")) << "no second extension";
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(LibraryDlgTest, SaveModeRefusesNamesTheLibraryCouldNotShow) {
    CSelectTemplateDlg dialog(LibraryMode::Save, m_user);
    for (const char* name : {"", "  ", ".mtp", "a/b", "v1.2"}) {
        dialog.NameEdit().setText(name);
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted) << name;
    }
    ASSERT_EQ(m_user.messages.size(), 5);
    EXPECT_EQ(m_user.messages[0], "Please type a name.");
    EXPECT_EQ(m_user.messages[3], "A name cannot contain \"/\".");
    EXPECT_TRUE(m_user.messages[4].contains("cannot contain a dot"));
    EXPECT_TRUE(dialog.ResultPath().isEmpty());
}

TEST_F(LibraryDlgTest, SaveModeAsksBeforeReplacingAFile) {
    m_root.WriteText("templates/house.mtp", "old");
    CSelectTemplateDlg dialog(LibraryMode::Save, m_user);
    dialog.NameEdit().setText("house");
    m_user.answers = {Answer::No};
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.ResultPath().isEmpty());
    m_user.answers = {Answer::Yes};
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ResultPath(), Templates("house.mtp"));

    CSelectTemplateDlg other(LibraryMode::Save, m_user);
    other.NameEdit().setText("House");
    other.accept();
    EXPECT_EQ(other.result(), QDialog::Accepted) << "another file on a case-sensitive disk";
    EXPECT_TRUE(m_user.answers.empty());
}

TEST_F(LibraryDlgTest, CreateFolderProposesCountedNamesAndMakesTheFolderUnderTheCurrentOne) {
    CSelectTemplateDlg dialog(LibraryMode::Pick, m_user);
    QPushButton* create = Button(dialog, "C&reate folder");
    const auto first = AnswerNamePrompt(std::nullopt);
    create->click();
    const auto second = AnswerNamePrompt(std::nullopt);
    create->click();
    ASSERT_TRUE(first->startsWith("Folder"));
    EXPECT_EQ(second->mid(6).toInt(), first->mid(6).toInt() + 1) << "a cancel still counts";

    dialog.Tree().setCurrentItem(Child(dialog.RootItem(), "Kitchen"));
    AnswerNamePrompt("Pantry");
    create->click();
    EXPECT_TRUE(QFileInfo(Templates("Kitchen/Pantry")).isDir());
    ASSERT_NE(dialog.Tree().currentItem(), nullptr);
    EXPECT_EQ(dialog.Tree().currentItem()->text(0), "Pantry");
    EXPECT_EQ(dialog.PreviewGrid().GetFolder(), Templates("Kitchen/Pantry/"));

    AnswerNamePrompt("Pantry");
    dialog.Tree().setCurrentItem(Child(dialog.RootItem(), "Kitchen"));
    create->click();
    AnswerNamePrompt("a/b");
    create->click();
    ASSERT_EQ(m_user.messages.size(), 2);
    EXPECT_EQ(m_user.messages[0], GetErrorText(EEXIST));
    EXPECT_EQ(m_user.messages[1], "\"a/b\" cannot be used as a folder name.");
}

TEST_F(LibraryDlgTest, DeleteFolderAsksTwiceAndNeverDeletesTheLibraryItself) {
    test::WriteDesign(Templates("Kitchen/a.mtp"), {40, 20}, Qt::red);
    CSelectTemplateDlg dialog(LibraryMode::Pick, m_user);
    QPushButton* remove = Button(dialog, "De&lete folder");
    EXPECT_FALSE(remove->isEnabled()) << "the root is current";
    dialog.Tree().setCurrentItem(Child(dialog.RootItem(), "Kitchen"));
    ASSERT_TRUE(remove->isEnabled());
    m_user.answers = {Answer::Yes, Answer::No};
    remove->click();
    EXPECT_TRUE(QFileInfo::exists(Templates("Kitchen/a.mtp")));
    m_user.answers = {Answer::Yes, Answer::Yes};
    remove->click();
    EXPECT_FALSE(QFileInfo::exists(Templates("Kitchen")));
    EXPECT_EQ(ChildTexts(dialog.RootItem()), QStringList({"Bath", "Zoo"}));
    EXPECT_EQ(dialog.Tree().currentItem(), dialog.RootItem());
    EXPECT_TRUE(QFileInfo(m_root.Path("outside")).isDir());
}

TEST_F(LibraryDlgTest, FilesDroppedOnATreeItemAreCopiedIntoItsFolder) {
    m_root.WriteText("outside/a.mtp", "a");
    m_root.WriteText("templates/bath/b.mtp", "b");
    CSelectTemplateDlg dialog(LibraryMode::Pick, m_user);
    CFolderTree& tree = dialog.Tree();
    test::ShowWithClientSize(tree, {200, 200});
    QTreeWidgetItem* kitchen = Child(dialog.RootItem(), "Kitchen");
    QTreeWidgetItem* highlighted = nullptr;
    QObject::connect(&tree, &CFolderTree::filesDropped,
                     [&](DroppedFiles&) { highlighted = tree.DropHighlightItem(); });

    const FileDragData data({m_root.Path("outside/a.mtp"), Templates("bath/b.mtp")});
    test::DropOn(tree.viewport(), data, tree.visualItemRect(kitchen).center(), Qt::ShiftModifier);
    EXPECT_EQ(highlighted, kitchen);
    EXPECT_EQ(tree.DropHighlightItem(), nullptr);
    EXPECT_EQ(m_root.Files("templates/Kitchen"), QStringList({"a.mtp", "b.mtp"}));
    EXPECT_EQ(data.Delivered().size(), 2);

    const FileDragData again({Templates("bath/b.mtp")});
    test::DropOn(tree.viewport(), again,
                 tree.visualItemRect(Child(dialog.RootItem(), "Bath")).center());
    EXPECT_TRUE(again.Delivered().isEmpty()) << "a file dropped on its own folder stays";
    EXPECT_EQ(m_root.ReadText("templates/bath/b.mtp"), "b");

    test::DropOn(tree.viewport(), FileDragData({m_root.Path("outside/a.mtp")}), {5, 190});
    EXPECT_TRUE(QFileInfo::exists(Templates("a.mtp"))) << "the empty part is the library";
    EXPECT_EQ(dialog.PreviewGrid().GetItemCount(), 1) << "the grid showing it is up to date";
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(LibraryDlgTest, AddTemplatesCopiesChosenFilesWithoutReplacingAny) {
    m_root.WriteText("outside/new.mtp", "new");
    m_root.WriteText("outside/kept.mtp", "outside");
    m_root.WriteText("templates/kept.mtp", "library");
    CSelectTemplateDlg dialog(LibraryMode::Pick, m_user);
    AnswerNextModal<QFileDialog>([this](QFileDialog* files) {
        files->setDirectory(m_root.Path("outside"));
        files->findChild<QLineEdit*>("fileNameEdit")->setText("\"new.mtp\" \"kept.mtp\"");
        QMetaObject::invokeMethod(files, "accept");
    });
    Button(dialog, "&Add templates...")->click();
    EXPECT_EQ(m_root.ReadText("templates/new.mtp"), "new");
    EXPECT_EQ(m_root.ReadText("templates/kept.mtp"), "library");
    ASSERT_EQ(m_user.messages.size(), 1);
    EXPECT_TRUE(m_user.messages[0].startsWith("These files were not added:\nkept.mtp: "));
    EXPECT_EQ(dialog.PreviewGrid().GetItemCount(), 2);
}

TEST_F(LibraryDlgTest, DeleteTemplateAsksAndDeletesTheSelection) {
    test::WriteDesign(Templates("a.mtp"), {40, 20}, Qt::red);
    test::WriteDesign(Templates("b.mtp"), {40, 20}, Qt::red);
    CSelectTemplateDlg dialog(LibraryMode::Pick, m_user);
    test::ShowWithClientSize(dialog.PreviewGrid(), {300, 200});
    test::Click(dialog.PreviewGrid(), 0);
    test::Click(dialog.PreviewGrid(), 1, Qt::ControlModifier);
    QPushButton* remove = Button(dialog, "&Delete template");
    m_user.answers = {Answer::No};
    remove->click();
    EXPECT_EQ(m_root.Files("templates").size(), 2);
    m_user.answers = {Answer::Yes};
    remove->click();
    EXPECT_TRUE(m_root.Files("templates").isEmpty());
}

TEST_F(LibraryDlgTest, TheVeloraLibraryHasNoFileButtons) {
    CSelectVeloraDlg dialog(LibraryMode::Save, m_user);
    EXPECT_EQ(dialog.windowTitle(), "Select velora");
    EXPECT_EQ(dialog.RootItem()->text(0), "Veloras");
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->text().contains("template")) << button->text().toStdString();
    }
}

}  // namespace
}  // namespace velora
