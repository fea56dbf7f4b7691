// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/banner_bar.h"

#include "ui/controls/svg_images.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <iterator>

namespace velora {

namespace {

// The banner images are pictures without words; the words are the program's
// texts, drawn over them in the user's language.
struct BannerText {
    const char* title;
    const char* tagline;
    QRgb taglineColour;
};

constexpr BannerText kBannerTexts[] = {
    {"Orvane Velora", QT_TRANSLATE_NOOP("velora", "Turn any drawing into a colouring template"),
     0xE8F2FC},
    {QT_TRANSLATE_NOOP("velora", "Textures"),
     QT_TRANSLATE_NOOP("velora", "Stone, wood, glass: fill every area with a real material"),
     0xFDEEE5},
    {QT_TRANSLATE_NOOP("velora", "Export"),
     QT_TRANSLATE_NOOP("velora", "BMP, GIF, JPEG, PNG and TIFF at any size you need"), 0xE5F7E8},
};

constexpr int kTextLeft = 80;
constexpr int kTextGap = 18;
constexpr int kRightMargin = 12;

QFont BannerFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("sans-serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QPixmap BannerImage(int index, qreal ratio) {
    QPixmap image = SvgPixmap(QStringLiteral(":/banner/banner%1.svg").arg(index + 1), ratio);
    const BannerText& text = kBannerTexts[index];
    const QString title = QCoreApplication::translate("velora", text.title);
    const QString tagline = QCoreApplication::translate("velora", text.tagline);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const int width = qRound(image.width() / ratio);
    const QFont titleFont = BannerFont(22, true);
    painter.setFont(titleFont);
    painter.setPen(Qt::white);
    painter.drawText(kTextLeft, 35, title);
    const int taglineLeft = kTextLeft + QFontMetrics(titleFont).horizontalAdvance(title) + kTextGap;
    const QFont taglineFont = BannerFont(15, false);
    painter.setFont(taglineFont);
    painter.setPen(QColor(text.taglineColour));
    painter.drawText(taglineLeft, 34,
                     QFontMetrics(taglineFont)
                         .elidedText(tagline, Qt::ElideRight, width - taglineLeft - kRightMargin));
    return image;
}

}  // namespace

CBannerBar::CBannerBar(QWidget* parent)
    : QWidget(parent),
      m_linkCursor(SvgCursor(QStringLiteral(":/cursors/link.svg"), QPoint(11, 2))) {
    setAccessibleName(tr("Banner"));
    setToolTip(ProductPage().toString());
    setMouseTracking(true);
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const qreal ratio = screen() ? screen()->devicePixelRatio() : 1.0;
    for (int i = 0; i < static_cast<int>(std::size(kBannerTexts)); ++i) {
        m_images.append(BannerImage(i, ratio));
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
