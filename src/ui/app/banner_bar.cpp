// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/banner_bar.h"

#include "ui/controls/svg_images.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace velora {

CBannerBar::CBannerBar(QWidget* parent)
    : QWidget(parent),
      m_linkCursor(SvgCursor(QStringLiteral(":/cursors/link.svg"), QPoint(11, 2))) {
    setAccessibleName(tr("Banner"));
    setToolTip(ProductPage().toString());
    setMouseTracking(true);
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const qreal ratio = screen() ? screen()->devicePixelRatio() : 1.0;
    for (int i = 1; i <= 3; ++i) {
        m_images.append(SvgPixmap(QStringLiteral(":/banner/banner%1.svg").arg(i), ratio));
    }
    m_timer.start(kIntervalMs, this);
}

QUrl CBannerBar::ProductPage() { return QUrl(QStringLiteral("https://www.orvane.example/velora")); }

QSize CBannerBar::sizeHint() const { return QSize(32767, kHeight); }

QRect CBannerBar::ImageRect() const {
    if (m_images.isEmpty()) return {};
    const QSize image = m_images[m_current].deviceIndependentSize().toSize();
    return QRect(QPoint((width() - image.width()) / 2, (height() - image.height()) / 2), image);
}

void CBannerBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect image = ImageRect();
    const QRegion around = QRegion(rect()) - QRegion(image);
    for (const QRect& part : around) painter.fillRect(part, palette().button());
    if (!m_images.isEmpty()) painter.drawPixmap(image.topLeft(), m_images[m_current]);
}

void CBannerBar::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer.timerId() || m_images.isEmpty()) return;
    m_current = (m_current + 1) % static_cast<int>(m_images.size());
    update();
}

void CBannerBar::mouseMoveEvent(QMouseEvent* event) {
    if (ImageRect().contains(event->position().toPoint())) {
        setCursor(m_linkCursor);
    } else {
        unsetCursor();
    }
    QWidget::mouseMoveEvent(event);
}

void CBannerBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && ImageRect().contains(event->position().toPoint())) {
        emit productPageRequested(ProductPage());
    }
    QWidget::mousePressEvent(event);
}

}  // namespace velora
