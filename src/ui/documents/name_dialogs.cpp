// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documents/name_dialogs.h"

#include "ui/controls/dialog_frame.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velora {

NamePromptDialog::NamePromptDialog(const QString& caption, const QString& label,
                                   const QString& okText, const QString& cancelText,
                                   QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(this)) {
    ShowCloseButtonOnly(*this);
    setWindowTitle(caption);
    auto* prompt = new QLabel(label, this);
    prompt->setBuddy(m_name);
    m_name->setAccessibleName(QString(label).remove('&').remove(':'));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(okText, QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(cancelText, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    // A dialog of its natural size, which no window manager offers to maximise.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(prompt);
    layout->addWidget(m_name);
    layout->addWidget(buttons);
    m_name->setMinimumWidth(260);
}

QString NamePromptDialog::Name() const { return m_name->text(); }

void NamePromptDialog::SetName(const QString& name) {
    m_name->setText(name);
    m_name->selectAll();
}

CAreaNameDlg::CAreaNameDlg(QWidget* parent)
    : NamePromptDialog(tr("Area name"), tr("&Enter area name:"), tr("OK"), tr("Cancel"), parent) {}

CTemplateNameDlg::CTemplateNameDlg(QWidget* parent)
    : NamePromptDialog(tr("Template name"), tr("Enter template &name:"), tr("&OK"), tr("&Cancel"),
                       parent) {}

}  // namespace velora
