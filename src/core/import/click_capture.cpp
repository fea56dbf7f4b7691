// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/click_capture.h"

#include "core/import/gap_closing_fill.h"
#include "core/model/drawing_model.h"

#include <algorithm>

namespace velora {

ClickPlan PlanClick(const CDrawingModel& model, QPoint pixel, int distance) {
    const auto regions = model.Regions();
    if (std::any_of(regions.begin(), regions.end(), [&](const CRegionItem* region) {
            return region->HasRegion() && region->GetRegion().contains(pixel);
        })) {
        return {ClickPlan::Action::Toggle, {}, 0};
    }
    const MonoBitmap& mask = model.GetMaskBitmap();
    if (!QRect(0, 0, mask.Width(), mask.Height()).contains(pixel)) {
        return {ClickPlan::Action::Nothing, {}, 0};
    }
    if (distance < 1) return {};
    const std::optional<GapClosedFill> fill =
        FillClosingGaps(mask, model.Curves(), pixel, distance);
    if (!fill) return {ClickPlan::Action::Flooded, {}, 0};
    ClickPlan plan{ClickPlan::Action::Capture, {}, static_cast<int>(fill->joins.size())};
    for (const GapJoin& join : fill->joins) {
        const std::vector<QPoint> pixels = JoinPixels(join);
        plan.outline.insert(plan.outline.end(), pixels.begin(), pixels.end());
    }
    return plan;
}

}  // namespace velora
