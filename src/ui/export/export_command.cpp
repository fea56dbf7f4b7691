// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/export_command.h"

#include "core/common/errors.h"
#include "core/common/library_folders.h"
#include "core/common/path_parts.h"
#include "core/common/user_interface.h"
#include "core/export/export_design.h"
#include "core/model/drawing_model.h"
#include "ui/controls/progress_window.h"
#include "ui/export/export_dlg.h"

#include <QApplication>
#include <QSettings>

namespace velora {

bool RunExportCommand(CDrawingModel& model, const QString& designTitle, IUserInterface& user,
                      QWidget* owner) {
    const QSize designSize(model.GetWidth(), model.GetHeight());
    if (designSize.isEmpty()) {
        user.ShowMessage(QApplication::translate(
            "velora", "The design has nothing to export yet: select a template for it first."));
        return false;
    }
    QSettings settings(SettingsOrganization(), SettingsApplication());
    // A saved design's title is its file name; the picture takes its title.
    CExportDlg dialog(designSize, GetPathTitle(designTitle), ExportChoices::Read(settings), user,
                      owner);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.Choices().Write(settings);
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
