// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/name_prompt_dlg.h"

#include "ui/controls/dialog_frame.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velora {

CNamePromptDlg::CNamePromptDlg(QWidget* parent)
    : QDialog(parent), m_label(new QLabel(this)), m_edit(new QLineEdit(this)) {
    ShowCloseButtonOnly(*this);
    m_label->setBuddy(m_edit);
    auto* ok = new QPushButton(tr("&OK"), this);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QGridLayout(this);
    // A dialog of its natural size, which no window manager offers to maximise.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_label, 0, 0, 1, 3);
    layout->addWidget(m_edit, 1, 0, 1, 3);
    layout->addWidget(ok, 2, 0);
    layout->setColumnStretch(1, 1);
    layout->addWidget(cancel, 2, 2);
    m_edit->setMinimumWidth(240);
}

void CNamePromptDlg::SetCaption(const QString& caption) {
    if (!caption.isEmpty()) setWindowTitle(caption);
}

void CNamePromptDlg::SetLabel(const QString& label) {
    m_label->setText(label);
    m_edit->setAccessibleName(QString(label).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
}

void CNamePromptDlg::SetText(const QString& text) {
    m_edit->setText(text);
    m_edit->selectAll();
}

QString CNamePromptDlg::Text() const { return m_edit->text(); }

}  // namespace velora
