// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/folder_library_dlg.h"

#include "core/common/error_text.h"
#include "core/common/file_copy.h"
#include "core/common/folder_ops.h"
#include "core/common/folder_walk.h"
#include "core/common/path_parts.h"
#include "core/common/text_helpers.h"
#include "core/common/user_interface.h"
#include "ui/controls/dialog_frame.h"
#include "ui/controls/event_pump.h"
#include "ui/controls/file_filter.h"
#include "ui/controls/file_report.h"
#include "ui/controls/folder_tree.h"
#include "ui/controls/tree_helpers.h"
#include "ui/library/name_prompt_dlg.h"
#include "ui/library/thumbnail_grid.h"

#include <QBoxLayout>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QPushButton>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

namespace velora {

namespace {

bool IsUsableFolderName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/'));
}

bool SameFolder(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

// The real folders below a folder, one level, sorted as shown. Linked
// folders are left out: they lead out of the library.
QStringList Subfolders(const QString& folder) {
    QStringList names;
    WalkFolder(
        folder,
        [&](const QString& name, bool) {
            if (!QFileInfo(folder + name).isSymLink()) names.append(name);
            return true;
        },
        WalkFlag::NoRecurse | WalkFlag::SkipFiles, QStringLiteral("*.*"), PumpMessages);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return std::pair(a.toLower(), a) < std::pair(b.toLower(), b);
    });
    return names;
}

}  // namespace

CFolderLibraryDlg::CFolderLibraryDlg(IUserInterface& user, QString libraryFolder, QString rootText,
                                     QString mask, bool nested, QWidget* parent)
    : QDialog(parent),
      m_user(user),
      m_libraryFolder(SetTrailingBackslash(libraryFolder)),
      m_rootText(std::move(rootText)),
      m_mask(std::move(mask)),
      m_nested(nested),
      m_icons(LoadFolderIcons(style())),
      m_tree(new CFolderTree(this)) {
    ShowCloseButtonOnly(*this);
    m_tree->setAccessibleName(tr("Folders"));
    m_rootItem = new QTreeWidgetItem(m_tree, QStringList(m_rootText));
    m_rootItem->setIcon(0, m_icons[kClosedFolderIcon]);
    FillChildren(m_rootItem);
    m_rootItem->setExpanded(true);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &CFolderLibraryDlg::OnItemExpanded);
    connect(m_tree, &QTreeWidget::itemCollapsed, this, &CFolderLibraryDlg::OnItemCollapsed);
    connect(m_tree, &CFolderTree::filesDropped, this, &CFolderLibraryDlg::OnFilesDroppedOnTree);
    m_tree->DropTarget().Register(m_tree);
}

// The tree goes before the dialog's other children; what it says on its way
// out must not reach a dialog that is half gone.
CFolderLibraryDlg::~CFolderLibraryDlg() { disconnect(m_tree, nullptr, nullptr, nullptr); }

void CFolderLibraryDlg::AttachGrid(CThumbnailGrid* grid) {
    m_grid = grid;
    m_grid->SetUserInterface(&m_user);
    m_grid->SetCellSize(100, 100);
    m_grid->EnableFileDragDrop(true);
    m_grid->SetMultiSelect(true);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            &CFolderLibraryDlg::OnCurrentItemChanged);
    m_tree->setCurrentItem(m_rootItem);
}

QPushButton* CFolderLibraryDlg::MakeButton(const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    return button;
}

void CFolderLibraryDlg::TrackDeleteButton(QPushButton* button) {
    const auto update = [this, button] { button->setEnabled(CanDeleteCurrentFolder()); };
    connect(m_tree, &QTreeWidget::currentItemChanged, button, update);
    update();
}

void CFolderLibraryDlg::ArrangeControls(const QList<QPushButton*>& folderButtons,
                                        const QList<QPushButton*>& fileButtons, QWidget* prompt,
                                        QBoxLayout* closingRow) {
    const auto row = [](const QList<QPushButton*>& buttons) {
        auto* layout = new QHBoxLayout;
        for (QPushButton* button : buttons) layout->addWidget(button);
        layout->addStretch();
        return layout;
    };
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_tree, 0, 0);
    layout->addWidget(m_grid, 0, 1);
    layout->addLayout(row(folderButtons), 1, 0);
    layout->addLayout(row(fileButtons), 1, 1);
    if (prompt) layout->addWidget(prompt, 2, 0, 1, 2);
    layout->addLayout(closingRow, 3, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(0, 1);
    resize(760, 480);
}

QString CFolderLibraryDlg::FolderOf(const QTreeWidgetItem* item) const {
    QStringList names;
    for (; item && item != m_rootItem; item = item->parent()) names.prepend(ItemName(item));
    if (names.isEmpty()) return m_libraryFolder;
    return m_libraryFolder + names.join(QLatin1Char('/')) + QLatin1Char('/');
}

// --- the tree ---------------------------------------------------------------

void CFolderLibraryDlg::FillChildren(QTreeWidgetItem* parent) {
    qDeleteAll(parent->takeChildren());
    for (const QString& name : Subfolders(FolderOf(parent))) AddFolderItem(parent, name);
}

QTreeWidgetItem* CFolderLibraryDlg::AddFolderItem(QTreeWidgetItem* parent, const QString& name) {
    auto* item = new QTreeWidgetItem(parent, QStringList(CapitalizeFirst(name.toLower())));
    item->setData(0, kItemNameRole, name);
    item->setIcon(0, m_icons[kClosedFolderIcon]);
    const bool hasSubfolders =
        m_nested &&
        CountFolderEntries(FolderOf(item), WalkFlag::NoRecurse | WalkFlag::SkipFiles) > 0;
    item->setChildIndicatorPolicy(hasSubfolders ? QTreeWidgetItem::ShowIndicator
                                                : QTreeWidgetItem::DontShowIndicator);
    return item;
}

QTreeWidgetItem* CFolderLibraryDlg::ChildNamed(QTreeWidgetItem* parent, const QString& name) const {
    for (int i = 0; i < parent->childCount(); ++i) {
        if (ItemName(parent->child(i)) == name) return parent->child(i);
    }
    return nullptr;
}

// Expanding reads the folder's subfolders from disk again, so the tree
// shows what is there now.
void CFolderLibraryDlg::OnItemExpanded(QTreeWidgetItem* item) {
    if (!m_nested) return;
    item->setIcon(0, m_icons[kOpenFolderIcon]);
    FillChildren(item);
}

void CFolderLibraryDlg::OnItemCollapsed(QTreeWidgetItem* item) {
    if (!m_nested) return;
    for (QTreeWidgetItem* up = m_tree->currentItem(); up; up = up->parent()) {
        if (up->parent() == item) {
            m_tree->setCurrentItem(item);
            break;
        }
    }
    qDeleteAll(item->takeChildren());
    item->setIcon(0, m_icons[kClosedFolderIcon]);
}

void CFolderLibraryDlg::OnCurrentItemChanged(QTreeWidgetItem* current) {
    m_grid->LoadFolder(FolderOf(current), m_mask);
}

// --- folders ----------------------------------------------------------------

void CFolderLibraryDlg::CreateFolder(QTreeWidgetItem* parent, const FolderPrompt& prompt) {
    if (!parent) parent = m_rootItem;
    CNamePromptDlg dialog(this);
    dialog.SetCaption(prompt.caption);
    dialog.SetLabel(prompt.label);
    dialog.SetText(prompt.proposal + QString::number((*prompt.counter)++));
    if (dialog.exec() != QDialog::Accepted) return;
    const QString name = dialog.Text();
    if (!IsUsableFolderName(name)) {
        m_user.ShowMessage(tr("\"%1\" cannot be used as a folder name.").arg(name));
        return;
    }
    if (::mkdir(QFile::encodeName(FolderOf(parent) + name).constData(), 0777) != 0) {
        m_user.ShowMessage(GetErrorText(errno));
        return;
    }
    FillChildren(parent);
    parent->setExpanded(true);
    if (QTreeWidgetItem* created = ChildNamed(parent, name)) m_tree->setCurrentItem(created);
}

bool CFolderLibraryDlg::CanDeleteCurrentFolder() const {
    const QTreeWidgetItem* current = m_tree->currentItem();
    return current && current != m_rootItem;
}

void CFolderLibraryDlg::DeleteCurrentFolder(const QString& question) {
    if (!CanDeleteCurrentFolder()) return;
    if (!m_user.AskYesNo(question) || !m_user.AskYesNo(tr("Are you sure?"))) return;
    QTreeWidgetItem* item = m_tree->currentItem();
    const QString folder = FolderOf(item);
    if (!DeleteFolder(folder, PumpMessages)) {
        const int error = errno;
        m_grid->LoadFolder(m_grid->GetFolder(), m_mask);
        m_user.ShowMessage(GetErrorText(error));
        return;
    }
    QTreeWidgetItem* parent = item->parent();
    delete item;
    m_tree->setCurrentItem(parent);
}

// --- files ------------------------------------------------------------------

void CFolderLibraryDlg::AddFiles(const QString& filter, const QString& defaultExtension) {
    QFileDialog dialog(this);
    ShowCloseButtonOnly(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(FileDialogFilters(filter));
    dialog.setDefaultSuffix(defaultExtension.mid(defaultExtension.startsWith('.') ? 1 : 0));
    if (dialog.exec() != QDialog::Accepted) return;
    const QString folder = FolderOf(m_tree->currentItem());
    QStringList failures;
    for (const QString& path : dialog.selectedFiles()) {
        const CopyResult result = CopyFileToFolder(path, folder, false);
        if (result.outcome != CopyOutcome::Copied) {
            failures.append(FileFailureLine(path, result.outcome == CopyOutcome::SameFile
                                                      ? tr("already in this folder")
                                                      : result.error));
        }
    }
    m_grid->LoadFolder(folder, m_mask);
    ReportFileFailures(&m_user, tr("These files were not added:"), failures);
}

void CFolderLibraryDlg::DeleteSelectedFiles(const QString& question) {
    if (m_grid->GetSelection().empty() || !m_user.AskYesNo(question)) return;
    m_grid->DeleteSelected();
}

// The files go into the folder of the item they were dropped on, replacing
// files of the same name; a file dropped on its own folder stays as it is.
void CFolderLibraryDlg::OnFilesDroppedOnTree(DroppedFiles& files) {
    const QString folder = FolderOf(m_tree->DropHighlightItem());
    const QStringList failures = DeliverDroppedFiles(files, folder);
    ReloadGridIfShowing(folder);
    ReportFileFailures(&m_user, tr("These files could not be copied:"), failures);
}

void CFolderLibraryDlg::ReloadGridIfShowing(const QString& folder) {
    if (SameFolder(folder, m_grid->GetFolder())) m_grid->LoadFolder(m_grid->GetFolder(), m_mask);
}

}  // namespace velora
