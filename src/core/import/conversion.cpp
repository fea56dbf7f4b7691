// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/conversion.h"

#include "core/common/user_interface.h"
#include "core/model/drawing_model.h"
#include "core/model/name_counters.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace velora {

namespace {

using Curves = std::vector<std::unique_ptr<CCurve>>;

// Each curve takes its object's outline: nothing reads an object's points
// after this, and a large drawing would otherwise be held twice.
Curves MakeCurvesOfObjects(CDrawingModel& model) {
    std::vector<Path> outlines = model.TakeObjectOutlines();
    ProgressScope progress(model.User(),
                           QCoreApplication::translate("velora", "Converting to areas..."),
                           static_cast<int>(outlines.size()));
    Curves curves;
    curves.reserve(outlines.size());
    for (Path& outline : outlines) {
        auto curve = std::make_unique<CCurve>();
        curve->GetPath().AddPath(std::move(outline), false);
        curves.push_back(std::move(curve));
        progress.Step();
    }
    return curves;
}

// The area of the curve's box as drawn with a pen of width 1.
int64_t BoxArea(const CCurve& curve) {
    const Rect box = curve.GetPath().WorldBoundsI(nullptr, 1.0f);
    return static_cast<int64_t>(box.width) * box.height;
}

// Larger boxes first, so that an outline comes before the outlines nested in
// it. Boxes of equal area keep the order of their objects. (Ordering by
// "nested inside, or smaller" alone would not be a valid sort order: two equal
// boxes would each go before the other.)
Curves SortCurvesLargestFirst(const CDrawingModel& model, Curves curves) {
    ProgressScope progress(model.User(), QCoreApplication::translate("velora", "Sorting..."), 1);
    std::vector<int64_t> areas(curves.size());
    std::transform(curves.begin(), curves.end(), areas.begin(),
                   [](const auto& curve) { return BoxArea(*curve); });
    std::vector<size_t> order(curves.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return areas[a] > areas[b]; });
    Curves sorted;
    sorted.reserve(curves.size());
    for (size_t i : order) sorted.push_back(std::move(curves[i]));
    return sorted;
}

void NameCurves(const CDrawingModel& model, Curves& curves) {
    ProgressScope progress(model.User(), QCoreApplication::translate("velora", "Renaming..."),
                           static_cast<int>(curves.size()));
    for (auto& curve : curves) {
        curve->SetName(NameCounters::NextCurveName());
        progress.Step();
    }
}

}  // namespace

void ConvertObjectsToCurves(CDrawingModel& model) {
    Curves curves = SortCurvesLargestFirst(model, MakeCurvesOfObjects(model));
    NameCurves(model, curves);
    model.SetCurves(std::move(curves));
}

}  // namespace velora
