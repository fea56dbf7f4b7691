// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <memory>

class QUndoStack;

namespace velora {

class CDrawingModel;
class CMosvelViewBase;
class EditStep;
struct ModelChange;

// What a view and the areas bar need of the document they show. The document
// classes sit above the views, so they reach it through this.
class IViewDocument {
public:
    virtual ~IViewDocument() = default;

    virtual CDrawingModel& Model() = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModifiedFlag(bool modified = true) = 0;
    // A change done on the model becomes a step that can be undone.
    virtual void Edit(std::unique_ptr<EditStep> step) = 0;
    // A word for the status bar: what a click or a stroke did not do.
    virtual void ShowStatus(const QString& text) = 0;
    // Where Edit puts the steps.
    virtual QUndoStack& UndoStack() const = 0;
    // The view no longer shows the document (it is closing).
    virtual void RemoveView(CMosvelViewBase* view) = 0;
};

// Shows a change of the document's model in its views and, when the areas
// bar shows the document, in the bar.
void ShowModelChange(IViewDocument& document, const QList<CMosvelViewBase*>& views,
                     const ModelChange& change);

}  // namespace velora
