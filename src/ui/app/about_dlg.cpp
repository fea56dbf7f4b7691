// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/about_dlg.h"

#include "ui/documents/desktop_user_interface.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>

namespace velora {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Orvane Velora"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/velora.svg")).pixmap(48, 48));
    icon->setAccessibleName(tr("Velora"));
    auto* name = new QLabel(DesktopUserInterface::ApplicationTitle(), this);
    auto* version = new QLabel(tr("Version 1.0"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
}

}  // namespace velora
