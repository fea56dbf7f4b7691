// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The large design that the repaint, file and view benchmarks share: 4000 x
// 3000 pixels, 5,000 regions in a grid, 50 areas with textures of their own.

#include "core/geometry/region_data.h"
#include "core/model/drawing_model.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace velora {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kColumns = 100;
constexpr int kRows = 50;  // 5,000 regions
constexpr int kAreas = 50;
constexpr int kTextureSize = 256;

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// A texture with the smooth variation and fine grain of a photographed
// material, so JPEG does the work it does on real textures.
inline QImage Texture(int seed, int size = kTextureSize) {
    QImage image(size, size, QImage::Format_RGB32);
    uint32_t noise = 2654435761u * static_cast<uint32_t>(seed + 1);
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = static_cast<int>(noise >> 28) - 8;
            const double wave = std::sin((x + seed * 7) * 0.05) * std::cos((y - seed * 3) * 0.04);
            const int base = 128 + static_cast<int>(60 * wave) + grain;
            line[x] = qRgb(std::clamp(base + seed, 0, 255), std::clamp(base, 0, 255),
                           std::clamp(base - seed, 0, 255));
        }
    }
    return image;
}

// Every cell of the grid is a region of three rectangles (a plus-shaped
// piece), and a light pixel in the mask where the region is.
inline void BuildDesign(CDrawingModel& model, bool textured) {
    model.SetSize(kWidth, kHeight);
    model.SetTemplateName("Large design");
    MonoBitmap mask(kWidth, kHeight);
    const int cellWidth = kWidth / kColumns;
    const int cellHeight = kHeight / kRows;
    std::vector<CArea> areas(kAreas);
    for (int i = 0; i < kAreas; ++i) {
        areas[i].SetName(QStringLiteral("Area %1").arg(i));
        if (textured) areas[i].SetImage(Texture(i));
    }
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int x = column * cellWidth;
            const int y = row * cellHeight;
            const QRect rects[] = {{x + 8, y + 2, cellWidth - 16, 6},
                                   {x + 2, y + 8, cellWidth - 4, cellHeight - 16},
                                   {x + 8, y + cellHeight - 8, cellWidth - 16, 6}};
            // The outline around the plus-shaped piece, as the template's
            // curve of that cell.
            const std::vector<PointF> outline{{x + 7.5f, y + 1.5f},
                                              {x + cellWidth - 8.5f, y + 1.5f},
                                              {x + cellWidth - 8.5f, y + 7.5f},
                                              {x + cellWidth - 1.5f, y + 7.5f},
                                              {x + cellWidth - 1.5f, y + cellHeight - 8.5f},
                                              {x + cellWidth - 8.5f, y + cellHeight - 8.5f},
                                              {x + cellWidth - 8.5f, y + cellHeight - 1.5f},
                                              {x + 7.5f, y + cellHeight - 1.5f},
                                              {x + 7.5f, y + cellHeight - 8.5f},
                                              {x + 1.5f, y + cellHeight - 8.5f},
                                              {x + 1.5f, y + 7.5f},
                                              {x + 7.5f, y + 7.5f}};
            auto curve = std::make_unique<CCurve>();
            curve->GetPath().AddPolygon(outline);
            model.AddCurve(std::move(curve));
            auto region = std::make_unique<CRegionItem>();
            region->AssignRegion(RegionFromRects(rects));
            const int index = row * kColumns + column;
            areas[index % kAreas].AddName(region->GetName());
            for (const QRect& rect : rects) {
                for (int py = rect.top(); py <= rect.bottom(); ++py) {
                    for (int px = rect.left(); px <= rect.right(); ++px)
                        mask.SetPixel(px, py, true);
                }
            }
            model.AddRegion(std::move(region));
        }
    }
    for (CArea& area : areas) model.AddArea(std::move(area));
    model.SetMaskBitmap(std::move(mask));
}

inline void ReportRatio(benchmark::State& state, double ours, double baseline) {
    const auto runs = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = 1000 * ours / runs;
    state.counters["baseline_ms"] = 1000 * baseline / runs;
    state.counters["ratio"] = ours / baseline;
}

}  // namespace velora
