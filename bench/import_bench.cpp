// Chaining and conversion of a large DXF-like drawing: squares of four
// separate LINE pieces, as the DXF reader hands them over (scaled by 100, one
// path per entity). The whole drawing has 25,000 squares (100,000 lines); a
// tenth of it shows how the work grows with the drawing.

#include "core/import/chaining.h"
#include "core/import/conversion.h"
#include "core/import/sizing.h"
#include "core/model/drawing_model.h"
#include "core/model/user_interface.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

namespace velora {
namespace {

// Squares in rows of 250, each drawn as four lines; some lines run backwards,
// and the entities come in a shuffled order when asked, as drawings edited
// by hand often list them.
std::vector<Path> SquareLines(int squares, bool shuffled) {
    std::mt19937 random(17);
    std::vector<Path> lines;
    lines.reserve(static_cast<size_t>(squares) * 4);
    for (int i = 0; i < squares; ++i) {
        const float x = static_cast<float>(i % 250) * 2000;
        const float y = static_cast<float>(i / 250) * 2000;
        const PointF corners[] = {{x, y}, {x + 1500, y}, {x + 1500, y + 1500}, {x, y + 1500}};
        for (int side = 0; side < 4; ++side) {
            PointF from = corners[side];
            PointF to = corners[(side + 1) % 4];
            if (random() % 3 == 0) std::swap(from, to);
            Path line;
            line.AddLine(from, to);
            lines.push_back(std::move(line));
        }
    }
    if (shuffled) std::shuffle(lines.begin(), lines.end(), random);
    return lines;
}

// One import's chaining and conversion; the model is made fresh each time.
double ChainAndConvertSeconds(const std::vector<Path>& lines) {
    CDrawingModel model;
    model.ImportPaths() = lines;
    const auto start = std::chrono::steady_clock::now();
    ChainImportPaths(model);
    ConvertObjectsToCurves(model);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    benchmark::DoNotOptimize(model.Curves().data());
    if (model.Curves().size() * 4 != lines.size()) throw std::logic_error("squares did not close");
    return elapsed.count();
}

void BM_ChainAndConvert(benchmark::State& state) {
    const std::vector<Path> lines =
        SquareLines(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) state.SetIterationTime(ChainAndConvertSeconds(lines));
    state.counters["lines"] = static_cast<double>(lines.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ChainAndConvert)
    ->ArgNames({"squares", "shuffled"})
    ->ArgsProduct({{2500, 25000}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The full drawing against its tenth, timed alternately so that both see the
// same machine load. Linear work gives a ratio near 10.
void BM_TenfoldDrawingRatio(benchmark::State& state) {
    const std::vector<Path> tenth = SquareLines(2500, true);
    const std::vector<Path> full = SquareLines(25000, true);
    double tenthSeconds = 0;
    double fullSeconds = 0;
    for (auto _ : state) {
        tenthSeconds += ChainAndConvertSeconds(tenth);
        fullSeconds += ChainAndConvertSeconds(full);
    }
    state.counters["full_ms"] = 1000 * fullSeconds / static_cast<double>(state.iterations());
    state.counters["tenth_ms"] = 1000 * tenthSeconds / static_cast<double>(state.iterations());
    state.counters["full_over_tenth"] = fullSeconds / tenthSeconds;
}
BENCHMARK(BM_TenfoldDrawingRatio)->Iterations(5)->Unit(benchmark::kMillisecond);

// Sizing the converted drawing: fitting and drawing the mask, at a common
// size and at the largest one accepted (drawn in bands).
class FixedSize : public NullUserInterface {
public:
    explicit FixedSize(int side) : m_side(side) {}
    std::optional<QSize> AskDrawingSize() override { return QSize(m_side, m_side); }

private:
    int m_side;
};

void BM_SizeDrawing(benchmark::State& state) {
    FixedSize user(static_cast<int>(state.range(0)));
    CDrawingModel converted;
    converted.ImportPaths() = SquareLines(25000, false);
    ChainImportPaths(converted);
    ConvertObjectsToCurves(converted);
    for (auto _ : state) {
        state.PauseTiming();
        CDrawingModel model;
        model.SetUserInterface(&user);
        for (const auto& curve : converted.Curves()) {
            model.Curves().push_back(std::make_unique<CCurve>(*curve));
        }
        state.ResumeTiming();
        if (!SizeDrawing(model)) throw std::logic_error("size refused");
        benchmark::DoNotOptimize(model.GetMaskBitmap().Bits().data());
    }
}
BENCHMARK(BM_SizeDrawing)->Arg(4000)->Arg(30000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora

BENCHMARK_MAIN();
