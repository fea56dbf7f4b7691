// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/send_dlg.h"

#include "exchange_fixture.h"
#include "scripted_user.h"
#include "ui/exchange/send_tree.h"
#include "widget_finders.h"

#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::LocalFtpServerOptions;

QStringList Labels(const QTreeWidgetItem* item) {
    QStringList labels;
    for (int i = 0; i < item->childCount(); ++i) labels.append(item->child(i)->text(0));
    return labels;
}

QTreeWidgetItem* Child(QTreeWidgetItem* item, const QString& label) {
    for (int i = 0; i < item->childCount(); ++i) {
        if (item->child(i)->text(0) == label) return item->child(i);
    }
    return nullptr;
}

class SendDlgTest : public test::ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        m_settings.folders = Libraries();
        Put(LibraryPath("templates/Animals/Cat.MTP"), "cat");
        Put(LibraryPath("templates/Animals/notes.txt"), "not offered");
        Put(LibraryPath("templates/b.mtp"), "bee");
        Put(LibraryPath("templates/readme.txt"), "not offered");
        ASSERT_TRUE(QDir().mkpath(LibraryPath("templates/Empty")));
        Put(LibraryPath("textures/Stone/wall.JPG"), "wall");
        Put(LibraryPath("textures/Stone/notes.txt"), "offered: a texture library file");
        Put(LibraryPath("veloras/d.vld"), "design");
        Put(LibraryPath("veloras/x.bmp"), "not offered");
    }

    QTreeWidgetItem* Library(CSendDlg& dialog, int index) {
        return dialog.Tree()->topLevelItem(index);
    }

    // Clicks the item's check box with the mouse, as the user does.
    static void ClickBox(CSendTree* tree, QTreeWidgetItem* item) {
        tree->scrollToItem(item);
        QStyleOptionViewItem option;
        option.initFrom(tree->viewport());
        option.rect = tree->visualItemRect(item);
        option.features = QStyleOptionViewItem::HasCheckIndicator |
                          QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
        option.decorationSize = tree->iconSize();
        const QRect box =
            tree->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, tree);
        const Qt::CheckState before = item->checkState(0);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, box.center());
        ASSERT_NE(item->checkState(0), before) << "the click missed the box";
    }

    static QAbstractButton* Button(CSendDlg& dialog, const QString& text) {
        return test::ButtonLabelled(dialog, text);
    }

    void SendAndWait(CSendDlg& dialog) {
        QTest::mouseClick(Button(dialog, "&Send"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsSending(), 20000);
    }

    SettingsRecord m_settings;
    test::ScriptedUser m_user;
};

TEST_F(SendDlgTest, TheTreeOffersTheLibrariesWithCapitalisedLabelsAndReadsFoldersWhenOpened) {
    CSendDlg dialog(m_settings, m_user);
    dialog.show();
    EXPECT_EQ(dialog.StatusLine(1), "");
    EXPECT_EQ(dialog.StatusLine(2), "");
    ASSERT_EQ(dialog.Tree()->topLevelItemCount(), 3);
    QTreeWidgetItem* templates = Library(dialog, 0);
    EXPECT_EQ(templates->text(0), "Templates");
    EXPECT_EQ(Library(dialog, 1)->text(0), "Textures");
    EXPECT_EQ(Library(dialog, 2)->text(0), "Veloras");
    EXPECT_EQ(Labels(templates), (QStringList{"Animals", "Empty", "B.mtp"}));
    EXPECT_EQ(Labels(Library(dialog, 2)), QStringList{"D.vld"});

    QTreeWidgetItem* animals = Child(templates, "Animals");
    EXPECT_EQ(Labels(animals), QStringList{"<>"});
    EXPECT_EQ(Child(templates, "Empty")->childCount(), 0);
    dialog.Tree()->expandItem(templates);
    dialog.Tree()->expandItem(animals);
    EXPECT_EQ(Labels(animals), QStringList{"Cat.mtp"});
    EXPECT_EQ(CSendTree::PathOf(animals->child(0)), LibraryPath("templates/Animals/Cat.MTP"));

    QTreeWidgetItem* stone = Child(Library(dialog, 1), "Stone");
    dialog.Tree()->expandItem(stone);
    EXPECT_EQ(Labels(stone), (QStringList{"Notes.txt", "Wall.jpg"}));
}

TEST_F(SendDlgTest, AClickCascadesDownAndTickingUpwardsButTheSpaceKeyTogglesOneBox) {
    CSendDlg dialog(m_settings, m_user);
    dialog.show();
    CSendTree* tree = dialog.Tree();
    QTreeWidgetItem* templates = Library(dialog, 0);
    QTreeWidgetItem* animals = Child(templates, "Animals");
    tree->expandItem(templates);
    tree->expandItem(animals);
    QTreeWidgetItem* cat = animals->child(0);

    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, cat));
    EXPECT_EQ(animals->checkState(0), Qt::Checked);
    EXPECT_EQ(templates->checkState(0), Qt::Checked);
    EXPECT_EQ(Child(templates, "B.mtp")->checkState(0), Qt::Unchecked);

    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, animals));
    EXPECT_EQ(cat->checkState(0), Qt::Unchecked);
    EXPECT_EQ(templates->checkState(0), Qt::Checked);

    QTreeWidgetItem* veloras = Library(dialog, 2);
    tree->expandItem(veloras);
    tree->setFocus();
    tree->setCurrentItem(veloras->child(0));
    QTest::keyClick(tree, Qt::Key_Space);
    EXPECT_EQ(veloras->child(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(veloras->checkState(0), Qt::Unchecked);
}

TEST_F(SendDlgTest, TickedFilesReadUnopenedFoldersAndKeepTheRealNames) {
    CSendDlg dialog(m_settings, m_user);
    dialog.show();
    CSendTree* tree = dialog.Tree();
    QTreeWidgetItem* templates = Library(dialog, 0);
    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, templates));
    EXPECT_EQ(tree->TickedFiles(templates), (QStringList{LibraryPath("templates/Animals/Cat.MTP"),
                                                         LibraryPath("templates/b.mtp")}));

    // A ticked folder whose files are all cleared sends nothing from it.
    tree->expandItem(templates);
    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, Child(templates, "B.mtp")));
    QTreeWidgetItem* animals = Child(templates, "Animals");
    tree->expandItem(animals);
    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, animals->child(0)));
    EXPECT_EQ(animals->child(0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(animals->checkState(0), Qt::Checked);
    EXPECT_TRUE(tree->TickedFiles(templates).isEmpty());
}

TEST_F(SendDlgTest, SendUploadsTheTickedFilesLibraryByLibraryAndKeepsTheWindowOpenMeanwhile) {
    ASSERT_NO_FATAL_FAILURE(StartServer(LocalFtpServerOptions::Throttled(200 * 1000)));
    PointProfilesAtServer(m_settings);
    Put(LibraryPath("textures/Stone/big.jpg"), Pattern(300 * 1000));
    // Nothing is ticked there: a server nobody can reach is not contacted.
    m_settings.veloras.port = test::UnusedLoopbackPort();
    CSendDlg dialog(m_settings, m_user);
    dialog.show();
    CSendTree* tree = dialog.Tree();
    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, Library(dialog, 0)));
    ASSERT_NO_FATAL_FAILURE(ClickBox(tree, Library(dialog, 1)));

    QTest::mouseClick(Button(dialog, "&Send"), Qt::LeftButton);
    EXPECT_TRUE(dialog.IsSending());
    EXPECT_FALSE(tree->isEnabled());
    EXPECT_FALSE(Button(dialog, "Cl&ose")->isEnabled());
    dialog.close();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsSending(), 20000);

    EXPECT_TRUE(m_user.messages.isEmpty()) << m_user.messages.join('\n').toStdString();
    EXPECT_EQ(FilesBelow(ServerPath()),
              (QStringList{"t/Animals/Cat.MTP", "t/b.mtp", "x/Stone/big.jpg", "x/Stone/notes.txt",
                           "x/Stone/wall.JPG"}));
    EXPECT_EQ(test::FileBytes(ServerPath("x/Stone/big.jpg")), Pattern(300 * 1000));
    EXPECT_EQ(m_server->MostSessionsAtOnce(), 1);
    EXPECT_EQ(dialog.StatusLine(1), "Finished!");
    EXPECT_EQ(dialog.StatusLine(2), "");
    EXPECT_TRUE(tree->isEnabled());
    EXPECT_TRUE(tree->hasFocus());
    QTest::mouseClick(Button(dialog, "Cl&ose"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SendDlgTest, AnAbortedJobSaysWhyInTheStatusLinesAndAMessage) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    PointProfilesAtServer(m_settings);
    m_settings.templates.port = test::UnusedLoopbackPort();
    CSendDlg dialog(m_settings, m_user);
    dialog.show();
    ASSERT_NO_FATAL_FAILURE(ClickBox(dialog.Tree(), Library(dialog, 0)));
    ASSERT_NO_FATAL_FAILURE(ClickBox(dialog.Tree(), Library(dialog, 2)));
    SendAndWait(dialog);

    ASSERT_EQ(m_user.messages.size(), 1);
    EXPECT_TRUE(m_user.messages[0].startsWith("Can't establish connection!\n127.0.0.1: "));
    // The veloras job ran after the templates job and ended the run.
    EXPECT_EQ(dialog.StatusLine(1), "Finished!");
    EXPECT_EQ(FilesBelow(ServerPath()), QStringList{"v/d.vld"});
}

TEST_F(SendDlgTest, AnAbortedLastJobLeavesItsReasonShowing) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    PointProfilesAtServer(m_settings);
    m_settings.veloras.port = test::UnusedLoopbackPort();
    CSendDlg dialog(m_settings, m_user);
    dialog.show();
    ASSERT_NO_FATAL_FAILURE(ClickBox(dialog.Tree(), Library(dialog, 2)));
    SendAndWait(dialog);
    EXPECT_EQ(dialog.StatusLine(1), "Aborted!");
    EXPECT_EQ(dialog.StatusLine(2), m_user.messages.value(0));
    EXPECT_TRUE(Button(dialog, "&Send")->isEnabled());
}

TEST_F(SendDlgTest, NothingTickedSendsNothing) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    PointProfilesAtServer(m_settings);
    CSendDlg dialog(m_settings, m_user);
    dialog.show();
    QTest::mouseClick(Button(dialog, "&Send"), Qt::LeftButton);
    EXPECT_FALSE(dialog.IsSending());
    EXPECT_EQ(dialog.StatusLine(1), "Finished!");
    EXPECT_EQ(dialog.StatusLine(2), "No files were ticked.");
    EXPECT_TRUE(m_server->Commands().isEmpty());
}

}  // namespace
}  // namespace velora
