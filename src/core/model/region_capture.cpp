// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/region_capture.h"

#include "core/common/user_interface.h"
#include "core/geometry/flood_fill.h"
#include "core/geometry/mask_components.h"
#include "core/geometry/region_data.h"
#include "core/model/drawing_model.h"

#include <QCoreApplication>

#include <optional>

namespace velora {

namespace {

QRegion RegionOfRuns(std::span<const PixelRun> runs) { return RegionFromRects(CaptureRects(runs)); }

std::unique_ptr<CRegionItem> NewSelectedRegion(const QRegion& region) {
    auto item = std::make_unique<CRegionItem>();
    item->AssignRegion(region);
    item->SetSelected(true);
    return item;
}

// Pixels of the mask that existing regions cover.
MonoBitmap CoveredPixels(const CDrawingModel& model) {
    const MonoBitmap& mask = model.GetMaskBitmap();
    MonoBitmap covered(mask.Width(), mask.Height());
    const QRect bounds(0, 0, mask.Width(), mask.Height());
    for (const auto& item : model.Regions()) {
        if (!item->HasRegion()) continue;
        for (const QRect& rect : item->GetRegion()) {
            const QRect inside = rect & bounds;
            if (inside.isEmpty()) continue;
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                SetBits(covered.Row(y), inside.left(), inside.right());
            }
        }
    }
    return covered;
}

// Where a click captures the component so that its region is whole. Best is
// the second pixel of a row that is one run of three pixels or more: the two
// runs left of and right of it are widened exactly as the whole run would
// be. Next best are the left end of a row's first run or the right end of a
// row's last run when that run is longer than one pixel (the remaining run's
// widening covers the clicked pixel, though not the outline beyond it), then
// a pixel alone in the top or the bottom row (the widening of the row next
// to it covers it). Components made only of single pixels in rows of several
// runs fall back to their first pixel.
QPoint ClickPixel(std::span<const PixelRun> runs) {
    std::optional<QPoint> runEnd;
    for (size_t begin = 0; begin < runs.size();) {
        size_t end = begin + 1;
        while (end < runs.size() && runs[end].y == runs[begin].y) ++end;
        const PixelRun& first = runs[begin];
        const PixelRun& last = runs[end - 1];
        if (end - begin == 1 && first.x1 - first.x0 >= 2) return {first.x0 + 1, first.y};
        if (!runEnd && first.x1 > first.x0) runEnd = QPoint(first.x0, first.y);
        if (!runEnd && last.x1 > last.x0) runEnd = QPoint(last.x1, last.y);
        begin = end;
    }
    if (runEnd) return *runEnd;
    const size_t n = runs.size();
    if (n > 1 && runs[1].y != runs[0].y) return {runs[0].x0, runs[0].y};
    if (n > 1 && runs[n - 2].y != runs[n - 1].y) return {runs[n - 1].x0, runs[n - 1].y};
    return {runs[0].x0, runs[0].y};
}

// The runs a click at the pixel of the component fills.
std::vector<PixelRun> RunsWithoutPixel(std::span<const PixelRun> runs, QPoint pixel) {
    std::vector<PixelRun> result;
    result.reserve(runs.size() + 1);
    for (const PixelRun& run : runs) {
        if (run.y != pixel.y() || pixel.x() < run.x0 || pixel.x() > run.x1) {
            result.push_back(run);
            continue;
        }
        if (run.x0 < pixel.x()) result.push_back({run.y, run.x0, pixel.x() - 1});
        if (pixel.x() < run.x1) result.push_back({run.y, pixel.x() + 1, run.x1});
    }
    return result;
}

}  // namespace

std::unique_ptr<CRegionItem> CaptureRegionAt(const MonoBitmap& mask, QPoint pixel) {
    return NewSelectedRegion(RegionOfRuns(FloodFillRuns(mask, pixel.x(), pixel.y())));
}

bool ReachesMaskBorder(const QRegion& region, const MonoBitmap& mask) {
    const QRect box = region.boundingRect();
    return !region.isEmpty() && (box.left() < 0 || box.top() < 0 || box.right() >= mask.Width() ||
                                 box.bottom() >= mask.Height());
}

CapturedRegions CaptureAllRegions(CDrawingModel& model, bool areaPerRegion) {
    const MonoBitmap& mask = model.GetMaskBitmap();
    if (mask.IsNull()) return {};
    const MonoBitmap covered = CoveredPixels(model);
    const MaskComponents components(mask);
    CapturedRegions captured;
    QStringList& names = captured.names;
    ProgressScope progress(model.User(),
                           QCoreApplication::translate("velora", "Capturing regions..."),
                           components.Count());
    for (int c = 0; c < components.Count(); ++c) {
        progress.Step();
        const std::span<const PixelRun> runs = components.Runs(c);
        const QPoint click = ClickPixel(runs);
        if (covered.Pixel(click.x(), click.y())) continue;
        if (components.TouchesBorder(c)) {
            // Components are numbered from the top left pixel on.
            const bool aroundTheDrawing = c == 0 && mask.Pixel(0, 0);
            if (!aroundTheDrawing) ++captured.edgeSpaces;
            continue;
        }
        // A component of one pixel would give an empty region.
        if (runs.size() == 1 && runs[0].x0 == runs[0].x1) continue;
        model.AddRegion(NewSelectedRegion(RegionOfRuns(RunsWithoutPixel(runs, click))));
        const QString& name = model.Regions().back()->GetName();
        names.append(name);
        if (areaPerRegion) {
            CArea area;
            area.SetName(name);
            area.AddName(name);
            model.AddArea(std::move(area));
        }
    }
    return captured;
}

}  // namespace velora
