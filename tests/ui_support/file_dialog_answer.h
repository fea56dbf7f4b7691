// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modal_answer.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

namespace velora::test {

// Answers the next file dialog with the given path, or cancels it when the
// path is empty.
inline void AnswerFileDialog(const QString& path) {
    AnswerNextModal<QFileDialog>([path](QFileDialog* dialog) {
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed into the name field and confirmed with the dialog's own
        // button, as the user would.
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        const auto role = dialog->acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                          : QDialogButtonBox::Open;
        buttons->button(role)->click();
    });
}

}  // namespace velora::test
