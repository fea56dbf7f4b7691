// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/model_change.h"

#include <vector>

namespace velora::test {

// Remembers every change a model reports.
class RecordingObserver : public IModelObserver {
public:
    std::vector<ModelChange> changes;

    void ModelChanged(const ModelChange& change) override { changes.push_back(change); }
    // Everything reported since the last look, as one change.
    ModelChange TakeAll() {
        ModelChange all;
        for (const ModelChange& change : changes) all += change;
        changes.clear();
        return all;
    }
};

}  // namespace velora::test
