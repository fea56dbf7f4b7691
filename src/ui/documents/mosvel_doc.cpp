// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documents/mosvel_doc.h"

#include "core/common/errors.h"
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
    if (view) view->ResetImage();
    UpdateAllViews();
    if (CAreasBar* bar = FindAreasBar(view)) bar->SetActiveDocument(this, &Model(), view, true);
    SetModifiedFlag(true);
}

bool CMosvelDoc::LoadTemplate(const QString& path) {
    Model().SetView(FirstView());
    try {
        // A stream that is no model was reported by the loader.
        return LoadModelFile(Model(), path);
    } catch (const UserAlreadyToldError&) {
        return false;
    } catch (const std::exception& error) {
        User().ShowMessage(FailureText(error, path), MessageIcon::Error);
        return false;
    }
}

void CMosvelDoc::OnExport() {
    RunExportCommand(Model(), GetTitle(), User(), QApplication::activeWindow());
}

void CMosvelDoc::OnSmooth() {
    Model().SetSmoothLines(!Model().GetSmoothLines());
    if (CMosvelViewBase* view = FirstView()) {
        view->SetRenderPending(true);
        view->InvalidateAll(true);
    }
}

void CMosvelDoc::OnUpdateSmooth(CommandUpdate& update) {
    update.SetCheck(Model().GetSmoothLines());
}

}  // namespace velora
