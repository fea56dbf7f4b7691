// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/file_drop_target.h"

#include "core/common/file_copy.h"
#include "ui/controls/file_report.h"

#include <QAbstractScrollArea>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QUrl>
#include <QWidget>

namespace velora {

namespace {

QList<QUrl> LocalUrls(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths) urls.append(QUrl::fromLocalFile(path));
    return urls;
}

// Ctrl copies, as in the desktop's file managers; without it a drag from
// inside the program moves.
Qt::DropAction ActionFor(const QDropEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) return Qt::CopyAction;
    if (event->source()) return Qt::MoveAction;
    return event->proposedAction() == Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction;
}

// Accepts a drag carrying files with the action it gets here; true when it
// carries any.
bool AcceptFiles(QDropEvent* event) {
    if (DraggedFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return false;
    }
    event->setDropAction(ActionFor(event));
    event->accept();
    return true;
}

}  // namespace

FileDragData::FileDragData(const QStringList& paths) { setUrls(LocalUrls(paths)); }

void FileDragData::RecordDelivered(const QStringList& sources) const { m_delivered += sources; }

QStringList DraggedFiles(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    }
    return paths;
}

QStringList DeliverDroppedFiles(DroppedFiles& files, const QString& folder) {
    QStringList failures;
    for (const QString& path : files.paths) {
        const CopyResult result = CopyFileToFolder(path, folder, true);
        if (result.outcome == CopyOutcome::Copied) files.delivered.append(path);
        if (result.outcome == CopyOutcome::Failed) {
            failures.append(FileFailureLine(path, result.error));
        }
    }
    return failures;
}

CFileDropTarget::CFileDropTarget(QObject* parent) : QObject(parent) {}

bool CFileDropTarget::Register(QWidget* window) {
    if (IsRegistered()) return false;
    auto* area = qobject_cast<QAbstractScrollArea*>(window);
    m_surface = area ? area->viewport() : window;
    window->setAcceptDrops(true);
    m_surface->setAcceptDrops(true);
    m_surface->installEventFilter(this);
    return true;
}

void CFileDropTarget::Revoke() {
    if (!m_surface) return;
    m_surface->removeEventFilter(this);
    m_surface->setAcceptDrops(false);
    m_surface.clear();
}

bool CFileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_surface) return false;
    switch (event->type()) {
        case QEvent::DragEnter: {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (AcceptFiles(drag)) emit dragEntered(drag->position().toPoint());
            return true;
        }
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (AcceptFiles(drag)) emit dragMoved(drag->position().toPoint());
            return true;
        }
        case QEvent::DragLeave:
            emit dragLeft();
            return true;
        case QEvent::Drop:
            Drop(static_cast<QDropEvent*>(event));
            return true;
        default:
            return false;
    }
}

void CFileDropTarget::Drop(QDropEvent* event) {
    if (!AcceptFiles(event)) return;
    DroppedFiles files{DraggedFiles(event->mimeData()), {}};
    emit filesDropped(files);
    if (const auto* ours = qobject_cast<const FileDragData*>(event->mimeData())) {
        ours->RecordDelivered(files.delivered);
    }
}

}  // namespace velora
