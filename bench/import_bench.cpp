// SPDX-License-Identifier: GPL-3.0-or-later
// Reading, chaining and conversion of a large DXF drawing: squares of four
// LINE entities each. The whole drawing has 25,000 squares (100,000 lines); a
// tenth of it shows how the work grows with the drawing. The mask is not
// drawn here (see BM_SizeDrawing).

#include "core/common/user_interface.h"
#include "core/import/chaining.h"
#include "core/import/conversion.h"
#include "core/import/dxf_reader.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

#include <chrono>
#include <random>

namespace velora {
namespace {

// The DXF text of squares in rows of 250, each drawn as four LINE entities on
// layer 0, which the layer table switches on (an entity on a layer the table
// does not name is not drawn); some lines run backwards, and the entities
// come in a shuffled order when asked, as drawings edited by hand often list
// them.
QByteArray SquaresDxf(int squares, bool shuffled) {
    std::mt19937 random(17);
    std::vector<QByteArray> lines;
    lines.reserve(static_cast<size_t>(squares) * 4);
    for (int i = 0; i < squares; ++i) {
        const int x = (i % 250) * 20;
        const int y = (i / 250) * 20;
        const int corners[][2] = {{x, y}, {x + 15, y}, {x + 15, y + 15}, {x, y + 15}};
        for (int side = 0; side < 4; ++side) {
            const int* from = corners[side];
            const int* to = corners[(side + 1) % 4];
            if (random() % 3 == 0) std::swap(from, to);
            lines.push_back(QByteArray("  0\nLINE\n  8\n0\n 10\n") + QByteArray::number(from[0]) +
                            "\n 20\n" + QByteArray::number(from[1]) + "\n 30\n0.0\n 11\n" +
                            QByteArray::number(to[0]) + "\n 21\n" + QByteArray::number(to[1]) +
                            "\n 31\n0.0\n");
        }
    }
    if (shuffled) std::shuffle(lines.begin(), lines.end(), random);
    QByteArray text =
        "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n  0\nLAYER\n  2\n0\n 70\n0\n"
        " 62\n7\n  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n";
    for (const QByteArray& line : lines) text += line;
    return text + "  0\nENDSEC\n  0\nEOF\n";
}

// One import's reading, chaining and conversion into a fresh model.
double ReadChainConvertSeconds(const QByteArray& dxf, CDrawingModel& model) {
    const auto start = std::chrono::steady_clock::now();
    model.ImportPaths() = ReadDxfPaths(dxf);
    ChainImportPaths(model);
    ConvertObjectsToCurves(model);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    benchmark::DoNotOptimize(model.Curves().front());
    if (model.Curves().empty() || model.Curves().size() * 4 != model.ImportPaths().size()) {
        throw std::logic_error("the squares did not close");
    }
    return elapsed.count();
}

double ReadChainConvertSeconds(const QByteArray& dxf) {
    CDrawingModel model;
    return ReadChainConvertSeconds(dxf, model);
}

void BM_ReadChainConvert(benchmark::State& state) {
    const QByteArray dxf = SquaresDxf(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) state.SetIterationTime(ReadChainConvertSeconds(dxf));
    state.counters["lines"] = static_cast<double>(state.range(0) * 4);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadChainConvert)
    ->ArgNames({"squares", "shuffled"})
    ->ArgsProduct({{2500, 25000}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The full drawing against its tenth, timed alternately so that both see the
// same machine load. Linear work gives a ratio near 10.
void BM_TenfoldDrawingRatio(benchmark::State& state) {
    const QByteArray tenth = SquaresDxf(2500, state.range(0) != 0);
    const QByteArray full = SquaresDxf(25000, state.range(0) != 0);
    double tenthSeconds = 0;
    double fullSeconds = 0;
    for (auto _ : state) {
        tenthSeconds += ReadChainConvertSeconds(tenth);
        fullSeconds += ReadChainConvertSeconds(full);
    }
    state.counters["full_ms"] = 1000 * fullSeconds / static_cast<double>(state.iterations());
    state.counters["tenth_ms"] = 1000 * tenthSeconds / static_cast<double>(state.iterations());
    state.counters["full_over_tenth"] = fullSeconds / tenthSeconds;
}
BENCHMARK(BM_TenfoldDrawingRatio)
    ->ArgName("shuffled")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// Sizing the converted drawing: fitting and drawing the mask, at a common
// size and at the largest one accepted (drawn in bands), of straight outlines
// and of curved ones.

// The squares drawing converted, or as many ellipses in the same places, whose
// curves the outline's connected chains split as the painter does.
std::vector<std::unique_ptr<CCurve>> SizingCurves(bool ellipses) {
    CDrawingModel converted;
    ReadChainConvertSeconds(SquaresDxf(25000, false), converted);
    std::vector<std::unique_ptr<CCurve>> curves;
    if (!ellipses) {
        for (const CCurve* curve : converted.Curves())
            curves.push_back(std::make_unique<CCurve>(*curve));
        return curves;
    }
    for (int i = 0; i < 25000; ++i) {
        curves.push_back(std::make_unique<CCurve>());
        curves.back()->GetPath().AddEllipse(static_cast<float>((i % 250) * 20),
                                            static_cast<float>((i / 250) * 20), 15, 11);
    }
    return curves;
}

void BM_SizeDrawing(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    FixedSizeUser user(QSize(side, side));
    const std::vector<std::unique_ptr<CCurve>> curves = SizingCurves(state.range(1) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        CDrawingModel model;
        model.SetUserInterface(&user);
        for (const auto& curve : curves) model.AddCurve(std::make_unique<CCurve>(*curve));
        state.ResumeTiming();
        if (!SizeDrawing(model)) throw std::logic_error("size refused");
        benchmark::DoNotOptimize(model.GetMaskBitmap().Bits().data());
    }
}
BENCHMARK(BM_SizeDrawing)
    ->ArgNames({"side", "ellipses"})
    ->ArgsProduct({{4000, 30000}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora

BENCHMARK_MAIN();
