// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/send_tree.h"

#include "core/common/folder_walk.h"
#include "core/common/path_parts.h"
#include "core/common/text_helpers.h"
#include "core/exchange/send_job.h"
#include "ui/controls/tree_helpers.h"

#include <QStyle>

#include <algorithm>
#include <utility>

namespace velora {

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kFolderRole = Qt::UserRole + 1;
const QString kMarker = QStringLiteral("<>");

QString LabelOf(const QString& path) {
    const QString lower = path.toLower();
    return CapitalizeFirst(GetPathTitle(lower) + GetPathExt(lower));
}

// Sorted the way the labels read: by the lower-case path.
void SortByLowerCase(QStringList& paths) {
    std::stable_sort(paths.begin(), paths.end(),
                     [](const QString& a, const QString& b) { return a.toLower() < b.toLower(); });
}

bool IsMarker(const QTreeWidgetItem* item) {
    return !item->data(0, kFolderRole).isValid() && item->text(0) == kMarker;
}

bool HasMarker(const QTreeWidgetItem* item) {
    return item->childCount() == 1 && IsMarker(item->child(0));
}

class UpdateGuard {
public:
    explicit UpdateGuard(bool& flag) : m_flag(flag), m_old(std::exchange(flag, true)) {}
    ~UpdateGuard() { m_flag = m_old; }

private:
    bool& m_flag;
    bool m_old;
};
}  // namespace

CSendTree::CSendTree(QString texturesFolder, QWidget* parent)
    : QTreeWidget(parent), m_texturesFolder(std::move(texturesFolder)) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    connect(this, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* item) { OnItemChanged(item); });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        LoadFolder(item);
        ShowFolderOpen(item, true);
    });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { ShowFolderOpen(item, false); });
}

QString CSendTree::PathOf(const QTreeWidgetItem* item) {
    return item->data(0, kPathRole).toString();
}

bool CSendTree::IsFolder(const QTreeWidgetItem* item) {
    return item->data(0, kFolderRole).toBool();
}

QTreeWidgetItem* CSendTree::AddLibrary(const QString& caption, const QString& folder) {
    UpdateGuard guard(m_updating);
    auto* item = new QTreeWidgetItem(this, QStringList{caption});
    item->setData(0, kPathRole, folder);
    item->setData(0, kFolderRole, true);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    ShowFolderOpen(item, false);
    FillLevel(item, folder);
    return item;
}

void CSendTree::FillLevel(QTreeWidgetItem* parent, const QString& folder) {
    UpdateGuard guard(m_updating);
    const FolderListing listing = ListFolder(folder, WalkFlag::NoRecurse | WalkFlag::FullPaths);
    QStringList folders = listing.folders;
    QStringList files;
    for (const QString& file : listing.files) {
        if (IsOfferedForSending(file, m_texturesFolder)) files.append(file);
    }
    SortByLowerCase(folders);
    SortByLowerCase(files);
    for (const QString& path : folders) {
        QTreeWidgetItem* item = AddChild(parent, path, true);
        if (CountFolderEntries(path, WalkFlag::NoRecurse) > 0)
            new QTreeWidgetItem(item, QStringList{kMarker});
    }
    for (const QString& path : files) AddChild(parent, path, false);
}

QTreeWidgetItem* CSendTree::AddChild(QTreeWidgetItem* parent, const QString& path, bool isFolder) {
    auto* item = new QTreeWidgetItem(parent, QStringList{LabelOf(path)});
    item->setData(0, kPathRole, path);
    item->setData(0, kFolderRole, isFolder);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    // What is read into a ticked folder is ticked, as a click on the folder
    // would have ticked it.
    item->setCheckState(0, parent->checkState(0) == Qt::Checked ? Qt::Checked : Qt::Unchecked);
    if (isFolder)
        ShowFolderOpen(item, false);
    else
        item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    return item;
}

void CSendTree::LoadFolder(QTreeWidgetItem* item) {
    if (!HasMarker(item)) return;
    UpdateGuard guard(m_updating);
    delete item->takeChild(0);
    FillLevel(item, PathOf(item));
}

void CSendTree::ShowFolderOpen(QTreeWidgetItem* item, bool open) {
    UpdateGuard guard(m_updating);
    item->setIcon(0,
                  style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon));
}

QStringList CSendTree::TickedFiles(QTreeWidgetItem* item) {
    QStringList files;
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        if (child->checkState(0) != Qt::Checked) continue;
        if (!IsFolder(child)) {
            files.append(PathOf(child));
            continue;
        }
        LoadFolder(child);
        files += TickedFiles(child);
    }
    return files;
}

// The box toggles while the view handles the release of the button over it;
// the flag tells that toggle from one by the keyboard.
void CSendTree::mouseReleaseEvent(QMouseEvent* event) {
    m_mouseRelease = true;
    QTreeWidget::mouseReleaseEvent(event);
    m_mouseRelease = false;
}

void CSendTree::OnItemChanged(QTreeWidgetItem* item) {
    if (!m_mouseRelease || m_updating || IsMarker(item)) return;
    UpdateGuard guard(m_updating);
    const Qt::CheckState state = item->checkState(0);
    // Markers of folders not yet read stay unchecked: they are no files.
    SetCheckTree(item, state, IsMarker);
    if (state == Qt::Checked) SetCheckUp(item, state);
}

}  // namespace velora
