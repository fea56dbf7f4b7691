// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/notice_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace velora {

NoticeBar::NoticeBar(QWidget* parent)
    : QFrame(parent),
      m_text(new QLabel(this)),
      m_action(new QPushButton(this)),
      m_close(new QPushButton(this)) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setAccessibleName(tr("Notice"));

    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_close->setFlat(true);
    m_close->setToolTip(tr("Dismiss"));
    m_close->setAccessibleName(tr("Dismiss notice"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 3, 3);
    layout->addWidget(icon);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_action);
    layout->addWidget(m_close);

    connect(m_action, &QPushButton::clicked, this, [this] {
        // The action may show a notice of its own.
        const std::function<void()> run = std::move(m_run);
        Dismiss();
        if (run) run();
    });
    connect(m_close, &QPushButton::clicked, this, &NoticeBar::Dismiss);
    hide();
}

void NoticeBar::ShowNotice(const QString& text, const QString& actionText,
                           std::function<void()> action) {
    if (!isHidden()) emit dismissed();
    m_text->setText(text);
    m_run = std::move(action);
    m_action->setText(actionText);
    m_action->setVisible(m_run != nullptr);
    show();
}

void NoticeBar::Dismiss() {
    m_run = nullptr;
    if (isHidden()) return;
    hide();
    emit dismissed();
}

QString NoticeBar::Text() const { return m_text->text(); }

QString NoticeBar::ActionText() const {
    return m_action->isHidden() ? QString() : m_action->text();
}

void NoticeBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Dismiss();
        return;
    }
    QFrame::keyPressEvent(event);
}

}  // namespace velora
