// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/design_rows.h"

#include "core/common/errors.h"
#include "core/common/large_image.h"
#include "core/model/drawing_model.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>

namespace velora {

namespace {
QSize DesignSize(const CDrawingModel& model) {
    const QSize size(model.GetWidth(), model.GetHeight());
    if (size.width() < 1 || size.height() < 1) {
        throw VeloraError(
            QCoreApplication::translate("velora",
                                        "The design has no size (%1 x %2), so there is nothing "
                                        "to export.")
                .arg(size.width())
                .arg(size.height()));
    }
    return size;
}
}  // namespace

DesignRows::DesignRows(CDrawingModel& model, bool exportMode, int bandRows)
    : m_size(DesignSize(model)),
      m_pass(model, exportMode, QRect(QPoint(0, 0), m_size)),
      m_bandRows(bandRows > 0 ? std::min(bandRows, m_size.height())
                              : int(std::clamp<qint64>(kBandBytes / (2 * qint64(m_size.width())), 1,
                                                       m_size.height()))) {
    for (Band& band : m_bands) {
        band.image = MakeLargeImage(QSize(m_size.width(), m_bandRows), QImage::Format_RGB16);
        if (band.image.isNull()) {
            throw VeloraError(
                QCoreApplication::translate("velora",
                                            "There is not enough memory to render the design at "
                                            "%1 x %2 pixels.")
                    .arg(m_size.width())
                    .arg(m_size.height()));
        }
    }
}

const uchar* DesignRows::Row(int y) {
    for (const Band& band : m_bands) {
        if (band.top >= 0 && y >= band.top && y < band.top + m_bandRows) {
            return band.image.constScanLine(y - band.top);
        }
    }
    Band& band = m_bands[m_older];
    m_older = 1 - m_older;
    band.top = y - y % m_bandRows;
    {
        // The last band's rows below the design are left as they are.
        QPainter painter(&band.image);
        painter.translate(0, -band.top);
        m_pass.Paint(painter);
    }
    return band.image.constScanLine(y - band.top);
}

}  // namespace velora
