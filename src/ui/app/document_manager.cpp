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

namespace velora {

namespace {
constexpr QSize kSmallestFrame(320, 240);
// Room for the frame's title, borders and scroll bars around the drawing.
constexpr QSize kFrameDecoration(40, 60);
}  // namespace

// Big enough for the whole drawing where the work area allows it.
QSize DocumentManager::FrameSizeFor(const DocumentFrame& frame) const {
    const CDrawingModel& model = frame.Document()->Model();
    const QSize wanted = QSize(model.GetWidth(), model.GetHeight()) + kFrameDecoration;
    const QSize room = m_area.viewport()->size() * 9 / 10;
    return wanted.expandedTo(kSmallestFrame).boundedTo(room.expandedTo(kSmallestFrame));
}

DocumentManager::DocumentManager(QMdiArea& area, IUserInterface& user, QObject* parent)
    : QObject(parent), m_area(area), m_user(user) {}

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

void DocumentManager::InitialUpdateFrame(DocumentFrame& frame) {
    frame.resize(FrameSizeFor(frame));
    frame.show();
    frame.View()->OnInitialUpdate();
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
