// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/mosvel_template_view.h"
#include "ui/views/mosvel_view.h"
#include "view_test_document.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <variant>

namespace velora {
namespace {

using test::ViewTestDocument;

// A 400 x 300 drawing in a 200 x 150 window: the whole drawing fits at 0.5.
constexpr QSize kModel(400, 300);
constexpr QSize kWindow(200, 150);

template <class View>
struct Shown {
    explicit Shown(int kind) : document(kind) {
        document.model.SetSize(kModel.width(), kModel.height());
        document.model.SetMaskBitmap(test::MaskWithSquare(kModel, QRect(10, 10, 100, 100)));
        document.AddView(&view);
        view.resize(kWindow);
        view.show();
        view.OnInitialUpdate();
        view.activateWindow();
        view.setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    }
    ViewTestDocument document;
    View view;
};

void Wheel(CMosvelViewBase& view, QPoint at, int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
}

void Drag(CMosvelViewBase& view, Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(view.viewport(), button, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, view.viewport()->mapToGlobal(to), Qt::NoButton, button,
                     {});
    QApplication::sendEvent(view.viewport(), &move);
    QTest::mouseRelease(view.viewport(), button, {}, to);
}

// Each way of moving, in both kinds of view, from 1:1 scrolled to (50, 40):
// the zoom and scroll position it leaves, and for zooms about the pointer
// that the drawing pixel under it stays.
TEST(ViewNavigation, EveryWayMovesTheViewAsExpected) {
    const QPoint pointer(60, 50);
    struct Case {
        const char* what;
        std::function<void(CMosvelViewBase&)> act;
        double zoom;
        // Where it scrolls to; or, for a zoom, the window point whose drawing
        // pixel stays (the pointer, or the middle for the keys).
        std::variant<QPoint, bool> scrollOrAboutMiddle;
    };
    const std::vector<Case> cases{
        {"wheel scrolls down", [&](auto& v) { Wheel(v, pointer, -120, {}); }, 1.0,
         QPoint(50, 40 + 3 * 10)},
        {"Shift+wheel scrolls sideways",
         [&](auto& v) { Wheel(v, pointer, -120, Qt::ShiftModifier); }, 1.0,
         QPoint(50 + 3 * 10, 40)},
        {"Ctrl+wheel zooms in about the pointer",
         [&](auto& v) { Wheel(v, pointer, 240, Qt::ControlModifier); }, 1.25 * 1.25, false},
        {"Ctrl+wheel zooms out no further than the whole drawing",
         [&](auto& v) { Wheel(v, pointer, -1200, Qt::ControlModifier); }, 0.5, QPoint(0, 0)},
        {"the middle button drags the drawing",
         [&](auto& v) {
             Drag(v, Qt::MiddleButton, {100, 100}, {80, 70});
         },
         1.0, QPoint(70, 70)},
        {"Space and the left button drag the drawing",
         [&](auto& v) {
             QTest::keyPress(&v, Qt::Key_Space);
             Drag(v, Qt::LeftButton, {100, 100}, {110, 90});
             QTest::keyRelease(&v, Qt::Key_Space);
         },
         1.0, QPoint(40, 50)},
        {"Ctrl+0 shows the whole drawing",
         [&](auto& v) { QTest::keyClick(&v, Qt::Key_0, Qt::ControlModifier); }, 0.5, QPoint(0, 0)},
        {"Ctrl++ and Ctrl+- step in and back",
         [&](auto& v) {
             QTest::keyClick(&v, Qt::Key_Plus, Qt::ControlModifier);
             QTest::keyClick(&v, Qt::Key_Plus, Qt::ControlModifier);
             QTest::keyClick(&v, Qt::Key_Minus, Qt::ControlModifier);
         },
         1.25, true},
    };
    for (const int kind : {kTemplateDocument, kDesignDocument}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (kind == kDesignDocument ? " (design)" : ""));
            auto check = [&](CMosvelViewBase& view) {
                view.SetScrollPosition({50, 40});
                const auto* scroll = std::get_if<QPoint>(&c.scrollOrAboutMiddle);
                const QPoint fixed = scroll || !std::get<bool>(c.scrollOrAboutMiddle)
                                         ? pointer
                                         : view.viewport()->rect().center();
                const QPoint under = view.WindowToModel(fixed);
                c.act(view);
                EXPECT_FLOAT_EQ(view.GetZoomX(), static_cast<float>(c.zoom));
                EXPECT_FLOAT_EQ(view.GetZoomY(), static_cast<float>(c.zoom));
                if (scroll) {
                    EXPECT_EQ(view.ScrollPosition(), *scroll);
                } else {
                    EXPECT_LE((view.WindowToModel(fixed) - under).manhattanLength(), 1);
                }
            };
            if (kind == kTemplateDocument) {
                Shown<CMosvelTemplateView> shown(kind);
                check(shown.view);
                // Panning with Space never clicks: nothing is captured.
                EXPECT_TRUE(shown.document.model.Regions().empty());
            } else {
                Shown<CMosvelView> shown(kind);
                check(shown.view);
            }
        }
    }
}

}  // namespace
}  // namespace velora
