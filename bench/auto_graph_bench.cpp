// One whole automatic layout (ten force passes and the separation pass) of a diagram of N
// boxes and N relation lines, stepped as the window's step timer steps it. The counter
// longest_step_ms is the longest single step in processor time, the time the window is
// held up at once on a machine to itself; longest_step_wall_ms the same in real time,
// which on a busy machine takes in whatever else runs. For comparison the same layout at
// 1 000 boxes with a scan of every node.

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>

#include "core/canvas/auto_graph.h"
#include "core/canvas/auto_graph_random.h"
#include "core/canvas/auto_graph_step.h"
#include "core/doc/flow_document.h"
#include "large_document.h"

namespace {

using namespace zarvik;

constexpr HSize kCanvas{4000, 4000};

double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void RunWholeLayout(benchmark::State& state, bool linearSearch) {
    double longestStep = 0;
    double longestWallStep = 0;
    int64_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        HFlowDocument doc;
        BuildLargeDocument(doc, static_cast<int>(state.range(0)) / 2);
        HAutoGraphRandom random(1);
        HAutoGraphOptions options;
        options.canvasSize = [] { return kCanvas; };
        options.random = &random;
        options.linearSearch = linearSearch;
        HAutoLayoutRun run;
        run.Start();
        options.separation = &run.separation;
        state.ResumeTiming();
        auto step = [&](int32_t i, int32_t n) {
            return AutoLayoutStep(doc.Boxes(), doc.Lines(), 0, i, n, options);
        };
        for (;;) {
            const auto start = std::chrono::steady_clock::now();
            const double startCpu = ThreadMilliseconds();
            const HAutoLayoutTick tick = run.OnStepTick(step);
            longestStep = std::max(longestStep, ThreadMilliseconds() - startCpu);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            longestWallStep = std::max(longestWallStep, took.count());
            if (tick != HAutoLayoutTick::kStepped) {
                break;
            }
            ++steps;
        }
        state.PauseTiming();
        doc.Boxes().Clear();  // not part of the layout
        doc.Lines().Clear();
        state.ResumeTiming();
    }
    state.counters["longest_step_ms"] = longestStep;
    state.counters["longest_step_wall_ms"] = longestWallStep;
    state.counters["steps"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kAvgIterations);
}

void BM_AutoLayout(benchmark::State& state) {
    RunWholeLayout(state, false);
}
BENCHMARK(BM_AutoLayout)->Unit(benchmark::kMillisecond)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(8000);

void BM_AutoLayoutScanning(benchmark::State& state) {
    RunWholeLayout(state, true);
}
BENCHMARK(BM_AutoLayoutScanning)->Unit(benchmark::kMillisecond)->Arg(1000)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
