// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/drawing_object.h"

#include <QPainterPath>

namespace velora {

const QRegion& CDrawingObject::GetRegion() const {
    if (!m_region) {
        QPainterPath painterPath = m_path.ToPainterPath();
        painterPath.setFillRule(Qt::OddEvenFill);
        m_region = QRegion(painterPath.toFillPolygon().toPolygon(), Qt::OddEvenFill);
    }
    return *m_region;
}

}  // namespace velora
