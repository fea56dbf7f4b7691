// SPDX-License-Identifier: GPL-3.0-or-later
// Hot paths of the geometry layer: whole-path transform, flattening and
// bounds on paths of a million points, and building regions from the rows of
// a region capture.
#include "core/geometry/path.h"
#include "core/geometry/region_data.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace velora {
namespace {

constexpr int kMillion = 1000000;

// A polyline of a million points, as chained DXF lines give them.
Path LinePath() {
    std::vector<PointF> points;
    points.reserve(kMillion);
    for (int i = 0; i < kMillion; ++i) {
        points.push_back({static_cast<float>(i % 1000),
                          static_cast<float>(i / 1000) + std::sin(static_cast<float>(i))});
    }
    Path path;
    path.AddLines(points);
    return path;
}

// About a million points of ellipses (13 points each), whose Bezier segments
// the flattening has to split.
Path EllipsePath() {
    Path path;
    for (int i = 0; i < kMillion / 13; ++i) {
        path.AddEllipse(static_cast<float>(i % 300), static_cast<float>(i / 300), 20, 10);
    }
    return path;
}

void TransformFlattenBounds(benchmark::State& state, const Path& source, float flatness) {
    Matrix scale;
    scale.Scale(10, 10, MatrixOrder::Append);
    size_t points = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Path path = source;
        state.ResumeTiming();
        path.Transform(scale);
        path.Flatten(&scale, flatness);
        benchmark::DoNotOptimize(path.WorldBoundsI(nullptr, 1.0f));
        points = path.Points().size();
    }
    state.counters["points_in"] = static_cast<double>(source.Points().size());
    state.counters["points_out"] = static_cast<double>(points);
}

void BM_LinePathTransformFlattenBounds(benchmark::State& state) {
    static const Path source = LinePath();
    TransformFlattenBounds(state, source, 0.01f);
}
BENCHMARK(BM_LinePathTransformFlattenBounds)->Unit(benchmark::kMillisecond);

void BM_EllipsePathTransformFlattenBounds(benchmark::State& state) {
    static const Path source = EllipsePath();
    TransformFlattenBounds(state, source, static_cast<float>(state.range(0)) / 100.0f);
}
// Flatness 0.25 (the usual default) and 1.0, on coordinates scaled by 100.
BENCHMARK(BM_EllipsePathTransformFlattenBounds)->Arg(25)->Arg(100)->Unit(benchmark::kMillisecond);

// The per-piece work of a DXF import: 100,000 two-point lines, each a path
// of its own that is scaled, flattened, measured and chained into one.
void BM_ManySmallPathsIntoOneChain(benchmark::State& state) {
    Matrix scale;
    scale.Scale(10, 10, MatrixOrder::Append);
    for (auto _ : state) {
        Path chain;
        for (int i = 0; i < 100000; ++i) {
            Path piece;
            piece.AddLine({static_cast<float>(i), 0}, {static_cast<float>(i + 1), 0});
            piece.Transform(scale);
            piece.Flatten(&scale, 0.01f);
            benchmark::DoNotOptimize(piece.WorldBoundsI());
            chain.AddPath(piece, true);
        }
        benchmark::DoNotOptimize(chain.PointCount());
    }
}
BENCHMARK(BM_ManySmallPathsIntoOneChain)->Unit(benchmark::kMillisecond);

// Rows of three runs each, widened by one pixel as the region capture does,
// with the first and last rows one pixel taller.
std::vector<QRect> CaptureRows(int rows) {
    std::vector<QRect> rects;
    rects.reserve(3 * rows);
    for (int y = 0; y < rows; ++y) {
        const int top = y - (y == 0);
        const int height = 1 + (y == 0) + (y == rows - 1);
        const int wobble = (y * 7) % 13;
        rects.push_back(QRect(100 - wobble - 1, top, 200 + 2, height));
        rects.push_back(QRect(320 + wobble - 1, top, 150 + 2, height));
        rects.push_back(QRect(480 - 1, top, 300 + wobble + 2, height));
    }
    return rects;
}

void BM_RegionFromCaptureRows(benchmark::State& state) {
    const std::vector<QRect> rects = CaptureRows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(RegionFromRects(rects));
    }
    state.counters["rects_in"] = static_cast<double>(rects.size());
    state.counters["rects_out"] = RegionFromRects(rects).rectCount();
}
BENCHMARK(BM_RegionFromCaptureRows)->Arg(4000)->Unit(benchmark::kMillisecond);

// Adversarial input: thin strips crossing each other, whose union needs a
// piece for every crossing.
void BM_RegionFromCrossingStrips(benchmark::State& state) {
    const int strips = static_cast<int>(state.range(0));
    std::vector<QRect> rects;
    for (int i = 0; i < strips; ++i) {
        rects.push_back(QRect(0, 2 * i, 2 * strips, 1));
        rects.push_back(QRect(2 * i, 0, 1, 2 * strips));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(RegionFromRects(rects));
    }
    state.counters["rects_in"] = static_cast<double>(rects.size());
}
BENCHMARK(BM_RegionFromCrossingStrips)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_RgnDataRoundTrip(benchmark::State& state) {
    const QRegion region = RegionFromRects(CaptureRows(4000));
    for (auto _ : state) {
        const QByteArray data = RgnDataFromRegion(region);
        benchmark::DoNotOptimize(
            RegionFromRgnData({reinterpret_cast<const uint8_t*>(data.constData()),
                               static_cast<size_t>(data.size())}));
    }
}
BENCHMARK(BM_RgnDataRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora

BENCHMARK_MAIN();
