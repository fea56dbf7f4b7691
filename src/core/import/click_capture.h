// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

#include <vector>

namespace velora {

class CDrawingModel;

// What a click at a drawing pixel of a template is to do.
struct ClickPlan {
    enum class Action {
        // Select or deselect the region that holds the pixel.
        Toggle,
        // Capture the space at the pixel, after drawing the outline below.
        Capture,
        // Capture nothing: the space reaches the drawing's edge even with
        // its gaps closed (the space around the drawing, or one whose
        // outline is open wider than the distance).
        Flooded,
        // Change nothing: the pixel lies beside the drawing, in no region,
        // where there is no space to capture.
        Nothing,
    };
    Action action = Action::Capture;
    // The mask pixels of the joins that close the space's gaps, which the
    // capture draws as outline first; none for a space without gaps.
    std::vector<QPoint> outline;
    int joins = 0;
};

// Plans a click. With a distance of at least 1 the gaps of up to that many
// pixels around the clicked space are closed, and a space that still
// reaches the drawing's edge is not captured; with 0 the click captures
// plainly whatever its fill reaches.
ClickPlan PlanClick(const CDrawingModel& model, QPoint pixel, int distance);

}  // namespace velora
