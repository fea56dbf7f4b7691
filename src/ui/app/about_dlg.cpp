// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/about_dlg.h"

#include "ui/controls/dialog_frame.h"
#include "ui/documents/desktop_user_interface.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>

namespace velora {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    ShowCloseButtonOnly(*this);
    setWindowTitle(tr("About Orvane Velora"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/velora.svg")).pixmap(48, 48));
    icon->setAccessibleName(tr("Velora"));
    auto* name = new QLabel(DesktopUserInterface::ApplicationTitle(), this);
    auto* version = new QLabel(tr("Version 1.0"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    // A dialog of its natural size, which no window manager offers to maximise.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    // Wide enough for the whole title in the window's frame.
    layout->setColumnMinimumWidth(1, 260);
}

}  // namespace velora
