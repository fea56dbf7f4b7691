// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QObject>
#include <QPoint>

#include <optional>

class QWheelEvent;
class QMouseEvent;

namespace velora {

class CMosvelViewBase;

// Moves a view as drawing programs do, in every view and mode: the wheel
// scrolls, Shift+wheel scrolls sideways, Ctrl+wheel zooms about the pointer,
// the middle button (and the left one while Space is held) drags the drawing
// along, and Ctrl++, Ctrl+- and Ctrl+0 zoom in, out and to the whole drawing.
// It sees the view's input first and keeps what it uses from the view's own
// tools.
class ViewNavigation : public QObject {
    Q_OBJECT
public:
    explicit ViewNavigation(CMosvelViewBase& view);

    // Zoom steps of the wheel and the keys.
    static constexpr double kZoomStep = 1.25;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Wheel(QWheelEvent& event);
    bool Press(QMouseEvent& event);
    bool Move(QMouseEvent& event);
    bool Release(QMouseEvent& event);
    void SetSpaceHeld(bool held);
    void ZoomAtCentre(double factor);

    CMosvelViewBase& m_view;
    bool m_spaceHeld = false;
    // Where a drag began: the pointer and the scroll position then.
    std::optional<std::pair<QPointF, QPoint>> m_drag;
    Qt::MouseButton m_dragButton = Qt::NoButton;
    // The viewport's own cursor while the hand shows, to put back.
    std::optional<QCursor> m_ownCursor;
    bool m_hadOwnCursor = false;
};

}  // namespace velora
