// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/notice_bar.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace velora {
namespace {

QPushButton* ButtonNamed(NoticeBar& bar, const QString& text) {
    for (QPushButton* button : bar.findChildren<QPushButton*>()) {
        if (button->text() == text || button->accessibleName() == text) return button;
    }
    return nullptr;
}

// Every way of ending a notice hides the bar and says so once; only the
// action button also asks for the action.
TEST(NoticeBarTest, EachWayOfEndingANoticeHidesTheBar) {
    const struct {
        const char* name;
        void (*end)(NoticeBar&);
        int actions;
    } cases[] = {
        {"action",
         [](NoticeBar& bar) { QTest::mouseClick(ButtonNamed(bar, "Undo it"), Qt::LeftButton); }, 1},
        {"close button",
         [](NoticeBar& bar) {
             QTest::mouseClick(ButtonNamed(bar, "Dismiss notice"), Qt::LeftButton);
         },
         0},
        {"escape", [](NoticeBar& bar) { QTest::keyClick(&bar, Qt::Key_Escape); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        auto* bar = new NoticeBar(&window);
        window.show();
        EXPECT_TRUE(bar->isHidden());
        int actions = 0;
        bar->ShowNotice("The outline is open somewhere.", "Undo it", [&actions] { ++actions; });
        ASSERT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->Text(), "The outline is open somewhere.");
        EXPECT_EQ(bar->ActionText(), "Undo it");
        QSignalSpy dismissed(bar, &NoticeBar::dismissed);
        c.end(*bar);
        EXPECT_TRUE(bar->isHidden());
        EXPECT_EQ(actions, c.actions);
        EXPECT_EQ(dismissed.count(), 1);
    }
}

TEST(NoticeBarTest, ANewNoticeReplacesTheShownOneAndItsAction) {
    QWidget window;
    auto* bar = new NoticeBar(&window);
    window.show();
    bool ran = false;
    bar->ShowNotice("first", "Take it back", [&ran] { ran = true; });
    bar->ShowNotice("second");
    EXPECT_EQ(bar->Text(), "second");
    EXPECT_TRUE(bar->ActionText().isEmpty());
    int shownButtons = 0;
    for (QPushButton* button : bar->findChildren<QPushButton*>())
        shownButtons += button->isVisible();
    EXPECT_EQ(shownButtons, 1);  // only the dismiss button
    bar->Dismiss();
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace velora
