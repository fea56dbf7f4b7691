// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documents/document_base.h"

#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/edit/edits.h"
#include "core/model/model_file.h"
#include "ui/views/areas_bar.h"
#include "ui/views/mosvel_view_base.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <utility>

namespace velora {

namespace {
const char* const kOpenFailed = QT_TRANSLATE_NOOP("velora", "Failed to open document.");
const char* const kSaveFailed = QT_TRANSLATE_NOOP("velora", "Failed to save document.");
const char* const kInvalidFilename = QT_TRANSLATE_NOOP("velora", "Invalid filename.");

// The fixed message first, then what went wrong with the file, so the user
// can act on it.
QString WithReason(const QString& message, const std::exception& error, const QString& path) {
    const QString reason = FailureText(error, path);
    return reason.isEmpty() ? message : message + "\n\n" + reason;
}

// Shows the busy cursor while reading or writing.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
}  // namespace

DocumentBase::DocumentBase(int kind, LibraryKind library, IUserInterface& user)
    : m_library(library), m_user(user) {
    m_model.SetDocumentKind(kind);
    m_model.SetUserInterface(&user);
    m_model.SetObserver(this);
    FollowStack();
    // The main frame's undo group takes the new stack at its next update.
    m_history.OnStackReplaced([this](QUndoStack*) {
        FollowStack();
        ShowModified();
    });
}

void DocumentBase::FollowStack() {
    connect(&UndoStack(), &QUndoStack::indexChanged, this, &DocumentBase::ShowModified);
    connect(&UndoStack(), &QUndoStack::cleanChanged, this, &DocumentBase::ShowModified);
    connect(&UndoStack(), &QUndoStack::indexChanged, this, &DocumentBase::WithdrawStatus);
}

void DocumentBase::ShowStatus(const QString& text) {
    m_status = text;
    emit statusMessage(text);
}

void DocumentBase::WithdrawStatus() {
    if (!m_status.isEmpty()) emit statusWithdrawn(std::exchange(m_status, QString()));
}

void DocumentBase::ShowModified() {
    const bool modified = IsModified();
    if (modified == m_shownModified) return;
    m_shownModified = modified;
    emit modifiedChanged(modified);
}

void DocumentBase::Edit(std::unique_ptr<EditStep> step) {
    m_history.Push(std::move(step));
    ShowModified();
}

void DocumentBase::OnUpdateEditUndo(CommandUpdate& update) {
    update.Enable(UndoStack().canUndo());
    const QString step = UndoStack().undoText();
    update.SetText(step.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(step));
}

void DocumentBase::OnUpdateEditRedo(CommandUpdate& update) {
    update.Enable(UndoStack().canRedo());
    const QString step = UndoStack().redoText();
    update.SetText(step.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(step));
}

DocumentBase::~DocumentBase() {
    for (CMosvelViewBase* view : m_views) view->DetachDocument();
}

int DocumentBase::CurrentAreaIndex() const {
    const CAreasBar* bar = FindAreasBar(FirstView());
    return bar && bar->GetActiveDocument() == this ? bar->GetSelectedArea() : -1;
}

std::optional<QString> DocumentBase::AskAreaName(const QString& proposal, int except) {
    QString name = proposal;
    for (;;) {
        const std::optional<QString> answer = m_user.AskAreaName(name);
        if (!answer) return std::nullopt;
        name = answer->trimmed();
        const auto& areas = m_model.Areas();
        const auto taken = std::find_if(areas.begin(), areas.end(), [&](const CArea& area) {
            return area.GetName() == name && &area - areas.data() != except;
        });
        if (!name.isEmpty() && taken == areas.end()) return name;
        m_user.ShowMessage(name.isEmpty()
                               ? tr("An area needs a name.")
                               : tr("There is an area named \"%1\" already. Please enter another "
                                    "name.")
                                     .arg(name));
    }
}

void DocumentBase::OnRenameArea() {
    const int index = CurrentAreaIndex();
    if (index < 0) return;
    const std::optional<QString> name = AskAreaName(m_model.Areas()[index].GetName(), index);
    if (name) Edit(edits::RenameArea(m_model, index, *name));
}

void DocumentBase::OnDeleteArea() {
    const int index = CurrentAreaIndex();
    if (CAreasBar* bar = FindAreasBar(FirstView())) bar->DeleteCurrentItem();
    Edit(edits::DeleteArea(m_model, index));
}

void DocumentBase::OnUpdateNeedsCurrentArea(CommandUpdate& update) {
    update.Enable(CurrentAreaIndex() >= 0 && !m_model.GetCorrectionMode());
}

void DocumentBase::SetModifiedFlag(bool modified) {
    m_marked = modified;
    if (!modified) m_history.SetSaved();
    ShowModified();
}

void DocumentBase::SetPathName(const QString& path) {
    m_pathName = path;
    SetTitle(QFileInfo(path).fileName());
    emit pathAdded(path);
}

void DocumentBase::SetTitle(const QString& title) {
    m_title = title;
    emit titleChanged();
}

void DocumentBase::AddView(CMosvelViewBase* view) {
    m_views.append(view);
    view->SetDocument(this);
    // Window titles number the windows of a document shown more than once.
    emit titleChanged();
}

void DocumentBase::RemoveView(CMosvelViewBase* view) {
    m_views.removeAll(view);
    view->DetachDocument();
    emit titleChanged();
}

void DocumentBase::UpdateAllViews() {
    for (CMosvelViewBase* view : m_views) {
        view->SetRenderPending(true);
        view->InvalidateAll(true);
    }
}

void DocumentBase::ModelChanged(const ModelChange& change) {
    ShowModelChange(*this, m_views, change);
}

bool DocumentBase::OnOpenDocument(const QString& path) {
    try {
        const WaitCursor wait;
        SetModifiedFlag(true);
        LoadModelFile(m_model, path);
        m_history.Clear();
    } catch (const UserAlreadyToldError&) {
        return false;
    } catch (const WrongFormatError& error) {
        // Such a file must not stand open under its name, where a Save
        // would overwrite the real file with nothing.
        m_user.ShowMessage(error.Reason());
        return false;
    } catch (const std::exception& error) {
        // Out of memory too: the load left the model as it was.
        m_user.ShowMessage(
            WithReason(QCoreApplication::translate("velora", kOpenFailed), error, path),
            MessageIcon::Error);
        return false;
    }
    AfterLoad();
    SetModifiedFlag(false);
    return true;
}

bool DocumentBase::OnSaveDocument(const QString& path) {
    const QFileInfo target(path);
    if (target.fileName().isEmpty() || !target.absoluteDir().exists() || target.isDir()) {
        m_user.ShowMessage(QCoreApplication::translate("velora", kInvalidFilename),
                           MessageIcon::Error);
        return false;
    }
    try {
        const WaitCursor wait;
        SaveModelFile(m_model, path);
    } catch (const UserAlreadyToldError&) {
        return false;
    } catch (const std::exception& error) {
        m_user.ShowMessage(
            WithReason(QCoreApplication::translate("velora", kSaveFailed), error, path),
            MessageIcon::Error);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool DocumentBase::SaveModified() {
    if (!IsModified()) return true;
    QString name = m_pathName;
    if (name.isEmpty()) name = m_title;
    if (name.isEmpty()) name = tr("Untitled");
    switch (m_user.AskYesNoCancel(tr("Save changes to %1?").arg(name))) {
        case Answer::Cancel:
            return false;
        case Answer::Yes:
            // A cancelled library dialog or a failed save keeps the
            // document open, so nothing is lost without the user's word.
            return DoFileSave();
        case Answer::No:
            break;
    }
    return true;
}

// The chosen path is stored as it is and the recent-file list is not
// touched; the windows take the file's name once it is saved.
bool DocumentBase::DoFileSave() {
    if (m_pathName.isEmpty()) {
        const std::optional<QString> path =
            ChooseLibrarySavePath(m_library, m_user, QApplication::activeWindow());
        if (!path) return false;
        m_pathName = *path;
    }
    return SaveUnderPathName();
}

bool DocumentBase::DoFileSaveAs() {
    const std::optional<QString> path =
        ChooseLibrarySavePath(m_library, m_user, QApplication::activeWindow());
    if (!path) return false;
    m_pathName = *path;
    SetModifiedFlag(true);
    return SaveUnderPathName();
}

bool DocumentBase::SaveUnderPathName() {
    if (!OnSaveDocument(m_pathName)) return false;
    SetTitle(QFileInfo(m_pathName).fileName());
    return true;
}

void DocumentBase::OnFileClose() {
    if (SaveModified()) emit closeRequested();
}

}  // namespace velora
