// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBasicTimer>
#include <QCursor>
#include <QList>
#include <QPixmap>
#include <QUrl>
#include <QWidget>

namespace velora {

// The strip at the top of the main window: three images of ours, changing
// every two seconds; a click on the image opens the product's web page.
class CBannerBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 60;
    static constexpr int kIntervalMs = 2000;

    explicit CBannerBar(QWidget* parent = nullptr);

    int CurrentIndex() const { return m_current; }
    int ImageCount() const { return static_cast<int>(m_images.size()); }
    // Where the current image stands, centred in the bar.
    QRect ImageRect() const;
    static QUrl ProductPage();

    QSize sizeHint() const override;

signals:
    // A click on the image asks for the product page.
    void productPageRequested(const QUrl& url);

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QList<QPixmap> m_images;
    int m_current = 0;
    QCursor m_linkCursor;
    QBasicTimer m_timer;
};

}  // namespace velora
