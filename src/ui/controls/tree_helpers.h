// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QList>
#include <QString>

#include <Qt>

class QStyle;
class QTreeWidget;
class QTreeWidgetItem;

namespace velora {

// Items that stand for folders keep the folder's real name here; what they
// show may differ in letter case, and Linux file names are case-sensitive.
inline constexpr int kItemNameRole = Qt::UserRole + 1;

// The name an item stands for: the real name when one is kept, else its text.
QString ItemName(const QTreeWidgetItem* item);

// The helpers below take a starting item; none stands for the tree's first
// top-level item.

// For the item and each following sibling: expands it when it has children
// and goes on with its first child.
void ExpandAll(QTreeWidget* tree, QTreeWidgetItem* item = nullptr);
// For the item and each following sibling: collapses its children first,
// then the item itself.
void CollapseAll(QTreeWidget* tree, QTreeWidgetItem* item = nullptr);
// Expands one item when it has children.
void ExpandItem(QTreeWidget* tree, QTreeWidgetItem* item);
// The names of the item and its ancestors, top-level item first, joined
// with "/"; empty without an item.
QString GetItemPath(const QTreeWidgetItem* item);
// Gives the item and every item below it the check state; items the skip
// test accepts keep theirs, and so do the items below them.
using ItemTest = bool (*)(const QTreeWidgetItem*);
void SetCheckTree(QTreeWidgetItem* item, Qt::CheckState state, ItemTest skip = nullptr);
// Gives the item and each of its ancestors the check state.
void SetCheckUp(QTreeWidgetItem* item, Qt::CheckState state);

// Positions in the list LoadFolderIcons fills.
inline constexpr int kClosedFolderIcon = 6;
inline constexpr int kOpenFolderIcon = 7;

// The eight icons of the folder trees, from the style: removable drive,
// floppy, hard disk, network drive, optical drive, memory drive, closed
// folder and open folder, in this order.
QList<QIcon> LoadFolderIcons(const QStyle* style);

}  // namespace velora
