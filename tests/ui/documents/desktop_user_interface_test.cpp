// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documents/desktop_user_interface.h"
#include "modal_answer.h"
#include "ui/controls/progress_window.h"
#include "ui/documents/name_dialogs.h"
#include "ui/library/velora_size_dlg.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace velora {
namespace {

TEST(DesktopUserInterfaceTest, ProgressShowsCentredOverTheMainWindowAndGoesAtTheEnd) {
    QMainWindow owner;
    owner.setGeometry(50, 50, 900, 700);
    owner.show();
    DesktopUserInterface user(&owner);
    {
        ProgressScope step(user, "Converting to areas...", 3);
        CProgressWindow* window = user.Progress();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->Text(), "Converting to areas...");
        EXPECT_LE(
            std::abs(window->frameGeometry().center().x() - owner.frameGeometry().center().x()), 2);
        step.Step();
        step.Step();
        EXPECT_EQ(window->Position(), 2);
    }
    EXPECT_EQ(user.Progress(), nullptr);
}

TEST(DesktopUserInterfaceTest, AreaNameProposalIsShownAndTheTypedNameReturned) {
    DesktopUserInterface user;
    QString proposed;
    test::AnswerNextModal<CAreaNameDlg>([&proposed](CAreaNameDlg* dialog) {
        proposed = dialog->Name();
        dialog->findChild<QLineEdit*>()->setText("Chimney");
        dialog->accept();
    });
    EXPECT_EQ(user.AskAreaName("Area 7"), std::optional<QString>("Chimney"));
    EXPECT_EQ(proposed, "Area 7");
    test::AnswerNextModal<CAreaNameDlg>([](CAreaNameDlg* dialog) { dialog->reject(); });
    EXPECT_EQ(user.AskAreaName("Area 8"), std::nullopt);
}

TEST(DesktopUserInterfaceTest, DrawingSizeComesFromTheSizeDialog) {
    DesktopUserInterface user;
    test::AnswerNextModal<CVeloraSizeDlg>([](CVeloraSizeDlg* dialog) {
        const auto edits = dialog->findChildren<QLineEdit*>();
        edits[0]->setText("321");
        edits[1]->setText("123");
        dialog->accept();
    });
    const std::optional<DrawingSizeAnswer> answer = user.AskDrawingSize({});
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->size, QSize(321, 123));
}

TEST(DesktopUserInterfaceTest, QuestionsAnswerWithTheButtonPressed) {
    DesktopUserInterface user;
    QString title;
    test::AnswerNextModal<QMessageBox>([&title](QMessageBox* box) {
        title = box->windowTitle();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(user.AskYesNoCancel("Save changes to a?"), Answer::No);
    EXPECT_EQ(title, "Orvane Velora Pro - Admin");
    test::AnswerNextModal<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(user.AskYesNo("Are you sure you wanna delete all selected areas?"));
    // Enter on a question that would replace or delete keeps what is there.
    test::AnswerNextModal<QMessageBox>(
        [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_FALSE(user.AskYesNo("File already exist. Do you want to replace the file?"));
}

}  // namespace
}  // namespace velora
