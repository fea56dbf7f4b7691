// SPDX-License-Identifier: GPL-3.0-or-later
// Region capture on large masks: one light component covering a 4,000 x 4,000
// mask (time and the heap the capture takes at its peak), and capture of every
// enclosed cell of a 2,000 x 2,000 grid of 10,000 cells.

#include "core/model/drawing_model.h"
#include "core/model/region_capture.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {
// Heap taken through operator new (the capture's own vectors and the region
// builder's); reset before each measured capture.
std::atomic<int64_t> g_heapNow{0};
std::atomic<int64_t> g_heapPeak{0};

void* Allocate(size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) throw std::bad_alloc();
    const int64_t now = g_heapNow += static_cast<int64_t>(malloc_usable_size(block));
    int64_t peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block;
}

void Release(void* block) noexcept {
    if (!block) return;
    g_heapNow -= static_cast<int64_t>(malloc_usable_size(block));
    std::free(block);
}
}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, size_t) noexcept { Release(block); }
void operator delete[](void* block, size_t) noexcept { Release(block); }

namespace velora {
namespace {

MonoBitmap LightMask(int width, int height) {
    MonoBitmap mask(width, height);
    for (int y = 0; y < height; ++y) std::fill_n(mask.Row(y), mask.Stride(), uint8_t{0xFF});
    return mask;
}

void BM_CaptureOneLargeComponent(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    CDrawingModel model;
    model.SetMaskBitmap(LightMask(side, side));
    int64_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        while (!model.Regions().empty()) model.TakeRegion(0);
        g_heapPeak = g_heapNow.load();
        const int64_t before = g_heapNow;
        state.ResumeTiming();
        model.ToggleRegionAt({side / 2, side / 3});
        state.PauseTiming();
        peak = std::max(peak, g_heapPeak - before);
        state.ResumeTiming();
    }
    state.counters["capture_heap_peak_MB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["region_pixels"] =
        static_cast<double>(model.Regions().front()->GetRegion().boundingRect().width()) *
        model.Regions().front()->GetRegion().boundingRect().height();
}
BENCHMARK(BM_CaptureOneLargeComponent)->Arg(4000)->Unit(benchmark::kMillisecond);

// cells x cells enclosed cells with one-pixel outlines, filling side x side.
MonoBitmap GridMask(int side, int cells) {
    MonoBitmap mask = LightMask(side, side);
    const int pitch = side / cells;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool line = x % pitch == 0 || y % pitch == 0 || x == side - 1 || y == side - 1;
            if (line) mask.SetPixel(x, y, false);
        }
    }
    return mask;
}

void BM_CaptureAllCells(benchmark::State& state) {
    const MonoBitmap mask = GridMask(2000, 100);
    qsizetype captured = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CDrawingModel model;
        model.SetMaskBitmap(mask);
        state.ResumeTiming();
        captured = CaptureAllRegions(model, state.range(0) != 0).names.size();
        state.PauseTiming();
        model.Clear();
        state.ResumeTiming();
    }
    state.counters["regions"] = static_cast<double>(captured);
}
BENCHMARK(BM_CaptureAllCells)
    ->ArgName("area_per_region")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora

BENCHMARK_MAIN();
