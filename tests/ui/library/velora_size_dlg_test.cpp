// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/velora_size_dlg.h"
#include "core/common/library_folders.h"
#include "modal_answer.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
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

// What each drawing offers besides its size shows, is used from the
// keyboard, and comes back with the size.
TEST_F(VeloraSizeDlgTest, DrawingChoicesShowWhatTheDrawingOffers) {
    // Line art of a black left half and a light grey right half.
    QImage art(100, 50, QImage::Format_Grayscale8);
    art.fill(200);
    for (int y = 0; y < 50; ++y) std::fill_n(art.scanLine(y), 50, 0);
    struct Case {
        const char* name;
        DrawingSizeQuestion question;
        bool page;
        bool threshold;
    };
    const std::vector<Case> cases = {
        {"vector drawing", {}, false, false},
        {"document of three pages",
         {{QSizeF(10, 10), QSizeF(20, 10), QSizeF(5, 5)}, QImage(), 127, 4},
         true,
         false},
        {"line art", {{}, art, 120, 4}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVeloraSizeDlg dialog;
        dialog.SetQuestion(c.question);
        dialog.show();
        auto* page = dialog.findChild<QSpinBox*>();
        auto* slider = dialog.findChild<QSlider*>();
        EXPECT_EQ(page->isVisible(), c.page);
        EXPECT_EQ(slider->isVisible(), c.threshold);
        if (c.page) {
            page->setFocus();
            QTest::keyClick(page, Qt::Key_Up);
            QTest::keyClick(page, Qt::Key_Up);
            QTest::keyClick(page, Qt::Key_Up);
            EXPECT_EQ(dialog.Answer().page, 3);
        }
        if (c.threshold) {
            EXPECT_EQ(dialog.Answer().threshold, 120);
            // The preview shows the grey half as ink once the threshold
            // passes it, and as paper below.
            const auto inkAt = [&](int x) {
                const QImage shown = dialog.findChild<QLabel*>("inkPreview")->pixmap().toImage();
                return qGray(shown.pixel(x * shown.width() / 100, shown.height() / 2)) < 128;
            };
            EXPECT_TRUE(inkAt(10));
            EXPECT_FALSE(inkAt(90));
            slider->setFocus();
            QTest::keyClick(slider, Qt::Key_End);
            EXPECT_TRUE(inkAt(90));
            EXPECT_EQ(dialog.Answer().threshold, 255);
            EXPECT_EQ(dialog.Answer().speckSize, 4);
        }
    }
}

}  // namespace
}  // namespace velora
