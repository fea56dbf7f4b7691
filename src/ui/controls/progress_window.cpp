// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/progress_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace velora {

namespace {
// Often enough to look alive, rarely enough to cost nothing next to the work.
constexpr qint64 kPaintIntervalMs = 40;
}  // namespace

CProgressWindow::CProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_text(new QLabel(this)),
      m_detail(new QLabel(this)),
      m_bar(new QProgressBar(this)),
      m_cancel(new QPushButton(tr("Cancel"), this)) {
    setWindowModality(Qt::ApplicationModal);
    setAccessibleName(tr("Progress"));
    m_bar->setAccessibleName(tr("Progress"));
    m_bar->setTextVisible(false);
    m_detail->hide();
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, &CProgressWindow::cancelRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_detail);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    setMinimumWidth(320);
    SetRange(0);
}

void CProgressWindow::SetText(const QString& text) {
    m_text->setText(text);
    setWindowTitle(text);
    PaintPending();
}

void CProgressWindow::SetDetail(const QString& detail) {
    m_detail->setText(detail);
    m_detail->setVisible(!detail.isEmpty());
    PaintPending();
}

void CProgressWindow::SetRange(int range) {
    m_bar->setRange(0, std::max(range, 0));
    m_bar->setValue(0);
}

void CProgressWindow::Step() {
    if (m_bar->value() < m_bar->maximum()) m_bar->setValue(m_bar->value() + 1);
    if (!m_sincePaint.isValid() || m_sincePaint.elapsed() >= kPaintIntervalMs) PaintPending();
}

void CProgressWindow::SetPosition(int position) {
    m_bar->setValue(std::clamp(position, 0, m_bar->maximum()));
}

int CProgressWindow::Position() const { return m_bar->value(); }

QString CProgressWindow::Text() const { return m_text->text(); }

void CProgressWindow::SetCancelVisible(bool visible) { m_cancel->setVisible(visible); }

void CProgressWindow::ShowCentredOver(QWidget* owner) {
    adjustSize();
    const QRect area =
        owner ? owner->frameGeometry() : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid()) move(area.center() - rect().center());
    show();
    raise();
    PaintPending();
}

// Lets the windows repaint without taking the user's input, so the work
// that called us cannot be re-entered by a click.
void CProgressWindow::PaintPending() {
    m_sincePaint.restart();
    if (!isVisible()) return;
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace velora
