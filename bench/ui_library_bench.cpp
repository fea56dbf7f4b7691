// SPDX-License-Identifier: GPL-3.0-or-later
// The libraries and colouring of the desktop program, timed as the user
// sees them: a library of 2,000 large designs until its first screen of
// previews shows and while it is scrolled to the end (with the longest time
// the window was busy with one event), a texture group of 500 large images
// until the palette's first screen shows, and a texture click on an area of
// 1,000 regions until the design view has repainted.

#include "core/common/library_folders.h"
#include "core/common/user_interface.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"
#include "large_design.h"
#include "ui/controls/folder_tree.h"
#include "ui/library/library_dlg.h"
#include "ui/library/preview_grid.h"
#include "ui/library/texture_groups_dlg.h"
#include "ui/library/texture_palette.h"
#include "ui/views/area_list_box.h"
#include "ui/views/areas_bar.h"
#include "ui/views/mosvel_view.h"
#include "ui/views/view_document.h"
#include "view_test_document.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>

namespace velora {
namespace {

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Times the delivery of every event, so the longest time the window could
// not answer the user shows.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        const Clock::time_point start = Clock::now();
        ++m_depth;
        const bool result = QApplication::notify(receiver, event);
        --m_depth;
        if (m_depth == 0) m_longest = std::max(m_longest, Milliseconds(start, Clock::now()));
        return result;
    }

    double TakeLongestMs() { return std::exchange(m_longest, 0.0); }

private:
    int m_depth = 0;
    double m_longest = 0;
};

TimedApplication& App() { return *static_cast<TimedApplication*>(QCoreApplication::instance()); }

// Runs the event loop until the condition holds; a timer wakes it while
// worker threads are busy.
void RunUntil(const std::function<bool()>& done) {
    QTimer wake;
    wake.start(5);
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

bool FirstScreenShown(CThumbnailGrid& grid) {
    return grid.isVisible() && grid.GetItemCount() > 0 && !grid.IsLoadingPictures();
}

// A grid of rectangular regions over a drawing of the given size; every
// region belongs to area (index % areas), and each area has a texture.
void BuildRectangleDesign(CDrawingModel& model, QSize size, QSize grid, int areas) {
    model.SetDocumentKind(kDesignDocument);
    model.SetSize(size.width(), size.height());
    MonoBitmap mask(size.width(), size.height());
    std::vector<CArea> built(static_cast<size_t>(areas));
    for (int i = 0; i < areas; ++i) {
        built[i].SetName(QStringLiteral("Area %1").arg(i));
        built[i].SetImage(Texture(i));
    }
    const int cellWidth = size.width() / grid.width();
    const int cellHeight = size.height() / grid.height();
    for (int row = 0; row < grid.height(); ++row) {
        for (int column = 0; column < grid.width(); ++column) {
            const QRect cell(column * cellWidth + 2, row * cellHeight + 2, cellWidth - 4,
                             cellHeight - 4);
            auto region = std::make_unique<CRegionItem>();
            region->AssignRegion(QRegion(cell));
            built[(row * grid.width() + column) % areas].AddName(region->GetName());
            model.AddRegion(std::move(region));
            for (int y = cell.top(); y <= cell.bottom(); ++y) {
                for (int x = cell.left(); x <= cell.right(); ++x) mask.SetPixel(x, y, true);
            }
        }
    }
    for (CArea& area : built) model.AddArea(std::move(area));
    model.SetMaskBitmap(std::move(mask));
}

// Many names for one file's bytes: the disk holds one copy, the program
// reads each name as a file of its own.
void LinkCopies(const QString& original, const QString& folder, const QString& pattern, int count) {
    for (int i = 0; i < count; ++i) {
        const QString name = folder + pattern.arg(i, 4, 10, QChar('0'));
        if (::link(QFile::encodeName(original).constData(), QFile::encodeName(name).constData())) {
            qFatal("cannot link %s", qPrintable(name));
        }
    }
}

// The libraries of the benchmarks, made once.
struct Libraries {
    QTemporaryDir root;
    NullUserInterface nobody;

    Libraries() {
        const QString veloras = root.filePath("veloras/");
        const QString textures = root.filePath("textures/");
        QDir().mkpath(veloras);
        QDir().mkpath(textures + "big");
        CDrawingModel design;
        BuildRectangleDesign(design, {kWidth, kHeight}, {40, 25}, 20);
        SaveModelFile(design, root.filePath("design.vld"));
        LinkCopies(root.filePath("design.vld"), veloras, QStringLiteral("design%1.vld"), 2000);
        for (int i = 0; i < 10; ++i) {
            QImageWriter writer(root.filePath(QStringLiteral("texture%1.jpg").arg(i)), "jpeg");
            writer.setQuality(90);
            writer.write(Texture(i, 1024));
        }
        for (int i = 0; i < 500; ++i) {
            const QString name =
                textures + QStringLiteral("big/texture%1.jpg").arg(i, 4, 10, QChar('0'));
            ::link(QFile::encodeName(root.filePath(QStringLiteral("texture%1.jpg").arg(i % 10)))
                       .constData(),
                   QFile::encodeName(name).constData());
        }
        SetCurrentLibraryFolders({root.filePath("templates/"), textures, veloras, {}});
    }
};

Libraries& TheLibraries() {
    static Libraries libraries;
    return libraries;
}

void BM_LibraryFirstScreen(benchmark::State& state) {
    Libraries& libraries = TheLibraries();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        CSelectVeloraDlg dialog(LibraryMode::Pick, libraries.nobody);
        dialog.show();
        RunUntil([&] { return FirstScreenShown(dialog.PreviewGrid()); });
        state.SetIterationTime(Milliseconds(start, Clock::now()) / 1000);
        state.counters["cells"] = dialog.PreviewGrid().Metrics().EndVisible();
    }
}
BENCHMARK(BM_LibraryFirstScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Page by page to the last row, each page shown before the next; the longest
// event is the longest the window kept the user waiting.
void BM_LibraryScrollToEnd(benchmark::State& state) {
    Libraries& libraries = TheLibraries();
    double longest = 0;
    for (auto _ : state) {
        CSelectVeloraDlg dialog(LibraryMode::Pick, libraries.nobody);
        dialog.show();
        CPreviewGrid& grid = dialog.PreviewGrid();
        RunUntil([&] { return FirstScreenShown(grid); });
        App().TakeLongestMs();
        const Clock::time_point start = Clock::now();
        const int lastOffset = grid.Metrics().MaxScrollRow() * grid.CellSize().height();
        while (grid.ScrollOffset() < lastOffset) {
            // Posted, so the scroll is one event of the window like a key.
            bool scrolled = false;
            QMetaObject::invokeMethod(
                &grid,
                [&] {
                    grid.VScroll(ScrollRequest::PageDown);
                    scrolled = true;
                },
                Qt::QueuedConnection);
            RunUntil([&] { return scrolled && !grid.IsLoadingPictures(); });
        }
        state.SetIterationTime(Milliseconds(start, Clock::now()) / 1000);
        longest = std::max(longest, App().TakeLongestMs());
    }
    state.counters["longest_event_ms"] = longest;
}
BENCHMARK(BM_LibraryScrollToEnd)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// 0: the areas bar's palette, 1: the texture groups dialog with the group
// chosen.
void BM_PaletteFirstScreen(benchmark::State& state) {
    Libraries& libraries = TheLibraries();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        if (state.range(0) == 0) {
            QWidget owner;
            auto* bar = new CAreasBar(&owner);
            bar->show();
            RunUntil([&] { return FirstScreenShown(bar->Palette()); });
            state.counters["cells"] = bar->Palette().Metrics().EndVisible();
        } else {
            CTextureGroupsDlg dialog(libraries.nobody);
            dialog.show();
            dialog.Tree().setCurrentItem(dialog.RootItem()->child(0));
            RunUntil([&] { return FirstScreenShown(dialog.Palette()); });
            state.counters["cells"] = dialog.Palette().Metrics().EndVisible();
        }
        state.SetIterationTime(Milliseconds(start, Clock::now()) / 1000);
    }
}
BENCHMARK(BM_PaletteFirstScreen)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// A texture click on the chosen area of 1,000 regions, until the view shows
// the new texture.
void BM_ColourArea(benchmark::State& state) {
    TheLibraries();
    test::ViewTestDocument document(kDesignDocument);
    BuildRectangleDesign(document.model, {kWidth, kHeight}, {40, 25}, 1);
    QWidget window;
    auto* view = new CMosvelView;
    document.AddView(view);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(view);
    window.resize(1400, 900);
    window.show();
    view->OnInitialUpdate();
    auto* bar = new CAreasBar(&window);
    bar->show();
    bar->SetActiveDocument(&document, &document.model, view, true);
    RunUntil([&] { return FirstScreenShown(bar->Palette()); });
    bar->AreaList().setCurrentRow(0);
    view->viewport()->repaint();
    int texture = 0;
    for (auto _ : state) {
        texture = 1 - texture;
        const QPoint cell = bar->Palette().CellRect(texture).center();
        const Clock::time_point start = Clock::now();
        QTest::mouseClick(bar->Palette().viewport(), Qt::LeftButton, {}, cell);
        view->viewport()->repaint();
        state.SetIterationTime(Milliseconds(start, Clock::now()) / 1000);
    }
    state.counters["regions"] = static_cast<double>(document.model.Regions().size());
}
BENCHMARK(BM_ColourArea)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace velora

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    velora::TimedApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
