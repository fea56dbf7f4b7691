// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/help_window.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace velora {

CHelpWindow::CHelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setWindowTitle(tr("Velora Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setAccessibleName(tr("User guide"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/user_guide.html")));
    auto* close = new QPushButton(tr("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(640, 720);
}

CHelpWindow* OpenHelp(QWidget* owner) {
    const QFileInfo helpFile(QDir::current().absoluteFilePath(QLatin1String(kHelpFileName)));
    if (helpFile.isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile.filePath()))) {
        return nullptr;
    }
    // One guide window is enough; Help brings it forward again.
    auto* window = owner ? owner->findChild<CHelpWindow*>() : nullptr;
    if (!window) window = new CHelpWindow(owner);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace velora
