// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/export_command.h"

#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/export/export_design.h"
#include "core/model/drawing_model.h"
#include "ui/controls/progress_window.h"
#include "ui/export/export_dlg.h"

#include <QApplication>

namespace velora {

bool RunExportCommand(CDrawingModel& model, IUserInterface& user, QWidget* owner) {
    const QSize designSize(model.GetWidth(), model.GetHeight());
    if (designSize.isEmpty()) {
        user.ShowMessage(QApplication::translate(
            "velora", "The design has nothing to export yet: select a template for it first."));
        return false;
    }
    CExportDlg dialog(designSize, user, owner);
    if (dialog.exec() != QDialog::Accepted) return false;
    const ExportRequest request = dialog.Request();
    try {
        CProgressWindow progress(owner);
        progress.SetText(QApplication::translate("velora", "Exporting..."));
        progress.ShowCentredOver(owner);
        ExportDesign(model, request);
        return true;
    } catch (const VeloraError& error) {
        user.ShowMessage(error.Message(), MessageIcon::Error);
        return false;
    }
}

}  // namespace velora
