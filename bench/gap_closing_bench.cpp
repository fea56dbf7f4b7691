// SPDX-License-Identifier: GPL-3.0-or-later
// Gap closing on a 4000 x 3000 template of 5,000 shapes, each outline broken
// into five open curves with gaps of 1 to 5 pixels (25,000 curves, 50,000
// open ends): "Close gaps..." over all of it, and a click inside one shape
// whose fill floods the drawing until the gaps around it are closed.

#include "core/common/user_interface.h"
#include "core/edit/edits.h"
#include "core/geometry/flood_fill.h"
#include "core/geometry/region_data.h"
#include "core/import/click_capture.h"
#include "core/import/gap_closing.h"
#include "core/import/gap_closing_fill.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>

namespace velora {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kColumns = 100;
constexpr int kRows = 50;
constexpr int kPiecesPerShape = 5;
constexpr double kCellWidth = double(kWidth) / kColumns;
constexpr double kCellHeight = double(kHeight) / kRows;

// Every cell holds an ellipse whose outline is cut into five arcs with a
// gap of 1 to 5 pixels after each.
struct GappedTemplate {
    CDrawingModel model;

    GappedTemplate() {
        std::mt19937 random(22);
        std::uniform_real_distribution<double> gap(1, 5);
        model.SetSize(kWidth, kHeight);
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                const QPointF centre((column + 0.5) * kCellWidth, (row + 0.5) * kCellHeight);
                AddShape(centre, kCellWidth / 2 - 4, kCellHeight / 2 - 4, gap, random);
            }
        }
        NullUserInterface nobody;
        model.SetMaskBitmap(
            std::move(*OutlineMaskCanvas::Allocate(QSize(kWidth, kHeight))).Draw(model, nobody));
    }

    void AddShape(QPointF centre, double rx, double ry, std::uniform_real_distribution<double>& gap,
                  std::mt19937& random) {
        const double perimeter = std::numbers::pi * (rx + ry);
        const double piece = 2 * std::numbers::pi / kPiecesPerShape;
        for (int i = 0; i < kPiecesPerShape; ++i) {
            const double skip = 2 * std::numbers::pi * gap(random) / perimeter;
            std::vector<PointF> points;
            for (int step = 0; step <= 16; ++step) {
                const double angle = i * piece + skip + (piece - skip) * step / 16;
                points.push_back({static_cast<float>(centre.x() + rx * std::cos(angle)),
                                  static_cast<float>(centre.y() + ry * std::sin(angle))});
            }
            auto curve = std::make_unique<CCurve>();
            curve->GetPath().AddLines(points);
            model.AddCurve(std::move(curve));
        }
    }
};

const GappedTemplate& Template() {
    static const GappedTemplate gapped;
    return gapped;
}

// 25,000 closed ellipses in a grid of 250 x 100 cells: a drawing without a
// gap, whose outlines are all looked at for the tips of strokes.
struct ClosedTemplate {
    CDrawingModel model;

    ClosedTemplate() {
        model.SetSize(kWidth, kHeight);
        const double width = double(kWidth) / 250;
        const double height = double(kHeight) / 100;
        for (int row = 0; row < 100; ++row) {
            for (int column = 0; column < 250; ++column) {
                auto curve = std::make_unique<CCurve>();
                curve->GetPath().AddEllipse(
                    static_cast<float>(column * width + 2), static_cast<float>(row * height + 2),
                    static_cast<float>(width - 4), static_cast<float>(height - 4));
                model.AddCurve(std::move(curve));
            }
        }
        NullUserInterface nobody;
        model.SetMaskBitmap(
            std::move(*OutlineMaskCanvas::Allocate(QSize(kWidth, kHeight))).Draw(model, nobody));
    }
};

void BM_CloseGapsOverAllCurves(benchmark::State& state) {
    const CDrawingModel& model = Template().model;
    size_t joins = 0;
    for (auto _ : state) {
        const std::vector<GapJoin> found =
            FindGapJoins(model.GetMaskBitmap(), model.Curves(), kDefaultGapDistance);
        MonoBitmap mask = model.GetMaskBitmap();
        benchmark::DoNotOptimize(DrawJoins(mask, found));
        joins = found.size();
    }
    state.counters["curves"] = static_cast<double>(model.Curves().size());
    state.counters["joins"] = static_cast<double>(joins);
}
// Both cores search; the time counts both.
BENCHMARK(BM_CloseGapsOverAllCurves)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_CloseGapsOverClosedCurves(benchmark::State& state) {
    static const ClosedTemplate closed;
    const CDrawingModel& model = closed.model;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            FindGapJoins(model.GetMaskBitmap(), model.Curves(), kDefaultGapDistance));
    }
    state.counters["curves"] = static_cast<double>(model.Curves().size());
}
BENCHMARK(BM_CloseGapsOverClosedCurves)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The whole click as the template view makes it: the retry closes the gaps
// around the click, the joins are drawn into the mask and the region is
// captured, as one step (taken back, untimed, after each).
void BM_FloodingClickClosedAndCaptured(benchmark::State& state) {
    CDrawingModel& model = const_cast<GappedTemplate&>(Template()).model;
    const QPoint click(static_cast<int>(50.5 * kCellWidth), static_cast<int>(25.5 * kCellHeight));
    if (EnclosedFillRuns(model.GetMaskBitmap(), click.x(), click.y())) {
        state.SkipWithError("no flood");
    }
    int joins = 0;
    for (auto _ : state) {
        const ClickPlan plan = PlanClick(model, click, kDefaultGapDistance);
        if (plan.action != ClickPlan::Action::Capture || plan.outline.empty()) {
            state.SkipWithError("the gaps did not close");
            break;
        }
        std::unique_ptr<EditStep> step = edits::CaptureWithOutline(model, click, plan.outline);
        state.PauseTiming();
        joins = plan.joins;
        step->Undo(model);
        state.ResumeTiming();
    }
    state.counters["joins"] = joins;
}
BENCHMARK(BM_FloodingClickClosedAndCaptured)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// A click in the space around the drawing: the retry grows its window over
// the whole drawing before it gives up.
void BM_BackgroundClickCapturesNothing(benchmark::State& state) {
    const CDrawingModel& model = Template().model;
    const MonoBitmap& mask = model.GetMaskBitmap();
    const QPoint click(static_cast<int>(50 * kCellWidth), static_cast<int>(25 * kCellHeight));
    for (auto _ : state) {
        if (EnclosedFillRuns(mask, click.x(), click.y())) state.SkipWithError("no flood");
        if (FillClosingGaps(mask, model.Curves(), click, kDefaultGapDistance))
            state.SkipWithError("the space around the drawing was enclosed");
    }
}
BENCHMARK(BM_BackgroundClickCapturesNothing)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora

BENCHMARK_MAIN();
