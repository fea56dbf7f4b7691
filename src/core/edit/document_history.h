// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/edit/edit_step.h"

#include <QUndoStack>

#include <cstdint>
#include <functional>
#include <memory>

namespace velora {

class CDrawingModel;

// The undo stack of one document. Steps come in already done; undo and redo
// run them on the model. The stack keeps at most its budget of bytes of
// steps: past it the oldest steps go. Qt's stack cannot let go of single
// steps, so it is then made anew from the steps that stay, and whoever
// shows the stack is told of the new one.
class DocumentHistory {
public:
    static constexpr int64_t kDefaultBudget = int64_t{256} << 20;

    explicit DocumentHistory(CDrawingModel& model, int64_t budget = kDefaultBudget);
    ~DocumentHistory();
    DocumentHistory(const DocumentHistory&) = delete;
    DocumentHistory& operator=(const DocumentHistory&) = delete;

    QUndoStack& Stack() const { return *m_stack; }
    // Called with the new stack whenever the stack is made anew.
    void OnStackReplaced(std::function<void(QUndoStack*)> replaced) {
        m_replaced = std::move(replaced);
    }

    // The change is done: it becomes the newest step (steps undone before
    // it are dropped). Nothing happens for none.
    void Push(std::unique_ptr<EditStep> step);
    // A change of what is saved lies between the saved state and now, or
    // the saved state is gone from the stack.
    bool IsModified() const;
    // The document is as its file holds it now.
    void SetSaved();
    // Forgets every step: a document opened anew.
    void Clear();

    int64_t Cost() const { return m_cost; }
    int64_t Budget() const { return m_budget; }
    // How many of the oldest steps went to keep within the budget.
    int DroppedSteps() const { return m_dropped; }

private:
    class Command;
    // Drops the oldest steps until the rest fit the budget.
    void KeepWithinBudget();
    void Rebuild(size_t firstKept);

    CDrawingModel& m_model;
    int64_t m_budget;
    std::unique_ptr<QUndoStack> m_stack;
    std::function<void(QUndoStack*)> m_replaced;
    int64_t m_cost = 0;
    int m_dropped = 0;
    // Set while the stack is made anew: its commands then leave the model
    // alone.
    bool m_replaying = false;
};

}  // namespace velora
