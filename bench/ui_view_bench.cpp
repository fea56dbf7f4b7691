// SPDX-License-Identifier: GPL-3.0-or-later
// The views on the large design in a 1920 x 1080 window: a repaint with
// nothing changed next to one copy of the visible part, a click that
// captures a region, repaints at growing zoom; undo and redo of a capture, a
// colouring, a pen stroke of 2,000 points and a new template, each to the
// repainted view, and what 1,000 steps of captures hold.

#include "core/edit/document_history.h"
#include "core/edit/edits.h"
#include "large_design.h"
#include "ui/controls/command_ids.h"
#include "ui/views/mosvel_template_view.h"
#include "ui/views/mosvel_view.h"
#include "ui/views/view_document.h"
#include "view_test_document.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <functional>

namespace velora {
namespace {

constexpr QSize kWindow(1920, 1080);

// The view tests' document, holding the large design.
class BenchDocument : public test::ViewTestDocument {
public:
    BenchDocument(int kind, bool textured) : ViewTestDocument(kind) {
        BuildDesign(model, textured);
    }
};

// A view of the document at the window's size, with its picture rendered.
template <class View>
void Prepare(View& view, BenchDocument& document) {
    document.AddView(&view);
    view.resize(kWindow);
    view.show();
    view.OnInitialUpdate();
    view.RenderStale();
}

// What one paint of the whole window costs, drawn into an image of the
// window's format as the backing store is.
double PaintSeconds(CMosvelViewBase& view, QImage& window) {
    QPainter painter(&window);
    const auto start = Clock::now();
    view.PaintWindow(painter, window.rect());
    return Seconds(start, Clock::now());
}

void BM_UnchangedRepaintNextToVisibleCopy(benchmark::State& state) {
    BenchDocument document(kDesignDocument, true);
    CMosvelView view;
    Prepare(view, document);
    QImage window(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const QRect visible(QPoint(0, 0), window.size());
    double ours = 0, baseline = 0;
    int step = 0;
    for (auto _ : state) {
        // Scrolled somewhere new each time, as an expose after a scroll.
        view.SetScrollPosition(QPoint(step * 37 % 2000, step * 23 % 1900));
        ++step;
        ours += PaintSeconds(view, window);
        QPainter painter(&window);
        const auto start = Clock::now();
        painter.drawImage(QPoint(0, 0), view.Image(), visible.translated(view.ScrollPosition()));
        baseline += Seconds(start, Clock::now());
    }
    ReportRatio(state, ours, baseline);
}
BENCHMARK(BM_UnchangedRepaintNextToVisibleCopy)->Unit(benchmark::kMillisecond)->Iterations(60);

// The last cell's region is left out, so a click in it captures a new one.
void BM_ClickCapturesARegion(benchmark::State& state) {
    BenchDocument document(kTemplateDocument, false);
    document.model.TakeRegion(document.model.Regions().size() - 1);
    CMosvelTemplateView view;
    Prepare(view, document);
    QImage window(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    // Bring the last cell into the window and click in its middle.
    const QPoint cell(kWidth - kWidth / kColumns / 2, kHeight - kHeight / kRows / 2);
    view.SetScrollPosition(cell - QPoint(kWindow.width() / 2, kWindow.height() / 2));
    const QPointF click =
        QPointF(cell - view.ScrollPosition()) + QPointF(view.GetOffsetX(), view.GetOffsetY());
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, click, view.viewport()->mapToGlobal(click),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &press);
        PaintSeconds(view, window);
        state.PauseTiming();
        if (document.model.Regions().size() != kColumns * kRows) {
            state.SkipWithError("the click captured nothing");
            break;
        }
        document.model.TakeRegion(document.model.Regions().size() - 1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ClickCapturesARegion)->Unit(benchmark::kMillisecond)->Iterations(30);

// Zoom to the argument (in tenths) and scroll a little, then one paint of the
// whole window; only that paint is timed. Every other step goes back to 1:1,
// so each timed paint follows a change of zoom.
void BM_RepaintAfterZoom(benchmark::State& state) {
    BenchDocument document(kTemplateDocument, false);
    CMosvelTemplateView view;
    Prepare(view, document);
    QImage window(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const float zoom = static_cast<float>(state.range(0)) / 10.0f;
    bool zoomedIn = false;
    for (auto _ : state) {
        zoomedIn = !zoomedIn;
        view.SetZoom(zoomedIn ? zoom : 1.0f, zoomedIn ? zoom : 1.0f);
        view.UpdateLayout();
        view.SetScrollPosition(view.ScrollPosition() + QPoint(13, 7));
        state.SetIterationTime(PaintSeconds(view, window));
    }
}
BENCHMARK(BM_RepaintAfterZoom)
    ->Arg(10)
    ->Arg(15)
    ->Arg(40)
    ->Arg(160)
    ->Arg(640)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);

// Ctrl+wheel through the view's own input, a notch at a time from the whole
// drawing in the window up to 4:1 and back, each notch with the paint of the
// whole window that follows it; the slowest notch is reported too.
void BM_WheelZoomRepaint(benchmark::State& state) {
    BenchDocument document(kTemplateDocument, false);
    CMosvelTemplateView view;
    Prepare(view, document);
    QImage window(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const QPointF pointer(700, 400);
    view.ZoomToFit();
    int notch = 120;
    double slowest = 0;
    for (auto _ : state) {
        if (view.GetZoomX() >= 4.0f) notch = -120;
        if (view.GetZoomX() <= view.FitZoom()) notch = 120;
        const auto start = Clock::now();
        QWheelEvent wheel(pointer, view.viewport()->mapToGlobal(pointer), QPoint(),
                          QPoint(0, notch), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(view.viewport(), &wheel);
        QPainter painter(&window);
        view.PaintWindow(painter, window.rect());
        const double seconds = Seconds(start, Clock::now());
        slowest = std::max(slowest, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["slowest_ms"] = slowest * 1000;
}
BENCHMARK(BM_WheelZoomRepaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

// A pen stroke of 2,000 mouse moves through the view in correction mode,
// 4 pixels apart, zigzagging across the captured regions, each move timed with
// the repaint the view asked for, as the window system would deliver it (only
// the part the move changed); the release, when the regions the stroke
// crossed are captured again, is timed with its repaint too. Reports the
// slowest move and the release; each stroke is undone, untimed, before the next.
void BM_PenStrokeEvents(benchmark::State& state) {
    BenchDocument document(kTemplateDocument, true);
    CMosvelTemplateView view;
    Prepare(view, document);
    view.RunCommand(cmd::kCorrectionMode);
    view.RunCommand(cmd::kPen);
    QWidget* viewport = view.viewport();
    const auto repaint = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); };
    QCoreApplication::processEvents();  // the window is shown and exposed
    const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, {});
        const auto start = Clock::now();
        QApplication::sendEvent(viewport, &event);
        repaint();
        return Seconds(start, Clock::now());
    };
    double slowestMove = 0, slowestRelease = 0;
    for (auto _ : state) {
        double total = 0;
        total += send(QEvent::MouseButtonPress, QPointF(20, 20), Qt::LeftButton);
        for (int i = 1; i <= 2000; ++i) {
            const int zigzag = i % 200 < 100 ? i % 200 : 200 - i % 200;
            const double seconds =
                send(QEvent::MouseMove, QPointF(20 + i * 0.9, 20 + zigzag * 4), Qt::LeftButton);
            slowestMove = std::max(slowestMove, seconds);
            total += seconds;
        }
        const double release = send(QEvent::MouseButtonRelease, QPointF(1820, 20), Qt::NoButton);
        slowestRelease = std::max(slowestRelease, release);
        state.SetIterationTime(total + release);
        document.history.Stack().undo();
        repaint();
    }
    state.counters["slowest_move_ms"] = slowestMove * 1000;
    state.counters["release_ms"] = slowestRelease * 1000;
}
BENCHMARK(BM_PenStrokeEvents)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// --- undo and redo, each timed to the repainted window ---------------------

// The model pixel in the middle of a grid cell.
QPoint CellMiddle(int column, int row) {
    return {column * (kWidth / kColumns) + kWidth / kColumns / 2,
            row * (kHeight / kRows) + kHeight / kRows / 2};
}

// Undoes and redoes the step that the change made, each timed from the
// command to the window painted.
void TimeUndoRedo(benchmark::State& state, BenchDocument& document, CMosvelViewBase& view,
                  const std::function<std::unique_ptr<EditStep>()>& change) {
    QImage window(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    document.Edit(change());
    PaintSeconds(view, window);
    QUndoStack& stack = document.history.Stack();
    if (!stack.canUndo()) {
        state.SkipWithError("the change made no step");
        return;
    }
    double undo = 0, redo = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        stack.undo();
        PaintSeconds(view, window);
        undo += Seconds(start, Clock::now());
        start = Clock::now();
        stack.redo();
        PaintSeconds(view, window);
        redo += Seconds(start, Clock::now());
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["undo_ms"] = 1000 * undo / runs;
    state.counters["redo_ms"] = 1000 * redo / runs;
}

// The last cell has no region, and a click there captures one.
void BM_UndoRedoCapture(benchmark::State& state) {
    BenchDocument document(kTemplateDocument, true);
    document.model.TakeRegion(document.model.Regions().size() - 1);
    CMosvelTemplateView view;
    Prepare(view, document);
    const QPoint cell = CellMiddle(kColumns - 1, kRows - 1);
    view.SetScrollPosition(cell - QPoint(kWindow.width() / 2, kWindow.height() / 2));
    TimeUndoRedo(state, document, view, [&] { return edits::ClickRegion(document.model, cell); });
}
BENCHMARK(BM_UndoRedoCapture)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_UndoRedoColouring(benchmark::State& state) {
    BenchDocument document(kDesignDocument, true);
    CMosvelView view;
    Prepare(view, document);
    const QImage texture = Texture(99);
    TimeUndoRedo(state, document, view,
                 [&] { return edits::ColourArea(document.model, 7, texture); });
}
BENCHMARK(BM_UndoRedoColouring)->Unit(benchmark::kMillisecond)->Iterations(20);

// 2,000 points on a slanted line across the window, drawing outline.
void BM_UndoRedoPenStroke(benchmark::State& state) {
    BenchDocument document(kTemplateDocument, true);
    CMosvelTemplateView view;
    Prepare(view, document);
    TimeUndoRedo(state, document, view, [&] {
        PenStroke stroke(document.model, false);
        for (int i = 0; i < 2000; ++i) stroke.Paint(QPoint(100 + i * 9 / 10, 100 + i / 2));
        return stroke.Finish();
    });
}
BENCHMARK(BM_UndoRedoPenStroke)->Unit(benchmark::kMillisecond)->Iterations(20);

// Another template of the same size, its areas named as the design's, so
// every texture carries over.
void BM_UndoRedoSelectTemplate(benchmark::State& state) {
    BenchDocument document(kDesignDocument, true);
    CMosvelView view;
    Prepare(view, document);
    CDrawingModel other;
    BuildDesign(other, false);
    ModelContent content = other.SwapContent({});
    TimeUndoRedo(state, document, view, [&] {
        edits::CarryAreaImages(document.model, content);
        return edits::ReplaceContent(document.model, std::move(content), "Select template");
    });
}
BENCHMARK(BM_UndoRedoSelectTemplate)->Unit(benchmark::kMillisecond)->Iterations(20);

int64_t HeapInUse() { return static_cast<int64_t>(mallinfo2().uordblks); }

// 1,000 clicks that each capture a region, kept as steps: what the stack
// holds by its own count and what the heap grew by, the new regions (which
// the template holds) included.
void BM_CaptureHistoryMemory(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        CDrawingModel model;
        BuildDesign(model, false);
        for (int i = 0; i < 1000; ++i) model.TakeRegion(model.Regions().size() - 1);
        DocumentHistory history(model);
        const int64_t before = HeapInUse();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            const int cell = kColumns * kRows - 1000 + i;
            history.Push(edits::ClickRegion(model, CellMiddle(cell % kColumns, cell / kColumns)));
        }
        state.PauseTiming();
        state.counters["steps"] = history.Stack().count();
        state.counters["history_MB"] = static_cast<double>(history.Cost()) / (1 << 20);
        state.counters["heap_growth_MB"] = static_cast<double>(HeapInUse() - before) / (1 << 20);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CaptureHistoryMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace velora

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
