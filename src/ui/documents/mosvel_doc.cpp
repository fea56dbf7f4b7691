// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documents/mosvel_doc.h"

#include "core/common/errors.h"
#include "core/edit/edits.h"
#include "core/model/model_file.h"
#include "ui/controls/command_ids.h"
#include "ui/export/export_command.h"
#include "ui/views/areas_bar.h"
#include "ui/views/mosvel_view.h"

#include <QApplication>

namespace velora {

CMosvelDoc::CMosvelDoc(IUserInterface& user)
    : DocumentBase(kDesignDocument, LibraryKind::Veloras, user) {}

const CommandMap<CMosvelDoc>& CMosvelDoc::Commands() {
    using D = CMosvelDoc;
    static const CommandMap<D> map{
        {cmd::kSelectTemplate, &D::OnSelectTemplate},
        {cmd::kExport, &D::OnExport},
        {cmd::kFileSave, &D::OnFileSave},
        {cmd::kFileSaveAs, &D::OnFileSaveAs},
        {cmd::kFileClose, &D::OnFileClose},
        {cmd::kSmoothLines, &D::OnSmooth, &D::OnUpdateSmooth},
        {cmd::kEditUndo, &D::OnEditUndo, &D::OnUpdateEditUndo},
        {cmd::kEditRedo, &D::OnEditRedo, &D::OnUpdateEditRedo},
        {cmd::kRenameArea, &D::OnRenameArea, &D::OnUpdateNeedsCurrentArea},
        {cmd::kDeleteArea, &D::OnDeleteArea, &D::OnUpdateNeedsCurrentArea},
        {cmd::kRemoveTexture, &D::OnRemoveTexture, &D::OnUpdateRemoveTexture},
    };
    return map;
}

CMosvelView* CMosvelDoc::FirstDesignView() const { return qobject_cast<CMosvelView*>(FirstView()); }

void CMosvelDoc::AfterLoad() {
    if (CMosvelView* view = FirstDesignView()) view->ResetImage();
}

void CMosvelDoc::OnSelectTemplate() {
    const std::optional<QString> path = ChooseLibraryTemplate(User(), QApplication::activeWindow());
    if (!path || !LoadTemplate(*path)) return;
    CMosvelView* view = FirstDesignView();
    if (CAreasBar* bar = FindAreasBar(view)) bar->SetActiveDocument(this, &Model(), view, true);
}

bool CMosvelDoc::LoadTemplate(const QString& path) {
    std::optional<ModelContent> content;
    try {
        content = ReadModelFile(path, User());
    } catch (const UserAlreadyToldError&) {
        return false;
    } catch (const WrongFormatError& error) {
        User().ShowMessage(error.Reason());
        return false;
    } catch (const std::exception& error) {
        User().ShowMessage(FailureText(error, path), MessageIcon::Error);
        return false;
    }
    // An empty file holds nothing to take; the design stays as it is.
    if (!content) {
        SetModifiedFlag(true);
        return true;
    }
    const QStringList leftOut = edits::CarryAreaImages(Model(), *content);
    Edit(edits::ReplaceContent(Model(), std::move(*content), tr("Select template")));
    if (!leftOut.isEmpty()) {
        ShowStatus(tr("The new template has no area named %1: their textures were left "
                      "out.")
                       .arg("\"" + leftOut.join("\", \"") + "\""));
    }
    return true;
}

void CMosvelDoc::OnExport() {
    RunExportCommand(Model(), GetTitle(), User(), QApplication::activeWindow());
}

void CMosvelDoc::OnSmooth() {
    Edit(edits::SetSmoothLines(Model(), !Model().GetSmoothLines(), false));
}

void CMosvelDoc::OnRemoveTexture() { Edit(edits::RemoveAreaImage(Model(), CurrentAreaIndex())); }

void CMosvelDoc::OnUpdateRemoveTexture(CommandUpdate& update) {
    const int index = CurrentAreaIndex();
    update.Enable(index >= 0 && Model().Areas()[index].ImageSize().isValid());
}

void CMosvelDoc::OnUpdateSmooth(CommandUpdate& update) {
    update.SetCheck(Model().GetSmoothLines());
}

}  // namespace velora
