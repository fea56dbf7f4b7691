// SPDX-License-Identifier: GPL-3.0-or-later
// Export of a 4000 x 3000 design: rendering, scaling and encoding timed
// separately, encode throughput per format, and the peak memory of a
// 12000 x 9000 export measured in a fresh process.
//
//   export_bench                      all benchmarks
//   export_bench --peak-child=FORMAT  (internal) one 12000 x 9000 export

#include "core/common/library_folders.h"
#include "core/export/export_design.h"
#include "core/export/image_encoders.h"
#include "core/export/image_scaler.h"
#include "core/model/drawing_model.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace velora {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kCell = 250;
constexpr int kGap = 3;
constexpr int kAreas = 8;
constexpr int kTextureSide = 256;
constexpr QSize kLargeSize(12000, 9000);

// A texture with the mix of smooth shading and fine detail of a scanned
// material, so that the codecs have realistic work.
QImage MakeTexture(int seed) {
    QImage texture(kTextureSide, kTextureSide, QImage::Format_RGB32);
    quint32 noise = 2166136261u * quint32(seed + 1);
    for (int y = 0; y < kTextureSide; ++y) {
        for (int x = 0; x < kTextureSide; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const double wave = std::sin((x + seed * 17) * 0.09) * std::cos((y - seed * 5) * 0.07);
            const int grain = int(noise >> 28) - 8;
            const int base = 60 + seed * 20;
            texture.setPixel(x, y,
                             qRgb(std::clamp(base + int(60 * wave) + grain, 0, 255),
                                  std::clamp(200 - seed * 15 + x / 8 + grain, 0, 255),
                                  std::clamp(90 + y / 4 - int(40 * wave) + grain, 0, 255)));
        }
    }
    return texture;
}

// A grid of cells with outlines; every third cell is an ellipse, the others
// rectangles. Cells go round the areas in turn.
std::unique_ptr<CDrawingModel> MakeDesign() {
    auto model = std::make_unique<CDrawingModel>();
    model->SetSize(kWidth, kHeight);
    model->SetSmoothLines(true);
    std::vector<CArea> areas(kAreas);
    for (int a = 0; a < kAreas; ++a) areas[a].SetName(QStringLiteral("Area%1").arg(a + 1));
    int index = 0;
    for (int top = 0; top < kHeight; top += kCell) {
        for (int left = 0; left < kWidth; left += kCell, ++index) {
            const QRect cell(left + kGap, top + kGap, kCell - 2 * kGap, kCell - 2 * kGap);
            const bool ellipse = index % 3 == 0;
            auto region = std::make_unique<CRegionItem>();
            region->AssignRegion(ellipse ? QRegion(cell, QRegion::Ellipse) : QRegion(cell));
            areas[size_t(index % kAreas)].AddName(region->GetName());
            model->AddRegion(std::move(region));
            Path outline;
            if (ellipse) {
                outline.AddEllipseI(cell.x(), cell.y(), cell.width(), cell.height());
            } else {
                outline.AddRectangleI(cell.x(), cell.y(), cell.width(), cell.height());
            }
            model->AddCurve(std::make_unique<CCurve>(std::move(outline),
                                                     QStringLiteral("Object%1").arg(index)));
        }
    }
    for (CArea& area : areas) model->AddArea(std::move(area));
    for (int a = 0; a < kAreas; ++a) model->SetAreaImage(a, MakeTexture(a));
    return model;
}

// The design's whole picture at its own size, as the view holds it.
QImage RenderWhole(CDrawingModel& model) {
    QImage image(model.GetWidth(), model.GetHeight(), QImage::Format_RGB16);
    QPainter painter(&image);
    model.Render(painter, true);
    return image;
}

struct Format {
    const char* name;
    const char* extension;
    Guid id;
    std::optional<EncoderParameters> parameters;
};

const Format& FormatAt(int index) {
    static const Format formats[] = {
        {"PNG", "png", kPngEncoderId, std::nullopt},
        {"JPEG q90", "jpg", kJpegEncoderId,
         EncoderParameters{{EncoderParameter{kEncoderQuality, 1, kValueTypeLong, 90}}}},
        {"TIFF LZW 24", "tiff", kTiffEncoderId, BuildTiffParameters(kCompressionLzw, 24)},
        {"GIF", "gif", kGifEncoderId, std::nullopt},
        {"TIFF LZW 8", "tiff", kTiffEncoderId, BuildTiffParameters(kCompressionLzw, 8)},
    };
    return formats[index];
}

struct Stage {
    std::unique_ptr<CDrawingModel> model = MakeDesign();
    QImage rendered = RenderWhole(*model);
    QImage scaled = ScaleImage(rendered, rendered.size());
    QTemporaryDir folder;
};

Stage& Shared() {
    static Stage stage;
    return stage;
}

void SetRate(benchmark::State& state, qint64 pixels) {
    state.counters["MP/s"] = benchmark::Counter(double(pixels) * double(state.iterations()) / 1e6,
                                                benchmark::Counter::kIsRate);
}

// --- timings at the design's own size ----------------------------------------

// Arg 1: every area changed, so the region caches are tiled again (a design
// just loaded or coloured); arg 0: caches in place (a design on screen).
void BM_Render(benchmark::State& state) {
    Stage& stage = Shared();
    for (auto _ : state) {
        if (state.range(0)) {
            state.PauseTiming();
            for (int a = 0; a < kAreas; ++a) {
                stage.model->SetAreaImageRef(a, {stage.model->GetAreaImage(a).copy(), nullptr});
            }
            state.ResumeTiming();
        }
        const QImage image = RenderWhole(*stage.model);
        benchmark::DoNotOptimize(image.constBits());
    }
    SetRate(state, qint64(kWidth) * kHeight);
}
BENCHMARK(BM_Render)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Arg: target width; the height keeps the proportions.
void BM_Scale(benchmark::State& state) {
    Stage& stage = Shared();
    const QSize size(int(state.range(0)), int(state.range(0)) * kHeight / kWidth);
    for (auto _ : state) {
        const QImage image = ScaleImage(stage.rendered, size);
        benchmark::DoNotOptimize(image.constBits());
    }
    SetRate(state, qint64(size.width()) * size.height());
}
BENCHMARK(BM_Scale)->Arg(kWidth)->Arg(1000)->Arg(3000)->Arg(12000)->Unit(benchmark::kMillisecond);

void BM_Encode(benchmark::State& state) {
    Stage& stage = Shared();
    const Format& format = FormatAt(int(state.range(0)));
    const auto& parameters = format.parameters;
    const QString path = stage.folder.filePath(QStringLiteral("own.") + format.extension);
    for (auto _ : state) {
        SaveImage(stage.scaled, path, format.id, parameters ? &*parameters : nullptr);
    }
    state.SetLabel(format.name);
    SetRate(state, qint64(kWidth) * kHeight);
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
}
BENCHMARK(BM_Encode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The whole export at its own size, for comparison with the sum of the parts.
void BM_ExportOwnSize(benchmark::State& state) {
    Stage& stage = Shared();
    const Format& format = FormatAt(int(state.range(0)));
    ExportRequest request;
    request.width = kWidth;
    request.height = kHeight;
    request.fileName = stage.folder.filePath(QStringLiteral("whole.") + format.extension);
    request.encoderId = format.id;
    request.parameters = format.parameters;
    for (auto _ : state) ExportDesign(*stage.model, request);
    state.SetLabel(format.name);
    SetRate(state, qint64(kWidth) * kHeight);
}
BENCHMARK(BM_ExportOwnSize)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// --- peak memory at 12000 x 9000 --------------------------------------------------

qint64 StatusKilobytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ')[0].toLongLong();
    }
    return -1;
}

// Runs in a fresh process: builds the design, resets the peak, exports, and
// prints "<peak growth bytes> <file bytes>".
int PeakChild(int formatIndex) {
    const Format& format = FormatAt(formatIndex);
    QTemporaryDir folder;
    auto model = MakeDesign();
    ExportRequest request;
    request.width = kLargeSize.width();
    request.height = kLargeSize.height();
    request.fileName = folder.filePath(QStringLiteral("large.") + format.extension);
    request.encoderId = format.id;
    request.parameters = format.parameters;

    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1) return 2;  // resets VmHWM
    clear.close();
    const qint64 before = StatusKilobytes("VmRSS");
    ExportDesign(*model, request);
    const qint64 peak = StatusKilobytes("VmHWM");
    std::printf("%lld %lld\n", (peak - before) * 1024, QFile(request.fileName).size());
    return 0;
}

void BM_PeakMemory12000x9000(benchmark::State& state) {
    const Format& format = FormatAt(int(state.range(0)));
    long long growth = -1, fileBytes = -1;
    for (auto _ : state) {
        // Resolved here: inside the shell, /proc/self/exe would be the shell.
        const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() +
                                    " --peak-child=" + std::to_string(state.range(0));
        FILE* child = popen(command.c_str(), "r");
        if (!child || std::fscanf(child, "%lld %lld", &growth, &fileBytes) != 2) {
            state.SkipWithError("the measuring process failed");
        }
        if (child) pclose(child);
    }
    const double outputBytes = 3.0 * kLargeSize.width() * kLargeSize.height();
    const double renderBytes = 2.0 * kWidth * kHeight;
    const double budget = 1.25 * (outputBytes + renderBytes);
    state.SetLabel(format.name);
    state.counters["peak_MB"] = double(growth) / 1e6;
    state.counters["budget_MB"] = budget / 1e6;
    state.counters["peak/budget"] = double(growth) / budget;
    state.counters["file_MB"] = double(fileBytes) / 1e6;
}
// Every format streams its rows; GIF and 8-bit TIFF add the quantiser's
// working copy of the rows it samples for the palette.
BENCHMARK(BM_PeakMemory12000x9000)->DenseRange(0, 4)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velora

int main(int argc, char** argv) {
    constexpr const char* kChild = "--peak-child=";
    if (argc == 2 && std::strncmp(argv[1], kChild, std::strlen(kChild)) == 0) {
        return velora::PeakChild(std::atoi(argv[1] + std::strlen(kChild)));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
