// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documents/mosvel_template_doc.h"

#include "core/common/errors.h"
#include "core/edit/edits.h"
#include "core/import/entity_tally.h"
#include "core/import/import_checks.h"
#include "core/import/import_file.h"
#include "core/model/name_counters.h"
#include "ui/controls/command_ids.h"
#include "ui/documents/close_gaps_dlg.h"
#include "ui/documents/name_dialogs.h"
#include "ui/views/gap_settings.h"
#include "ui/views/mosvel_template_view.h"

#include <QApplication>

namespace velora {

CMosvelTemplateDoc::CMosvelTemplateDoc(IUserInterface& user)
    : DocumentBase(kTemplateDocument, LibraryKind::Templates, user) {}

const CommandMap<CMosvelTemplateDoc>& CMosvelTemplateDoc::Commands() {
    using D = CMosvelTemplateDoc;
    static const CommandMap<D> map{
        {cmd::kCreateArea, &D::OnCreateArea, &D::OnUpdateNeedsSelection},
        {cmd::kAddToArea, &D::OnAddToArea, &D::OnUpdateNeedsCurrentArea},
        {cmd::kDeleteFromArea, &D::OnDeleteFromArea, &D::OnUpdateNeedsSelection},
        {cmd::kFileSave, &D::OnFileSave},
        {cmd::kFileSaveAs, &D::OnFileSaveAs},
        {cmd::kFileClose, &D::OnFileClose},
        {cmd::kEditUndo, &D::OnEditUndo, &D::OnUpdateEditUndo},
        {cmd::kEditRedo, &D::OnEditRedo, &D::OnUpdateEditRedo},
        {cmd::kRenameArea, &D::OnRenameArea, &D::OnUpdateNeedsCurrentArea},
        // The view's Pen and Zoom out come first for these two ids.
        {cmd::kPen, &D::OnLevelDown},
        {cmd::kZoomOut, &D::OnLevelUp, &D::OnUpdateNeedsSelection},
        {cmd::kToBottomLevel, &D::OnToBottomLevel, &D::OnUpdateNeedsSelection},
        {cmd::kToTopLevel, &D::OnToTopLevel, &D::OnUpdateNeedsSelection},
        {cmd::kDeleteSelectedCurves, &D::OnDeleteSelectedCurves, &D::OnUpdateNeedsSelection},
        {cmd::kTemplateName, &D::OnTemplateName},
        {cmd::kCloseGaps, &D::OnCloseGaps, &D::OnUpdateCloseGaps},
        {cmd::kCloseGapsWhenClickFloods, &D::OnCloseGapsWhenClickFloods,
         &D::OnUpdateCloseGapsWhenClickFloods},
        {cmd::kDeleteArea, &D::OnDeleteArea, &D::OnUpdateNeedsCurrentArea},
    };
    return map;
}

CMosvelTemplateView* CMosvelTemplateDoc::FirstTemplateView() const {
    return qobject_cast<CMosvelTemplateView*>(FirstView());
}

void CMosvelTemplateDoc::AfterLoad() {
    if (CMosvelTemplateView* view = FirstTemplateView()) view->Relayout();
}

bool CMosvelTemplateDoc::ImportDrawing(const QString& path) {
    EntityTally leftOut;
    m_importNotice.clear();
    try {
        ImportFile(Model(), path, &leftOut);
    } catch (const UserAlreadyToldError&) {
        return false;
    } catch (const std::exception& error) {
        User().ShowMessage(FailureText(error, path), MessageIcon::Error);
        return false;
    }
    // A cancelled size dialog leaves an empty template, which stays open
    // like any other import, with nothing to say about the drawing.
    if (Model().Curves().empty()) return true;
    QStringList notice;
    if (!leftOut.IsEmpty()) notice += tr("Not imported: %1.").arg(leftOut.Text());
    if (!HasClosedCurve(Model())) notice += tr("No closed shapes were found.");
    m_importNotice = notice.join(' ');
    return true;
}

// --- commands ------------------------------------------------------------------

// Cancelling the name changes nothing: the selected regions stay in the
// areas that held them.
void CMosvelTemplateDoc::OnCreateArea() {
    if (Model().CountSelectedRegions() == 0) return;
    const std::optional<QString> name = AskAreaName(NameCounters::NextAreaNameProposal());
    if (name) Edit(edits::CreateAreaFromSelected(Model(), *name));
}

void CMosvelTemplateDoc::EditOrMark(std::unique_ptr<EditStep> step) {
    if (step) {
        Edit(std::move(step));
    } else {
        SetModifiedFlag(true);
    }
}

void CMosvelTemplateDoc::OnAddToArea() {
    EditOrMark(edits::AddSelectedToArea(Model(), CurrentAreaIndex()));
}

void CMosvelTemplateDoc::OnDeleteFromArea() {
    EditOrMark(edits::RemoveSelectedFromAreas(Model(), CurrentAreaIndex()));
}

void CMosvelTemplateDoc::ChangeLevels(void (CDrawingModel::*move)()) {
    (Model().*move)();
    UpdateAllViews();
    SetModifiedFlag(true);
}

void CMosvelTemplateDoc::OnLevelDown() { ChangeLevels(&CDrawingModel::LevelDown); }
void CMosvelTemplateDoc::OnLevelUp() { ChangeLevels(&CDrawingModel::LevelUp); }
void CMosvelTemplateDoc::OnToBottomLevel() { ChangeLevels(&CDrawingModel::ToBottomLevel); }
void CMosvelTemplateDoc::OnToTopLevel() { ChangeLevels(&CDrawingModel::ToTopLevel); }

void CMosvelTemplateDoc::OnDeleteSelectedCurves() {
    if (!User().AskYesNo(tr("Are you sure you wanna delete all selected areas?"))) {
        return;
    }
    Edit(edits::DeleteSelectedCurves(Model()));
}

void CMosvelTemplateDoc::OnTemplateName() {
    CTemplateNameDlg dialog(QApplication::activeWindow());
    dialog.SetName(Model().GetTemplateName());
    if (dialog.exec() != QDialog::Accepted) return;
    Edit(edits::SetTemplateName(Model(), dialog.Name()));
}

// The joins at the distance chosen are shown in every view of the template
// while the dialog is open; OK draws them as one step, Cancel leaves all as
// it was.
void CMosvelTemplateDoc::OnCloseGaps() {
    if (Model().GetMaskBitmap().IsNull()) return;
    GapSettings settings = ReadGapSettings();
    CloseGapsDialog dialog(settings.distance, QApplication::activeWindow());
    std::vector<GapJoin> joins;
    int joinsDistance = 0;
    const auto showJoins = [&](int distance) {
        joins = FindGapJoins(Model().GetMaskBitmap(), Model().Curves(), distance);
        joinsDistance = distance;
        dialog.ShowJoinCount(static_cast<int>(joins.size()));
        ShowJoinPreview(joins);
    };
    connect(&dialog, &CloseGapsDialog::DistanceChanged, &dialog, showJoins);
    showJoins(settings.distance);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    ShowJoinPreview({});
    if (!accepted) return;
    // A distance typed just before OK has not settled yet.
    if (dialog.Distance() != joinsDistance) showJoins(dialog.Distance());
    settings.distance = dialog.Distance();
    WriteGapSettings(settings);
    std::vector<QPoint> pixels;
    for (const GapJoin& join : joins) {
        const std::vector<QPoint> joinPixels = JoinPixels(join);
        pixels.insert(pixels.end(), joinPixels.begin(), joinPixels.end());
    }
    RegionsFollowed followed;
    Edit(edits::DrawOutline(Model(), pixels, tr("Close gaps"), &followed));
    const QString closed =
        joins.size() == 1 ? tr("1 gap closed.") : tr("%1 gaps closed.").arg(joins.size());
    ShowStatus((closed + ' ' + CutRegionsText(followed)).trimmed());
}

void CMosvelTemplateDoc::ShowJoinPreview(const std::vector<GapJoin>& joins) {
    for (CMosvelViewBase* view : Views()) {
        if (auto* shown = qobject_cast<CMosvelTemplateView*>(view)) shown->ShowJoinPreview(joins);
    }
}

void CMosvelTemplateDoc::OnCloseGapsWhenClickFloods() {
    GapSettings settings = ReadGapSettings();
    settings.closeWhenClickFloods = !settings.closeWhenClickFloods;
    WriteGapSettings(settings);
}

void CMosvelTemplateDoc::OnUpdateCloseGaps(CommandUpdate& update) {
    update.Enable(!Model().GetMaskBitmap().IsNull());
}

void CMosvelTemplateDoc::OnUpdateCloseGapsWhenClickFloods(CommandUpdate& update) {
    update.SetCheck(ReadGapSettings().closeWhenClickFloods);
}

void CMosvelTemplateDoc::OnUpdateNeedsSelection(CommandUpdate& update) {
    update.Enable(Model().CountSelectedRegions() > 0 && !Model().GetCorrectionMode());
}

}  // namespace velora
