// SPDX-License-Identifier: GPL-3.0-or-later
// Saving, loading and repainting a large design, each next to the baseline it
// is judged against in the same run: zlib alone on the same stream bytes for
// save and load, one full-frame image copy for the warm repaint.

#include "core/archive/archive.h"
#include "core/archive/protected_archive.h"
#include "core/common/user_interface.h"
#include "core/geometry/region_data.h"
#include "core/model/drawing_model.h"
#include "core/model/image_record.h"

#include <QPainter>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cmath>

namespace velora {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kColumns = 100;
constexpr int kRows = 50;  // 5,000 regions
constexpr int kAreas = 50;
constexpr int kTextureSize = 256;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// A texture with the smooth variation and fine grain of a photographed
// material, so JPEG does the work it does on real textures.
QImage Texture(int seed) {
    QImage image(kTextureSize, kTextureSize, QImage::Format_RGB32);
    uint32_t noise = 2654435761u * static_cast<uint32_t>(seed + 1);
    for (int y = 0; y < kTextureSize; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kTextureSize; ++x) {
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
void BuildDesign(CDrawingModel& model, bool textured) {
    model.SetSize(kWidth, kHeight);
    model.SetTemplateName("Large design");
    MonoBitmap mask(kWidth, kHeight);
    const int cellWidth = kWidth / kColumns;
    const int cellHeight = kHeight / kRows;
    for (int i = 0; i < kAreas; ++i) {
        CArea area;
        area.SetName(QStringLiteral("Area %1").arg(i));
        if (textured) area.SetImage(Texture(i));
        model.Areas().push_back(area);
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
            model.Curves().push_back(std::move(curve));
            auto region = std::make_unique<CRegionItem>();
            region->AssignRegion(RegionFromRects(rects));
            const int index = row * kColumns + column;
            model.Areas()[index % kAreas].AddName(region->GetName());
            for (const QRect& rect : rects) {
                for (int py = rect.top(); py <= rect.bottom(); ++py) {
                    for (int px = rect.left(); px <= rect.right(); ++px)
                        mask.SetPixel(px, py, true);
                }
            }
            model.Regions().push_back(std::move(region));
        }
    }
    model.SetMaskBitmap(std::move(mask));
}

struct Design {
    CDrawingModel model;
    QByteArray stream;
    QByteArray file;
    NullUserInterface nobody;

    explicit Design(bool textured) {
        model.SetUserInterface(&nobody);
        BuildDesign(model, textured);
        ArchiveWriter writer;
        model.Serialize(writer);
        stream = writer.Data();
        file = CProtectedArchive::Pack(AsBytes(stream));
    }
};

// The design, or with textured false the same drawing as a template, whose
// areas have no images to decode.
Design& TheDesign(bool textured = true) {
    static Design design(true);
    static Design plainTemplate(false);
    return textured ? design : plainTemplate;
}

QByteArray ZlibCompress(const QByteArray& stream) {
    uLongf size = compressBound(static_cast<uLong>(stream.size()));
    QByteArray body(static_cast<qsizetype>(size), Qt::Uninitialized);
    compress(reinterpret_cast<Bytef*>(body.data()), &size,
             reinterpret_cast<const Bytef*>(stream.constData()), static_cast<uLong>(stream.size()));
    body.resize(static_cast<qsizetype>(size));
    return body;
}

QByteArray ZlibUncompress(std::span<const uint8_t> body, qsizetype length) {
    QByteArray stream(length, Qt::Uninitialized);
    uLongf size = static_cast<uLongf>(length);
    uncompress(reinterpret_cast<Bytef*>(stream.data()), &size, body.data(),
               static_cast<uLong>(body.size()));
    return stream;
}

void ReportRatio(benchmark::State& state, double ours, double baseline) {
    const auto runs = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = 1000 * ours / runs;
    state.counters["baseline_ms"] = 1000 * baseline / runs;
    state.counters["ratio"] = ours / baseline;
}

// Serialize (with its thumbnail) and pack, next to zlib compressing the
// same stream. Argument 0 saves the design as built, whose area images are
// encoded; 1 the design loaded from its file and shown once, as an opened
// design is before it is saved, whose unchanged images go back as they came.
void BM_SaveNextToZlibCompress(benchmark::State& state) {
    Design& design = TheDesign();
    const bool loaded = state.range(0) != 0;
    double ours = 0, baseline = 0;
    for (auto _ : state) {
        CDrawingModel reopened;
        reopened.SetUserInterface(&design.nobody);
        if (loaded) {
            const QByteArray stream =
                CProtectedArchive::Unpack(AsBytes(design.file), {}, design.nobody);
            ArchiveReader reader(stream);
            reopened.Serialize(reader);
            QImage view(kWidth, kHeight, QImage::Format_RGB16);
            QPainter painter(&view);
            reopened.Render(painter, false);
        }
        CDrawingModel& model = loaded ? reopened : design.model;
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(ZlibCompress(design.stream));
        const auto t1 = Clock::now();
        ArchiveWriter writer;
        model.Serialize(writer);
        benchmark::DoNotOptimize(CProtectedArchive::Pack(AsBytes(writer.Data())));
        const auto t2 = Clock::now();
        baseline += Seconds(t0, t1);
        ours += Seconds(t1, t2);
    }
    state.counters["stream_MB"] = design.stream.size() / 1e6;
    state.counters["file_MB"] = design.file.size() / 1e6;
    ReportRatio(state, ours, baseline);
}
BENCHMARK(BM_SaveNextToZlibCompress)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Unpack and Serialize into a model, next to zlib uncompressing the same
// body. Dropping the loaded model is not part of either. Argument 1 loads
// the textured design, 0 the same drawing without area images.
void BM_LoadNextToZlibUncompress(benchmark::State& state) {
    Design& design = TheDesign(state.range(0) != 0);
    const std::span<const uint8_t> body = AsBytes(design.file).subspan(12);
    double ours = 0, baseline = 0;
    for (auto _ : state) {
        CDrawingModel model;
        model.SetUserInterface(&design.nobody);
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(ZlibUncompress(body, design.stream.size()));
        const auto t1 = Clock::now();
        const QByteArray stream =
            CProtectedArchive::Unpack(AsBytes(design.file), {}, design.nobody);
        ArchiveReader reader(stream);
        model.Serialize(reader);
        const auto t2 = Clock::now();
        baseline += Seconds(t0, t1);
        ours += Seconds(t1, t2);
        if (model.Regions().size() != design.model.Regions().size()) state.SkipWithError("lost");
    }
    ReportRatio(state, ours, baseline);
}
BENCHMARK(BM_LoadNextToZlibUncompress)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// The part of a load that decoding the 50 area images takes, against the
// same zlib baseline: what is left of the stream's cost besides it.
void BM_AreaImageDecodeNextToZlibUncompress(benchmark::State& state) {
    Design& design = TheDesign();
    const std::span<const uint8_t> body = AsBytes(design.file).subspan(12);
    std::vector<QByteArray> encoded;
    for (const CArea& area : design.model.Areas()) {
        ArchiveWriter writer;
        WriteImageRecord(writer, &area.GetImage(), 100);
        encoded.push_back(writer.Data().mid(4));
    }
    std::vector<std::span<const uint8_t>> records;
    for (const QByteArray& bytes : encoded) records.push_back(AsBytes(bytes));
    double ours = 0, baseline = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(ZlibUncompress(body, design.stream.size()));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(DecodeImageRecords(records));
        const auto t2 = Clock::now();
        baseline += Seconds(t0, t1);
        ours += Seconds(t1, t2);
    }
    ReportRatio(state, ours, baseline);
}
BENCHMARK(BM_AreaImageDecodeNextToZlibUncompress)->Unit(benchmark::kMillisecond)->Iterations(5);

// A warm screen-mode repaint into the view's 16-bit image, next to one
// full-frame drawImage of the same size.
void BM_WarmRepaintNextToBlit(benchmark::State& state) {
    Design& design = TheDesign();
    QImage target(kWidth, kHeight, QImage::Format_RGB16);
    QImage frame(kWidth, kHeight, QImage::Format_RGB16);
    frame.fill(Qt::gray);
    {
        QPainter warmUp(&target);
        design.model.Render(warmUp, false);
    }
    double ours = 0, baseline = 0;
    for (auto _ : state) {
        QPainter painter(&target);
        const auto t0 = Clock::now();
        painter.drawImage(0, 0, frame);
        const auto t1 = Clock::now();
        design.model.Render(painter, false);
        const auto t2 = Clock::now();
        baseline += Seconds(t0, t1);
        ours += Seconds(t1, t2);
    }
    ReportRatio(state, ours, baseline);
}
BENCHMARK(BM_WarmRepaintNextToBlit)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
}  // namespace velora

BENCHMARK_MAIN();
