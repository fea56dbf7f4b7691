// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the DXF entity reader on drawings of loose lines.
#include "core/import/dxf_reader.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

namespace {

// A DXF text of `lineCount` LINE entities, four to a closed square, laid
// out on a grid, with the groups a CAD program writes (layer, z values).
QByteArray SquaresDxf(int lineCount) {
    QByteArray text;
    text.reserve(lineCount * 96);
    text +=
        "  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLAYER\r\n"
        "  0\r\nLAYER\r\n  2\r\n0\r\n 70\r\n0\r\n 62\r\n7\r\n  0\r\nENDTAB\r\n"
        "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    const auto line = [&text](double x1, double y1, double x2, double y2) {
        text += "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n" + QByteArray::number(x1) + "\r\n 20\r\n" +
                QByteArray::number(y1) + "\r\n 30\r\n0.0\r\n 11\r\n" + QByteArray::number(x2) +
                "\r\n 21\r\n" + QByteArray::number(y2) + "\r\n 31\r\n0.0\r\n";
    };
    for (int square = 0; square < lineCount / 4; ++square) {
        const double x = (square % 200) * 3.0;
        const double y = (square / 200) * 3.0;
        line(x, y, x + 2, y);
        line(x + 2, y, x + 2, y + 2);
        line(x + 2, y + 2, x, y + 2);
        line(x, y + 2, x, y);
    }
    text += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    return text;
}

void BM_ReadDxfPaths(benchmark::State& state) {
    const QByteArray text = SquaresDxf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto paths = velora::ReadDxfPaths(text);
        benchmark::DoNotOptimize(paths.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ReadDxfPaths)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
