// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/view_navigation.h"

#include "ui/views/mosvel_view_base.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QWheelEvent>

#include <cmath>

namespace velora {

namespace {
// One notch of a mouse wheel.
constexpr double kNotch = 120.0;
}  // namespace

ViewNavigation::ViewNavigation(CMosvelViewBase& view) : QObject(&view), m_view(view) {
    view.viewport()->installEventFilter(this);
    view.installEventFilter(this);
    const auto shortcut = [&](QKeySequence keys, auto action) {
        auto* key = new QShortcut(keys, &view, action);
        key->setContext(Qt::WidgetWithChildrenShortcut);
    };
    // Ctrl+= is Ctrl++ without Shift on keyboards whose plus needs it.
    shortcut(QKeySequence::ZoomIn, [this] { ZoomAtCentre(kZoomStep); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { ZoomAtCentre(kZoomStep); });
    shortcut(QKeySequence::ZoomOut, [this] { ZoomAtCentre(1 / kZoomStep); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { m_view.ZoomToFit(); });
}

void ViewNavigation::ZoomAtCentre(double factor) {
    m_view.ZoomAbout(m_view.GetZoomX() * factor, QRectF(m_view.viewport()->rect()).center());
}

bool ViewNavigation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_view) {
        // A release that went to another window must not leave Space held.
        if (event->type() == QEvent::FocusOut) SetSpaceHeld(false);
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        auto& key = static_cast<QKeyEvent&>(*event);
        if (key.key() != Qt::Key_Space || key.isAutoRepeat()) return false;
        SetSpaceHeld(event->type() == QEvent::KeyPress);
        return true;
    }
    switch (event->type()) {
        case QEvent::Wheel:
            return Wheel(static_cast<QWheelEvent&>(*event));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return Press(static_cast<QMouseEvent&>(*event));
        case QEvent::MouseMove:
            return Move(static_cast<QMouseEvent&>(*event));
        case QEvent::MouseButtonRelease:
            return Release(static_cast<QMouseEvent&>(*event));
        default:
            return false;
    }
}

bool ViewNavigation::Wheel(QWheelEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const QPoint angle = event.angleDelta();
    if (modifiers & Qt::ControlModifier) {
        const double notches = (angle.y() != 0 ? angle.y() : angle.x()) / kNotch;
        if (notches != 0) {
            m_view.ZoomAbout(m_view.GetZoomX() * std::pow(kZoomStep, notches), event.position());
        }
        return true;
    }
    if (modifiers & Qt::ShiftModifier) {
        // Sideways: the wheel's turn moves the horizontal bar as it would the
        // vertical one.
        QScrollBar* bar = m_view.horizontalScrollBar();
        const int delta = angle.y() != 0 ? angle.y() : angle.x();
        bar->setValue(bar->value() -
                      static_cast<int>(std::lround(delta / kNotch * 3 * bar->singleStep())));
        return true;
    }
    return false;
}

bool ViewNavigation::Press(QMouseEvent& event) {
    const bool pans =
        event.button() == Qt::MiddleButton || (event.button() == Qt::LeftButton && m_spaceHeld);
    if (!pans) return m_drag.has_value();
    m_drag.emplace(event.position(), m_view.ScrollPosition());
    m_dragButton = event.button();
    if (!m_ownCursor) {
        m_hadOwnCursor = m_view.viewport()->testAttribute(Qt::WA_SetCursor);
        m_ownCursor = m_view.viewport()->cursor();
    }
    m_view.viewport()->setCursor(Qt::ClosedHandCursor);
    return true;
}

bool ViewNavigation::Move(QMouseEvent& event) {
    if (!m_drag) return false;
    const QPointF moved = event.position() - m_drag->first;
    m_view.SetScrollPosition(m_drag->second - moved.toPoint());
    return true;
}

bool ViewNavigation::Release(QMouseEvent& event) {
    if (!m_drag) return false;
    if (event.button() != m_dragButton) return true;
    m_drag.reset();
    SetSpaceHeld(m_spaceHeld);
    return true;
}

// While Space is held the pointer shows an open hand, and a left drag pans.
void ViewNavigation::SetSpaceHeld(bool held) {
    m_spaceHeld = held;
    if (m_drag) return;
    QWidget* viewport = m_view.viewport();
    if (held) {
        if (!m_ownCursor) {
            m_hadOwnCursor = viewport->testAttribute(Qt::WA_SetCursor);
            m_ownCursor = viewport->cursor();
        }
        viewport->setCursor(Qt::OpenHandCursor);
    } else if (m_ownCursor) {
        if (m_hadOwnCursor) {
            viewport->setCursor(*m_ownCursor);
        } else {
            viewport->unsetCursor();
        }
        m_ownCursor.reset();
    }
}

}  // namespace velora
