// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace velora {

class CDrawingModel;

// One reversible piece of a change to a model: it holds what it changed
// (not a copy of the model) and can put it back and do it again.
class StepPart {
public:
    virtual ~StepPart() = default;
    virtual void Undo(CDrawingModel& model) = 0;
    virtual void Redo(CDrawingModel& model) = 0;
    // The bytes it holds, as near as it can tell.
    virtual int64_t Cost() const = 0;
};

// One change the user made, named for them ("Capture region"), made of the
// parts it changed in order. Made after the change was done on the model;
// undo takes the parts back last first.
class EditStep {
public:
    explicit EditStep(QString name, bool changesContent = true)
        : m_name(std::move(name)), m_changesContent(changesContent) {}

    const QString& Name() const { return m_name; }
    // False for a change of how the model is shown (smooth lines), which is
    // not saved and leaves the document unmodified.
    bool ChangesContent() const { return m_changesContent; }
    bool IsEmpty() const { return m_parts.empty(); }
    void Add(std::unique_ptr<StepPart> part);

    void Undo(CDrawingModel& model);
    void Redo(CDrawingModel& model);
    int64_t Cost() const;

private:
    QString m_name;
    bool m_changesContent;
    std::vector<std::unique_ptr<StepPart>> m_parts;
};

// The step when it changed something, none otherwise.
std::unique_ptr<EditStep> IfChanged(std::unique_ptr<EditStep> step);

}  // namespace velora
