// SPDX-License-Identifier: GPL-3.0-or-later
// Template files loaded, then their gaps closed as "Close gaps..." closes
// them, and a click in the middle retried with its gaps closed: the curves
// and the mask of the fuzzed bytes meet the gap search, not only the reader.

#include "core/geometry/flood_fill.h"
#include "core/import/gap_closing.h"
#include "core/import/gap_closing_fill.h"
#include "model_fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {
// Larger masks are slower, not different.
constexpr qint64 kMaxMaskPixels = 512 * 512;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velora;
    CDrawingModel model;
    if (!fuzz::LoadFuzzedModel(model, data, size)) return 0;
    const MonoBitmap& mask = model.GetMaskBitmap();
    if (mask.IsNull() || qint64(mask.Width()) * mask.Height() > kMaxMaskPixels) return 0;

    MonoBitmap closed = mask;
    DrawJoins(closed, FindGapJoins(mask, model.Curves(), kDefaultGapDistance));
    const QPoint middle(mask.Width() / 2, mask.Height() / 2);
    if (!EnclosedFillRuns(mask, middle.x(), middle.y())) {
        FillClosingGaps(mask, model.Curves(), middle, kDefaultGapDistance);
    }
    // And the same for a template whose outlines are only in its mask.
    const std::vector<std::unique_ptr<CCurve>> noCurves;
    FindGapJoins(mask, noCurves, kDefaultGapDistance);
    return 0;
}
