// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/documents/document_base.h"

#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/model/model_file.h"
#include "ui/views/mosvel_view_base.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace velora {

namespace {
const QString kOpenFailed = QStringLiteral("Failed to open document.");
const QString kSaveFailed = QStringLiteral("Failed to save document.");
const QString kInvalidFilename = QStringLiteral("Invalid filename.");

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
}

DocumentBase::~DocumentBase() {
    for (CMosvelViewBase* view : m_views) view->DetachDocument();
}

void DocumentBase::SetModifiedFlag(bool modified) {
    if (m_modified == modified) return;
    m_modified = modified;
    emit modifiedChanged(modified);
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
    if (!m_model.GetView()) m_model.SetView(FirstView());
    emit titleChanged();
}

void DocumentBase::UpdateAllViews() {
    for (CMosvelViewBase* view : m_views) {
        view->SetRenderPending(true);
        view->InvalidateAll(true);
    }
}

bool DocumentBase::OnOpenDocument(const QString& path) {
    try {
        const WaitCursor wait;
        SetModifiedFlag(true);
        // A stream without the model's signature was already reported as
        // "Wrong file format!"; it must not stand open under that file's
        // name, where a Save would overwrite the real file with nothing.
        if (!LoadModelFile(m_model, path)) return false;
    } catch (const UserAlreadyToldError&) {
        return false;
    } catch (const std::exception& error) {
        // Out of memory too: the load left the model as it was.
        m_user.ShowMessage(WithReason(kOpenFailed, error, path), MessageIcon::Error);
        return false;
    }
    AfterLoad();
    SetModifiedFlag(false);
    return true;
}

bool DocumentBase::OnSaveDocument(const QString& path) {
    const QFileInfo target(path);
    if (target.fileName().isEmpty() || !target.absoluteDir().exists() || target.isDir()) {
        m_user.ShowMessage(kInvalidFilename, MessageIcon::Error);
        return false;
    }
    try {
        const WaitCursor wait;
        SaveModelFile(m_model, path);
    } catch (const UserAlreadyToldError&) {
        return false;
    } catch (const std::exception& error) {
        m_user.ShowMessage(WithReason(kSaveFailed, error, path), MessageIcon::Error);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool DocumentBase::SaveModified() {
    if (!m_modified) return true;
    QString name = m_pathName;
    if (name.isEmpty()) name = m_title;
    if (name.isEmpty()) name = QStringLiteral("Untitled");
    switch (m_user.AskYesNoCancel(QStringLiteral("Save changes to %1?").arg(name))) {
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
