// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/file_drop_target.h"

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QString>

class QBoxLayout;
class QPushButton;
class QTreeWidgetItem;

namespace velora {

class CFolderTree;
class CThumbnailGrid;
class IUserInterface;

// What a folder prompt says: the name dialog's caption and label, and the
// counted proposal ("Folder%d") with its process-wide counter.
struct FolderPrompt {
    QString caption;
    QString label;
    QString proposal;
    int* counter;
};

// The part the library dialogs share: a folder tree of one library on the
// left and a grid with the files of the chosen folder on the right. It
// creates and deletes folders, copies files dropped on tree items into their
// folders, adds files chosen in a file dialog and deletes the grid's
// selected files. Everything acts on disk at once. Deleting asks first, and
// nothing follows a symbolic link out of the library: linked folders are
// not shown, and a link is deleted as a link.
class CFolderLibraryDlg : public QDialog {
    Q_OBJECT
public:
    ~CFolderLibraryDlg() override;

    CFolderTree& Tree() const { return *m_tree; }
    // The folder a tree item stands for, ending with "/"; the library folder
    // for the root item or none.
    QString FolderOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* RootItem() const { return m_rootItem; }
    QString LibraryFolder() const { return m_libraryFolder; }

protected:
    // `nested`: folders have subfolders, read when they are expanded;
    // otherwise the library has one level of folders.
    CFolderLibraryDlg(IUserInterface& user, QString libraryFolder, QString rootText, QString mask,
                      bool nested, QWidget* parent);

    // Shows the library in the grid, which must be a child of this dialog.
    void AttachGrid(CThumbnailGrid* grid);
    // A button that Enter does not press (OK is the dialog's default).
    QPushButton* MakeButton(const QString& text);
    // The button is enabled while the current folder can be deleted.
    void TrackDeleteButton(QPushButton* button);
    // Tree and grid side by side, each with its row of buttons below, then
    // the prompt (if any) and the closing row.
    void ArrangeControls(const QList<QPushButton*>& folderButtons,
                         const QList<QPushButton*>& fileButtons, QWidget* prompt,
                         QBoxLayout* closingRow);
    CThumbnailGrid& Grid() const { return *m_grid; }
    IUserInterface& User() const { return m_user; }

    // Asks for a name and makes that folder below the parent item's folder.
    void CreateFolder(QTreeWidgetItem* parent, const FolderPrompt& prompt);
    // Asks the question and then "Are you sure?", and deletes the current
    // folder with everything in it. The library folder itself is never
    // deleted.
    void DeleteCurrentFolder(const QString& question);
    // Whether the current folder is one that DeleteCurrentFolder deletes.
    bool CanDeleteCurrentFolder() const;
    // Lets the user choose files and copies them into the current folder,
    // keeping files already there.
    void AddFiles(const QString& filter, const QString& defaultExtension);
    // Asks the question and deletes the grid's selected files.
    void DeleteSelectedFiles(const QString& question);

private:
    void FillChildren(QTreeWidgetItem* parent);
    QTreeWidgetItem* AddFolderItem(QTreeWidgetItem* parent, const QString& name);
    QTreeWidgetItem* ChildNamed(QTreeWidgetItem* parent, const QString& name) const;
    void OnItemExpanded(QTreeWidgetItem* item);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    void OnFilesDroppedOnTree(DroppedFiles& files);
    void ReloadGridIfShowing(const QString& folder);

    IUserInterface& m_user;
    QString m_libraryFolder;
    QString m_rootText;
    QString m_mask;
    bool m_nested;
    QList<QIcon> m_icons;
    CFolderTree* m_tree;
    QTreeWidgetItem* m_rootItem = nullptr;
    CThumbnailGrid* m_grid = nullptr;
};

}  // namespace velora
