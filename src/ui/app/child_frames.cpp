// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/child_frames.h"

#include "ui/documents/document_base.h"
#include "ui/views/mosvel_view_base.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

namespace velora {

DocumentFrame::DocumentFrame(DocumentBase& document, CMosvelViewBase* view, QWidget* parent)
    : QMdiSubWindow(parent), m_document(&document), m_view(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Ctrl+W and Ctrl+F4 close the document through File > Close, which asks
    // about unsaved changes; the window's own menu does not take them too.
    for (QAction* action : systemMenu()->actions()) action->setShortcuts({});
    setWidget(view);
    document.AddView(view);
    connect(&document, &DocumentBase::titleChanged, this, &DocumentFrame::ShowTitle);
    connect(&document, &DocumentBase::modifiedChanged, this, &QWidget::setWindowModified);
    connect(&document, &DocumentBase::closeRequested, this, &DocumentFrame::CloseWithoutAsking);
    ShowTitle();
    setWindowModified(document.IsModified());
}

DocumentFrame::~DocumentFrame() {
    if (!m_document) return;
    m_document->RemoveView(m_view);
    if (!m_document->Views().isEmpty()) return;
    // Out of the list of open documents at once; deleted once the command
    // that closed it has returned.
    m_document->setParent(nullptr);
    m_document->deleteLater();
}

// "Title", or "Title:2" for the second window of a document shown twice.
void DocumentFrame::ShowTitle() {
    if (!m_document) return;
    QString title = m_document->GetTitle();
    const QList<CMosvelViewBase*>& views = m_document->Views();
    if (views.size() > 1 && views.contains(m_view)) {
        title += QStringLiteral(":%1").arg(views.indexOf(m_view) + 1);
    }
    setWindowTitle(title + QStringLiteral("[*]"));
}

void DocumentFrame::CloseWithoutAsking() {
    m_askBeforeClosing = false;
    close();
}

void DocumentFrame::closeEvent(QCloseEvent* event) {
    const bool lastWindow = m_document && m_document->Views().size() == 1;
    if (m_askBeforeClosing && lastWindow && !m_document->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace velora
