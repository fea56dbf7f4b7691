// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/svg_images.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace velora {

QPixmap SvgPixmap(const QString& resource, qreal devicePixelRatio) {
    QSvgRenderer renderer(resource);
    QPixmap pixmap(renderer.defaultSize() * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QCursor SvgCursor(const QString& resource, QPoint hotSpot) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return QCursor(SvgPixmap(resource, screen ? screen->devicePixelRatio() : 1.0), hotSpot.x(),
                   hotSpot.y());
}

}  // namespace velora
