// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/starter_offer.h"

#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/starter/starter_library.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace velora {

CStarterOffer::CStarterOffer(const LibraryFolders& folders, IUserInterface& user, QWidget* parent)
    : QFrame(parent),
      m_folders(folders),
      m_user(user),
      m_add(new QPushButton(tr("Add &starter library"), this)),
      m_dismiss(new QPushButton(tr("&Not now"), this)) {
    setObjectName(QStringLiteral("starterOffer"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setAccessibleName(tr("Starter library"));
    auto* text = new QLabel(tr("Your libraries are empty. Add a starter library of textures "
                               "(wood, stone, fabric, colours) and templates to try Velora at "
                               "once?"),
                            this);
    text->setWordWrap(true);
    text->setForegroundRole(QPalette::ToolTipText);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addWidget(m_add);
    layout->addWidget(m_dismiss);
    connect(m_add, &QPushButton::clicked, this, &CStarterOffer::Add);
    connect(m_dismiss, &QPushButton::clicked, this, &QWidget::hide);
}

void CStarterOffer::Add() {
    try {
        const StarterReport report = AddStarterLibrary(m_folders, m_user);
        hide();
        emit added(static_cast<int>(report.added.size()));
    } catch (const VeloraError& error) {
        m_user.ShowMessage(error.Message(), MessageIcon::Error);
    }
}

}  // namespace velora
