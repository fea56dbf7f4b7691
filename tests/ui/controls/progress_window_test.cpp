// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/progress_window.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace velora {
namespace {

QProgressBar* Bar(CProgressWindow& window) { return window.findChild<QProgressBar*>(); }

TEST(ProgressWindowTest, StepsStopAtTheEndOfTheRange) {
    CProgressWindow window;
    window.SetText("Resizing...");
    window.SetRange(2);
    for (int i = 0; i < 5; ++i) window.Step();
    EXPECT_EQ(window.Position(), 2);
    EXPECT_EQ(Bar(window)->maximum(), 2);
    window.SetRange(3);
    EXPECT_EQ(window.Position(), 0);
    EXPECT_EQ(window.Text(), "Resizing...");
}

TEST(ProgressWindowTest, ANegativeRangeIsEmpty) {
    CProgressWindow window;
    window.SetRange(-4);
    window.Step();
    EXPECT_EQ(window.Position(), 0);
}

TEST(ProgressWindowTest, ShownCentredOverItsOwnerAndModal) {
    QMainWindow owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    CProgressWindow window(&owner);
    window.SetText("Exporting...");
    window.ShowCentredOver(&owner);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isModal());
    EXPECT_LE(std::abs(window.frameGeometry().center().x() - owner.frameGeometry().center().x()),
              2);
    EXPECT_LE(std::abs(window.frameGeometry().center().y() - owner.frameGeometry().center().y()),
              2);
}

TEST(ProgressWindowTest, CancelIsHiddenUntilAskedForAndThenReported) {
    CProgressWindow window;
    auto* cancel = window.findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    window.show();
    EXPECT_FALSE(cancel->isVisible());
    window.SetCancelVisible(true);
    EXPECT_TRUE(cancel->isVisible());
    QSignalSpy spy(&window, &CProgressWindow::cancelRequested);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST(ProgressWindowTest, DetailLineShowsOnlyWithText) {
    CProgressWindow window;
    window.show();
    const auto labels = window.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 2);
    window.SetDetail("File(1 of 3): a.mtp");
    EXPECT_TRUE(labels[1]->isVisible());
    EXPECT_EQ(labels[1]->text(), "File(1 of 3): a.mtp");
    window.SetDetail({});
    EXPECT_FALSE(labels[1]->isVisible());
}

}  // namespace
}  // namespace velora
