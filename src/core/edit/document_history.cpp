// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/edit/document_history.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace velora {

// Runs its step on the model; the first redo, which Qt calls on the push,
// finds the change done already.
class DocumentHistory::Command : public QUndoCommand {
public:
    Command(DocumentHistory& history, std::shared_ptr<EditStep> step)
        : QUndoCommand(step->Name()), m_history(history), m_step(std::move(step)) {}

    void redo() override {
        if (std::exchange(m_done, false) || m_history.m_replaying) return;
        m_step->Redo(m_history.m_model);
    }
    void undo() override {
        if (!m_history.m_replaying) m_step->Undo(m_history.m_model);
    }
    const std::shared_ptr<EditStep>& Step() const { return m_step; }

private:
    DocumentHistory& m_history;
    std::shared_ptr<EditStep> m_step;
    bool m_done = true;
};

namespace {
// Past the budget the oldest steps go until this share of it is left, so
// the stack is not made anew on every step at the limit.
constexpr int64_t kKeptPercent = 90;
}  // namespace

DocumentHistory::DocumentHistory(CDrawingModel& model, int64_t budget)
    : m_model(model), m_budget(budget), m_stack(std::make_unique<QUndoStack>()) {}

DocumentHistory::~DocumentHistory() = default;

void DocumentHistory::Push(std::unique_ptr<EditStep> step) {
    if (!step) return;
    m_stack->push(new Command(*this, std::move(step)));
    KeepWithinBudget();
}

bool DocumentHistory::IsModified() const {
    const int clean = m_stack->cleanIndex();
    if (clean < 0) return true;
    const int index = m_stack->index();
    for (int i = std::min(clean, index); i < std::max(clean, index); ++i) {
        if (static_cast<const Command*>(m_stack->command(i))->Step()->ChangesContent()) return true;
    }
    return false;
}

void DocumentHistory::SetSaved() { m_stack->setClean(); }

void DocumentHistory::Clear() {
    m_stack->clear();
    m_cost = 0;
    m_dropped = 0;
}

void DocumentHistory::KeepWithinBudget() {
    const int count = m_stack->count();
    std::vector<int64_t> costs(static_cast<size_t>(count));
    m_cost = 0;
    for (int i = 0; i < count; ++i) {
        costs[i] = static_cast<const Command*>(m_stack->command(i))->Step()->Cost();
        m_cost += costs[i];
    }
    if (m_cost <= m_budget) return;
    // The newest step stays, however large.
    size_t drop = 0;
    while (drop + 1 < costs.size() && m_cost > m_budget * kKeptPercent / 100) {
        m_cost -= costs[drop++];
    }
    m_dropped += static_cast<int>(drop);
    Rebuild(drop);
}

// The kept steps go onto a new stack as they stand: done up to the index,
// the saved state where it was (unless it went with the dropped steps).
void DocumentHistory::Rebuild(size_t firstKept) {
    const int first = static_cast<int>(firstKept);
    const int index = m_stack->index() - first;
    const int clean = m_stack->cleanIndex() - first;
    auto fresh = std::make_unique<QUndoStack>();
    m_replaying = true;
    for (int i = first; i < m_stack->count(); ++i) {
        fresh->push(new Command(*this, static_cast<const Command*>(m_stack->command(i))->Step()));
    }
    if (clean >= 0 && m_stack->cleanIndex() >= 0) {
        fresh->setIndex(clean);
        fresh->setClean();
    } else {
        fresh->resetClean();
    }
    fresh->setIndex(std::max(index, 0));
    m_replaying = false;
    std::unique_ptr<QUndoStack> old = std::exchange(m_stack, std::move(fresh));
    if (m_replaced) m_replaced(m_stack.get());
}

}  // namespace velora
