// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMimeData>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>

class QDropEvent;
class QWidget;

namespace velora {

// The files of one drop, as the receiver gets them.
struct DroppedFiles {
    // Full local paths, in the order of the dragged list.
    QStringList paths;
    // The receiver lists here every source file it has copied to another
    // place. A move out of this program's own grids deletes these and no
    // others, so a file that was not copied (a failure, or a drop onto the
    // folder it is already in) is never lost.
    QStringList delivered;
};

// The data of a file drag started by this program: the files as a
// text/uri-list, which the desktop's file managers read as well, and the
// receipt that a drop target inside the program fills in.
class FileDragData : public QMimeData {
    Q_OBJECT
public:
    explicit FileDragData(const QStringList& paths);

    // Called by the receiving side during the drop; the drag itself only
    // hands the receiver a const pointer.
    void RecordDelivered(const QStringList& sources) const;
    QStringList Delivered() const { return m_delivered; }

private:
    mutable QStringList m_delivered;
};

// The local files a drag carries; empty when it carries none.
QStringList DraggedFiles(const QMimeData* data);

// Copies dropped files into a folder under their own names, replacing files
// of the same name, and lists each copied one as delivered. A file dropped
// on the folder it is in stays as it is. Returns a line for each file that
// could not be copied (FileFailureLine).
QStringList DeliverDroppedFiles(DroppedFiles& files, const QString& folder);

// Turns the drags over one widget into signals of that widget's drop
// surface: where a drag enters, moves, leaves, and which files are dropped.
// Any drag that carries local files is accepted; with Ctrl held it is a
// copy, else a drag from inside the program is a move and one from another
// program what that program proposes (a file manager proposes a copy unless
// told to move). The pointer shows which. Drags without files
// are refused, so the pointer shows that nothing can be dropped.
class CFileDropTarget : public QObject {
    Q_OBJECT
public:
    explicit CFileDropTarget(QObject* parent = nullptr);

    // Accepts drops on the widget (on the viewport of a scroll area, whose
    // coordinates the positions then use). False when already registered.
    bool Register(QWidget* window);
    void Revoke();
    bool IsRegistered() const { return !m_surface.isNull(); }

signals:
    void dragEntered(const QPoint& position);
    void dragMoved(const QPoint& position);
    void dragLeft();
    // Receivers copy the files and list what they delivered (see
    // DroppedFiles); the list is valid only during the call.
    void filesDropped(DroppedFiles& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Drop(QDropEvent* event);

    QPointer<QWidget> m_surface;
};

}  // namespace velora
