// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/document_manager.h"

#include "ui/app/child_frames.h"
#include "ui/documents/mosvel_doc.h"
#include "ui/documents/mosvel_template_doc.h"
#include "ui/views/mosvel_template_view.h"
#include "ui/views/mosvel_view.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QResizeEvent>

namespace velora {

// A window as large as the area, not maximised: a maximised sub-window would
// put its buttons into the menu bar and its title into the main window's.
void FillArea(QMdiArea& area, QMdiSubWindow& window) {
    window.showNormal();
    window.setGeometry(QRect(QPoint(), area.viewport()->size()));
}

DocumentManager::DocumentManager(QMdiArea& area, IUserInterface& user, QObject* parent)
    : QObject(parent), m_area(area), m_viewport(area.viewport()), m_user(user) {
    m_viewport->installEventFilter(this);
}

// A window that fills the area keeps filling it while the main window takes
// its size, as it does at start-up when the window manager maximises it.
// The viewport is compared by its stored address: while the area is being
// destroyed it still sends events, and the area may no longer be asked.
bool DocumentManager::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == m_viewport) {
        const QRect filled(QPoint(), static_cast<QResizeEvent*>(event)->oldSize());
        for (QMdiSubWindow* window : m_area.subWindowList()) {
            if (!window->isMaximized() && window->geometry() == filled) FillArea(m_area, *window);
        }
    }
    return QObject::eventFilter(watched, event);
}

DocumentBase* DocumentManager::CreateDocument(DocumentKind kind) {
    DocumentBase* document = nullptr;
    if (kind == DocumentKind::Design) {
        document = new CMosvelDoc(m_user);
    } else {
        document = new CMosvelTemplateDoc(m_user);
    }
    document->setParent(this);
    connect(document, &DocumentBase::pathAdded, this, &DocumentManager::pathAdded);
    return document;
}

DocumentFrame* DocumentManager::CreateFrame(DocumentBase& document) {
    DocumentFrame* frame = nullptr;
    if (qobject_cast<CMosvelDoc*>(&document)) {
        frame = new CChildFrame(document, new CMosvelView);
    } else {
        frame = new CTemplateFrame(document, new CMosvelTemplateView);
    }
    m_area.addSubWindow(frame);
    frame->hide();
    return frame;
}

// A new document fills the document area, as a tab or as a window, its
// drawing shown whole when it is larger than that.
void DocumentManager::InitialUpdateFrame(DocumentFrame& frame) {
    if (m_area.viewMode() == QMdiArea::TabbedView) {
        frame.showMaximized();
    } else {
        FillArea(m_area, frame);
    }
    frame.View()->OnInitialUpdate();
    frame.View()->ShowWholeOnOpen();
    m_area.setActiveSubWindow(&frame);
    frame.View()->setFocus();
}

void DocumentManager::Discard(DocumentBase& document) {
    const QList<DocumentFrame*> frames = FramesOf(document);
    if (frames.isEmpty()) {
        document.deleteLater();
        return;
    }
    for (DocumentFrame* frame : frames) frame->CloseWithoutAsking();
}

QList<DocumentBase*> DocumentManager::Documents() const {
    return findChildren<DocumentBase*>(QString(), Qt::FindDirectChildrenOnly);
}

DocumentBase* DocumentManager::FindByPath(const QString& path) const {
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (DocumentBase* document : Documents()) {
        if (!document->GetPathName().isEmpty() &&
            QFileInfo(document->GetPathName()).absoluteFilePath() == wanted) {
            return document;
        }
    }
    return nullptr;
}

QList<DocumentFrame*> DocumentManager::FramesOf(const DocumentBase& document) const {
    QList<DocumentFrame*> frames;
    for (QMdiSubWindow* window : m_area.subWindowList()) {
        auto* frame = qobject_cast<DocumentFrame*>(window);
        if (frame && frame->Document() == &document) frames.append(frame);
    }
    return frames;
}

bool DocumentManager::SaveAllModified() {
    for (DocumentBase* document : Documents()) {
        if (!document->SaveModified()) return false;
    }
    return true;
}

}  // namespace velora
