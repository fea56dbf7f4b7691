// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/edit/document_history.h"
#include "core/model/drawing_model.h"
#include "ui/views/mosvel_view_base.h"
#include "ui/views/view_document.h"

namespace velora::test {

// A document that only holds a model and remembers being modified.
class ViewTestDocument : public IViewDocument, public IModelObserver {
public:
    explicit ViewTestDocument(int kind = kTemplateDocument) {
        model.SetDocumentKind(kind);
        model.SetObserver(this);
    }

    CDrawingModel& Model() override { return model; }
    bool IsModified() const override { return modified; }
    void SetModifiedFlag(bool on) override { modified = on; }
    void Edit(std::unique_ptr<EditStep> step) override {
        if (!step) return;
        history.Push(std::move(step));
        modified = true;
    }
    void ShowStatus(const QString& text) override { status = text; }
    QUndoStack& UndoStack() const override { return history.Stack(); }
    void RemoveView(CMosvelViewBase* gone) override { views.removeAll(gone); }
    void ModelChanged(const ModelChange& change) override { ShowModelChange(*this, views, change); }
    // Shows the document in the view.
    void AddView(CMosvelViewBase* view) {
        view->SetDocument(this);
        if (!views.contains(view)) views.append(view);
    }

    CDrawingModel model;
    DocumentHistory history{model};
    QList<CMosvelViewBase*> views;
    bool modified = false;
    QString status;
};

// A mask of the given size, light everywhere except the one-pixel outline
// of the given square.
inline MonoBitmap MaskWithSquare(QSize size, const QRect& square) {
    MonoBitmap mask(size.width(), size.height());
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const bool onOutline =
                square.contains(x, y) && !square.adjusted(1, 1, -1, -1).contains(x, y);
            mask.SetPixel(x, y, !onOutline);
        }
    }
    return mask;
}

}  // namespace velora::test
