// The editor's window with the large document: painting the canvas at 100 % and 20 %,
// opening the document up to the first paint, one mouse move of a box drag, and the
// memory the open document takes. Runs on the offscreen platform.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "core/app/system.h"
#include "core/canvas/canvas_controller.h"
#include "core/doc/zarvik_doc.h"
#include "core/items/draw_list.h"
#include "core/items/item_object.h"
#include "draw/qt_draw_context.h"
#include "gui/canvas/canvas_widget.h"
#include "gui/frame/main_window.h"
#include "large_document.h"

namespace {

using namespace zarvik;
using zarvik::draw::HQtDrawContext;
using zarvik::gui::HCanvasWidget;
using zarvik::gui::HMainWindow;

constexpr int kPairs = 5000;  // 10 000 boxes, 10 000 lines
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// The middle of the large document's boxes.
HPoint DiagramCentre(const HDrawList& boxes) {
    HRect all{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const HItemCore* item = boxes.Head(); item != nullptr; item = item->next) {
        HRect r;
        item->GetBoundRect(r);
        all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
               std::max(all.bottom, r.bottom)};
    }
    return {(all.left + all.right) / 2, (all.top + all.bottom) / 2};
}

// The resident set of the process in megabytes.
double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

std::string g_savedPath;

// The large document saved once, for the benchmarks that open it.
const std::string& SavedDocumentPath() {
    if (g_savedPath.empty()) {
        g_savedPath = (std::filesystem::temp_directory_path() /
                       ("zarvik_bench_window_" + std::to_string(::getpid()) + ".zvk"))
                          .string();
        CZarvikDoc doc;
        BuildLargeDocument(doc, kPairs);
        doc.SaveDocument(g_savedPath);
    }
    return g_savedPath;
}

// The canvas painted into a full-HD picture through the controller, with the picture's
// middle on the diagram's middle.
void PaintAtZoom(benchmark::State& state, double scale) {
    CZarvikDoc doc;
    BuildLargeDocument(doc, kPairs);
    HCanvasHost host;
    HCanvasController controller(doc, host);
    const HPoint centre = DiagramCentre(doc.Boxes());
    const QPointF origin(centre.x - kWidth / 2 / scale, centre.y - kHeight / 2 / scale);
    const HRect update{static_cast<int32_t>(origin.x()), static_cast<int32_t>(origin.y()),
                       static_cast<int32_t>(origin.x() + kWidth / scale) + 1,
                       static_cast<int32_t>(origin.y() + kHeight / scale) + 1};
    const HSize extent{2 * centre.x, 2 * centre.y};
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        draw::HQtDrawContext dc(painter, scale, origin);
        controller.PaintCanvas(dc, update, extent, 0);
    }
}

void BM_Paint100(benchmark::State& state) {
    PaintAtZoom(state, 1.0);
}
BENCHMARK(BM_Paint100)->Unit(benchmark::kMillisecond);

void BM_Paint20(benchmark::State& state) {
    PaintAtZoom(state, 0.2);
}
BENCHMARK(BM_Paint20)->Unit(benchmark::kMillisecond);

// A full-HD main window with the saved document opened and painted once.
std::unique_ptr<HMainWindow> OpenedWindow() {
    auto window = std::make_unique<HMainWindow>();
    window->resize(kWidth, kHeight);
    window->show();
    QApplication::processEvents();  // the window is exposed, so it paints
    window->Document().OpenDocumentPath(SavedDocumentPath());
    window->Canvas().viewport()->repaint();
    return window;
}

void BM_OpenToFirstPaint(benchmark::State& state) {
    const std::string& path = SavedDocumentPath();
    double resident = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<HMainWindow>();
        window->resize(kWidth, kHeight);
        window->show();
        QApplication::processEvents();
        state.ResumeTiming();

        window->Document().OpenDocumentPath(path);
        window->Canvas().viewport()->repaint();

        state.PauseTiming();
        resident = ResidentMegabytes();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["resident_MB"] = resident;
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, target->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// One mouse move of a box dragged near the middle of the view, with the paint of what it
// invalidated.
void BM_DragMove(benchmark::State& state) {
    // A canvas as large as the diagram, so that the view can scroll to its middle.
    const HInfoSystem saved = System().settings;
    System().settings.SelectCanvasType = 1;
    System().settings.CanvasSizeCx = 15000;
    System().settings.CanvasSizeCy = 6000;
    std::unique_ptr<HMainWindow> window = OpenedWindow();
    HCanvasWidget& canvas = window->Canvas();
    QWidget* viewport = canvas.viewport();
    const HPoint centre = DiagramCentre(window->Document().Boxes());
    canvas.horizontalScrollBar()->setValue(centre.x - viewport->width() / 2);
    canvas.verticalScrollBar()->setValue(centre.y - viewport->height() / 2);

    // A box near the middle of the view, selected first so that the press drags it.
    QPoint at(viewport->width() / 2, viewport->height() / 2);
    HItemCore* box = nullptr;
    for (int dx = 0; box == nullptr && dx < 400; dx += 10) {
        at = QPoint(viewport->width() / 2 + dx, viewport->height() / 2);
        box = window->Document().Boxes().HitTestFrom(nullptr, canvas.ToCanvas(at));
    }
    if (box == nullptr) {
        state.SkipWithError("no box near the middle of the view");
        System().settings = saved;
        return;
    }
    box->SetSelected(1);
    SendMouse(viewport, QEvent::MouseButtonPress, at, Qt::LeftButton);
    std::this_thread::sleep_for(std::chrono::milliseconds(kDragDelayMs + 10));
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 40;
        SendMouse(viewport, QEvent::MouseMove, at + QPoint(step, step / 2), Qt::LeftButton);
        QApplication::processEvents();  // paints what the move invalidated
    }
    SendMouse(viewport, QEvent::MouseButtonRelease, at, Qt::NoButton);
    window.reset();
    System().settings = saved;
}
BENCHMARK(BM_DragMove)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    if (!g_savedPath.empty()) {
        std::filesystem::remove(g_savedPath);
    }
    return 0;
}
