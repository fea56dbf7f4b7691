// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/file_drop_target.h"

#include <QTreeWidget>

namespace velora {

// The folder tree of the library dialogs. While files are dragged over it,
// the item under the pointer carries the drop highlight; a drop is passed
// on to the owner as filesDropped, during which DropHighlightItem() names
// the folder the files were dropped on (none for the empty part of the
// tree). The owner registers DropTarget() on the tree once it is set up.
class CFolderTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit CFolderTree(QWidget* parent = nullptr);
    ~CFolderTree() override;

    CFileDropTarget& DropTarget() { return m_dropTarget; }
    QTreeWidgetItem* DropHighlightItem() const { return m_dropHighlight; }

signals:
    void filesDropped(DroppedFiles& files);

private:
    void HighlightItemAt(const QPoint& position);
    void SetDropHighlight(QTreeWidgetItem* item);
    void PassOnDrop(DroppedFiles& files);

    QTreeWidgetItem* m_dropHighlight = nullptr;
    CFileDropTarget m_dropTarget;
};

}  // namespace velora
