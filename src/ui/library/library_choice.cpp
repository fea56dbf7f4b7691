// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/library_choice.h"

#include "ui/library/library_dlg.h"

#include <memory>

namespace velora {

std::optional<QString> ChooseLibrarySavePath(LibraryKind kind, IUserInterface& user,
                                             QWidget* owner) {
    std::unique_ptr<CLibraryDlg> dialog;
    if (kind == LibraryKind::Templates) {
        dialog = std::make_unique<CSelectTemplateDlg>(LibraryMode::Save, user, owner);
    } else {
        dialog = std::make_unique<CSelectVeloraDlg>(LibraryMode::Save, user, owner);
    }
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    return dialog->ResultPath();
}

std::optional<QString> ChooseLibraryTemplate(IUserInterface& user, QWidget* owner) {
    CSelectTemplateDlg dialog(LibraryMode::Pick, user, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.SelectedPath();
}

}  // namespace velora
