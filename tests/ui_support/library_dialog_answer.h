// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modal_answer.h"
#include "ui/library/library_dlg.h"
#include "ui/library/preview_grid.h"

#include <QLineEdit>
#include <QTest>

namespace velora::test {

// Answers the next template or velora library dialog as a user would, in
// the folder it shows (the library folder itself, unless the test chose
// another): in save mode by typing the file name, in pick mode by clicking
// the file of that name; then OK. An empty name cancels.
inline void AnswerLibraryDialog(const QString& fileName) {
    AnswerNextModal<CLibraryDlg>([fileName](CLibraryDlg* dialog) {
        if (fileName.isEmpty()) {
            dialog->reject();
            return;
        }
        if (dialog->Mode() == LibraryMode::Save) {
            dialog->NameEdit().setText(fileName);
        } else {
            CPreviewGrid& grid = dialog->PreviewGrid();
            for (int i = 0; i < grid.GetItemCount(); ++i) {
                if (grid.GetPath(i).endsWith('/' + fileName)) {
                    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                                      grid.CellRect(i).center());
                }
            }
        }
        dialog->accept();
        // A dialog that refused to close would leave the test waiting.
        if (dialog->isVisible()) dialog->reject();
    });
}

}  // namespace velora::test
