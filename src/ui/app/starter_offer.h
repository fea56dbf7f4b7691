// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/library_folders.h"

#include <QFrame>

class QLabel;
class QPushButton;

namespace velora {

class IUserInterface;

// The offer shown above the documents on a start with empty libraries: to
// add the starter library of textures and templates, or not now. It stays
// out of the way of work, and goes when either is chosen.
class CStarterOffer : public QFrame {
    Q_OBJECT
public:
    CStarterOffer(const LibraryFolders& folders, IUserInterface& user, QWidget* parent = nullptr);

    QPushButton& AddButton() const { return *m_add; }
    QPushButton& DismissButton() const { return *m_dismiss; }

signals:
    // The starter library was added: how many files, for the status bar.
    void added(int files);

private:
    void Add();

    LibraryFolders m_folders;
    IUserInterface& m_user;
    QPushButton* m_add;
    QPushButton* m_dismiss;
};

}  // namespace velora
