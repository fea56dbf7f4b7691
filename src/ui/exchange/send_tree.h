// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTreeWidget>

namespace velora {

// The libraries as a tree of check boxes down to single files. A folder's
// contents are read when it is first opened (or when its ticked files are
// asked for); until then it holds one "<>" item that only marks it as not
// empty. Labels are the lower-case names with a capital first letter; the
// items keep the real paths.
//
// A click on a box ticks or clears everything below it, and ticking also
// ticks every folder above; the space key toggles one box alone.
class CSendTree : public QTreeWidget {
    Q_OBJECT
public:
    // Files below the textures folder are all offered; elsewhere only
    // templates and designs.
    explicit CSendTree(QString texturesFolder, QWidget* parent = nullptr);

    // A library as a top-level item, with its first level filled.
    QTreeWidgetItem* AddLibrary(const QString& caption, const QString& folder);
    // The full paths of the ticked files below the item, in tree order.
    // Ticked folders that were never opened are read now.
    QStringList TickedFiles(QTreeWidgetItem* item);

    // The folder or file an item stands for.
    static QString PathOf(const QTreeWidgetItem* item);
    static bool IsFolder(const QTreeWidgetItem* item);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FillLevel(QTreeWidgetItem* parent, const QString& folder);
    QTreeWidgetItem* AddChild(QTreeWidgetItem* parent, const QString& path, bool isFolder);
    void LoadFolder(QTreeWidgetItem* item);
    void OnItemChanged(QTreeWidgetItem* item);
    void ShowFolderOpen(QTreeWidgetItem* item, bool open);

    QString m_texturesFolder;
    bool m_mouseRelease = false;
    // Set while the tree changes items itself, so that only the user's
    // clicks start a cascade.
    bool m_updating = false;
};

}  // namespace velora
