// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/edit/edit_step.h"

namespace velora {

void EditStep::Add(std::unique_ptr<StepPart> part) {
    if (part) m_parts.push_back(std::move(part));
}

void EditStep::Undo(CDrawingModel& model) {
    for (auto part = m_parts.rbegin(); part != m_parts.rend(); ++part) (*part)->Undo(model);
}

void EditStep::Redo(CDrawingModel& model) {
    for (const auto& part : m_parts) part->Redo(model);
}

int64_t EditStep::Cost() const {
    int64_t cost = static_cast<int64_t>(sizeof(EditStep) + m_name.size() * sizeof(QChar));
    for (const auto& part : m_parts) cost += part->Cost();
    return cost;
}

std::unique_ptr<EditStep> IfChanged(std::unique_ptr<EditStep> step) {
    return step && !step->IsEmpty() ? std::move(step) : nullptr;
}

}  // namespace velora
