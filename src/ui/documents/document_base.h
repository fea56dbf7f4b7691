// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/user_interface.h"
#include "core/edit/document_history.h"
#include "core/model/drawing_model.h"
#include "ui/controls/command_target.h"
#include "ui/library/library_choice.h"
#include "ui/views/view_document.h"

#include <QList>
#include <QObject>

namespace velora {

class CMosvelViewBase;

// What the design and the template documents share: the model, the path,
// title and modified flag, the views, reading and writing the file and the
// question before closing. The model reports its changes here, and the
// document shows them in every view of it.
class DocumentBase : public QObject, public IViewDocument, public IModelObserver {
    Q_OBJECT
public:
    DocumentBase(int kind, LibraryKind library, IUserInterface& user);
    ~DocumentBase() override;

    CDrawingModel& Model() override { return m_model; }
    // Modified while a change of what is saved lies between the saved state
    // and now on the undo stack, or while marked so.
    bool IsModified() const override { return m_marked || m_history.IsModified(); }
    // True marks the document modified whatever the stack says; false makes
    // the present state the saved one.
    void SetModifiedFlag(bool modified = true) override;
    void Edit(std::unique_ptr<EditStep> step) override;
    // A word for the status bar about the step just taken, withdrawn when
    // any step is undone, redone or taken after it.
    void ShowStatus(const QString& text) override;
    QUndoStack& UndoStack() const override { return m_history.Stack(); }
    const DocumentHistory& History() const { return m_history; }

    const QString& GetPathName() const { return m_pathName; }
    // The path and, as the framework does, the file name as title; the file
    // is added to the recent-file list.
    void SetPathName(const QString& path);
    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);

    void AddView(CMosvelViewBase* view);
    void RemoveView(CMosvelViewBase* view) override;
    CMosvelViewBase* FirstView() const { return m_views.isEmpty() ? nullptr : m_views.first(); }
    const QList<CMosvelViewBase*>& Views() const { return m_views; }
    // Re-renders and repaints every view.
    void UpdateAllViews();
    // The views repaint what changed, and the areas bar follows when it
    // shows this document.
    void ModelChanged(const ModelChange& change) override;

    // Reads a template or design file into the model. False, with the user
    // told why, when it cannot be read: the model is then as it was.
    bool OnOpenDocument(const QString& path);
    // Writes the model to the file. False, with the user told why, on failure.
    bool OnSaveDocument(const QString& path);
    // Asked before the document closes: true when it may close. Unsaved work
    // is never dropped unless the user says No.
    bool SaveModified();

    // Save: asks for a path in the library when there is none yet. True when
    // the file was written.
    bool DoFileSave();
    bool DoFileSaveAs();

    // Commands of both documents
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoFileSaveAs(); }
    void OnFileClose();
    void OnEditUndo() { UndoStack().undo(); }
    void OnEditRedo() { UndoStack().redo(); }
    void OnUpdateEditUndo(CommandUpdate& update);
    void OnUpdateEditRedo(CommandUpdate& update);
    void OnRenameArea();
    void OnDeleteArea();
    // Enabled while the areas bar has a current area (outside correction
    // mode).
    void OnUpdateNeedsCurrentArea(CommandUpdate& update);

    // The index of the areas bar's current item, -1 for none.
    int CurrentAreaIndex() const;
    // Asks for an area name until it is one no other area of the document
    // has (except the one at the index); none when the user cancels.
    std::optional<QString> AskAreaName(const QString& proposal, int except = -1);

signals:
    void titleChanged();
    void modifiedChanged(bool modified);
    // A file was opened or saved under this path: it belongs in the
    // recent-file list.
    void pathAdded(const QString& path);
    // The Close command: every frame of the document should close now,
    // without asking again.
    void closeRequested();
    // A word for the status bar.
    void statusMessage(const QString& text);
    // The word last shown no longer holds.
    void statusWithdrawn(const QString& text);

protected:
    IUserInterface& User() const { return m_user; }
    // After the model was read from a file: the views follow the new model.
    virtual void AfterLoad() = 0;

private:
    void FollowStack();
    void ShowModified();
    void WithdrawStatus();
    // Saves to the path name; the title becomes the file's name.
    bool SaveUnderPathName();

    CDrawingModel m_model;
    DocumentHistory m_history{m_model};
    LibraryKind m_library;
    IUserInterface& m_user;
    QString m_pathName;
    QString m_title;
    QString m_status;
    bool m_marked = false;
    // The modified mark as last told.
    bool m_shownModified = false;
    QList<CMosvelViewBase*> m_views;
};

}  // namespace velora
