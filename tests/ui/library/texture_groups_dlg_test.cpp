// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/texture_groups_dlg.h"
#include "library_test_support.h"
#include "modal_answer.h"
#include "scripted_user.h"
#include "ui/controls/folder_tree.h"
#include "ui/library/name_prompt_dlg.h"
#include "ui/library/texture_palette.h"

#include <QFileDialog>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::AnswerNextModal;
using test::Button;

class TextureGroupsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root.MakeFolder("textures/Wood/inner");
        m_root.MakeFolder("textures/stone");
        test::WritePicture(m_root.Path("textures/Wood/oak.png"), test::Solid(8, 8, Qt::red));
        m_root.WriteText("textures/Wood/notes.txt", "any file of a group is shown");
        m_root.WriteText("textures/loose.png", "x");
    }

    QTreeWidgetItem* Group(CTextureGroupsDlg& dialog, int index) {
        return dialog.RootItem()->child(index);
    }

    test::ScratchFolder m_root;
    test::LibraryFoldersScope m_folders{{{}, m_root.Path("textures/"), {}, {}}};
    test::ScriptedUser m_user;
};

TEST_F(TextureGroupsDlgTest, GroupsAreOneLevelAndShowEveryFileTheyHold) {
    CTextureGroupsDlg dialog(m_user);
    EXPECT_EQ(dialog.windowTitle(), "Textures groups");
    QTreeWidgetItem* root = dialog.RootItem();
    EXPECT_EQ(root->text(0), "Textures");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), "Stone");
    EXPECT_EQ(root->child(1)->text(0), "Wood");
    EXPECT_EQ(root->child(1)->childCount(), 0) << "folders inside a group are not groups";
    EXPECT_EQ(root->child(1)->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
    EXPECT_EQ(dialog.Palette().GetItemCount(), 1) << "the textures folder itself";
    dialog.Tree().setCurrentItem(root->child(1));
    EXPECT_EQ(dialog.Palette().GetItemCount(), 2);
    EXPECT_EQ(dialog.Palette().GetModel(), nullptr);
}

TEST_F(TextureGroupsDlgTest, NewGroupsGoBelowTheRootWhateverIsSelected) {
    CTextureGroupsDlg dialog(m_user);
    dialog.Tree().setCurrentItem(Group(dialog, 1));
    auto proposal = std::make_shared<QString>();
    AnswerNextModal<CNamePromptDlg>([proposal](CNamePromptDlg* prompt) {
        *proposal = prompt->Text();
        prompt->SetText("Metal");
        prompt->accept();
    });
    Button(dialog, "C&reate new group")->click();
    EXPECT_TRUE(proposal->startsWith("Group"));
    EXPECT_GT(proposal->mid(5).toInt(), 0);
    EXPECT_TRUE(QFileInfo(m_root.Path("textures/Metal")).isDir());
    EXPECT_EQ(dialog.RootItem()->childCount(), 3);
    EXPECT_EQ(dialog.Tree().currentItem()->text(0), "Metal");
    EXPECT_EQ(dialog.Palette().GetFolder(), m_root.Path("textures/Metal/"));
}

TEST_F(TextureGroupsDlgTest, DeleteGroupAsksTwiceAndDeleteTextureOnce) {
    CTextureGroupsDlg dialog(m_user);
    test::ShowWithClientSize(dialog.Palette(), {300, 200});
    dialog.Tree().setCurrentItem(Group(dialog, 1));
    test::Click(dialog.Palette(), 1);
    m_user.answers = {Answer::Yes};
    Button(dialog, "&Delete texture")->click();
    EXPECT_EQ(m_root.Files("textures/Wood"), QStringList({"notes.txt"}));

    m_user.answers = {Answer::No};
    Button(dialog, "De&lete group")->click();
    EXPECT_TRUE(QFileInfo::exists(m_root.Path("textures/Wood")));
    m_user.answers = {Answer::Yes, Answer::Yes};
    Button(dialog, "De&lete group")->click();
    EXPECT_FALSE(QFileInfo::exists(m_root.Path("textures/Wood")));
    EXPECT_EQ(dialog.Tree().currentItem(), dialog.RootItem());
    EXPECT_FALSE(Button(dialog, "De&lete group")->isEnabled());
    EXPECT_TRUE(QFileInfo::exists(m_root.Path("textures/loose.png")));
}

TEST_F(TextureGroupsDlgTest, AddTexturesWithoutAGroupGoesIntoTheTexturesFolder) {
    m_root.MakeFolder("elsewhere");
    test::WritePicture(m_root.Path("elsewhere/sand.png"), test::Solid(8, 8, Qt::yellow));
    CTextureGroupsDlg dialog(m_user);
    AnswerNextModal<QFileDialog>([this](QFileDialog* files) {
        files->setDirectory(m_root.Path("elsewhere"));
        files->findChild<QLineEdit*>("fileNameEdit")->setText("sand.png");
        QMetaObject::invokeMethod(files, "accept");
    });
    Button(dialog, "&Add textures...")->click();
    EXPECT_TRUE(QFileInfo::exists(m_root.Path("textures/sand.png")));
    EXPECT_EQ(dialog.Palette().GetItemCount(), 2);
}

TEST_F(TextureGroupsDlgTest, TexturesDroppedOnAGroupMoveThereAndOnTheirOwnGroupStay) {
    CTextureGroupsDlg dialog(m_user);
    CFolderTree& tree = dialog.Tree();
    test::ShowWithClientSize(tree, {200, 200});
    const QPoint stone = tree.visualItemRect(Group(dialog, 0)).center();
    const QPoint wood = tree.visualItemRect(Group(dialog, 1)).center();

    const FileDragData move({m_root.Path("textures/Wood/oak.png")});
    test::DropOn(tree.viewport(), move, stone, Qt::ShiftModifier);
    EXPECT_EQ(move.Delivered(), QStringList({m_root.Path("textures/Wood/oak.png")}))
        << "the palette that started the drag deletes what was delivered";
    EXPECT_TRUE(QFileInfo::exists(m_root.Path("textures/stone/oak.png")));

    const FileDragData stay({m_root.Path("textures/Wood/oak.png")});
    test::DropOn(tree.viewport(), stay, wood, Qt::ShiftModifier);
    EXPECT_TRUE(stay.Delivered().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(m_root.Path("textures/Wood/oak.png")));
}

}  // namespace
}  // namespace velora
