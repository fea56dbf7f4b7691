// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/tree_helpers.h"

#include <QStyle>
#include <QTreeWidget>

namespace velora {

namespace {

QTreeWidgetItem* StartItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    return item ? item : tree->topLevelItem(0);
}

// The item after this one under the same parent, or none.
QTreeWidgetItem* NextSibling(QTreeWidget* tree, QTreeWidgetItem* item) {
    QTreeWidgetItem* parent = item->parent();
    const int index = parent ? parent->indexOfChild(item) : tree->indexOfTopLevelItem(item);
    return parent ? parent->child(index + 1) : tree->topLevelItem(index + 1);
}

}  // namespace

QString ItemName(const QTreeWidgetItem* item) {
    const QVariant name = item->data(0, kItemNameRole);
    return name.isValid() ? name.toString() : item->text(0);
}

void ExpandAll(QTreeWidget* tree, QTreeWidgetItem* item) {
    for (item = StartItem(tree, item); item; item = NextSibling(tree, item)) {
        if (item->childCount() == 0) continue;
        item->setExpanded(true);
        ExpandAll(tree, item->child(0));
    }
}

void CollapseAll(QTreeWidget* tree, QTreeWidgetItem* item) {
    for (item = StartItem(tree, item); item; item = NextSibling(tree, item)) {
        if (item->childCount() == 0) continue;
        CollapseAll(tree, item->child(0));
        item->setExpanded(false);
    }
}

void ExpandItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    if (item && item->treeWidget() == tree && item->childCount() > 0) item->setExpanded(true);
}

QString GetItemPath(const QTreeWidgetItem* item) {
    QStringList names;
    for (; item; item = item->parent()) names.prepend(ItemName(item));
    return names.join(QLatin1Char('/'));
}

void SetCheckTree(QTreeWidgetItem* item, Qt::CheckState state, ItemTest skip) {
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        if (!skip || !skip(child)) SetCheckTree(child, state, skip);
    }
    item->setCheckState(0, state);
}

void SetCheckUp(QTreeWidgetItem* item, Qt::CheckState state) {
    for (; item; item = item->parent()) item->setCheckState(0, state);
}

QList<QIcon> LoadFolderIcons(const QStyle* style) {
    const QStyle::StandardPixmap kinds[] = {QStyle::SP_DriveFDIcon,   QStyle::SP_DriveFDIcon,
                                            QStyle::SP_DriveHDIcon,   QStyle::SP_DriveNetIcon,
                                            QStyle::SP_DriveCDIcon,   QStyle::SP_DriveHDIcon,
                                            QStyle::SP_DirClosedIcon, QStyle::SP_DirOpenIcon};
    QList<QIcon> icons;
    for (QStyle::StandardPixmap kind : kinds) icons.append(style->standardIcon(kind));
    return icons;
}

}  // namespace velora
