// One whole automatic layout (ten force passes and the separation pass) of a diagram of
// 1 000 boxes and 1 000 relation lines, with the grid search and, for comparison, with a
// scan of every node.

#include <benchmark/benchmark.h>

#include "core/canvas/auto_graph.h"
#include "core/canvas/auto_graph_random.h"
#include "core/canvas/auto_graph_step.h"
#include "core/doc/flow_document.h"
#include "large_document.h"

namespace {

using namespace zarvik;

constexpr int kPairs = 500;
constexpr HSize kCanvas{4000, 4000};

void RunWholeLayout(benchmark::State& state, bool linearSearch) {
    for (auto _ : state) {
        state.PauseTiming();
        HFlowDocument doc;
        BuildLargeDocument(doc, kPairs);
        HAutoGraphRandom random(1);
        HAutoGraphOptions options;
        options.canvasSize = [] { return kCanvas; };
        options.random = &random;
        options.linearSearch = linearSearch;
        state.ResumeTiming();
        for (int32_t i = 0; i < kAutoLayoutIterationLimit; ++i) {
            benchmark::DoNotOptimize(
                AutoLayoutStep(doc.Boxes(), doc.Lines(), 0, i, kAutoLayoutIterationLimit, options));
        }
        state.PauseTiming();
        doc.Boxes().Clear();  // not part of the layout
        doc.Lines().Clear();
        state.ResumeTiming();
    }
}

void BM_AutoLayout(benchmark::State& state) {
    RunWholeLayout(state, false);
}
BENCHMARK(BM_AutoLayout)->Unit(benchmark::kMillisecond);

void BM_AutoLayoutScanning(benchmark::State& state) {
    RunWholeLayout(state, true);
}
BENCHMARK(BM_AutoLayoutScanning)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
