// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

namespace velora {

// One of the program's SVG images as a pixmap at the given pixel density, so
// it stays crisp on high-density screens. Its size is the image's own.
QPixmap SvgPixmap(const QString& resource, qreal devicePixelRatio);

// A cursor from one of the program's 32 x 32 SVG images, drawn at the primary
// screen's pixel density, with its hot spot in the image's own units.
QCursor SvgCursor(const QString& resource, QPoint hotSpot);

}  // namespace velora
