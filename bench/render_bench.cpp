// zvk render's drawing of the large document (10 000 boxes, 10 000 lines) to a PNG file's
// bytes, on the offscreen platform: at 20 %, the whole diagram about the size of a screen,
// and at 100 %.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>
#include <string>

#include "core/doc/flow_document.h"
#include "draw/picture_export.h"
#include "large_document.h"

namespace {

using namespace zarvik;

constexpr int kPairs = 5000;

void BM_RenderPng(benchmark::State& state) {
    HFlowDocument doc;
    BuildLargeDocument(doc, kPairs);
    const draw::HPictureOptions options{draw::HPictureKind::Png, static_cast<int>(state.range(0)),
                                        0xFFFFFF};
    std::string problem;
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = draw::RenderPicture(doc, options, problem).size();
        benchmark::DoNotOptimize(bytes);
    }
    if (bytes == 0) {
        state.SkipWithError(problem.c_str());
    }
    const draw::HPictureFrame frame = draw::FramePicture(doc, options.zoomPercent);
    state.counters["width"] = frame.pixels.width();
    state.counters["height"] = frame.pixels.height();
    state.counters["kbytes"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(BM_RenderPng)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
