// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/velora_size_dlg.h"
#include "core/common/library_folders.h"
#include "modal_answer.h"

#include <QCheckBox>
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
    Edits(dialog)[1]->setText(" 20 ");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Width(), 640);
    EXPECT_EQ(dialog.Height(), 20);
    Store().sync();
    EXPECT_EQ(Store().value("LastVeloraWidth").toInt(), 640);
    EXPECT_EQ(Store().value("LastVeloraHeight").toInt(), 20);
}

// What cannot be made is said, the dialog stays open with what was typed,
// and nothing is remembered.
TEST_F(VeloraSizeDlgTest, InvalidEntriesAreSaidKeptAndNeverRemembered) {
    const struct {
        const char* width;
        const char* height;
        const char* said;
    } cases[] = {
        {"640", "tall", "Please enter an integer."},
        {"", "480", "Please enter an integer."},
        {"640", "-20", "A drawing of 640 x -20 pixels cannot be made."},
        {"0", "480", "A drawing of 0 x 480 pixels cannot be made."},
        {"30001", "480", "A drawing of 30001 x 480 pixels cannot be made."},
    };
    Remember(500, 300);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width + std::string(" x ") + c.height);
        CVeloraSizeDlg dialog;
        dialog.show();
        Edits(dialog)[0]->setText(c.width);
        Edits(dialog)[1]->setText(c.height);
        QString said;
        test::AnswerNextModal<QMessageBox>([&said](QMessageBox* box) {
            said = box->text();
            box->accept();
        });
        dialog.accept();
        EXPECT_TRUE(said.startsWith(c.said)) << said.toStdString();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Edits(dialog)[0]->text(), c.width);
        EXPECT_EQ(Edits(dialog)[1]->text(), c.height);
        Store().sync();
        EXPECT_EQ(Store().value("LastVeloraWidth").toInt(), 500);
        EXPECT_EQ(Store().value("LastVeloraHeight").toInt(), 300);
    }
}

QCheckBox* KeepAspect(CVeloraSizeDlg& dialog) { return dialog.findChild<QCheckBox*>(); }

// Told the drawing's extent, the dialog shows it and proposes the remembered
// width with the height of the drawing's shape.
TEST_F(VeloraSizeDlgTest, ProposalKeepsTheDrawingsAspectRatio) {
    const struct {
        QSizeF extent;
        int rememberedWidth;
        const char* width;
        const char* height;
        const char* shown;
    } cases[] = {
        {{200, 100}, 600, "600", "300", "Drawing: 200 \u00d7 100 units"},
        {{12.5, 50}, 0, "100", "400", "Drawing: 12.5 \u00d7 50 units"},
        // Far taller than wide: the height is the largest, the width follows.
        {{1, 1000}, 800, "30", "30000", "Drawing: 1 \u00d7 1000 units"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        Store().clear();
        if (c.rememberedWidth) Remember(c.rememberedWidth, 77);
        CVeloraSizeDlg dialog(nullptr, c.extent);
        EXPECT_EQ(Edits(dialog)[0]->text(), c.width);
        EXPECT_EQ(Edits(dialog)[1]->text(), c.height);
        EXPECT_TRUE(KeepAspect(dialog)->isChecked());
        bool shown = false;
        for (QLabel* label : dialog.findChildren<QLabel*>()) shown |= label->text() == c.shown;
        EXPECT_TRUE(shown);
    }
}

TEST_F(VeloraSizeDlgTest, TypingEitherSideKeepsTheRatioWhileChecked) {
    CVeloraSizeDlg dialog(nullptr, QSizeF(300, 200));
    dialog.show();
    QLineEdit* width = Edits(dialog)[0];
    QLineEdit* height = Edits(dialog)[1];
    width->clear();
    QTest::keyClicks(width, "900");
    EXPECT_EQ(height->text(), "600");
    height->clear();
    QTest::keyClicks(height, "50");
    EXPECT_EQ(width->text(), "75");
    // Unchecked, each side is typed on its own; a size from the list is
    // taken as it is.
    KeepAspect(dialog)->setChecked(false);
    width->clear();
    QTest::keyClicks(width, "120");
    EXPECT_EQ(height->text(), "50");
    KeepAspect(dialog)->setChecked(true);
    Sizes(dialog)->setCurrentIndex(Sizes(dialog)->findText("800x800"));
    EXPECT_EQ(height->text(), "800");
    EXPECT_FALSE(KeepAspect(dialog)->isChecked());
}

TEST_F(VeloraSizeDlgTest, WithoutAnExtentThereIsNoRatioToKeep) {
    CVeloraSizeDlg dialog(nullptr, QSizeF(40, 0));
    EXPECT_TRUE(KeepAspect(dialog)->isHidden());
    EXPECT_FALSE(KeepAspect(dialog)->isChecked());
    EXPECT_EQ(Edits(dialog)[1]->text(), "100");
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
        DrawingSizeRequest request;
        bool page;
        bool threshold;
    };
    const std::vector<Case> cases = {
        {"vector drawing", {}, false, false},
        {"document of three pages",
         {QSizeF(), {QSizeF(10, 10), QSizeF(20, 10), QSizeF(5, 5)}, QImage(), 127, 4},
         true,
         false},
        {"line art", {QSizeF(), {}, art, 120, 4}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVeloraSizeDlg dialog;
        dialog.SetChoices(c.request);
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
