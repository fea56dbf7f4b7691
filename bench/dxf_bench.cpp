// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the DXF import: the entity reader on drawings of loose lines, and
// a drawing of blocks placed by INSERTs against the same geometry written
// out as plain entities.
#include "core/import/chaining.h"
#include "core/import/conversion.h"
#include "core/import/dxf_reader.h"
#include "core/model/drawing_model.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

#include <chrono>
#include <stdexcept>

namespace {

const QByteArray kHeader =
    "  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLAYER\r\n"
    "  0\r\nLAYER\r\n  2\r\n0\r\n 70\r\n0\r\n 62\r\n7\r\n  0\r\nENDTAB\r\n"
    "  0\r\nENDSEC\r\n";
const QByteArray kEnd = "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

QByteArray Number(double value) { return QByteArray::number(value, 'g', 10); }

// Writes entities at an offset, with the groups a CAD program writes (layer,
// z values).
class EntityWriter {
public:
    EntityWriter(QByteArray& text, double dx, double dy) : m_text(text), m_dx(dx), m_dy(dy) {}

    void Line(double x1, double y1, double x2, double y2) {
        m_text += "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n" + X(x1) + "\r\n 20\r\n" + Y(y1) +
                  "\r\n 30\r\n0.0\r\n 11\r\n" + X(x2) + "\r\n 21\r\n" + Y(y2) +
                  "\r\n 31\r\n0.0\r\n";
    }
    void Circle(double x, double y, double r) {
        m_text += "  0\r\nCIRCLE\r\n  8\r\n0\r\n 10\r\n" + X(x) + "\r\n 20\r\n" + Y(y) +
                  "\r\n 30\r\n0.0\r\n 40\r\n" + Number(r) + "\r\n";
    }
    // A slot: two sides joined by half circles.
    void Slot(double x, double y, double length, double width) {
        m_text += "  0\r\nLWPOLYLINE\r\n  8\r\n0\r\n 90\r\n4\r\n 70\r\n1\r\n 10\r\n" + X(x) +
                  "\r\n 20\r\n" + Y(y) + "\r\n 10\r\n" + X(x + length) + "\r\n 20\r\n" + Y(y) +
                  "\r\n 42\r\n1.0\r\n 10\r\n" + X(x + length) + "\r\n 20\r\n" + Y(y + width) +
                  "\r\n 10\r\n" + X(x) + "\r\n 20\r\n" + Y(y + width) + "\r\n 42\r\n1.0\r\n";
    }

private:
    QByteArray X(double x) const { return Number(x + m_dx); }
    QByteArray Y(double y) const { return Number(y + m_dy); }

    QByteArray& m_text;
    double m_dx, m_dy;
};

// The 50 entities of a piece of furniture: ten squares of four lines, five
// circles and five slots.
void WriteFurniture(EntityWriter& out) {
    for (int i = 0; i < 10; ++i) {
        const double x = (i % 5) * 3.0, y = (i / 5) * 3.0;
        out.Line(x, y, x + 2, y);
        out.Line(x + 2, y, x + 2, y + 2);
        out.Line(x + 2, y + 2, x, y + 2);
        out.Line(x, y + 2, x, y);
    }
    for (int i = 0; i < 5; ++i) out.Circle(i * 3.0 + 1, 7, 0.8);
    for (int i = 0; i < 5; ++i) out.Slot(i * 3.0 + 0.5, 9, 1, 0.6);
}

constexpr int kEntitiesPerBlock = 50;

// Where the nth of the placed pieces stands.
double PlaceX(int n) { return (n % 100) * 20.0; }
double PlaceY(int n) { return (n / 100) * 12.0; }

QByteArray InsertsDxf(int inserts) {
    QByteArray text = kHeader;
    text +=
        "  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n  0\r\nBLOCK\r\n  8\r\n0\r\n  2\r\nFURNITURE\r\n"
        " 70\r\n0\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n  3\r\nFURNITURE\r\n";
    EntityWriter block(text, 0, 0);
    WriteFurniture(block);
    text += "  0\r\nENDBLK\r\n  8\r\n0\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    for (int n = 0; n < inserts; ++n) {
        text += "  0\r\nINSERT\r\n  8\r\n0\r\n  2\r\nFURNITURE\r\n 10\r\n" + Number(PlaceX(n)) +
                "\r\n 20\r\n" + Number(PlaceY(n)) + "\r\n 30\r\n0.0\r\n";
    }
    return text + kEnd;
}

QByteArray PlainDxf(int inserts) {
    QByteArray text = kHeader + "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    for (int n = 0; n < inserts; ++n) {
        EntityWriter placed(text, PlaceX(n), PlaceY(n));
        WriteFurniture(placed);
    }
    return text + kEnd;
}

// One import's reading, chaining and conversion to curves, the part of the
// import the way a drawing is written can change; fitting and the mask see
// the same curves either way.
double ImportSeconds(const QByteArray& text, size_t expectedCurves) {
    const auto start = std::chrono::steady_clock::now();
    velora::CDrawingModel model;
    model.ImportPaths() = velora::ReadDxfPaths(text);
    velora::ChainImportPaths(model);
    velora::ConvertObjectsToCurves(model);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (model.Curves().size() != expectedCurves) throw std::logic_error("unexpected curves");
    return elapsed.count();
}

// Both drawings, timed alternately so that both see the same machine load.
// The goal: the inserts take at most 1.5 times as long as the plain
// entities.
void BM_InsertsAgainstPlainEntities(benchmark::State& state) {
    const int inserts = static_cast<int>(state.range(0));
    const QByteArray insertsText = InsertsDxf(inserts);
    const QByteArray plainText = PlainDxf(inserts);
    // Each piece closes into its ten squares, five circles and five slots.
    const size_t curves = static_cast<size_t>(inserts) * 20;
    double insertSeconds = 0, plainSeconds = 0;
    for (auto _ : state) {
        insertSeconds += ImportSeconds(insertsText, curves);
        plainSeconds += ImportSeconds(plainText, curves);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["inserts_ms"] = 1000 * insertSeconds / runs;
    state.counters["plain_ms"] = 1000 * plainSeconds / runs;
    state.counters["inserts_over_plain"] = insertSeconds / plainSeconds;
    state.counters["entities"] = static_cast<double>(inserts) * kEntitiesPerBlock;
}
BENCHMARK(BM_InsertsAgainstPlainEntities)
    ->ArgName("inserts")
    ->Arg(10'000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// A DXF text of `lineCount` LINE entities, four to a closed square, laid
// out on a grid.
QByteArray SquaresDxf(int lineCount) {
    QByteArray text = kHeader + "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    text.reserve(lineCount * 96);
    for (int square = 0; square < lineCount / 4; ++square) {
        EntityWriter out(text, (square % 200) * 3.0, (square / 200) * 3.0);
        out.Line(0, 0, 2, 0);
        out.Line(2, 0, 2, 2);
        out.Line(2, 2, 0, 2);
        out.Line(0, 2, 0, 0);
    }
    return text + kEnd;
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
