// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/folder_tree.h"

namespace velora {

CFolderTree::CFolderTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(&m_dropTarget, &CFileDropTarget::dragEntered, this, &CFolderTree::HighlightItemAt);
    connect(&m_dropTarget, &CFileDropTarget::dragMoved, this, &CFolderTree::HighlightItemAt);
    connect(&m_dropTarget, &CFileDropTarget::dragLeft, this, [this] { SetDropHighlight(nullptr); });
    connect(&m_dropTarget, &CFileDropTarget::filesDropped, this, &CFolderTree::PassOnDrop);
    // An item that goes away while it carries the highlight must not be
    // touched afterwards.
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this] { SetDropHighlight(nullptr); });
}

CFolderTree::~CFolderTree() { disconnect(model(), nullptr, this, nullptr); }

void CFolderTree::HighlightItemAt(const QPoint& position) { SetDropHighlight(itemAt(position)); }

// Drawn like a selection, so the target folder stands out the way the
// selected one does.
void CFolderTree::SetDropHighlight(QTreeWidgetItem* item) {
    if (item == m_dropHighlight) return;
    if (m_dropHighlight) {
        m_dropHighlight->setData(0, Qt::BackgroundRole, QVariant());
        m_dropHighlight->setData(0, Qt::ForegroundRole, QVariant());
    }
    m_dropHighlight = item;
    if (m_dropHighlight) {
        m_dropHighlight->setData(0, Qt::BackgroundRole, palette().brush(QPalette::Highlight));
        m_dropHighlight->setData(0, Qt::ForegroundRole, palette().brush(QPalette::HighlightedText));
    }
}

void CFolderTree::PassOnDrop(DroppedFiles& files) {
    emit filesDropped(files);
    SetDropHighlight(nullptr);
}

}  // namespace velora
