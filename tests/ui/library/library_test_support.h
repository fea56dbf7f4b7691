// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/library/thumbnail_grid.h"
#include "widget_test_support.h"

#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

namespace velora::test {

// Paints the grid until every cell on screen has its picture; false when
// that takes too long.
inline bool WaitForPictures(CThumbnailGrid& grid) {
    return QTest::qWaitFor(
        [&grid] {
            grid.viewport()->grab();
            return !grid.IsLoadingPictures();
        },
        10000);
}

// What the grid shows now, in client coordinates.
inline QImage Shot(CThumbnailGrid& grid) { return grid.viewport()->grab().toImage(); }

inline QPoint CellCentre(const CThumbnailGrid& grid, int position) {
    return grid.CellRect(position).center();
}

inline void Click(CThumbnailGrid& grid, int position,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(grid.viewport(), button, modifiers, CellCentre(grid, position));
}

// Drops the data on a drop surface as a drag that passes over it first;
// the action the surface chose, or IgnoreAction when it refused.
inline Qt::DropAction DropOn(QWidget* surface, const QMimeData& data, QPoint position,
                             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
    QDragEnterEvent enter(position, actions, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(surface, &enter);
    if (!enter.isAccepted()) return Qt::IgnoreAction;
    QDragMoveEvent move(position, actions, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(surface, &move);
    QDropEvent drop(position, actions, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(surface, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

}  // namespace velora::test
