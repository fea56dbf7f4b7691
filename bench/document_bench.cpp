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
#include "large_design.h"

#include <QPainter>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cmath>

namespace velora {
namespace {

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
