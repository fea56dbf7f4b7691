// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/velora_size_dlg.h"
#include "core/common/library_folders.h"
#include "modal_answer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

namespace velora {
namespace {

class VeloraSizeDlgTest : public testing::Test {
protected:
    void SetUp() override { Store().clear(); }
    static QSettings& Store() {
        static QSettings settings(SettingsOrganization(), SettingsApplication());
        return settings;
    }
    static void Remember(int width, int height) {
        Store().setValue("LastVeloraWidth", width);
        Store().setValue("LastVeloraHeight", height);
        Store().sync();
    }
    static QComboBox* Sizes(CVeloraSizeDlg& dialog) { return dialog.findChild<QComboBox*>(); }
    static QList<QLineEdit*> Edits(CVeloraSizeDlg& dialog) {
        return dialog.findChildren<QLineEdit*>();
    }
};

TEST_F(VeloraSizeDlgTest, StandardSizesAreListedSortedAsText) {
    CVeloraSizeDlg dialog;
    QStringList shown;
    for (int i = 0; i < Sizes(dialog)->count(); ++i) shown.append(Sizes(dialog)->itemText(i));
    EXPECT_EQ(shown, QStringList({"100x100", "1024x768", "200x200", "320x200", "400x400", "640x480",
                                  "800x600", "800x800"}));
}

TEST_F(VeloraSizeDlgTest, FirstRunProposesTheFirstStandardSize) {
    CVeloraSizeDlg dialog;
    EXPECT_EQ(Sizes(dialog)->currentText(), "100x100");
    EXPECT_EQ(Edits(dialog)[0]->text(), "100");
    EXPECT_EQ(Edits(dialog)[1]->text(), "100");
}

TEST_F(VeloraSizeDlgTest, RememberedStandardSizeIsSelected) {
    Remember(800, 600);
    CVeloraSizeDlg dialog;
    EXPECT_EQ(Sizes(dialog)->currentText(), "800x600");
    EXPECT_EQ(Edits(dialog)[0]->text(), "800");
    EXPECT_EQ(Edits(dialog)[1]->text(), "600");
}

TEST_F(VeloraSizeDlgTest, RememberedOtherSizeShowsWithoutSelection) {
    Remember(500, 300);
    CVeloraSizeDlg dialog;
    EXPECT_EQ(Sizes(dialog)->currentIndex(), -1);
    EXPECT_EQ(Edits(dialog)[0]->text(), "500");
    EXPECT_EQ(Edits(dialog)[1]->text(), "300");
}

TEST_F(VeloraSizeDlgTest, ChoosingAStandardSizeFillsBothEdits) {
    CVeloraSizeDlg dialog;
    Sizes(dialog)->setCurrentIndex(Sizes(dialog)->findText("1024x768"));
    EXPECT_EQ(Edits(dialog)[0]->text(), "1024");
    EXPECT_EQ(Edits(dialog)[1]->text(), "768");
}

TEST_F(VeloraSizeDlgTest, OkTakesTypedSizeAndRemembersIt) {
    CVeloraSizeDlg dialog;
    dialog.show();
    Edits(dialog)[0]->setText("640");
    Edits(dialog)[1]->setText("-20");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Width(), 640);
    EXPECT_EQ(dialog.Height(), -20);
    Store().sync();
    EXPECT_EQ(Store().value("LastVeloraWidth").toInt(), 640);
    EXPECT_EQ(Store().value("LastVeloraHeight").toInt(), -20);
}

TEST_F(VeloraSizeDlgTest, LettersAskForAnIntegerAndKeepTheDialogOpen) {
    CVeloraSizeDlg dialog;
    dialog.show();
    Edits(dialog)[1]->setText("tall");
    QString said;
    test::AnswerNextModal<QMessageBox>([&said](QMessageBox* box) {
        said = box->text();
        box->accept();
    });
    dialog.accept();
    EXPECT_EQ(said, "Please enter an integer.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(Edits(dialog)[1]->hasFocus() || Edits(dialog)[1]->selectedText() == "tall");
}

}  // namespace
}  // namespace velora
