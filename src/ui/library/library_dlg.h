// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/library/folder_library_dlg.h"

class QLabel;
class QLineEdit;

namespace velora {

class CPreviewGrid;

// What the dialog is for: picking a file of the library, or choosing a
// folder and a name to save a document under.
enum class LibraryMode { Pick = 0, Save = 1 };

// What tells the template library from the velora library.
struct LibraryTraits {
    QString caption;
    QString folder;
    QString mask;
    // Added to the typed name on save.
    QString extension;
    QString rootText;
    QString nameLabel;
    QString pickPrompt;
    QString savePrompt;
    QString deleteFolderQuestion;
    int* folderCounter;
    // Adding files from elsewhere and deleting files.
    bool managesFiles;
    // For adding files: the file dialog's filter and what it adds to a name.
    QString addFilter;
    QString addExtension;
    QString addButton;
    QString deleteButton;
    QString deleteQuestion;
};

// A library of template or design files: the folder tree, a grid of the
// previews of the chosen folder, and in save mode a name edit. In pick mode
// OK takes the focused file (SelectedPath); in save mode it builds the path
// of the file to write (ResultPath) and asks before a file is replaced.
class CLibraryDlg : public CFolderLibraryDlg {
    Q_OBJECT
public:
    LibraryMode Mode() const { return m_mode; }
    // The focused file (pick mode); empty when none is.
    QString SelectedPath() const;
    // The file to write (save mode), once accepted.
    QString ResultPath() const { return m_resultPath; }
    CPreviewGrid& PreviewGrid() const { return *m_grid; }
    QLineEdit& NameEdit() const { return *m_nameEdit; }

    void accept() override;

protected:
    CLibraryDlg(const LibraryTraits& traits, LibraryMode mode, IUserInterface& user,
                QWidget* parent);

private:
    void AcceptSave();

    LibraryTraits m_traits;
    LibraryMode m_mode;
    QString m_resultPath;
    CPreviewGrid* m_grid;
    QLabel* m_prompt;
    QLabel* m_nameLabel;
    QLineEdit* m_nameEdit;
};

// The template library ("Select template"), with adding and deleting
// templates.
class CSelectTemplateDlg : public CLibraryDlg {
    Q_OBJECT
public:
    explicit CSelectTemplateDlg(LibraryMode mode, IUserInterface& user, QWidget* parent = nullptr);
};

// The velora library ("Select velora").
class CSelectVeloraDlg : public CLibraryDlg {
    Q_OBJECT
public:
    explicit CSelectVeloraDlg(LibraryMode mode, IUserInterface& user, QWidget* parent = nullptr);
};

}  // namespace velora
