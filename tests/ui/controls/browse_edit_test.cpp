// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/browse_edit.h"
#include "ui/controls/file_filter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(BrowseEditTest, TheButtonTakesTwentyPixelsAtTheRightEnd) {
    CFileBrowseEdit edit;
    edit.resize(300, 20);
    edit.show();
    EXPECT_EQ(edit.Edit()->geometry(), QRect(0, 0, 280, 20));
    EXPECT_EQ(edit.Button()->geometry(), QRect(280, 0, 20, 20));
    EXPECT_EQ(edit.Button()->text(), "...");
    EXPECT_FALSE(edit.Button()->accessibleName().isEmpty());
}

TEST(BrowseEditTest, DisablingTheControlDisablesBothParts) {
    CFileBrowseEdit edit;
    edit.setEnabled(false);
    EXPECT_FALSE(edit.Edit()->isEnabled());
    EXPECT_FALSE(edit.Button()->isEnabled());
    edit.setEnabled(true);
    EXPECT_TRUE(edit.Edit()->isEnabled());
    EXPECT_TRUE(edit.Button()->isEnabled());
}

TEST(BrowseEditTest, TheTextIsTheEditsAndChosenFilesAreJoinedWithSemicolons) {
    CFileBrowseEdit edit;
    edit.setText("/tmp/x.jpg");
    EXPECT_EQ(edit.Edit()->text(), "/tmp/x.jpg");
    const QString folder = QDir::tempPath();
    edit.SetDialogMode(true, BrowseFlag::FileMustExist | BrowseFlag::AllowMultiSelect);
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        offered = dialog->nameFilters();
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
        EXPECT_EQ(QDir(dialog->directory()).absolutePath(), QDir(folder).absolutePath())
            << "it opens in the folder of the text";
        dialog->reject();
    });
    edit.Button()->click();
    EXPECT_EQ(offered, QStringList({"All files (*.*)"}));
    EXPECT_EQ(edit.text(), "/tmp/x.jpg") << "a cancelled dialog leaves the text";
}

TEST(FileFilterTest, NamesAndPatternListsBecomeQtFilters) {
    EXPECT_EQ(FileDialogFilters("Mosvel template(*.mtp)|*.mtp|"),
              QStringList({"Mosvel template (*.mtp)"}));
    EXPECT_EQ(FileDialogFilters("All available formats(*.bmp,*.gif;*.png)|*.bmp;*.gif;*.png|"
                                "All files(*.*)|*.*|"),
              QStringList({"All available formats (*.bmp *.gif *.png)", "All files (*.*)"}));
    EXPECT_EQ(FileDialogFilters("Plain|*.txt"), QStringList({"Plain (*.txt)"}));
    EXPECT_TRUE(FileDialogFilters("").isEmpty());
}

}  // namespace
}  // namespace velora
