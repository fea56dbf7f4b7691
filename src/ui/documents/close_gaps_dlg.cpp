// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documents/close_gaps_dlg.h"

#include "core/import/gap_closing.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace velora {

namespace {
// Joins are looked for again once the distance has stayed this long.
constexpr int kSettleMilliseconds = 150;
}  // namespace

CloseGapsDialog::CloseGapsDialog(int distance, QWidget* parent)
    : QDialog(parent),
      m_distance(new QSpinBox(this)),
      m_found(new QLabel(this)),
      m_settle(new QTimer(this)) {
    setWindowTitle(tr("Close gaps"));
    m_distance->setRange(1, kMaxGapDistance);
    m_distance->setValue(distance);
    m_distance->setSuffix(tr(" pixels"));
    m_distance->setAccessibleName(tr("Widest gap"));
    m_found->setWordWrap(true);
    auto* explanation = new QLabel(
        tr("Open ends of the outlines are joined to the nearest outline across gaps up to this "
           "wide. The joins are shown in the template."),
        this);
    explanation->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(tr("&Widest gap:"), m_distance);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(m_found);
    layout->addWidget(buttons);
    setMinimumWidth(320);

    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMilliseconds);
    connect(m_distance, &QSpinBox::valueChanged, m_settle, qOverload<>(&QTimer::start));
    connect(m_settle, &QTimer::timeout, this, [this] { emit DistanceChanged(Distance()); });
}

int CloseGapsDialog::Distance() const { return m_distance->value(); }

void CloseGapsDialog::ShowJoinCount(int joins) {
    if (joins == 0) {
        m_found->setText(tr("No gap of up to %1 pixels was found.").arg(Distance()));
    } else {
        m_found->setText(joins == 1 ? tr("1 gap will be closed.")
                                    : tr("%1 gaps will be closed.").arg(joins));
    }
}

}  // namespace velora
